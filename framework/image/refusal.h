// Refusals: why the readers turned a file down, for tools that tell the
// user. A reader gives up through Refuse with its reason; the reason is kept
// only while a RefusalLog is open on the thread, so a plain load pays
// nothing for it. Each reader's first reason counts: helpers deep inside
// name the real fault, and the callers above them pass the failure on.
#pragma once

#include <string>

namespace ondra {
namespace image_internal {

// Notes the reason for the reader at work; always false.
bool Refuse(const char* reason);
// The reasons from here on are the named reader's, if a log is open.
void BeginReader(const char* reader);

class RefusalLog {
public:
    RefusalLog();
    ~RefusalLog();
    RefusalLog(const RefusalLog&) = delete;
    RefusalLog& operator=(const RefusalLog&) = delete;

    // The reasons from here on are the named reader's.
    void Begin(const char* reader);
    // "READER: reason; READER: reason", one entry per reader begun.
    std::string Text() const { return reasonGiven ? text : text + "refused"; }

private:
    friend bool Refuse(const char* reason);
    friend void BeginReader(const char* reader);
    void Note(const char* reason);

    RefusalLog* outer;
    std::string text;
    std::string reader;  // begun last
    bool reasonGiven = true;  // for the reader begun last
};

}  // namespace image_internal
}  // namespace ondra
