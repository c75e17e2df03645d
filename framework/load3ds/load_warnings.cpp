// Where the 3DS reader's repair warnings go.
#include "framework/load3ds/load_warnings.h"

#include <cstdarg>
#include <set>
#include <utility>

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

void TextureRefused(const std::string& model, const std::string& name) {
    static std::set<std::pair<std::string, std::string>> reported;
    if (oncePerTexture && !reported.insert({model, name}).second) return;
    std::printf("warning: Unable to load texture %s\n", name.c_str());
    ModelWarning("%s: the texture %s is not read: a model's textures are read by plain file names from the data "
                 "folder, and this name leads elsewhere", model.c_str(), name.c_str());
}

}  // namespace ondra
