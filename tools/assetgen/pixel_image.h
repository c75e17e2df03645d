// PixelImage: 8-bit pixels ready for an image file writer, top row first,
// 3 (RGB) or 4 (RGBA) bytes per pixel. PalettedImage: one palette index per
// pixel, top row first, with up to 256 RGB palette entries.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

struct PixelImage {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<uint8_t> pixels;
};

struct PaletteEntry {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

struct PalettedImage {
    int width = 0;
    int height = 0;
    std::vector<PaletteEntry> palette;
    std::vector<uint8_t> indices;
};

}  // namespace assetgen
