// Truevision TGA files: true colour, 24-bit or 32-bit with alpha, either
// uncompressed (type 2) or run-length encoded (type 10), rows stored
// bottom-up, with the TGA 2.0 footer so readers recognise the file by its
// signature as well as by its name.
#pragma once

#include "file_bytes.h"
#include "pixel_image.h"

#include <string>

namespace assetgen {

enum class TgaCompression { kNone, kRunLength };

// 3-channel images become 24-bit files, 4-channel images 32-bit files.
bool EncodeTga(const PixelImage& image, TgaCompression compression, Bytes& out);
bool WriteTga(const std::string& path, const PixelImage& image, TgaCompression compression);

}  // namespace assetgen
