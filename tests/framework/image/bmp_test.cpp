// The BMP reader (24-bit and 8-bit paletted files with their messages) and
// the BMP writer, through Image::Load and Image::Save, including what both
// do with names that are not regular files.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/framework/image/image_test_util.h"

namespace ondra {
namespace {

using encoders::BmpFile;
using encoders::Bytes;
using test::LoadBytes;
using test::Pattern;
using test::SamePixels;

// A 24-bit BMP of `picture` (a BGR image), rows in either order.
BmpFile Bmp24(const Image& picture, bool topDown) {
    BmpFile f;
    f.width = picture.Width();
    f.height = topDown ? -picture.Height() : picture.Height();
    f.pixels = encoders::PackRows(picture.Width(), picture.Height(), 24, [&](int x, int row) {
        const std::uint8_t* p = picture.GetRow(topDown ? picture.Height() - 1 - row : row) + 3 * x;
        return std::uint32_t(p[0] | p[1] << 8 | p[2] << 16);
    });
    return f;
}

// An 8-bit BMP whose pixel (x, fileRow) uses `index`.
BmpFile Bmp8(int width, int height, std::vector<encoders::PaletteEntry> palette,
             const std::function<std::uint32_t(int, int)>& index) {
    BmpFile f;
    f.width = width;
    f.height = height;
    f.bitCount = 8;
    f.palette = std::move(palette);
    f.pixels = encoders::PackRows(width, height, 8, index);
    return f;
}

// "bmp: loaded (0x<at least 8 upper-case hex digits>, <size>)\n"
bool IsLoadedLine(const std::string& line, const std::string& size) {
    const std::string head = "bmp: loaded (0x", tail = ", " + size + ")\n";
    if (line.size() < head.size() + 8 + tail.size() || line.compare(0, head.size(), head) != 0 ||
        line.compare(line.size() - tail.size(), tail.size(), tail) != 0)
        return false;
    const std::string digits = line.substr(head.size(), line.size() - head.size() - tail.size());
    return digits.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

class BmpTest : public ::testing::Test {
protected:
    test::LoadResult Load(const BmpFile& file, Image& image, const char* name = "picture.bmp") {
        return LoadBytes(folder_, name, encoders::Encode(file), image);
    }
    test::ScratchFolder folder_;
};

TEST_F(BmpTest, TwentyFourBitBothRowOrdersGiveThePicture) {
    const Image picture = Pattern(5, 3, BGR);  // 15-byte rows: padded in the file
    for (bool topDown : {false, true}) {
        Image image;
        const test::LoadResult result = Load(Bmp24(picture, topDown), image);
        ASSERT_TRUE(result.ok);
        EXPECT_TRUE(IsLoadedLine(result.output, "5x3")) << result.output;
        EXPECT_EQ(image.GetRowPadding(), 0);
        EXPECT_TRUE(SamePixels(image, picture)) << "top-down " << topDown;
    }
}

TEST_F(BmpTest, ImageSizeFieldIsOnlyAHint) {
    const Image picture = Pattern(6, 4, BGR);
    for (std::int64_t imageSize : {0, 5, 100000}) {
        BmpFile file = Bmp24(picture, false);
        file.imageSize = imageSize;
        Image image;
        ASSERT_TRUE(Load(file, image).ok) << imageSize;
        EXPECT_TRUE(SamePixels(image, picture)) << imageSize;
    }
}

TEST_F(BmpTest, GreyPaletteGivesLuminance) {
    std::vector<encoders::PaletteEntry> palette;
    for (int i = 0; i < 4; ++i) palette.push_back({std::uint8_t(i * 80), std::uint8_t(i * 80), std::uint8_t(i * 80), 0});
    for (bool topDown : {false, true}) {
        BmpFile file = Bmp8(3, 2, palette, [&](int x, int row) { return (x + (topDown ? 1 - row : row) * 3) % 4; });
        if (topDown) file.height = -2;
        Image image;
        const test::LoadResult result = Load(file, image);
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.output, "bmp: loading 8bpp greyscale\n");
        ASSERT_EQ(image.GetFormat(), LUMINANCE);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(image.GetRow(y)[x], ((x + y * 3) % 4) * 80);
    }
}

TEST_F(BmpTest, OneColouredEntryMakesTheImageColour) {
    BmpFile file = Bmp8(4, 1, {{10, 10, 10, 0}, {20, 20, 20, 0}, {1, 2, 3, 0}},
                        [](int x, int) { return x % 3; });
    Image image;
    const test::LoadResult result = Load(file, image);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.output, "bmp: loading 8bpp paletted colour\n");
    ASSERT_EQ(image.GetFormat(), BGR);
    const std::uint8_t expected[] = {10, 10, 10, 20, 20, 20, 1, 2, 3, 10, 10, 10};
    EXPECT_EQ(0, std::memcmp(image.GetRow(0), expected, sizeof expected));
}

TEST_F(BmpTest, PaletteCounts) {
    // Colours used 0 reads all 256 entries.
    std::vector<encoders::PaletteEntry> full;
    for (int i = 0; i < 256; ++i) full.push_back({std::uint8_t(i), std::uint8_t(255 - i), 7, 0});
    BmpFile file = Bmp8(2, 1, full, [](int x, int) { return x ? 255 : 128; });
    file.coloursUsed = 0;
    Image image;
    ASSERT_TRUE(Load(file, image).ok);
    const std::uint8_t expected[] = {128, 127, 7, 255, 0, 7};
    EXPECT_EQ(0, std::memcmp(image.GetRow(0), expected, sizeof expected));

    // More than 256 reads 256; indices past the loaded entries are black.
    file.coloursUsed = 300;
    ASSERT_TRUE(Load(file, image).ok);
    EXPECT_EQ(0, std::memcmp(image.GetRow(0), expected, sizeof expected));

    BmpFile shortPalette = Bmp8(3, 1, {{50, 60, 70, 0}, {1, 1, 9, 0}}, [](int x, int) { return x * 100; });
    ASSERT_TRUE(Load(shortPalette, image).ok);
    const std::uint8_t clipped[] = {50, 60, 70, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(image.GetRow(0), clipped, sizeof clipped));
}

TEST_F(BmpTest, FailuresPrintTheirLineAndLeaveTheImageEmpty) {
    const Image picture = Pattern(4, 4, BGR);
    struct Case {
        const char* what;
        Bytes bytes;
        const char* output;
    };
    std::vector<Case> cases;
    Bytes header = encoders::Encode(Bmp24(picture, false));
    cases.push_back({"short info header", Bytes(header.begin(), header.begin() + 30), "bmp: bad info header\n"});
    BmpFile zeroWidth = Bmp24(picture, false);
    zeroWidth.width = 0;
    cases.push_back({"zero width", encoders::Encode(zeroWidth), "bmp: dubious looking bitmap dimensions\n"});
    BmpFile huge = Bmp24(picture, false);
    huge.width = huge.height = 16384 * 2;
    cases.push_back({"huge", encoders::Encode(huge), "bmp: dubious looking bitmap dimensions\n"});
    BmpFile forged = Bmp24(picture, false);
    forged.width = forged.height = 16384;  // allowed size, but the data is not there
    cases.push_back({"forged", encoders::Encode(forged), "bmp: failed reading bitmap data\n"});
    BmpFile farOffset = Bmp24(picture, false);
    farOffset.dataOffset = 1 << 20;
    Bytes far = encoders::Encode(farOffset);
    far.resize(200);
    // Seeking past the end of a file succeeds: the read after it fails.
    cases.push_back({"offset past the end", far, "bmp: failed reading bitmap data\n"});
    cases.push_back({"truncated rows", Bytes(header.begin(), header.end() - 1), "bmp: failed reading bitmap data\n"});
    BmpFile palette = Bmp8(2, 2, {{1, 2, 3, 0}}, [](int, int) { return 0; });
    palette.coloursUsed = 200;
    palette.dataOffset = 54 + 4;
    Bytes shortPalette = encoders::Encode(palette);
    cases.push_back({"short palette", shortPalette, "bmp: failed to load palette\n"});
    palette.infoSize = 400;
    Bytes farPalette = encoders::Encode(palette);
    farPalette.resize(300);
    cases.push_back({"info header past the end", farPalette, "bmp: failed to load palette\n"});
    cases.push_back({"not a bitmap", Bytes(100, 'x'), ""});

    for (const Case& c : cases) {
        Image image(2, 2, RGB);
        const test::LoadResult result = LoadBytes(folder_, "bad.bmp", c.bytes, image);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.output, c.output) << c.what;
        EXPECT_TRUE(image.IsEmpty()) << c.what;
    }
    Image image;
    EXPECT_FALSE(image.Load(folder_.File("missing.bmp").c_str()));
    EXPECT_FALSE(image.Load(nullptr));
}

