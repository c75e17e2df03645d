// Writes the seed corpus of the image fuzz targets: one small file of each
// kind every reader takes, into <folder>/<target>/.
#include <filesystem>
#include <string>

#include "framework/image.h"
#include "framework/image/encoders/image_encoders.h"

namespace {

using namespace ondra;
using encoders::BmpFile;
using encoders::Bytes;

Image Picture(int width, int height, ImageFormat format) {
    Image image(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixel(x, y, (x / 3) * 60, y * 40, (x + y) % 2 ? 200 : 30, 128 + x);
    return image;
}

std::vector<encoders::PaletteEntry> Palette(int entries) {
    std::vector<encoders::PaletteEntry> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back({std::uint8_t(i * 37), std::uint8_t(i * 11), std::uint8_t(255 - i), 0});
    return palette;
}

BmpFile Bmp(int width, int height, int bitCount, std::uint32_t compression = 0) {
    BmpFile f;
    f.width = width;
    f.height = height;
    f.bitCount = std::uint16_t(bitCount);
    f.compression = compression;
    if (bitCount <= 8) f.palette = Palette(1 << bitCount);
    if (compression == 1 || compression == 2) {
        f.pixels = encoders::EncodeRle(width, height, compression == 2, [](int x, int y) { return (x / 4 + y) % 3; });
    } else {
        f.pixels = encoders::PackRows(width, height < 0 ? -height : height, bitCount,
                                      [](int x, int y) { return std::uint32_t(x * 2654435761u + y * 40503u); });
    }
    return f;
}

void Write(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes) {
    encoders::WriteFile((folder / name).string(), bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 1;
    const std::filesystem::path root = argv[1];
    for (const char* target : {"fuzz_bmp", "fuzz_system_bmp", "fuzz_tga", "fuzz_jpeg"})
        std::filesystem::create_directories(root / target);

    const std::filesystem::path bmp = root / "fuzz_bmp";
    Write(bmp, "24bit", encoders::Encode(Bmp(5, 3, 24)));
    Write(bmp, "24bit_top_down", encoders::Encode(Bmp(3, -4, 24)));
    BmpFile grey = Bmp(6, 2, 8);
    for (int i = 0; i < 256; ++i) grey.palette[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
    Write(bmp, "8bit_grey", encoders::Encode(grey));
    BmpFile few = Bmp(7, 3, 8);
    few.palette.resize(16);
    Write(bmp, "8bit_colour", encoders::Encode(few));

    const std::filesystem::path system = root / "fuzz_system_bmp";
    Write(system, "1bit", encoders::Encode(Bmp(9, 3, 1)));
    Write(system, "4bit", encoders::Encode(Bmp(5, -3, 4)));
    Write(system, "8bit", encoders::Encode(Bmp(6, 2, 8)));
    Write(system, "rle8", encoders::Encode(Bmp(13, 4, 8, 1)));
    Write(system, "rle4", encoders::Encode(Bmp(11, 3, 4, 2)));
    Write(system, "16bit", encoders::Encode(Bmp(3, 3, 16)));
    BmpFile b565 = Bmp(4, 2, 16, 3);
    b565.masks = {0xF800, 0x07E0, 0x001F};
    Write(system, "16bit_565", encoders::Encode(b565));
    Write(system, "32bit", encoders::Encode(Bmp(3, 2, 32)));
    BmpFile v4 = Bmp(2, 2, 32, 3);
    v4.infoSize = 108;
    v4.masks = {0xFF000000, 0xFF0000, 0xFF00};
    Write(system, "32bit_v4_bitfields", encoders::Encode(v4));
    Write(system, "24bit", encoders::Encode(Bmp(2, 2, 24)));

    const std::filesystem::path tga = root / "fuzz_tga";
    // The target reads its first byte as the name choice (odd: "fuzz.tga").
    auto withName = [](bool tgaName, Bytes bytes) {
        bytes.insert(bytes.begin(), tgaName ? 1 : 0);
        return bytes;
    };
    encoders::TgaOptions plain;
    encoders::TgaOptions rle;
    rle.runLength = true;
    encoders::TgaOptions rleTop = rle;
    rleTop.topDown = true;
    rleTop.imageId = "id";
    rleTop.packetsCrossRows = true;
    encoders::TgaOptions unsigned_ = plain;
    unsigned_.footer = false;
    Write(tga, "24bit", withName(false, encoders::EncodeTga(Picture(4, 3, BGR), plain)));
    Write(tga, "32bit", withName(false, encoders::EncodeTga(Picture(3, 2, BGRA), plain)));
    Write(tga, "24bit_rle", withName(false, encoders::EncodeTga(Picture(9, 3, BGR), rle)));
    Write(tga, "32bit_rle_top_down", withName(false, encoders::EncodeTga(Picture(7, 2, BGRA), rleTop)));
    Write(tga, "unsigned", withName(true, encoders::EncodeTga(Picture(2, 2, BGR), unsigned_)));

    const std::filesystem::path jpeg = root / "fuzz_jpeg";
    Write(jpeg, "baseline", encoders::EncodeJpeg(Picture(17, 9, RGB), 75, false));
    Write(jpeg, "progressive", encoders::EncodeJpeg(Picture(16, 16, RGB), 75, true));
    Write(jpeg, "grey", encoders::EncodeJpeg(Picture(8, 11, LUMINANCE), 90, false));
    return 0;
}
