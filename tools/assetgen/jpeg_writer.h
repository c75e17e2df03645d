// JPEG files through libjpeg-turbo's compressor: baseline, 4:2:0, with the
// fixed settings below so the same picture always gives the same bytes.
#pragma once

#include "file_bytes.h"
#include "pixel_image.h"

#include <string>

namespace assetgen {

// The image must be RGB; quality 1 to 100.
bool EncodeJpeg(const PixelImage& image, int quality, Bytes& out);
bool WriteJpeg(const std::string& path, const PixelImage& image, int quality);

}  // namespace assetgen
