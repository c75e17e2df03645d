// The picture loader on Windows: the system's picture service
// (OleLoadPicturePath and IPicture) decodes JPEG and its other formats, and
// the picture is rendered into a 24-bit bottom-up DIB section, whose bytes
// are a BGR image with DIB row padding.
#include <windows.h>
#include <olectl.h>

#include <cstring>
#include <string>

#include "framework/image.h"
#include "framework/image/readers.h"
#include "framework/image/refusal.h"
#include "framework/image/system_readers.h"

namespace ondra {
namespace image_internal {

namespace {

constexpr std::size_t kMaxPath = 260;
constexpr LONG kHimetricPerInch = 2540;

// The service wants a full path: names with a drive are used as they are,
// the others are taken from the working directory (and its drive, for a
// name starting at the root). A path the system could not hold is refused
// rather than cut short.
bool FullPath(const char* fileName, std::string& path) {
    if (fileName[0] && fileName[1] == ':') {
        path = fileName;
        return path.size() <= kMaxPath;
    }
    char full[kMaxPath + 1];
    const DWORD length = GetFullPathNameA(fileName, sizeof full, full, nullptr);
    if (length == 0 || length > kMaxPath) return false;
    path.assign(full, length);
    return true;
}

IPicture* OpenPicture(const std::string& path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return nullptr;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length);
    // The service runs on COM; a thread that set COM up already keeps its
    // own choice (the call then fails harmlessly).
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicturePath(&wide[0], nullptr, 0, 0, IID_IPicture, reinterpret_cast<void**>(&picture))))
        return nullptr;
    return picture;
}

// A 24-bit bottom-up DIB section `width` x `height` pixels, selected into
// `dc` in place of `previous`.
struct DibSection {
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    HGDIOBJ previous = nullptr;
    std::size_t size = 0;
};

bool CreateDib(HDC dc, int width, int height, DibSection& dib) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    dib.size = static_cast<std::size_t>(DibRowSize(width) * height);
    info.bmiHeader.biSizeImage = static_cast<DWORD>(dib.size);
    dib.bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &dib.bits, nullptr, 0);
    if (!dib.bitmap || !dib.bits) return false;
    dib.previous = SelectObject(dc, dib.bitmap);
    return true;
}

bool RenderInto(IPicture* picture, HDC dc, int width, int height, OLE_XSIZE_HIMETRIC himetricWidth,
                OLE_YSIZE_HIMETRIC himetricHeight) {
    SHORT type = PICTYPE_UNINITIALIZED;
    picture->get_Type(&type);
    if (type != PICTYPE_BITMAP) {
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    return SUCCEEDED(picture->Render(dc, 0, 0, width, height, 0, himetricHeight, himetricWidth,
                                     -himetricHeight, nullptr));
}

bool Decode(IPicture* picture, HDC dc, Image& image) {
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    const int width = MulDiv(himetricWidth, GetDeviceCaps(dc, LOGPIXELSX), kHimetricPerInch);
    const int height = MulDiv(himetricHeight, GetDeviceCaps(dc, LOGPIXELSY), kHimetricPerInch);
    if (width < 1 || height < 1) return Refuse("no size");
    DibSection dib;
    bool ok = CreateDib(dc, width, height, dib);
    if (!ok) Refuse("no DIB section of that size");
    if (ok && !RenderInto(picture, dc, width, height, himetricWidth, himetricHeight)) ok = Refuse("cannot render");
    if (ok) {
        GdiFlush();
        ok = image.Create(width, height, BGR, DibRowPadding(width)) &&
             static_cast<std::size_t>(image.GetDataSize()) == dib.size;
        if (ok)
            std::memcpy(image.GetData(), dib.bits, dib.size);
        else
            Refuse("out of memory");
    }
    if (dib.previous) SelectObject(dc, dib.previous);
    if (dib.bitmap) DeleteObject(dib.bitmap);
    return ok;
}

}  // namespace

bool LoadSystemPicture(const char* fileName, Image& image) {
    std::string path;
    if (!fileName || !FullPath(fileName, path)) return Refuse("path too long");
    IPicture* picture = OpenPicture(path);
    if (!picture) return Refuse("the picture service does not read it");
    HDC dc = CreateCompatibleDC(nullptr);
    const bool ok = dc && Decode(picture, dc, image);
    if (dc) DeleteDC(dc);
    picture->Release();
    if (!ok) image.Clear();
    return ok;
}

}  // namespace image_internal
}  // namespace ondra
