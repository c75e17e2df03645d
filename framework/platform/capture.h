// What Image needs from the window system: whether a GL context is current,
// the size of the window it draws to, and a copy of the whole screen as
// plain pixels. Building images from them is Image's business.
#pragma once

#include <cstdint>
#include <memory>

namespace ondra::platform {

bool IsGLContextCurrent();

// The size of the window the current GL context draws to; false when no
// drawable is current or its size cannot be read.
bool GetCurrentDrawableSize(int& width, int& height);

// The screen's pixels, top row first, each row `width` pixels of blue,
// green and red with nothing between rows.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::unique_ptr<std::uint8_t[]> bgr;
};

// False, with `shot` empty, when there is no display or the screen's
// pixels are not true colour.
bool CaptureScreen(ScreenPixels& shot);

}  // namespace ondra::platform
