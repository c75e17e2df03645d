// The blank-glyph rule of the Win32 port's fonts; see blank_glyph.h.
#include "framework/platform/blank_glyph.h"

namespace ondra::platform {

BlankGlyph BlankGlyphFor(std::uint32_t bitmapBytes, int cellAdvance) {
    BlankGlyph glyph;
    if (bitmapBytes != 0) return glyph;  // pixels to draw, or no answer at all
    glyph.recordAgain = true;
    glyph.advance = static_cast<float>(cellAdvance);
    return glyph;
}

}  // namespace ondra::platform
