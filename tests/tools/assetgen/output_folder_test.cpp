// The generator's file output: a file that cannot be written, or a picture
// the encoder refuses, is reported and leaves nothing behind, so a run that
// lost a file cannot pass for a complete one.
#include "tools/assetgen/output_folder.h"

#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace assetgen {
namespace {

TEST(OutputFolder, UnwritablePathsAndRefusedPicturesFailAndLeaveNothing)
{
    const ondra::test::ScratchFolder scratch;
    const Canvas canvas(2, 2, {0.5f, 0.25f, 1.0f, 1.0f}, false);
    testing::internal::CaptureStderr();
    OutputFolder missing(scratch.File("missing_folder"));
    missing.SaveBmp24("x.bmp", canvas);
    EXPECT_FALSE(missing.AllWritten());
    EXPECT_FALSE(std::filesystem::exists(missing.PathOf("x.bmp")));

    OutputFolder folder(scratch.Path());
    folder.SaveBmp24("fine.bmp", canvas);
    EXPECT_TRUE(folder.AllWritten());
    PalettedImage outside = IndexByBrightness(Canvas(2, 2, {1, 1, 1, 1}, false), RampPalette({{0, 0, 0, 1}}));
    outside.palette.resize(1);  // white indexes entry 255, which is gone now
    folder.SaveBmp8("refused.bmp", outside);
    EXPECT_FALSE(folder.AllWritten());
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("refused.bmp")));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("could not write x.bmp"), std::string::npos) << messages;
    EXPECT_NE(messages.find("could not write refused.bmp"), std::string::npos) << messages;
}

}  // namespace
}  // namespace assetgen
