// Reading the GL frame buffer and grabbing the window or the desktop into
// an Image.
#include <GL/gl.h>

#include "framework/image.h"
#include "framework/image/gl_formats.h"
#include "framework/platform/capture.h"

namespace ondra {

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
    if (platform::CaptureDesktop(*this)) return true;
    Clear();
    return false;
}

}  // namespace ondra
