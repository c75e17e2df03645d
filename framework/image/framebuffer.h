// The step of Image::GrabDesktop that needs no screen: building the image
// from the pixels the port copied.
#pragma once

#include <cstdint>

#include "framework/image.h"

namespace ondra::image_internal {

// `height` rows of `width` blue, green, red pixels, top row first and
// without padding, become a bottom-up BGR image whose rows carry the
// zeroed padding of a 24-bit DIB. False, with the image empty, when there
// are no pixels or no memory.
bool ImageFromScreenRows(const std::uint8_t* rows, int width, int height, Image& image);

}  // namespace ondra::image_internal
