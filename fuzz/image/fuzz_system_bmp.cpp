// Fuzzes the general BMP decoder (paletted, RLE, 16- and 32-bit, bit fields).
#include "framework/image.h"
#include "framework/image/byte_source.h"
#include "framework/image/system_bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ondra::image_internal::MemorySource source(data, size);
    ondra::Image image;
    if (ondra::image_internal::DecodeSystemBmp(source, image) && image.GetDataSize() == 0) __builtin_trap();
    return 0;
}
