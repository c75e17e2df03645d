// GL format tables, the pixel store guard and the BGRA capability check.
#include "framework/image/gl_formats.h"

#include <cstdio>
#include <cstring>

#include "framework/platform/capture.h"

namespace ondra {
namespace image_internal {

GLenum GLPixelFormat(ImageFormat format) {
    switch (format) {
    case RGB: return GL_RGB;
    case RGBA: return GL_RGBA;
    case BGR: return GL_BGR_EXT;
    case BGRA: return GL_BGRA_EXT;
    case LUMINANCE: return GL_LUMINANCE;
    case LUMINANCE_ALPHA: return GL_LUMINANCE_ALPHA;
    case ALPHA: return GL_ALPHA;
    }
    return 0;
}

GLint GLInternalFormat(ImageFormat format) {
    switch (format) {
    case RGB: return 3;
    case RGBA: return 4;
    case BGR: return 3;
    case BGRA: return 4;
    case LUMINANCE: return 1;
    case LUMINANCE_ALPHA: return 2;
    case ALPHA: return GL_ALPHA;
    }
    return 0;
}

PixelStoreGuard::PixelStoreGuard(Direction direction) {
    if (direction == kPack) {
        const GLenum names[kCount] = {GL_PACK_SWAP_BYTES, GL_PACK_ROW_LENGTH, GL_PACK_SKIP_PIXELS,
                                      GL_PACK_SKIP_ROWS, GL_PACK_ALIGNMENT};
        std::memcpy(names_, names, sizeof names_);
    } else {
        const GLenum names[kCount] = {GL_UNPACK_SWAP_BYTES, GL_UNPACK_ROW_LENGTH,
                                      GL_UNPACK_SKIP_PIXELS, GL_UNPACK_SKIP_ROWS,
                                      GL_UNPACK_ALIGNMENT};
        std::memcpy(names_, names, sizeof names_);
    }
    for (int i = 0; i < kCount; ++i) {
        wanted_[i] = i == kCount - 1 ? 1 : 0;
        saved_[i] = wanted_[i];
        glGetIntegerv(names_[i], &saved_[i]);
        if (saved_[i] != wanted_[i]) glPixelStorei(names_[i], wanted_[i]);
    }
}

PixelStoreGuard::~PixelStoreGuard() {
    for (int i = 0; i < kCount; ++i)
        if (saved_[i] != wanted_[i]) glPixelStorei(names_[i], saved_[i]);
}

void ClearGLErrors() {
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

namespace {
int bgraOverride = -1;
}

void OverrideBGRASupport(int supported) { bgraOverride = supported; }

}  // namespace image_internal

// Worked out once, with whatever context is current at the first call.
bool Image::IsBGRASupported() {
    if (image_internal::bgraOverride >= 0) return image_internal::bgraOverride != 0;
    static const bool supported = [] {
        if (!platform::IsGLContextCurrent()) return false;
        const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        if (extensions && std::strstr(extensions, "GL_EXT_bgra")) return true;
        const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        float number = 0.0f;
        return version && std::sscanf(version, "%f", &number) == 1 && number >= 1.2f;
    }();
    return supported;
}

}  // namespace ondra
