// Bitmap fonts: GDI fonts recorded into GL display lists with
// wglUseFontBitmapsA.
#include <GL/gl.h>

#include <cstring>

#include "framework/platform/win32_internal.h"

namespace ondra::platform {
namespace {

HFONT CreateFace(int height, const char* face) {
    return CreateFontA(height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, face);
}

// Glyphs without pixels (the space, characters the font lacks) come back
// from some implementations of wglUseFontBitmaps (Wine's) as empty lists
// that do not advance the raster position. Record each as an empty bitmap
// that advances as far as the glyph does.
void RecordBlankGlyphs(HDC dc, int first, int count, unsigned listBase) {
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    const GLubyte nothing[4] = {0, 0, 0, 0};
    for (int c = first; c < first + count; ++c) {
        GLYPHMETRICS metrics{};
        const DWORD size = GetGlyphOutlineA(dc, static_cast<UINT>(c), GGO_BITMAP, &metrics, 0, nullptr, &identity);
        if (size != 0 && size != GDI_ERROR) continue;
        INT width = 0;
        const float advance = size == 0 ? static_cast<float>(metrics.gmCellIncX)
                              : GetCharWidth32A(dc, static_cast<UINT>(c), static_cast<UINT>(c), &width)
                                  ? static_cast<float>(width)
                                  : 0.0f;
        glNewList(listBase + static_cast<unsigned>(c), GL_COMPILE);
        glBitmap(1, 1, 0.0f, 0.0f, advance, 0.0f, nothing);
        glEndList();
    }
}

}  // namespace

// The system hands back some font for any name: the face counts as there
// only when the font it picked carries that name.
bool FontExists(int height, const char* face) {
    if (height <= 0 || !face || !*face) return false;
    HFONT font = CreateFace(height, face);
    if (!font) return false;
    HDC dc = CreateCompatibleDC(nullptr);
    char chosen[LF_FACESIZE] = "";
    if (dc) {
        HGDIOBJ previous = SelectObject(dc, font);
        GetTextFaceA(dc, sizeof chosen, chosen);
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    DeleteObject(font);
    return lstrcmpiA(chosen, face) == 0;
}

// Into the current context, through the DC it draws to; the system font
// when no face is asked for or it does not exist.
bool BuildFontLists(int height, const char* face, int first, int count, unsigned listBase) {
    HDC dc = wglGetCurrentDC();
    if (!dc || count <= 0) return false;
    HFONT font = FontExists(height, face) ? CreateFace(height, face) : nullptr;
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
