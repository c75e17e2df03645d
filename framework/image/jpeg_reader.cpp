// The JPEG reader, over libjpeg-turbo: baseline, progressive and greyscale
// files, decoded straight into a bottom-up BGR image with the row padding
// of a 24-bit DIB.
#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "framework/image/readers.h"
#include "framework/image/refusal.h"

namespace ondra {
namespace image_internal {

namespace {

// Progressive files keep every coefficient in memory; a forged header must
// not be able to ask for more than this.
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;
// Real progressive files have around ten scans; thousands only cost time.
constexpr int kMaxScans = 256;
constexpr std::size_t kInputChunk = 64 * 1024;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

struct SourceManager {
    jpeg_source_mgr base;
    ByteSource* source;
    JOCTET buffer[kInputChunk];
};

struct ProgressMonitor {
    jpeg_progress_mgr base;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    Refuse(message);
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->escape, 1);
}

// Warnings about damaged data are tolerated, except that the picture's data
// ran out: libjpeg would fill the rest with grey, and a forged size in a
// tiny file would then cost a huge picture.
void OnMessage(j_common_ptr cinfo, int level) {
    const int code = cinfo->err->msg_code;
    if (level < 0 && (code == JWRN_HIT_MARKER || code == JWRN_JPEG_EOF)) OnError(cinfo);
}

void InitSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr cinfo) {
    auto* manager = reinterpret_cast<SourceManager*>(cinfo->src);
    const std::size_t got = manager->source->Read(manager->buffer, kInputChunk);
    if (got == 0) ERREXIT(cinfo, JERR_INPUT_EOF);
    manager->base.next_input_byte = manager->buffer;
    manager->base.bytes_in_buffer = got;
    return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count) {
    auto* manager = reinterpret_cast<SourceManager*>(cinfo->src);
    while (count > 0) {
        if (manager->base.bytes_in_buffer == 0) FillInput(cinfo);
        const std::size_t n = std::min<std::size_t>(std::size_t(count), manager->base.bytes_in_buffer);
        manager->base.next_input_byte += n;
        manager->base.bytes_in_buffer -= n;
        count -= long(n);
    }
}

void TermSource(j_decompress_ptr) {}

void OnProgress(j_common_ptr cinfo) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decompress->input_scan_number > kMaxScans) ERREXIT(cinfo, JERR_NOT_COMPILED);
}

bool IsConvertible(J_COLOR_SPACE space) {
    return space == JCS_GRAYSCALE || space == JCS_YCbCr || space == JCS_RGB;
}

// Blocks no scan covers are filled with zeros, and one end-of-band run
// covers thousands of blocks, so the frame size alone says nothing about
// the data behind it. Every Huffman-coded DC scan spends at least a bit on
// each block, so a file with fewer bits than its frame has blocks cannot be
// a real picture. Arithmetic coding spends less than a bit and fills missing
// data without a word, so it is refused outright.
bool IsBackedByData(const jpeg_decompress_struct& cinfo, std::uint64_t fileBytes) {
    if (cinfo.arith_code) return Refuse("arithmetic coding");
    std::uint64_t blocks = 0;
    for (int c = 0; c < cinfo.num_components; ++c)
        blocks += std::uint64_t(cinfo.comp_info[c].width_in_blocks) * cinfo.comp_info[c].height_in_blocks;
    return blocks <= fileBytes * 8 || Refuse("fewer bits of data than its frame has blocks");
}

bool IsReadable(const jpeg_decompress_struct& cinfo, std::uint64_t fileBytes) {
    if (!IsConvertible(cinfo.jpeg_color_space)) return Refuse("a colour space other than grey, YCbCr or RGB");
    if (!IsAcceptableSize(cinfo.image_width, cinfo.image_height)) return Refuse("no pixels, or too many");
    return IsBackedByData(cinfo, fileBytes);
}

}  // namespace

bool ReadJpeg(ByteSource& source, Image& image) {
    image.Clear();
    const std::uint64_t fileBytes = source.Remaining();
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.emit_message = OnMessage;
    // The source manager is large; keep it off the stack.
    auto* input = new SourceManager;
    input->source = &source;
    input->base.init_source = InitSource;
    input->base.fill_input_buffer = FillInput;
    input->base.skip_input_data = SkipInput;
    input->base.resync_to_restart = jpeg_resync_to_restart;
    input->base.term_source = TermSource;
    input->base.bytes_in_buffer = 0;
    input->base.next_input_byte = nullptr;
    ProgressMonitor progress;
    progress.base.progress_monitor = OnProgress;

    volatile bool created = false;
    volatile bool ok = false;
    if (setjmp(errors.escape) == 0) {
        jpeg_create_decompress(&cinfo);
        created = true;
        cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
        cinfo.src = &input->base;
        cinfo.progress = &progress.base;
        jpeg_read_header(&cinfo, TRUE);
        if (IsReadable(cinfo, fileBytes)) {
            cinfo.out_color_space = JCS_EXT_BGR;
            jpeg_start_decompress(&cinfo);
            const int width = int(cinfo.output_width), height = int(cinfo.output_height);
            if (image.Create(width, height, BGR, DibRowPadding(width)) || Refuse("out of memory")) {
                while (cinfo.output_scanline < cinfo.output_height) {
                    JSAMPROW row = image.GetRow(height - 1 - int(cinfo.output_scanline));
                    jpeg_read_scanlines(&cinfo, &row, 1);
                }
                jpeg_finish_decompress(&cinfo);
                ok = true;
            }
        }
    }
    if (created) jpeg_destroy_decompress(&cinfo);
    delete input;
    if (!ok) image.Clear();
    return ok;
}

}  // namespace image_internal
}  // namespace ondra
