// Byte layouts of the seven pixel formats: packing a colour into a pixel,
// reading it back, and the luminance rule shared by every grey conversion.
#pragma once

#include <cstdint>

#include "framework/image.h"

namespace ondra {
namespace image_internal {

struct Colour {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 255;
};

std::uint8_t Luminance(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// Writes `colour` as stored by Fill and SetPixel; returns the bytes written
// (0 for a format outside the seven).
int PackColour(ImageFormat format, const Colour& colour, std::uint8_t* pixel);

// Reads a pixel back the way GetPixel reports it.
Colour UnpackColour(ImageFormat format, const std::uint8_t* pixel);

bool IsValidFormat(ImageFormat format);

}  // namespace image_internal
}  // namespace ondra
