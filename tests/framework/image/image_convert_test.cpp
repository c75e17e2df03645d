// The image-convert tool: conversion to BMP, --info, and failures with a
// one-line reason and exit status 1.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "tests/framework/image/image_test_util.h"

namespace ondra {
namespace {

struct ToolRun {
    int status = -1;
    std::string output;  // standard output
    std::string errors;  // standard error
};

ToolRun RunTool(const test::ScratchFolder& folder, const std::string& arguments) {
    const std::string errorFile = folder.File("stderr.txt");
    const std::string command = std::string(IMAGE_CONVERT_PATH) + " " + arguments + " 2>" + errorFile;
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
}

TEST(ImageConvert, FailuresGiveOneLineAndStatusOne) {
    test::ScratchFolder folder;
    ASSERT_TRUE(encoders::WriteFile(folder.File("junk.bin"), encoders::Bytes(64, 'j')));
    ASSERT_TRUE(encoders::WriteFile(folder.File("ok.tga"), encoders::EncodeTga(test::Pattern(2, 2, BGR), {})));
    const std::string cases[] = {
        "",
        folder.File("missing.bmp") + " " + folder.File("out.bmp"),
        folder.File("junk.bin") + " " + folder.File("out.bmp"),
        "--info " + folder.File("junk.bin"),
        folder.File("ok.tga") + " " + folder.File("no/such/folder/out.bmp"),
    };
    for (const std::string& arguments : cases) {
        const ToolRun run = RunTool(folder, arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << arguments << ": " << run.errors;
    }
}

}  // namespace
}  // namespace ondra
