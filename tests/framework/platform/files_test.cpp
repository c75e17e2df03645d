// The file services both systems give the programs: one file or two, a
// regular file opened without blocking, every byte written, and standard
// output caught. They run on both ports, the Win32 half under Wine.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/platform/caught_output.h"
#include "framework/platform/regular_file.h"
#include "framework/platform/replace_file.h"
#include "framework/platform/same_file.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/special_files.h"

namespace ondra::platform {
namespace {

namespace fs = std::filesystem;

class PlatformFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(scratch.File("a.txt")) << "the same words";
        std::ofstream(scratch.File("b.txt")) << "the same words";
        fs::create_directory(scratch.File("sub"));
        fs::create_hard_link(scratch.File("a.txt"), scratch.File("hard.txt"));
    }
    test::ScratchFolder scratch;
};

TEST_F(PlatformFiles, SameFileKnowsAFileByItsIdentityNotItsNameOrBytes) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"a.txt", "a.txt", true},          {"a.txt", "sub/../a.txt", true}, {"a.txt", "hard.txt", true},
        {"sub", "sub/.", true},            {"a.txt", "b.txt", false},       {"a.txt", "sub", false},
        {"a.txt", "missing.txt", false},   {"missing.txt", "missing.txt", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameFile(scratch.File(c.a).c_str(), scratch.File(c.b).c_str()), c.same) << c.a << " " << c.b;
        EXPECT_EQ(SameFile(scratch.File(c.b).c_str(), scratch.File(c.a).c_str()), c.same) << c.b << " " << c.a;
    }
}

TEST_F(PlatformFiles, OnlyRegularFilesOpenAndTheRestSayWhatTheyAre) {
    struct Case {
        std::string name;
        FileKind kind;
        int error;  // errno after a refusal
    };
    std::vector<Case> cases = {{scratch.File("a.txt"), FileKind::kRegular, 0},
                               {scratch.File("sub"), FileKind::kDirectory, EISDIR},
                               {scratch.File("sub/"), FileKind::kDirectory, EISDIR},
                               {scratch.File("missing.txt"), FileKind::kMissing, ENOENT},
                               {test::NullDevice(), FileKind::kCharacterDevice, EINVAL}};
    if (test::SystemHasFifos()) {
        ASSERT_TRUE(test::MakeFifo(scratch.File("fifo")));
        cases.push_back({scratch.File("fifo"), FileKind::kFifo, EINVAL});
    }
    for (const Case& c : cases) {
        FileKind found = FileKind::kOther;
        errno = 0;
        std::FILE* file = OpenRegularFile(c.name.c_str(), &found);
        EXPECT_EQ(found, c.kind) << c.name;
        if (c.kind != FileKind::kRegular) {
            EXPECT_EQ(file, nullptr) << c.name;
            EXPECT_EQ(errno, c.error) << c.name;
            continue;
        }
        ASSERT_NE(file, nullptr) << c.name;
        char text[32] = {};
        EXPECT_EQ(std::fread(text, 1, sizeof text, file), 14u);
        EXPECT_STREQ(text, "the same words");
        std::fclose(file);
    }
    EXPECT_STREQ(DescribeFileKind(FileKind::kDirectory), "a directory");
    EXPECT_STREQ(DescribeFileKind(FileKind::kCharacterDevice), "a character device");
}

TEST_F(PlatformFiles, WriteAllWritesEveryByteInBinary) {
    // Line ends and a zero byte among many writes' worth of bytes come back
    // as they were: no text mode, nothing cut short.
    std::string bytes(3 << 20, 'x');
    for (size_t i = 0; i < bytes.size(); i += 997) bytes[i] = i % 2 ? '\n' : '\0';
    const std::string name = scratch.File("out.bin");
    ASSERT_TRUE(WriteReplacing(name.c_str(), [&](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); }));
    std::ifstream in(name, std::ios::binary);
    const std::string back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(back == bytes) << back.size() << " bytes read back";
    EXPECT_FALSE(WriteAll(-1, "x", 1));
}

TEST(CaughtOutput, BothStreamsAreCaughtByteForByteAndThenFlowAgain) {
    std::string out, err;
    {
        CaughtOutput caught;
        std::printf("line one\nline %d\n", 2);
        std::fprintf(stderr, "a warning\n");
        caught.Release(out, err);
    }
    EXPECT_EQ(out, "line one\nline 2\n");
    EXPECT_EQ(err, "a warning\n");
    // Caught again, after a release: nothing of the first catch is left.
    {
        CaughtOutput caught;
        std::printf("third");
        caught.Release(out, err);
    }
    EXPECT_EQ(out, "third");
    EXPECT_EQ(err, "");
}

}  // namespace
}  // namespace ondra::platform
