// The system bitmap loader on Windows: LoadImageA reads the file, GetDIBits
// hands its pixels back as a 24-bit bottom-up DIB, which is exactly the
// layout of a BGR image with DIB row padding.
#include <windows.h>

#include <cstdint>

#include "framework/image.h"
#include "framework/image/readers.h"
#include "framework/image/refusal.h"
#include "framework/image/system_readers.h"

namespace ondra {
namespace image_internal {

namespace {

BITMAPINFO DibDescription(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(DibRowSize(width) * height);
    return info;
}

bool FetchRows(HDC dc, HBITMAP bitmap, int width, int height, Image& image) {
    if (!image.Create(width, height, BGR, DibRowPadding(width))) return Refuse("out of memory");
    BITMAPINFO info = DibDescription(width, height);
    if (image.GetDataSize() != static_cast<std::int64_t>(info.bmiHeader.biSizeImage)) return Refuse("too large");
    if (!GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), image.GetData(), &info, DIB_RGB_COLORS))
        return Refuse("GetDIBits failed");
    return true;
}

}  // namespace

// The file was opened already, which refuses devices and folders before
// the system is asked.
bool LoadSystemBitmap(const char* fileName, ByteSource&, Image& image) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) return Refuse("LoadImageA does not read it");
    BITMAP size{};
    bool ok = GetObjectA(bitmap, sizeof size, &size) != 0 && size.bmWidth > 0 && size.bmHeight > 0;
    if (!ok) Refuse("no size");
    HDC dc = ok ? CreateCompatibleDC(nullptr) : nullptr;
    if (ok && !dc) ok = Refuse("no memory DC");
    if (ok) {
        HGDIOBJ previous = SelectObject(dc, bitmap);
        ok = FetchRows(dc, bitmap, size.bmWidth, size.bmHeight, image);
        SelectObject(dc, previous);
    }
    if (dc) DeleteDC(dc);
    DeleteObject(bitmap);
    if (!ok) image.Clear();
    return ok;
}

}  // namespace image_internal
}  // namespace ondra
