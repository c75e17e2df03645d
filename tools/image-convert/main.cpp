// image-convert: loads any picture the game can load (BMP, TGA, JPEG) and
// saves it as a 24-bit BMP, or describes it with --info.
//
//   image-convert IN OUT.bmp
//   image-convert --info IN
//
// Every failure is one line on standard error and exit status 1: a picture
// that cannot be read, an output that would replace the input, a report
// standard output did not take; an output that cannot be written (a
// missing folder, a full disk, a file the user may not write) is status
// 3, as in the game.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "framework/image.h"
#include "framework/platform/same_file.h"
#include "framework/standard_output.h"

namespace {

constexpr int kExitUnwritable = 3;

constexpr const char* kUsage = "usage: image-convert IN OUT.bmp | image-convert --info IN\n";

const char* FormatName(ondra::ImageFormat format) {
    static const char* const kNames[] = {"RGB", "RGBA", "BGR", "BGRA", "LUMINANCE", "LUMINANCE_ALPHA", "ALPHA"};
    return format >= 0 && format <= 6 ? kNames[format] : "unknown";
}

int Usage() {
    std::fputs(kUsage, stderr);
    return 1;
}

int Save(const ondra::Image& image, const char* input, const char* output) {
    // By any name or link, the output would replace the picture being read.
    if (ondra::platform::SameFile(input, output)) {
        std::fprintf(stderr, "image-convert: %s would replace the picture it is made from; give another file\n",
                     output);
        return 1;
    }
    errno = 0;
    if (image.Save(output)) return 0;
    const int reason = errno;
    std::fprintf(stderr, "image-convert: cannot write %s: %s\n", output,
                 reason ? std::strerror(reason) : "the write failed");
    return kExitUnwritable;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return ondra::StandardOutputWritten("image-convert") ? 0 : 1;
    }
    if (argc != 3) return Usage();
    const bool info = std::strcmp(argv[1], "--info") == 0;
    const char* input = info ? argv[2] : argv[1];
    ondra::Image image;
    std::string whyNot;
    if (!image.Load(input, whyNot)) {
        std::fprintf(stderr, "image-convert: cannot read an image from %s (%s)\n", input, whyNot.c_str());
        return 1;
    }
    if (!info) return Save(image, input, argv[2]);
    std::printf("%s: %d x %d, %s\n", input, image.Width(), image.Height(), FormatName(image.GetFormat()));
    return ondra::StandardOutputWritten("image-convert") ? 0 : 1;
}
