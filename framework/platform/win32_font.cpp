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
    SelectObject(dc, previous);
    if (font) DeleteObject(font);
    return built != FALSE;
}

}  // namespace ondra::platform
