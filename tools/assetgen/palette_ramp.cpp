// Ramp palettes and brightness indexing.
#include "tools/assetgen/palette_ramp.h"

#include <algorithm>

namespace assetgen {

std::vector<PaletteEntry> RampPalette(const std::vector<Color>& stops)
{
    std::vector<PaletteEntry> palette(256);
    if (stops.empty()) {
        return palette;
    }
    for (int i = 0; i < 256; ++i) {
        const float position = stops.size() == 1 ? 0.0f : i / 255.0f * (stops.size() - 1);
        const size_t low = std::min(static_cast<size_t>(position), stops.size() - 1);
        const size_t high = std::min(low + 1, stops.size() - 1);
        const Color c = Mix(stops[low], stops[high], position - low);
        auto byte = [](float v) { return static_cast<uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
        palette[i] = {byte(c.b), byte(c.g), byte(c.r), 0};
    }
    return palette;
}

PalettedImage IndexByBrightness(const Canvas& canvas, const std::vector<PaletteEntry>& palette)
{
    PalettedImage image{ondra::Image(canvas.Width(), canvas.Height(), ondra::LUMINANCE), palette};
    if (image.indices.IsEmpty()) {
        return image;
    }
    const int last = static_cast<int>(palette.size()) - 1;
    for (int y = 0; y < canvas.Height(); ++y) {
        // The canvas's top row is the image's last.
        uint8_t* row = image.indices.GetRow(canvas.Height() - 1 - y);
        for (int x = 0; x < canvas.Width(); ++x) {
            const Color c = canvas.At(x, y);
            const float brightness = std::clamp(0.3f * c.r + 0.6f * c.g + 0.1f * c.b, 0.0f, 1.0f);
            row[x] = static_cast<uint8_t>(std::clamp(static_cast<int>(brightness * last + 0.5f), 0, last));
        }
    }
    return image;
}

}  // namespace assetgen
