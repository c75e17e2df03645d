// Bitmap fonts: GDI fonts recorded into GL display lists with
// wglUseFontBitmapsA.
#include <GL/gl.h>

#include "framework/platform/blank_glyph.h"
#include "framework/platform/win32_internal.h"

namespace ondra::platform {
namespace {

bool failGlyphOutlines = false;  // see FailGlyphOutlines

// Any name gives a font: the system's font mapper picks the installed face
// nearest to it at that height.
HFONT CreateFace(int height, const char* face) {
    if (height <= 0 || !face || !*face) return nullptr;
    return CreateFontA(height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, face);
}

DWORD GlyphBitmapBytes(HDC dc, int c, GLYPHMETRICS& metrics) {
    if (failGlyphOutlines) return GDI_ERROR;
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    return GetGlyphOutlineA(dc, static_cast<UINT>(c), GGO_BITMAP, &metrics, 0, nullptr, &identity);
}

// The glyphs the system says are blank get lists that advance; see
// blank_glyph.h.
void RecordBlankGlyphs(HDC dc, int first, int count, unsigned listBase) {
    const GLubyte nothing[4] = {0, 0, 0, 0};
    for (int c = first; c < first + count; ++c) {
        GLYPHMETRICS metrics{};
        const DWORD bytes = GlyphBitmapBytes(dc, c, metrics);
        const BlankGlyph blank = BlankGlyphFor(static_cast<std::uint32_t>(bytes), metrics.gmCellIncX);
        if (!blank.recordAgain) continue;
        glNewList(listBase + static_cast<unsigned>(c), GL_COMPILE);
        glBitmap(1, 1, 0.0f, 0.0f, blank.advance, 0.0f, nothing);
        glEndList();
    }
}

}  // namespace

bool CanCreateFont(int height, const char* face) {
    HFONT font = CreateFace(height, face);
    if (!font) return false;
    DeleteObject(font);
    return true;
}

void FailGlyphOutlines(bool fail) { failGlyphOutlines = fail; }

// Into the current context, through the DC it draws to; the system font
// when no face is asked for.
bool BuildFontLists(int height, const char* face, int first, int count, unsigned listBase) {
    HDC dc = wglGetCurrentDC();
    if (!dc || count <= 0) return false;
    HFONT font = CreateFace(height, face);
    HGDIOBJ previous = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    const BOOL built = wglUseFontBitmapsA(dc, static_cast<DWORD>(first), static_cast<DWORD>(count), listBase);
    if (built) RecordBlankGlyphs(dc, first, count, listBase);
    SelectObject(dc, previous);
    if (font) DeleteObject(font);
    // Drop the errors the blank glyphs raised while they were recorded.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    return built != FALSE;
}

}  // namespace ondra::platform
