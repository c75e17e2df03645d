// Bitmap fonts: X core fonts recorded into GL display lists.
#include <GL/gl.h>

#include <cstdlib>
#include <string>

#include "framework/platform/x11_internal.h"

namespace ondra::platform {
namespace {

// Built into every X server, so text works even without installed fonts.
constexpr const char* kSystemFont = "fixed";

std::string Pattern(const std::string& size, const char* face, bool strict) {
    if (strict) return "-*-" + std::string(face) + "-medium-r-normal--" + size + "-*-*-*-*-*-iso8859-1";
    return "-*-" + std::string(face) + "-*-*-*--" + size + "-*-*-*-*-*-*-*";
}

// The first XLFD name matching the face at that pixel height, or "".
std::string FirstMatch(const std::string& size, const char* face) {
    for (bool strict : {true, false}) {
        int count = 0;
        char** names = XListFonts(X11().display, Pattern(size, face, strict).c_str(), 1, &count);
        std::string found = names && count > 0 ? names[0] : "";
        if (names) XFreeFontNames(names);
        if (!found.empty()) return found;
    }
    return "";
}

// The pixel size field of an XLFD name (the seventh), or 0.
int PixelSize(const char* name) {
    int dashes = 0;
    for (const char* p = name; *p; ++p)
        if (*p == '-' && ++dashes == 7) return std::atoi(p + 1);
    return 0;
}

// Without a scalable font no face may have that height: the font whose
// height is nearest, the smaller on a tie.
std::string NearestHeight(int height) {
    int count = 0;
    char** names = XListFonts(X11().display, Pattern("*", "*", true).c_str(), 4096, &count);
    std::string best;
    int bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const int size = PixelSize(names[i]);
        const int distance = size > height ? 2 * (size - height) + 1 : 2 * (height - size);
        if (size > 0 && (best.empty() || distance < bestDistance)) {
            best = names[i];
            bestDistance = distance;
        }
    }
    if (names) XFreeFontNames(names);
    return best;
}

// The face at that pixel height where the server has it; otherwise, as a
// font mapper would, another face at that height, or failing that the
// font nearest to it. "" only when the server lists no font at all.
std::string FindFontName(int height, const char* face) {
    if (height <= 0 || !face || !*face || !OpenDisplay()) return "";
    const std::string size = std::to_string(height);
    std::string found = FirstMatch(size, face);
    if (found.empty()) found = FirstMatch(size, "*");
    if (found.empty()) found = NearestHeight(height);
    return found;
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

bool CanCreateFont(int height, const char* face) { return !FindFontName(height, face).empty(); }

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
