// Image::Load: tries the readers in a fixed order and keeps the first
// picture one of them reads.
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include <unistd.h>

#include "framework/image.h"
#include "framework/image/readers.h"
#include "framework/image/refusal.h"
#include "framework/image/system_bmp_decoder.h"

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

bool LoadPicture(const char* fileName, Image& image) {
    std::string path;
    if (!fileName || !AbsolutePath(fileName, path)) return false;
    FileSource source;
    return source.Open(path.c_str()) && ReadJpeg(source, image);
}

}  // namespace
}  // namespace image_internal

bool Image::Load(const char* fileName) {
    using namespace image_internal;
    Clear();
    if (!fileName) return false;
    {
        FileSource source;
        if (!source.Open(fileName)) {
            const int reason = errno;
            BeginReader("open");
            return Refuse(reason == EINVAL ? "not a regular file" : std::strerror(reason));
        }
        BeginReader("bmp");
        if (ReadBmp(source, *this)) return true;
        BeginReader("system bmp");
        if (source.Seek(0) && DecodeSystemBmp(source, *this)) return true;
        BeginReader("tga");
        if (source.Seek(0) && ReadTga(source, fileName, *this)) return true;
    }
    BeginReader("jpeg");
    if (LoadPicture(fileName, *this)) return true;
    Clear();
    return false;
}

bool Image::Load(const char* fileName, std::string& whyNot) {
    image_internal::RefusalLog log;
    if (Load(fileName)) return true;
    whyNot = log.Text();
    return false;
}

}  // namespace ondra
