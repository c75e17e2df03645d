// Where the 3DS reader's repair warnings go.
#include "framework/load3ds/load_warnings.h"

#include <cstdarg>
#include <set>

namespace ondra {
namespace {

FILE* warningStream = stderr;
bool oncePerTexture = false;
std::set<std::string> texturesReported;

}  // namespace

void SetModelWarningStream(FILE* stream) { warningStream = stream; }

void ModelWarning(const char* format, ...) {
    if (!warningStream) return;
    std::fputs("3ds: ", warningStream);
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(warningStream, format, arguments);
    va_end(arguments);
    std::fputc('\n', warningStream);
}

void WarnOncePerTexture(bool once) { oncePerTexture = once; }

void TextureNotLoaded(const std::string& name, const std::string& why) {
    if (oncePerTexture && !texturesReported.insert(name).second) return;
    std::printf("warning: Unable to load texture %s\n", name.c_str());
    if (oncePerTexture) ModelWarning("the texture %s does not load: %s", name.c_str(), why.c_str());
}

}  // namespace ondra
