// Platform windows: a creation that fails hands the caller nothing to
// destroy or draw with.
#include <gtest/gtest.h>

#include "framework/platform/inject.h"
#include "framework/platform/platform.h"

namespace ondra {
namespace {

TEST(PlatformWindow, AFailedContextHandsBackNoWindow) {
    ASSERT_TRUE(platform::OpenDisplay());
    platform::WindowDesc desc;
    platform::Window* window = nullptr;
    platform::FailNextContextCreation();
    EXPECT_EQ(platform::CreateResult::kNoContext, platform::CreateWindow(desc, window));
    EXPECT_EQ(nullptr, window);

    // The fault was for one creation only.
    ASSERT_EQ(platform::CreateResult::kOk, platform::CreateWindow(desc, window));
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(platform::MakeCurrent(window));
    platform::RestoreBinding(platform::Binding{});
    platform::DestroyWindow(window);
}

}  // namespace
}  // namespace ondra
