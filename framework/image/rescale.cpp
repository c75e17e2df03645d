// Resampling an Image through gluScaleImage, to a given size or to the
// nearest powers of two that a texture may have.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>

#include "framework/image.h"

// GLU 1.2 headers (mingw-w64's) lack the error code GLU 1.3 added.
#ifndef GLU_INVALID_OPERATION
#define GLU_INVALID_OPERATION 100904
#endif
#include "framework/image/gl_formats.h"
#include "framework/platform/capture.h"

namespace ondra {

using image_internal::PixelStoreGuard;

namespace {

GLenum ScaleFormat(ImageFormat format) {
    switch (format) {
    case RGBA:
    case BGRA: return GL_RGBA;
    case LUMINANCE:
    case ALPHA: return GL_LUMINANCE;
    case LUMINANCE_ALPHA: return GL_LUMINANCE_ALPHA;
    default: return GL_RGB;
    }
}

int NearestPowerOfTwo(int size, int maximum) {
    if (maximum != 0 && size >= maximum) return maximum;
    return 1 << int(std::floor(std::log2(double(size)) + 0.5));
}

}  // namespace

int Image::Rescale(int width, int height) {
    if (width < 1 || height < 1) return GLU_INVALID_VALUE;
    if (width == Width() && height == Height()) return 0;
    Image copy(*this);
    if (copy.GetDataSize() != GetDataSize() || !copy.RemoveRowPadding()) return GLU_INVALID_VALUE;
    if (GetFormat() > ALPHA || IsEmpty()) return GLU_INVALID_VALUE;
    const GLenum format = ScaleFormat(GetFormat());
    if (!Create(width, height, copy.GetFormat(), 0) || Width() != width || Height() != height ||
        !GetData() || !copy.GetData()) {
        Copy(copy);
        return GLU_INVALID_VALUE;
    }
    if (!platform::IsGLContextCurrent()) {
        // GLU reads the pixel store from the context; without one it would
        // work from undefined row lengths and alignments.
        std::printf("Image::Rescale() called out of GL context\n");
        Copy(copy);
        return GLU_INVALID_OPERATION;
    }
    int result;
    {
        // gluScaleImage reads with the unpack state and writes with the pack
        // state: both must describe packed rows, or it writes past the rows
        // of a width whose bytes are not a multiple of 4.
        PixelStoreGuard unpack(PixelStoreGuard::kUnpack);
        PixelStoreGuard pack(PixelStoreGuard::kPack);
        result = gluScaleImage(format, copy.Width(), copy.Height(), GL_UNSIGNED_BYTE, copy.GetData(),
                               width, height, GL_UNSIGNED_BYTE, GetData());
    }
    if (result != 0) Copy(copy);
    return result;
}

bool Image::ScaleImagePow2() {
    if (IsEmpty()) return false;
    GLint maximum = 0;
    if (platform::IsGLContextCurrent()) glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maximum);
    return Rescale(NearestPowerOfTwo(Width(), maximum), NearestPowerOfTwo(Height(), maximum)) == 0;
}

}  // namespace ondra
