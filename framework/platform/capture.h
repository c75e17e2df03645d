// Screen capture and current-context queries for Image: the size of the
// window behind the current GL drawable and a copy of the whole desktop.
#pragma once

namespace ondra {

class Image;

namespace platform {

bool IsGLContextCurrent();

// The size of the window the current GL context draws to; false when no
// drawable is current or its size cannot be read.
bool GetCurrentDrawableSize(int& width, int& height);

// Copies the root window into `image` as a bottom-up BGR image whose rows
// carry the padding of a 24-bit DIB (each row a multiple of 4 bytes).
bool CaptureDesktop(Image& image);

}  // namespace platform
}  // namespace ondra