TEST_F(BmpTest, NamesThatAreNotRegularFilesFailAtOnce) {
    const std::string fifo = folder_.File("pipe.bmp"), folder = folder_.File("folder.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    for (const std::string& path : {fifo, folder, std::string("/dev/zero")}) {
        bool loaded = true;
        EXPECT_TRUE(test::ReturnsQuickly([path] { return Image().Load(path.c_str()); }, loaded)) << path;
        EXPECT_FALSE(loaded) << path;
    }
}

// Saves `image` with writes past `limit` bytes failing, as on a full disk.
bool SaveWithFileSizeLimit(const Image& image, const std::string& path, rlim_t limit) {
    struct rlimit saved;
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return true;  // reads as an unexpected success
    auto* previous = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = limit;
    const bool ok = setrlimit(RLIMIT_FSIZE, &small) == 0 && image.Save(path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    return ok;
}

class BmpWriterTest : public BmpTest {};

TEST_F(BmpWriterTest, RoundTripPadsRowsToFourBytes) {
    for (int width = 1; width <= 6; ++width) {
        const Image picture = Pattern(width, 3, RGB);
        const std::string path = folder_.File("saved.bmp");
        ASSERT_TRUE(picture.Save(path.c_str()));
        const int rowSize = (width * 3 + 3) / 4 * 4;
        const Bytes bytes = encoders::ReadFile(path);
        ASSERT_EQ(bytes.size(), std::size_t(54 + rowSize * 3)) << width;
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[10], 54);
        EXPECT_EQ(bytes[28], 24);
        for (int row = 0; row < 3; ++row)
            for (int pad = width * 3; pad < rowSize; ++pad) EXPECT_EQ(bytes[54 + row * rowSize + pad], 0);

        Image loaded;
        testing::internal::CaptureStdout();
        ASSERT_TRUE(loaded.Load(path.c_str()));
        testing::internal::GetCapturedStdout();
        Image expected(picture);
        expected.SetFormat(BGR);
        EXPECT_TRUE(SamePixels(loaded, expected)) << width;
    }
}

