// image-convert: loads any picture the game can load (BMP, TGA, JPEG) and
// saves it as a 24-bit BMP, or describes it with --info.
//
//   image-convert IN OUT.bmp
//   image-convert --info IN
#include <cstdio>
#include <cstring>
#include <string>

#include "framework/image.h"

namespace {

const char* FormatName(ondra::ImageFormat format) {
    static const char* const kNames[] = {"RGB", "RGBA", "BGR", "BGRA", "LUMINANCE", "LUMINANCE_ALPHA", "ALPHA"};
    return format >= 0 && format <= 6 ? kNames[format] : "unknown";
}

int Fail(const char* reason, const char* name) {
    std::fprintf(stderr, "image-convert: %s%s\n", reason, name);
    return 1;
}

int Usage() {
    std::fprintf(stderr, "usage: image-convert IN OUT.bmp | image-convert --info IN\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Usage();
    const bool info = std::strcmp(argv[1], "--info") == 0;
    const char* input = info ? argv[2] : argv[1];
    ondra::Image image;
    std::string whyNot;
    if (!image.Load(input, whyNot)) {
        std::fprintf(stderr, "image-convert: cannot read an image from %s (%s)\n", input, whyNot.c_str());
        return 1;
    }
    if (info) {
        std::printf("%s: %d x %d, %s\n", input, image.Width(), image.Height(), FormatName(image.GetFormat()));
        return 0;
    }
    if (!image.Save(argv[2])) return Fail("cannot write ", argv[2]);
    return 0;
}
