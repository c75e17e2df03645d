// Palette ramps: turn a picture painted in one tone into an 8-bit paletted
// image whose 256 entries run through a few colour stops, indexed by the
// pixel's brightness.
#pragma once

#include "framework/image.h"
#include "framework/image/encoders/image_encoders.h"
#include "tools/assetgen/canvas.h"

#include <vector>

namespace assetgen {

using PaletteEntry = ondra::encoders::PaletteEntry;

// One palette index a pixel, in a LUMINANCE image, and the palette.
struct PalettedImage {
    ondra::Image indices;
    std::vector<PaletteEntry> palette;
};

// Stops are spread evenly from index 0 to 255.
std::vector<PaletteEntry> RampPalette(const std::vector<Color>& stops);
PalettedImage IndexByBrightness(const Canvas& canvas, const std::vector<PaletteEntry>& palette);

}  // namespace assetgen
