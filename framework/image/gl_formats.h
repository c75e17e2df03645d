// GL names of the image pixel formats and a guard that sets the GL pixel
// store to tightly packed bytes and puts the caller's values back.
#pragma once

#include <GL/gl.h>

#include "framework/image.h"

namespace ondra {
namespace image_internal {

// GL_RGB, GL_BGR_EXT, ... for formats 0 to 6; 0 outside them.
GLenum GLPixelFormat(ImageFormat format);
// The number of components (GL_ALPHA for ALPHA) used as internal format.
GLint GLInternalFormat(ImageFormat format);

class PixelStoreGuard {
public:
    enum Direction { kPack, kUnpack };
    explicit PixelStoreGuard(Direction direction);
    ~PixelStoreGuard();
    PixelStoreGuard(const PixelStoreGuard&) = delete;
    PixelStoreGuard& operator=(const PixelStoreGuard&) = delete;

private:
    static constexpr int kCount = 5;
    GLenum names_[kCount];
    GLint saved_[kCount];
    GLint wanted_[kCount];
};

// Empties the GL error flags (a context may hold several).
void ClearGLErrors();

// Tests force the BGRA answer to exercise the conversion paths; negative
// returns to asking the context.
void OverrideBGRASupport(int supported);

}  // namespace image_internal
}  // namespace ondra
