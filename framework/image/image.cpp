// Image storage: construction, copying, allocation, accessors and row
// padding changes.
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

#include "framework/image.h"
#include "framework/fatal.h"
#include "framework/image/image_data.h"

namespace ondra {

namespace {

ImageData* NewImageData(Image* parent) {
    ImageData* extra = new (std::nothrow) ImageData;
    ONDRA_ASSERT(extra!=NULL, "image");
    ONDRA_ASSERT(parent!=NULL, "image");
    extra->parent = parent;
    return extra;
}

void ResetFields(ImageData& d) {
    d.format = RGB;
    d.data = nullptr;
    d.width = d.height = 0;
    d.dataSize = d.capacity = 0;
    d.rowBytes = d.stride = 0;
}

}  // namespace

Image::Image() : extra(NewImageData(this)) {}

Image::Image(int width, int height, ImageFormat format, int rowPadding)
    : extra(NewImageData(this)) {
    Create(width, height, format, rowPadding);
}

Image::Image(const Image& other) : extra(NewImageData(this)) { Copy(other); }

Image& Image::operator=(const Image& other) {
    if (this != &other) Copy(other);
    return *this;
}

Image::~Image() {
    Clear();
    delete extra;
}

bool Image::Copy(const Image& other) {
    if (this == &other) return true;
    if (!Create(other.Width(), other.Height(), other.GetFormat(), other.GetRowPadding()))
        return false;
    for (int row = 0; row < Height(); ++row)
        std::memcpy(GetRow(row), other.GetRow(row), extra->rowBytes);
    return true;
}

int Image::GetPixelSize(ImageFormat format) {
    switch (format) {
    case RGB:
    case BGR:
        return 3;
    case RGBA:
    case BGRA:
        return 4;
    case LUMINANCE:
    case ALPHA:
        return 1;
    case LUMINANCE_ALPHA:
        return 2;
    }
    return 0;
}

bool Image::Create(int width, int height, ImageFormat format, int rowPadding) {
    Clear();
    if (width < 1 || height < 1) return width == 0 || height == 0;
    const int pixelSize = GetPixelSize(format);
    if (pixelSize == 0 || rowPadding < 0) return false;
    const std::int64_t rowBytes = std::int64_t(width) * pixelSize;
    const std::int64_t stride = rowBytes + rowPadding;
    const std::int64_t size = stride * height;
    if (size > INT_MAX) return false;
    std::uint8_t* data = new (std::nothrow) std::uint8_t[size_t(size)];
    if (!data) return false;
    extra->format = format;
    extra->data = data;
    extra->width = width;
    extra->height = height;
    extra->rowBytes = int(rowBytes);
    extra->stride = int(stride);
    extra->dataSize = extra->capacity = int(size);
    return true;
}

void Image::Clear() {
    delete[] extra->data;
    ResetFields(*extra);
}

bool Image::IsValid() const {
    const ImageData& d = *extra;
    return d.width != 0 && d.height != 0 && d.data != nullptr &&
           std::int64_t(d.height) * (d.stride - d.rowBytes + std::int64_t(d.width) * GetPixelSize()) ==
               d.dataSize;
}

int Image::Width() const { return extra->width; }
int Image::Height() const { return extra->height; }
ImageFormat Image::GetFormat() const { return extra->format; }
int Image::GetPixelSize() const { return GetPixelSize(extra->format); }
int Image::GetRowBytes() const { return extra->rowBytes; }
int Image::GetStride() const { return extra->stride; }
int Image::GetRowPadding() const { return extra->stride - extra->rowBytes; }
int Image::GetDataSize() const { return extra->data ? extra->dataSize : 0; }
std::uint8_t* Image::GetData() { return extra->data; }
const std::uint8_t* Image::GetData() const { return extra->data; }

std::uint8_t* Image::GetRow(int row) {
    if (!extra->data || row < 0 || row >= extra->height) return nullptr;
    return extra->data + std::size_t(row) * extra->stride;
}

const std::uint8_t* Image::GetRow(int row) const {
    return const_cast<Image*>(this)->GetRow(row);
}

float Image::GetAspect() const {
    if (extra->height == 0) return 1.0f;
    return float(extra->width) / float(extra->height);
}

bool Image::SetRowPadding(int padding) {
    if (padding < 0) return false;
    if (padding == GetRowPadding()) return true;
    if (!extra->data) return false;
    ImageData& d = *extra;
    const std::int64_t newStride = std::int64_t(d.rowBytes) + padding;
    const std::int64_t newSize = newStride * d.height;
    if (padding < GetRowPadding()) {
        for (int row = 1; row < d.height; ++row)
            std::memmove(d.data + row * newStride, d.data + std::size_t(row) * d.stride, d.rowBytes);
    } else if (newSize <= d.capacity) {
        for (int row = d.height - 1; row >= 1; --row)
            std::memmove(d.data + row * newStride, d.data + std::size_t(row) * d.stride, d.rowBytes);
    } else {
        Image temp(*this);
        ONDRA_ASSERT(temp.GetData()!=NULL, "image");
        const bool created = Create(temp.Width(), temp.Height(), temp.GetFormat(), padding);
        if (!created) return false;
        ONDRA_ASSERT(GetData() != NULL, "image");
        ONDRA_ASSERT(Width() == temp.Width(), "image");
        ONDRA_ASSERT(Height() == temp.Height(), "image");
        ONDRA_ASSERT(GetFormat() == temp.GetFormat(), "image");
        for (int row = 0; row < d.height; ++row)
            std::memcpy(GetRow(row), temp.GetRow(row), d.rowBytes);
        return true;
    }
    d.stride = int(newStride);
    d.dataSize = int(newSize);
    return true;
}

bool Image::SetStride(int stride) { return SetRowPadding(stride - extra->rowBytes); }

bool Image::RemoveRowPadding() { return SetRowPadding(0); }

}  // namespace ondra
