// Test support: a hidden window whose GL context is current for the life of
// the object, for tests that only need GL state, and pixel read-back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ondra::platform {
struct Window;
}

namespace ondra::test {

class ScopedGLContext {
public:
    explicit ScopedGLContext(int width = 64, int height = 64);
    ~ScopedGLContext();
    ScopedGLContext(const ScopedGLContext&) = delete;
    ScopedGLContext& operator=(const ScopedGLContext&) = delete;

    bool ok() const { return ok_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    platform::Window* window_ = nullptr;
    bool ok_ = false;
    int width_;
    int height_;
};

struct Rgb {
    std::uint8_t r, g, b;
};

// The colour of a pixel of the buffer currently read (glReadBuffer), with
// y = 0 on the bottom row.
Rgb ReadPixel(int x, int y);

}  // namespace ondra::test
