// Bitmap fonts: X core fonts recorded into GL display lists.
#include <GL/gl.h>

#include <string>

#include "framework/platform/x11_internal.h"

namespace ondra::platform {
namespace {

// Built into every X server, so text works even without installed fonts.
constexpr const char* kSystemFont = "fixed";

std::string Pattern(int height, const char* face, bool strict) {
    const std::string size = std::to_string(height);
    if (strict) return "-*-" + std::string(face) + "-medium-r-normal--" + size + "-*-*-*-*-*-iso8859-1";
    return "-*-" + std::string(face) + "-*-*-*--" + size + "-*-*-*-*-*-*-*";
}

// The first XLFD name matching the face at that pixel height, or "".
std::string FindFontName(int height, const char* face) {
    if (height <= 0 || !face || !*face || !OpenDisplay()) return "";
    for (bool strict : {true, false}) {
        int count = 0;
        char** names = XListFonts(X11().display, Pattern(height, face, strict).c_str(), 1, &count);
        std::string found = names && count > 0 ? names[0] : "";
        if (names) XFreeFontNames(names);
        if (!found.empty()) return found;
    }
    return "";
}

const XCharStruct* Glyph(const XFontStruct* font, int c) {
    if (c < static_cast<int>(font->min_char_or_byte2) || c > static_cast<int>(font->max_char_or_byte2))
        return nullptr;
    if (!font->per_char) return &font->max_bounds;
    const XCharStruct* glyph = &font->per_char[c - font->min_char_or_byte2];
    const bool exists = glyph->width || glyph->lbearing || glyph->rbearing || glyph->ascent || glyph->descent;
    return exists ? glyph : nullptr;
}

// Mesa records glyphs without pixels (the space, characters the font lacks)
// as empty lists, so they would not advance the raster position. Record each
// as an empty bitmap that advances like the glyph does.
void RecordBlankGlyphs(const XFontStruct* font, int first, int count, unsigned listBase) {
    const XCharStruct* fallback = Glyph(font, static_cast<int>(font->default_char));
    const GLubyte nothing[4] = {0, 0, 0, 0};
    for (int c = first; c < first + count; ++c) {
        const XCharStruct* glyph = Glyph(font, c);
        const bool blank = !glyph || glyph->rbearing == glyph->lbearing || glyph->ascent + glyph->descent == 0;
        if (!blank) continue;
        const XCharStruct* metrics = glyph ? glyph : fallback;
        const float advance = metrics ? static_cast<float>(metrics->width) : 0.0f;
        glNewList(listBase + static_cast<unsigned>(c), GL_COMPILE);
        glBitmap(1, 1, 0.0f, 0.0f, advance, 0.0f, nothing);
        glEndList();
    }
}

}  // namespace

bool FontExists(int height, const char* face) { return !FindFontName(height, face).empty(); }

bool BuildFontLists(int height, const char* face, int first, int count, unsigned listBase) {
    if (!OpenDisplay() || count <= 0) return false;
    std::string name = FindFontName(height, face);
    XFontStruct* font = XLoadQueryFont(X11().display, name.empty() ? kSystemFont : name.c_str());
    if (!font) return false;
    glXUseXFont(font->fid, first, count, static_cast<int>(listBase));
    RecordBlankGlyphs(font, first, count, listBase);
    XFreeFont(X11().display, font);
    // Drop the errors glXUseXFont raised for the blank glyphs.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    return true;
}

}  // namespace ondra::platform
