// Libraries opened while the program runs, so that a missing one (the
// sound library on a machine without it) costs a feature, not the start.
#pragma once

#include <string>

namespace ondra::platform {

class SharedLibrary {
public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Opens the library by the system's rules for a bare name (on Windows
    // the program's own folder first) or by a path. False, with Error()
    // saying why, when it cannot; an open library is closed first.
    bool Open(const std::string& name);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    // The address of an exported function or object; null when absent.
    void* Symbol(const char* name) const;
    const std::string& Error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace ondra::platform
