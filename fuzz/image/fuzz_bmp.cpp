// Fuzzes the BMP reader (uncompressed 8- and 24-bit files).
#include <cstdio>

#include "framework/image.h"
#include "framework/image/readers.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The reader's "bmp: " lines would drown the fuzzer's own output.
    return std::freopen("/dev/null", "w", stdout) ? 0 : 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ondra::image_internal::MemorySource source(data, size);
    ondra::Image image;
    if (ondra::image_internal::ReadBmp(source, image) && image.GetDataSize() == 0) __builtin_trap();
    return 0;
}
