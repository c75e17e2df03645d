// Helpers for the image reader tests: loading bytes through a real file
// in a scratch folder, a deadline for calls that might block, and pixel
// comparisons.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "framework/image.h"
#include "framework/image/encoders/image_encoders.h"
#include "tests/support/scratch_folder.h"

namespace ondra {
namespace test {

// Writes the bytes under `name` and loads them, collecting standard output.
struct LoadResult {
    bool ok = false;
    std::string output;
};

inline LoadResult LoadBytes(const ScratchFolder& folder, const std::string& name,
                            const encoders::Bytes& bytes, Image& image) {
    const std::string path = folder.File(name);
    EXPECT_TRUE(encoders::WriteFile(path, bytes));
    testing::internal::CaptureStdout();
    LoadResult result;
    result.ok = image.Load(path.c_str());
    result.output = testing::internal::GetCapturedStdout();
    return result;
}

// Runs `call` on another thread and gives its result, or fails if it has
// not returned within a few seconds: a call that blocks then fails its test
// instead of hanging the suite. A blocked call is abandoned, not joined, so
// `call` must own everything it uses.
template <typename Call>
::testing::AssertionResult ReturnsQuickly(Call call, bool& result) {
    std::future<bool> done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        // Reachable, so not reported as a leak; destroying it would wait.
        static auto* abandoned = new std::vector<std::future<bool>>;
        abandoned->push_back(std::move(done));
        return ::testing::AssertionFailure() << "still blocked after 5 seconds";
    }
    result = done.get();
    return ::testing::AssertionSuccess();
}

// Row by row, ignoring padding.
inline ::testing::AssertionResult SamePixels(const Image& a, const Image& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.GetFormat() != b.GetFormat())
        return ::testing::AssertionFailure()
               << a.Width() << "x" << a.Height() << " format " << a.GetFormat() << " vs " << b.Width()
               << "x" << b.Height() << " format " << b.GetFormat();
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.GetRowBytes(); ++x)
            if (a.GetRow(y)[x] != b.GetRow(y)[x])
                return ::testing::AssertionFailure() << "row " << y << " byte " << x << ": "
                                                     << int(a.GetRow(y)[x]) << " vs " << int(b.GetRow(y)[x]);
    return ::testing::AssertionSuccess();
}

// A picture with a different colour in every pixel.
inline Image Pattern(int width, int height, ImageFormat format) {
    Image image(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixel(x, y, 40 * x + 3, 60 * y + 7, (x * 13 + y * 29) & 0xFF, 255 - 9 * x);
    return image;
}

}  // namespace test
}  // namespace ondra
