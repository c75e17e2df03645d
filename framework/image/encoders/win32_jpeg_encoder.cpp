// The JPEG encoder on Windows without libjpeg: the system's imaging
// component (WIC), as the readers there use the system's picture service.
// Its files decode to the same picture within a few levels, not to the
// same bytes as libjpeg's.
#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "framework/image/encoders/image_encoders.h"

namespace ondra {
namespace encoders {

namespace {

// libjpeg's limit, with its words, so that both encoders refuse alike.
constexpr int kLargestSide = 65500;

// Releases a COM interface when it goes out of scope.
template <typename T>
struct Held {
    T* p = nullptr;
    ~Held() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

// COM for this thread for as long as the object lives; a thread that has
// it already keeps it as it was.
class ComScope {
public:
    ComScope() : result(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result)) CoUninitialize();
    }
    bool Usable() const { return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE; }

private:
    HRESULT result;
};

// Says which step failed and with what code; false, for chaining.
bool Failed(std::string* error, const char* step, HRESULT result) {
    if (error) {
        char text[96];
        std::snprintf(text, sizeof text, "WIC: %s failed (0x%08lx)", step, static_cast<unsigned long>(result));
        *error = text;
    }
    return false;
}

// Top-down rows in the order WIC takes them: blue, green, red, or grey.
std::vector<BYTE> TopDownRows(const Image& image, UINT stride) {
    std::vector<BYTE> rows(std::size_t(stride) * std::size_t(image.Height()));
    const int channels = image.GetFormat() == LUMINANCE ? 1 : 3;
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* from = image.GetRow(image.Height() - 1 - y);
        BYTE* to = rows.data() + std::size_t(stride) * std::size_t(y);
        for (int x = 0; x < image.Width(); ++x)
            for (int c = 0; c < channels; ++c)
                to[x * channels + c] = image.GetFormat() == RGB ? from[x * 3 + 2 - c] : from[x * channels + c];
    }
    return rows;
}

// The frame's quality, from 1 to 100 as libjpeg counts it.
bool SetQuality(IPropertyBag2* options, int quality, std::string* error) {
    PROPBAG2 option = {};
    option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = float(quality) / 100.0f;
    const HRESULT result = options->Write(1, &option, &value);
    return SUCCEEDED(result) || Failed(error, "setting the quality", result);
}

bool WriteFrame(IWICBitmapEncoder* encoder, const Image& image, int quality, std::string* error) {
    Held<IWICBitmapFrameEncode> frame;
    Held<IPropertyBag2> options;
    HRESULT result = encoder->CreateNewFrame(&frame, &options);
    if (FAILED(result)) return Failed(error, "making a frame", result);
    if (!SetQuality(options.p, quality, error)) return false;
    if (FAILED(result = frame->Initialize(options.p))) return Failed(error, "starting the frame", result);
    if (FAILED(result = frame->SetSize(UINT(image.Width()), UINT(image.Height()))))
        return Failed(error, "sizing the frame", result);
    const bool grey = image.GetFormat() == LUMINANCE;
    WICPixelFormatGUID format = grey ? GUID_WICPixelFormat8bppGray : GUID_WICPixelFormat24bppBGR;
    const WICPixelFormatGUID asked = format;
    if (FAILED(result = frame->SetPixelFormat(&format))) return Failed(error, "choosing the pixels", result);
    if (!IsEqualGUID(format, asked)) return Failed(error, "taking these pixels", E_NOTIMPL);
    const UINT stride = (UINT(image.Width()) * (grey ? 1 : 3) + 3) & ~3u;
    std::vector<BYTE> rows = TopDownRows(image, stride);
    if (FAILED(result = frame->WritePixels(UINT(image.Height()), stride, UINT(rows.size()), rows.data())))
        return Failed(error, "writing the pixels", result);
    if (FAILED(result = frame->Commit())) return Failed(error, "ending the frame", result);
    return true;
}

// The bytes the stream holds.
Bytes StreamBytes(IStream* stream) {
    STATSTG status = {};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(stream, &memory)))
        return {};
    const auto* data = static_cast<const std::uint8_t*>(GlobalLock(memory));
    if (!data) return {};
    Bytes bytes(data, data + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return bytes;
}

Bytes Encode(const Image& image, int quality, std::string* error) {
    Held<IWICImagingFactory> factory;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory));
    if (FAILED(result)) return Failed(error, "the imaging factory", result), Bytes();
    Held<IStream> stream;
    if (FAILED(result = CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return Failed(error, "a stream in memory", result), Bytes();
    Held<IWICBitmapEncoder> encoder;
    if (FAILED(result = factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)))
        return Failed(error, "the JPEG encoder", result), Bytes();
    if (FAILED(result = encoder->Initialize(stream.p, WICBitmapEncoderNoCache)))
        return Failed(error, "starting the encoder", result), Bytes();
    if (!WriteFrame(encoder.p, image, quality, error)) return {};
    if (FAILED(result = encoder->Commit())) return Failed(error, "ending the file", result), Bytes();
    return StreamBytes(stream.p);
}

}  // namespace

Bytes EncodeJpeg(const Image& image, int quality, bool progressive, std::string* error) {
    const ImageFormat format = image.GetFormat();
    if (image.IsEmpty() || (format != RGB && format != BGR && format != LUMINANCE) || quality < 1 || quality > 100)
        return {};
    if (image.Width() > kLargestSide || image.Height() > kLargestSide) {
        if (error) *error = "Maximum supported image dimension is 65500 pixels";
        return {};
    }
    if (progressive) {
        if (error) *error = "WIC: the system's JPEG encoder writes no progressive files";
        return {};
    }
    ComScope com;
    if (!com.Usable()) return Failed(error, "starting COM", E_FAIL), Bytes();
    return Encode(image, quality, error);
}

}  // namespace encoders
}  // namespace ondra
