// The image-convert tool: conversion to BMP, --info, and failures with a
// one-line reason and exit status 1.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/framework/image/image_test_util.h"

namespace ondra {
namespace {

struct ToolRun {
    int status = -1;
    std::string output;  // standard output
    std::string errors;  // standard error
};

// Runs the tool; `before` is shell text put in front of it.
ToolRun RunTool(const test::ScratchFolder& folder, const std::string& arguments, const std::string& before = "") {
    const std::string errorFile = folder.File("stderr.txt");
    const std::string command = before + " " + IMAGE_CONVERT_PATH + " " + arguments + " 2>" + errorFile;
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 256> buffer;
    while (std::fgets(buffer.data(), int(buffer.size()), pipe)) run.output += buffer.data();
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const encoders::Bytes errors = encoders::ReadFile(errorFile);
    run.errors.assign(errors.begin(), errors.end());
    return run;
}

TEST(ImageConvert, ConvertsAndDescribes) {
    test::ScratchFolder folder;
    Image picture = test::Pattern(5, 3, BGRA);
    encoders::TgaOptions options;
    options.runLength = true;
    ASSERT_TRUE(encoders::WriteFile(folder.File("in.tga"), encoders::EncodeTga(picture, options)));

    const ToolRun convert = RunTool(folder, folder.File("in.tga") + " " + folder.File("out.bmp"));
    EXPECT_EQ(convert.status, 0) << convert.errors;
    EXPECT_EQ(convert.errors, "");
    Image loaded;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(loaded.Load(folder.File("out.bmp").c_str()));
    testing::internal::GetCapturedStdout();
    picture.SetFormat(BGR);
    EXPECT_TRUE(test::SamePixels(loaded, picture));

    const ToolRun info = RunTool(folder, "--info " + folder.File("in.tga"));
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.output.find(": 5 x 3, BGRA\n"), std::string::npos) << info.output;

    const ToolRun help = RunTool(folder, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output, "usage: image-convert IN OUT.bmp | image-convert --info IN\n");
    EXPECT_EQ(help.errors, "");
}

// A read failure's line says what each reader refused.
// Status 1, or 3 for an output that cannot be written, as in the game.
TEST(ImageConvert, FailuresGiveOneLineAndTheirStatus) {
    test::ScratchFolder folder;
    ASSERT_TRUE(encoders::WriteFile(folder.File("junk.bin"), encoders::Bytes(64, 'j')));
    ASSERT_TRUE(encoders::WriteFile(folder.File("ok.tga"), encoders::EncodeTga(test::Pattern(2, 2, BGR), {})));
    encoders::Bytes wide = encoders::EncodeTga(test::Pattern(2, 2, BGR), {});
    wide[12] = 0;  // a width of 0
    wide[13] = 0;
    ASSERT_TRUE(encoders::WriteFile(folder.File("empty.tga"), wide));
    ASSERT_EQ(mkfifo(folder.File("pipe.tga").c_str(), 0600), 0);
    struct Case {
        std::string arguments;
        std::vector<std::string> reasons;
        std::string before = "";  // shell text in front of the tool
        int status = 1;
    };
    const Case cases[] = {
        {"", {"usage"}},
        {folder.File("missing.bmp") + " " + folder.File("out.bmp"), {"(open: No such file or directory)"}},
        {folder.File("pipe.tga") + " " + folder.File("out.bmp"), {"(open: not a regular file)"}},
        {folder.File("junk.bin") + " " + folder.File("out.bmp"),
         {"bmp: no BM signature; system bmp: no BM signature; tga: neither a TGA footer nor a .tga name; "
          "jpeg: Not a JPEG file"}},
        {"--info " + folder.File("empty.tga"), {"tga: no pixels, or too many;"}},
        {folder.File("ok.tga") + " " + folder.File("no/such/folder/out.bmp"),
         {"image-convert: cannot write " + folder.File("no/such/folder/out.bmp") + ": No such file or directory"},
         "",
         3},
        {folder.File("ok.tga") + " /dev/full", {"image-convert: cannot write /dev/full: No space left on device"}, "", 3},
        // Its own input, by name or through a link: refused, the input kept.
        {folder.File("ok.tga") + " " + folder.File("ok.tga"),
         {"image-convert: " + folder.File("ok.tga") + " would replace the picture it is made from"}},
        {folder.File("ok.tga") + " " + folder.File("link.tga"), {"link.tga would replace the picture it is made from"}},
        // A reader's own message names it once.
        {folder.File("short.bmp") + " " + folder.File("out.bmp"), {"(bmp: bad info header; system bmp:"}},
        // A report standard output did not take, and help.
        {"--info " + folder.File("ok.tga") + " >/dev/full",
         {"image-convert: standard output could not be written: No space left on device"}},
        {"--help >/dev/full", {"image-convert: standard output could not be written: No space left on device"}},
        // A rename needs only the folder's permission: a picture the user
        // may not write is refused, as a write in place would be (as
        // nobody when the tests run as root, whom no permission binds).
        {folder.File("ok.tga") + " " + folder.File("old.bmp"),
         {"image-convert: cannot write " + folder.File("old.bmp") + ": Permission denied"},
         "chmod 777 " + folder.Path() + "; chmod 444 " + folder.File("old.bmp") + ";" +
             (geteuid() == 0 ? " setpriv --reuid=65534 --regid=65534 --clear-groups" : ""),
         3},
    };
    ASSERT_TRUE(encoders::WriteFile(folder.File("old.bmp"), encoders::Bytes(16, 'o')));
    ASSERT_EQ(symlink(folder.File("ok.tga").c_str(), folder.File("link.tga").c_str()), 0);
    ASSERT_TRUE(encoders::WriteFile(folder.File("short.bmp"), encoders::Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2}));
    const encoders::Bytes original = encoders::ReadFile(folder.File("ok.tga"));
    for (const Case& c : cases) {
        const ToolRun run = RunTool(folder, c.arguments, c.before);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << c.arguments << ": " << run.errors;
        for (const std::string& reason : c.reasons) EXPECT_NE(run.errors.find(reason), std::string::npos) << run.errors;
    }
    EXPECT_EQ(encoders::ReadFile(folder.File("ok.tga")), original);
    EXPECT_EQ(encoders::ReadFile(folder.File("old.bmp")), encoders::Bytes(16, 'o'));
}

}  // namespace
}  // namespace ondra
