// Image: the framework's in-memory raster. Width x height pixels of 8-bit
// channels in one of seven pixel formats, rows stored bottom-up (row 0 is the
// bottom row, as OpenGL expects) with optional padding bytes after each row.
// Also the entry points of the file readers and writer and the GL uploads.
//
// The class is defined in two libraries: what needs no GL (storage, pixels,
// conversion, files) in ondra_files, which tools that only check files link
// alone; what needs a GL context or GLU (rescaling, the frame buffer, the
// uploads) in ondra. The declarations below come in those two groups.
#pragma once

#include <cstdint>
#include <string>

namespace ondra {

enum ImageFormat {
    RGB = 0,
    RGBA = 1,
    BGR = 2,
    BGRA = 3,
    LUMINANCE = 4,
    LUMINANCE_ALPHA = 5,
    ALPHA = 6,
};

struct ImageData;

class Image {
public:
    Image();
    Image(int width, int height, ImageFormat format, int rowPadding = 0);
    Image(const Image& other);
    Image& operator=(const Image& other);
    virtual ~Image();

    // ---- Without GL: library ondra_files. ----

    // Storage.
    bool Copy(const Image& other);
    // Width and height of 0 give an empty image and true; negative ones give
    // an empty image and false. The contents are not initialised.
    bool Create(int width, int height, ImageFormat format, int rowPadding = 0);
    void Clear();
    bool IsValid() const;
    bool IsEmpty() const { return !IsValid(); }

    int Width() const;
    int Height() const;
    ImageFormat GetFormat() const;
    int GetPixelSize() const;
    static int GetPixelSize(ImageFormat format);  // 0 outside the seven formats
    int GetRowBytes() const;
    int GetStride() const;
    int GetRowPadding() const;
    int GetDataSize() const;
    std::uint8_t* GetData();
    const std::uint8_t* GetData() const;
    std::uint8_t* GetRow(int row);  // null outside 0 .. height - 1
    const std::uint8_t* GetRow(int row) const;
    float GetAspect() const;  // width / height, 1 when there is no height

    bool SetRowPadding(int padding);
    bool SetStride(int stride);
    bool RemoveRowPadding();

    // Pixels. Byte variants take 0..255; float variants take 0..1. Writes
    // outside the image are ignored; reads outside give opaque black.
    bool Fill(int red, int green, int blue, int alpha = 255);
    bool Fill(float red, float green, float blue, float alpha = 1.0f);
    void SetPixel(int x, int y, int red, int green, int blue, int alpha = 255);
    void SetPixel(int x, int y, float red, float green, float blue, float alpha = 1.0f);
    void SetPixel(int x, int y, int grey, int alpha);
    void GetPixel(int x, int y, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue,
                  std::uint8_t& alpha) const;
    void GetPixel(int x, int y, float& red, float& green, float& blue, float& alpha) const;
    void GetPixel(int x, int y, std::uint8_t& grey) const;
    void GetPixel(int x, int y, std::uint8_t& grey, std::uint8_t& alpha) const;
    // Alpha for ALPHA images, grey otherwise, as 0..1.
    float GetPixel(int x, int y) const;

    // Conversion.
    bool SetFormat(ImageFormat format);
    bool CopyAlpha(const Image& source);
    void FlipHorizontal();
    void FlipVertical();

    // Files: BMP (paletted, RLE, 16/24/32-bit), TGA and JPEG in; 24-bit BMP out.
    bool Load(const char* fileName);
    // The same; on failure `whyNot` says what each reader tried refused,
    // as "READER: reason; ...", for tools that tell the user.
    bool Load(const char* fileName, std::string& whyNot);
    bool Save(const char* fileName) const;

    // ---- With a GL context (and GLU): library ondra. ----

    // Processing.
    int Rescale(int width, int height);  // GLU error code, 0 on success
    bool ScaleImagePow2();

    // Frame buffer and screen.
    bool ReadPixels(int x, int y, int width, int height, ImageFormat format);
    bool GrabViewport();
    bool GrabWindow();
    bool GrabDesktop();
    static bool IsBGRASupported();

    // Uploads to the bound texture or the frame buffer; the image is unchanged
    // and the GL unpack state is restored.
    int BuildMipmaps2D() const;  // GLU error code, 0 on success
    int BuildMipmaps1D() const;  // first row only
    bool TexImage2D(int level) const;
    bool TexImage1D(int level) const;  // first row only
    bool DrawPixels() const;

private:
    ImageData* extra;
};

}  // namespace ondra
