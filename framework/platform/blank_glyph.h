// Which glyphs of a GDI font the Win32 port records again after
// wglUseFontBitmaps, decided from the system's answer alone, so the rule
// can be checked against the answers Windows and Wine each give.
//
// Some implementations of wglUseFontBitmaps (Wine's) record a glyph without
// pixels, the space above all, as an empty list that does not move the
// raster position, and text would close up around it. The port asks
// GetGlyphOutline(GGO_BITMAP) how large each glyph's bitmap is: 0 bytes
// means the glyph has no pixels, and it is recorded again as an empty
// bitmap that advances by the glyph's cell. Windows answers that question
// for TrueType fonts only: for a raster font, the system font among them,
// every glyph is an error (GDI_ERROR), which says nothing about the glyph,
// so what wglUseFontBitmaps recorded, pixels and advance, stays.
#pragma once

#include <cstdint>

namespace ondra::platform {

// GetGlyphOutline's error result.
constexpr std::uint32_t kGlyphOutlineError = 0xFFFFFFFFu;

struct BlankGlyph {
    bool recordAgain = false;  // as an empty bitmap
    float advance = 0.0f;      // how far that bitmap moves the raster position
};

// `bitmapBytes` is what GetGlyphOutline(GGO_BITMAP) returned without a
// buffer, `cellAdvance` the gmCellIncX it filled in.
BlankGlyph BlankGlyphFor(std::uint32_t bitmapBytes, int cellAdvance);

}  // namespace ondra::platform
