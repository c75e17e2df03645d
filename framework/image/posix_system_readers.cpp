// The system readers where the system has none: the general BMP decoder
// and libjpeg.
#include <climits>
#include <string>

#include <unistd.h>

#include "framework/image.h"
#include "framework/image/readers.h"
#include "framework/image/system_bmp_decoder.h"
#include "framework/image/system_readers.h"

namespace ondra {
namespace image_internal {

namespace {

// Relative names are resolved against the working directory; a path that
// would not fit PATH_MAX is refused rather than cut short, so the reader
// never opens some other file.
bool AbsolutePath(const char* fileName, std::string& path) {
    if (fileName[0] == '/') {
        path = fileName;
        return true;
    }
    char directory[PATH_MAX];
    if (!getcwd(directory, sizeof directory)) return false;
    path = std::string(directory) + "/" + fileName;
    return path.size() < PATH_MAX;
}

}  // namespace

bool LoadSystemBitmap(const char*, ByteSource& source, Image& image) { return DecodeSystemBmp(source, image); }

bool LoadSystemPicture(const char* fileName, Image& image) {
    std::string path;
    if (!fileName || !AbsolutePath(fileName, path)) return false;
    FileSource source;
    return source.Open(path.c_str()) && ReadJpeg(source, image);
}

}  // namespace image_internal
}  // namespace ondra
