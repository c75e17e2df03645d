// JPEG encoding into memory with libjpeg; errors are turned into a false
// result instead of libjpeg's default exit().
#include "jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace assetgen {
namespace {

// Everything the error path needs lives in memory reached through a
// pointer, so longjmp cannot leave it stale in a register.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

void OnJpegError(j_common_ptr info)
{
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    std::fprintf(stderr, "assetgen: jpeg: %s\n", message);
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

}  // namespace

bool EncodeJpeg(const PixelImage& image, int quality, Bytes& out)
{
    if (image.width <= 0 || image.height <= 0 || image.channels != 3 || quality < 1 || quality > 100 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3) {
        return false;
    }
    jpeg_compress_struct info;
    ErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = OnJpegError;
    if (setjmp(trap.jump) != 0) {
        jpeg_destroy_compress(&info);
        std::free(trap.buffer);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &trap.buffer, &trap.size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = JDCT_ISLOW;  // the integer DCT gives the same bytes on every machine
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&image.pixels[static_cast<size_t>(info.next_scanline) * image.width * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    out.assign(trap.buffer, trap.buffer + trap.size);
    jpeg_destroy_compress(&info);
    std::free(trap.buffer);
    return true;
}

bool WriteJpeg(const std::string& path, const PixelImage& image, int quality)
{
    Bytes bytes;
    return EncodeJpeg(image, quality, bytes) && WriteFileBytes(path, bytes);
}

}  // namespace assetgen
