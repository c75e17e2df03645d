// ScopedGLContext and read-back helpers.
#include "tests/support/gl_context.h"

#include <GL/gl.h>

#include <cstdio>

#include "framework/platform/platform.h"

namespace ondra::test {

ScopedGLContext::ScopedGLContext(int width, int height) : width_(width), height_(height) {
    platform::WindowDesc desc;
    desc.width = width;
    desc.height = height;
    desc.title = "test";
    desc.format.depthBits = 24;
    ok_ = platform::CreateWindow(desc, window_) == platform::CreateResult::kOk && platform::MakeCurrent(window_);
    if (ok_) glViewport(0, 0, width, height);
}

ScopedGLContext::~ScopedGLContext() {
    platform::RestoreBinding(platform::Binding{});
    platform::DestroyWindow(window_);
}

Rgb ReadPixel(int x, int y) {
    std::uint8_t pixel[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    return Rgb{pixel[0], pixel[1], pixel[2]};
}

}  // namespace ondra::test
