// The thread's open refusal log.
#include "framework/image/refusal.h"

#include <cstring>

namespace ondra {
namespace image_internal {

namespace {

thread_local RefusalLog* openLog = nullptr;

}  // namespace

RefusalLog::RefusalLog() : outer(openLog) { openLog = this; }

RefusalLog::~RefusalLog() { openLog = outer; }

void RefusalLog::Begin(const char* reader) {
    if (!reasonGiven) text += "refused";
    if (!text.empty()) text += "; ";
    text += reader;
    text += ": ";
    this->reader = reader;
    reasonGiven = false;
}

void RefusalLog::Note(const char* reason) {
    if (reasonGiven) return;
    // Reasons may be the readers' own messages, with their newline.
    std::size_t length = std::strlen(reason);
    while (length > 0 && reason[length - 1] == '\n') --length;
    // and may name their reader already ("bmp: bad info header"), as
    // Begin has.
    const std::string prefix = reader + ": ";
    if (!reader.empty() && length >= prefix.size() && std::strncmp(reason, prefix.c_str(), prefix.size()) == 0) {
        reason += prefix.size();
        length -= prefix.size();
    }
    text.append(reason, length);
    reasonGiven = true;
}

void BeginReader(const char* reader) {
    if (openLog) openLog->Begin(reader);
}

bool Refuse(const char* reason) {
    if (openLog && reason) openLog->Note(reason);
    return false;
}

}  // namespace image_internal
}  // namespace ondra
