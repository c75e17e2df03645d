// ImageData: the private record behind every Image, shared by the files of
// framework/image/ that implement its operations.
#pragma once

#include <cstdint>

#include "framework/image.h"

namespace ondra {

struct ImageData {
    Image* parent = nullptr;
    ImageFormat format = RGB;
    std::uint8_t* data = nullptr;  // owned; null for an empty image
    int width = 0;
    int height = 0;
    int dataSize = 0;  // height * stride
    int capacity = 0;  // bytes allocated
    int rowBytes = 0;  // width * pixel size
    int stride = 0;    // rowBytes + row padding
};

}  // namespace ondra
