// The TGA reader: uncompressed (type 2) and run-length encoded (type 10)
// true-colour files of 24 and 32 bits, giving BGR or BGRA images.
#include <cstdio>
#include <cstring>

#include "framework/image/readers.h"
#include "framework/image/refusal.h"

namespace ondra {
namespace image_internal {

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr std::size_t kFooterSize = 26;
constexpr char kSignature[] = "TRUEVISION-XFILE";

struct TgaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t colourMapType = 0;
    std::uint8_t imageType = 0;
    int width = 0;
    int height = 0;
    int pixelDepth = 0;
    std::uint8_t descriptor = 0;
};

// A file too short for a footer (a 1 x 1 picture is 21 or 22 bytes) can
// only be taken by its name; the header decides the rest.
bool HasSignature(ByteSource& source, const char* fileName) {
    if (source.Size() < kFooterSize) {
        if (HasTgaExtension(fileName)) return true;
        return Refuse(source.Size() < kHeaderSize ? "too short for a TGA file" : "neither a TGA footer nor a .tga name");
    }
    if (!source.Seek(source.Size() - kFooterSize)) return Refuse("too short for a TGA file");
    std::uint8_t footer[kFooterSize];
    if (!source.ReadExactly(footer, sizeof footer)) return false;
    if (std::memcmp(footer + 8, kSignature, 16) == 0 || HasTgaExtension(fileName)) return true;
    return Refuse("neither a TGA footer nor a .tga name");
}

bool ReadHeader(ByteSource& source, TgaHeader& h) {
    std::uint8_t bytes[kHeaderSize];
    if (!source.Seek(0) || !source.ReadExactly(bytes, sizeof bytes)) return Refuse("no room for the header");
    h.idLength = bytes[0];
    h.colourMapType = bytes[1];
    h.imageType = bytes[2];
    h.width = LittleEndian16(bytes + 12);
    h.height = LittleEndian16(bytes + 14);
    h.pixelDepth = bytes[16];
    h.descriptor = bytes[17];
    if (h.imageType != 2 && h.imageType != 10) return Refuse("not a true-colour picture");
    if (h.colourMapType != 0) return Refuse("has a colour map");
    if (h.pixelDepth != 24 && h.pixelDepth != 32) return Refuse("neither 24 nor 32 bits a pixel");
    if (!IsAcceptableSize(h.width, h.height)) return Refuse("no pixels, or too many");
    return true;
}

bool ReadUncompressed(ByteSource& source, Image& image) {
    const std::uint64_t bytes = std::uint64_t(image.GetRowBytes()) * image.Height();
    if (source.Remaining() < bytes) return Refuse("the pixel data is cut short");
    for (int row = 0; row < image.Height(); ++row)
        if (!source.ReadExactly(image.GetRow(row), std::size_t(image.GetRowBytes()))) return false;
    return true;
}

// Repeats the pixel at `out` until `end`; fixed sizes let the copies inline.
template <int kPixelSize>
void Repeat(std::uint8_t* out, std::uint8_t* end) {
    for (std::uint8_t* p = out + kPixelSize; p < end; p += kPixelSize) std::memcpy(p, out, kPixelSize);
}

// Packets may run across row ends: the pixels form one contiguous run.
bool DecodeRunLength(ByteSource& source, Image& image) {
    const int pixelSize = image.GetPixelSize();
    std::uint8_t* out = image.GetData();
    std::uint8_t* const end = out + std::size_t(image.GetRowBytes()) * image.Height();
    BufferedReader reader(source);
    std::uint8_t header;
    while (out < end && reader.ReadByte(header)) {
        const std::size_t bytes = std::size_t((header & 0x7F) + 1) * pixelSize;
        if (bytes > std::size_t(end - out)) return Refuse("a run goes past the picture's end");
        if (header & 0x80) {
            if (!reader.ReadExactly(out, pixelSize)) return Refuse("the run-length data is cut short");
            if (pixelSize == 3) Repeat<3>(out, out + bytes);
            else Repeat<4>(out, out + bytes);
        } else if (!reader.ReadExactly(out, bytes)) {
            return Refuse("the run-length data is cut short");
        }
        out += bytes;
    }
    return out == end || Refuse("the run-length data is cut short");
}

// A packet of 1 + pixel-size bytes yields at most 128 pixels; a file too
// short for its picture is refused before the picture is allocated.
bool CanHoldRunLength(const ByteSource& source, const TgaHeader& h) {
    const std::uint64_t packetBytes = 1 + h.pixelDepth / 8;
    const std::uint64_t pixels = std::uint64_t(h.width) * h.height;
    return source.Remaining() / packetBytes * 128 + 128 >= pixels;
}

bool Decode(ByteSource& source, const TgaHeader& h, Image& image) {
    if (!source.Seek(kHeaderSize + h.idLength)) return false;
    const bool runLength = (h.imageType & 8) != 0;
    if (runLength && !CanHoldRunLength(source, h)) return Refuse("too short for its picture");
    if (!image.Create(h.width, h.height, h.pixelDepth == 24 ? BGR : BGRA, 0)) return Refuse("out of memory");
    if (runLength && h.pixelDepth == 32)
        std::printf("warning: 32-bit RLE compressed TGA not supported\n");
    return runLength ? DecodeRunLength(source, image) : ReadUncompressed(source, image);
}

}  // namespace

bool HasTgaExtension(const char* fileName) {
    if (!fileName) return false;
    const std::size_t length = std::strlen(fileName);
    if (length < 5) return false;
    const char* last = fileName + length - 4;
    return std::strstr(fileName, ".tga") == last || std::strstr(fileName, ".TGA") == last;
}

bool ReadTga(ByteSource& source, const char* fileName, Image& image) {
    image.Clear();
    if (!fileName || !HasSignature(source, fileName)) return false;
    TgaHeader header;
    if (!ReadHeader(source, header) || !Decode(source, header, image)) {
        image.Clear();
        return false;
    }
    // Rows go bottom-up and pixels left to right whatever order the file
    // stored them in.
    if (header.descriptor & 0x20) image.FlipVertical();
    if (header.descriptor & 0x10) image.FlipHorizontal();
    return true;
}

}  // namespace image_internal
}  // namespace ondra