TEST_F(BmpWriterTest, SavesAnyFormatAndPadding) {
    Image padded = Pattern(5, 2, BGR);
    ASSERT_TRUE(padded.SetRowPadding(9));  // a stride BMP rows do not have
    Image grey = Pattern(3, 3, LUMINANCE);
    for (const Image* picture : {&padded, &grey}) {
        const std::string path = folder_.File("any.bmp");
        ASSERT_TRUE(picture->Save(path.c_str()));
        Image loaded;
        testing::internal::CaptureStdout();
        ASSERT_TRUE(loaded.Load(path.c_str()));
        testing::internal::GetCapturedStdout();
        Image expected(*picture);
        expected.SetFormat(BGR);
        EXPECT_TRUE(SamePixels(loaded, expected));
    }
}

TEST_F(BmpWriterTest, FailedSavesLeaveNoFile) {
    EXPECT_FALSE(Image().Save(folder_.File("empty.bmp").c_str()));
    EXPECT_FALSE(std::filesystem::exists(folder_.File("empty.bmp")));
    EXPECT_FALSE(Pattern(2, 2, RGB).Save(folder_.File("no/such/folder.bmp").c_str()));

    EXPECT_FALSE(SaveWithFileSizeLimit(Pattern(100, 100, RGB), folder_.File("partial.bmp"), 1000));
    EXPECT_TRUE(folder_.Names().empty());
}

// Converting a picture onto itself with too little room must not lose it.
TEST_F(BmpWriterTest, FailedSaveOverAFileKeepsIt) {
    const std::string path = folder_.File("picture.bmp");
    ASSERT_TRUE(Pattern(100, 100, RGB).Save(path.c_str()));
    const Bytes before = encoders::ReadFile(path);
    Image picture;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(picture.Load(path.c_str()));
    testing::internal::GetCapturedStdout();

    EXPECT_FALSE(SaveWithFileSizeLimit(picture, path, 1000));
    EXPECT_EQ(encoders::ReadFile(path), before);
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"picture.bmp"});
}

TEST_F(BmpWriterTest, ReplacingKeepsPermissionsAndLinks) {
    const std::string path = folder_.File("old.bmp"), link = folder_.File("link.bmp");
    ASSERT_TRUE(encoders::WriteFile(path, Bytes(10, 'x')));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);

    ASSERT_TRUE(Pattern(2, 2, RGB).Save(link.c_str()));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(encoders::ReadFile(path).size(), 54u + 2 * 8);
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"link.bmp", "old.bmp"}));
}

// Devices and FIFOs cannot be replaced; they are written as they are and
// must still be there afterwards, whether or not the write worked.
TEST_F(BmpWriterTest, SavesToDevicesAndFifosInPlace) {
    const std::string fifo = folder_.File("pipe.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        bool saved;  // a FIFO nobody reads refuses the writer
        mode_t type;
    } cases[] = {{"/dev/null", true, S_IFCHR}, {fifo, false, S_IFIFO}};
    for (const auto& c : cases) {
        bool saved = !c.saved;
        const auto save = [path = c.path] { return Pattern(3, 3, RGB).Save(path.c_str()); };
        EXPECT_TRUE(test::ReturnsQuickly(save, saved)) << c.path;
        EXPECT_EQ(saved, c.saved) << c.path;
        struct stat info;
        ASSERT_EQ(stat(c.path.c_str(), &info), 0) << c.path;
        EXPECT_EQ(info.st_mode & S_IFMT, c.type) << c.path;
    }
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"pipe.bmp"});
}

}  // namespace
}  // namespace ondra
