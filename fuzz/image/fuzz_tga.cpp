// Fuzzes the TGA reader, plain and run-length encoded. The first byte picks
// the file name, so both the name rule and the footer signature get tried.
#include <cstdio>

#include "framework/image.h"
#include "framework/image/readers.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The 32-bit RLE warning would drown the fuzzer's own output.
    return std::freopen("/dev/null", "w", stdout) ? 0 : 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const char* name = data[0] & 1 ? "fuzz.tga" : "fuzz.bin";
    ondra::image_internal::MemorySource source(data + 1, size - 1);
    ondra::Image image;
    if (ondra::image_internal::ReadTga(source, name, image) && image.GetDataSize() == 0) __builtin_trap();
    return 0;
}
