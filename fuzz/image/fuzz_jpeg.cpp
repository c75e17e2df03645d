// Fuzzes the JPEG reader over libjpeg-turbo.
#include "framework/image.h"
#include "framework/image/readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ondra::image_internal::MemorySource source(data, size);
    ondra::Image image;
    if (ondra::image_internal::ReadJpeg(source, image) && image.GetDataSize() == 0) __builtin_trap();
    return 0;
}
