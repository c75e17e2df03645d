// The general BMP decoder Load falls back on for the bitmaps the plain BMP
// reader refuses: 1-, 4- and 8-bit paletted, RLE4 and RLE8, 16- and 32-bit
// (plain and with bit-field masks) and any info header of 40 bytes or more,
// and uncompressed 1-, 4-, 8- and 24-bit files with the 12-byte OS/2 core
// header.
#pragma once

namespace ondra {

class Image;

namespace image_internal {

class ByteSource;

// Yields a bottom-up BGR image whose rows carry the padding of a 24-bit DIB.
// False, with the image empty, for anything it cannot read.
bool DecodeSystemBmp(ByteSource& source, Image& image);

}  // namespace image_internal
}  // namespace ondra
