// Image::Load: tries the readers in a fixed order and keeps the first
// picture one of them reads.
#include <cerrno>
#include <cstring>
#include <string>

#include "framework/image.h"
#include "framework/image/readers.h"
#include "framework/image/refusal.h"
#include "framework/image/system_readers.h"

namespace ondra {

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
        if (source.Seek(0) && LoadSystemBitmap(fileName, source, *this)) return true;
        BeginReader("tga");
        if (source.Seek(0) && ReadTga(source, fileName, *this)) return true;
    }
    BeginReader("jpeg");
    if (LoadSystemPicture(fileName, *this)) return true;
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
