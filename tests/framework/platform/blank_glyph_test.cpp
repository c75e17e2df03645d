// The Win32 fonts' blank-glyph rule, fed the answers each system gives to
// GetGlyphOutline(GGO_BITMAP) for the fonts the framework draws with.
#include "framework/platform/blank_glyph.h"

#include <gtest/gtest.h>

namespace ondra::platform {
namespace {

struct GlyphAnswer {
    const char* system;
    char glyph;
    std::uint32_t bitmapBytes;
    int cellAdvance;
    bool recordAgain;
    float advance;
};

// Windows documents the call for TrueType fonts only and fails it for every
// glyph of the raster system font: nothing may be recorded again, or every
// HUD number would be blank. Wine answers for raster fonts as for TrueType.
TEST(BlankGlyph, OnlyWhatTheSystemSaysIsBlankIsRecordedAgain) {
    const GlyphAnswer answers[] = {
        {"Windows, system font", '1', kGlyphOutlineError, 0, false, 0.0f},
        {"Windows, system font", ' ', kGlyphOutlineError, 0, false, 0.0f},
        {"Windows, system font", '\x7f', kGlyphOutlineError, 0, false, 0.0f},
        {"Wine, system font", '1', 32, 8, false, 0.0f},
        {"Wine, system font", ' ', 0, 8, true, 8.0f},
        {"Windows or Wine, Tahoma 13", 'W', 44, 11, false, 0.0f},
        {"Windows or Wine, Tahoma 13", ' ', 0, 4, true, 4.0f},
    };
    for (const GlyphAnswer& a : answers) {
        const BlankGlyph blank = BlankGlyphFor(a.bitmapBytes, a.cellAdvance);
        EXPECT_EQ(a.recordAgain, blank.recordAgain) << a.system << " '" << a.glyph << "'";
        EXPECT_EQ(a.advance, blank.advance) << a.system << " '" << a.glyph << "'";
    }
}

}  // namespace
}  // namespace ondra::platform
