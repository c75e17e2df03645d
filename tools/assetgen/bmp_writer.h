// BMP files: uncompressed 24-bit true colour and 8-bit paletted, both stored
// bottom-up with rows padded to four bytes.
#pragma once

#include "file_bytes.h"
#include "pixel_image.h"

#include <string>

namespace assetgen {

// The image must be RGB (3 channels); false for anything else.
bool EncodeBmp24(const PixelImage& image, Bytes& out);
// Palette of 1 to 256 entries; every index must name an entry.
bool EncodeBmp8(const PalettedImage& image, Bytes& out);

bool WriteBmp24(const std::string& path, const PixelImage& image);
bool WriteBmp8(const std::string& path, const PalettedImage& image);

}  // namespace assetgen
