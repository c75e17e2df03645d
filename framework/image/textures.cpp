// Texture creation from an Image: mipmapped and single-level 1D and 2D
// textures and glDrawPixels, all sharing one preparation step that hands GL
// tightly packed rows in a format it takes.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "framework/image.h"
#include "framework/image/gl_formats.h"

namespace ondra {

using image_internal::PixelStoreGuard;

namespace {

// The pixels an upload passes to GL: the image itself when GL can take it
// as it is, otherwise a packed (and, without BGRA support, reordered) copy.
class UploadSource {
public:
    explicit UploadSource(const Image& image) : image_(&image) {
        const bool bgra = Image::IsBGRASupported();
        if (image.GetRowPadding() == 0 && bgra) return;
        if (!copy_.Create(image.Width(), image.Height(), image.GetFormat(), 0)) {
            image_ = nullptr;
            return;
        }
        for (int row = 0; row < image.Height(); ++row)
            std::copy_n(image.GetRow(row), image.GetRowBytes(), copy_.GetRow(row));
        if (!bgra && ((copy_.GetFormat() == BGR && !copy_.SetFormat(RGB)) ||
                      (copy_.GetFormat() == BGRA && !copy_.SetFormat(RGBA)))) {
            image_ = nullptr;
            return;
        }
        image_ = &copy_;
    }

    bool ok() const { return image_ != nullptr; }
    const Image& image() const { return *image_; }
    GLint internalFormat() const { return image_internal::GLInternalFormat(image_->GetFormat()); }
    GLenum glFormat() const { return image_internal::GLPixelFormat(image_->GetFormat()); }

private:
    const Image* image_;
    Image copy_;
};

template <typename Call>
int WithUnpackState(const Image& image, int failure, Call call) {
    if (!image.GetData()) return failure;
    const UploadSource source(image);
    if (!source.ok()) return failure;
    PixelStoreGuard guard(PixelStoreGuard::kUnpack);
    if (source.glFormat() == 0) return failure;
    return call(source);
}

template <typename Call>
bool WithGLErrorCheck(const Image& image, Call call) {
    return WithUnpackState(image, 0, [&](const UploadSource& source) {
               image_internal::ClearGLErrors();
               call(source);
               return glGetError() == GL_NO_ERROR ? 1 : 0;
           }) != 0;
}

}  // namespace

int Image::BuildMipmaps2D() const {
    return WithUnpackState(*this, GLU_INVALID_VALUE, [](const UploadSource& s) {
        const Image& i = s.image();
        return gluBuild2DMipmaps(GL_TEXTURE_2D, s.internalFormat(), i.Width(), i.Height(),
                                 s.glFormat(), GL_UNSIGNED_BYTE, i.GetData());
    });
}

int Image::BuildMipmaps1D() const {
    return WithUnpackState(*this, GLU_INVALID_VALUE, [](const UploadSource& s) {
        const Image& i = s.image();
        return gluBuild1DMipmaps(GL_TEXTURE_1D, s.internalFormat(), i.Width(), s.glFormat(),
                                 GL_UNSIGNED_BYTE, i.GetData());
    });
}

bool Image::TexImage2D(int level) const {
    return WithGLErrorCheck(*this, [level](const UploadSource& s) {
        const Image& i = s.image();
        glTexImage2D(GL_TEXTURE_2D, level, s.internalFormat(), i.Width(), i.Height(), 0,
                     s.glFormat(), GL_UNSIGNED_BYTE, i.GetData());
    });
}

bool Image::TexImage1D(int level) const {
    return WithGLErrorCheck(*this, [level](const UploadSource& s) {
        const Image& i = s.image();
        glTexImage1D(GL_TEXTURE_1D, level, s.internalFormat(), i.Width(), 0, s.glFormat(),
                     GL_UNSIGNED_BYTE, i.GetData());
    });
}

bool Image::DrawPixels() const {
    return WithGLErrorCheck(*this, [](const UploadSource& s) {
        const Image& i = s.image();
        glDrawPixels(i.Width(), i.Height(), s.glFormat(), GL_UNSIGNED_BYTE, i.GetData());
    });
}

}  // namespace ondra
