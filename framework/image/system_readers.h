// The two readers Image::Load tries after the framework's own BMP and TGA
// readers: the system's bitmap loader and its picture loader. On Windows
// they are the system's own (LoadImageA and GetDIBits; OleLoadPicturePath
// and IPicture); elsewhere the general BMP decoder and libjpeg stand in.
#pragma once

namespace ondra {

class Image;

namespace image_internal {

class ByteSource;

// Every bitmap the system reads, as a bottom-up BGR image whose rows carry
// the padding of a 24-bit DIB. `source` is the open file, at its start.
bool LoadSystemBitmap(const char* fileName, ByteSource& source, Image& image);

// JPEG files and whatever else the system's picture service decodes, as a
// bottom-up BGR image with DIB row padding. Relative names are taken from
// the working directory; a path too long for the system is refused.
bool LoadSystemPicture(const char* fileName, Image& image);

}  // namespace image_internal
}  // namespace ondra
