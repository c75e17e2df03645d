// Reading the GL frame buffer and grabbing the window or the desktop into
// an Image.
#include "framework/image/framebuffer.h"

#include <GL/gl.h>

#include <cstring>

#include "framework/image.h"
#include "framework/image/gl_formats.h"
#include "framework/image/readers.h"
#include "framework/platform/capture.h"

namespace ondra {

namespace image_internal {

bool ImageFromScreenRows(const std::uint8_t* rows, int width, int height, Image& image) {
    if (!rows || width < 1 || height < 1 || !image.Create(width, height, BGR, DibRowPadding(width))) {
        image.Clear();
        return false;
    }
    const std::size_t rowBytes = std::size_t(width) * 3;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = image.GetRow(height - 1 - y);
        std::memcpy(out, rows + std::size_t(y) * rowBytes, rowBytes);
        std::memset(out + rowBytes, 0, std::size_t(image.GetRowPadding()));
    }
    return true;
}

}  // namespace image_internal

using image_internal::PixelStoreGuard;

namespace {

// The format glReadPixels is asked for: BGR orders need the extension.
ImageFormat ReadFormatFor(ImageFormat wanted) {
    if (Image::IsBGRASupported()) return wanted;
    if (wanted == BGR) return RGB;
    if (wanted == BGRA) return RGBA;
    return wanted;
}

}  // namespace

bool Image::ReadPixels(int x, int y, int width, int height, ImageFormat format) {
    if (width == 0) height = 0;
    if (width < 1 || height < 1) return false;
    const ImageFormat readFormat = ReadFormatFor(format);
    const GLenum glFormat = image_internal::GLPixelFormat(readFormat);
    if (glFormat == 0 || !Create(width, height, readFormat, 0)) return false;
    GLenum error;
    {
        PixelStoreGuard guard(PixelStoreGuard::kPack);
        image_internal::ClearGLErrors();
        glReadPixels(x, y, width, height, glFormat, GL_UNSIGNED_BYTE, GetData());
        error = glGetError();
    }
    if (readFormat != format && !SetFormat(format)) return false;
    return error == GL_NO_ERROR;
}

bool Image::GrabViewport() {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return ReadPixels(viewport[0], viewport[1], viewport[2], viewport[3], RGB);
}

// Without a window size to go by, the viewport is the best guess of what
// the window shows.
bool Image::GrabWindow() {
    if (!platform::IsGLContextCurrent()) return false;
    int width = 0, height = 0;
    if (!platform::GetCurrentDrawableSize(width, height)) return GrabViewport();
    return ReadPixels(0, 0, width, height, RGB);
}

bool Image::GrabDesktop() {
    platform::ScreenPixels shot;
    if (!platform::CaptureScreen(shot)) {
        Clear();
        return false;
    }
    return image_internal::ImageFromScreenRows(shot.bgr.get(), shot.width, shot.height, *this);
}

}  // namespace ondra
