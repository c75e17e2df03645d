// The JPEG encoder, over libjpeg. Apart from the other encoders because a
// Windows build without libjpeg encodes through the system instead
// (win32_jpeg_encoder.cpp).
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "framework/image/encoders/image_encoders.h"

namespace ondra {
namespace encoders {

namespace {

// libjpeg's default error handler ends the process; this one jumps back
// to the encoder instead. Everything the error path needs lives in memory
// reached through a pointer, so longjmp cannot leave it stale in a register.
struct JpegTrap {
    jpeg_error_mgr manager;  // first, so that libjpeg's pointer to it leads here
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = "";
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

void OnJpegError(j_common_ptr info) {
    auto* trap = reinterpret_cast<JpegTrap*>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->jump, 1);
}

}  // namespace

Bytes EncodeJpeg(const Image& image, int quality, bool progressive, std::string* error) {
    const ImageFormat format = image.GetFormat();
    if (image.IsEmpty() || (format != RGB && format != BGR && format != LUMINANCE) || quality < 1 || quality > 100)
        return {};
    jpeg_compress_struct cinfo;
    JpegTrap trap;
    cinfo.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = OnJpegError;
    if (setjmp(trap.jump) != 0) {
        if (error) *error = trap.message;
        jpeg_destroy_compress(&cinfo);
        std::free(trap.buffer);
        return {};
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &trap.buffer, &trap.size);
    const bool grey = format == LUMINANCE;
    cinfo.image_width = JDIMENSION(image.Width());
    cinfo.image_height = JDIMENSION(image.Height());
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : (format == BGR ? JCS_EXT_BGR : JCS_RGB);
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    // JPEG rows run top-down; image rows bottom-up.
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.GetRow(image.Height() - 1 - int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(trap.buffer, trap.buffer + trap.size);
    jpeg_destroy_compress(&cinfo);
    std::free(trap.buffer);
    return out;
}

}  // namespace encoders
}  // namespace ondra
