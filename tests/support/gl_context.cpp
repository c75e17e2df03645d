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

bool SavePpm(const std::string& path, int width, int height) {
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int y = height - 1; y >= 0; --y)
        std::fwrite(&rows[static_cast<std::size_t>(y) * width * 3], 1, static_cast<std::size_t>(width) * 3, file);
    return std::fclose(file) == 0;
}

}  // namespace ondra::test
