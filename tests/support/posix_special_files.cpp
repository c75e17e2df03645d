// FIFOs and devices on POSIX systems.
#include <sys/stat.h>

#include "tests/support/special_files.h"

namespace ondra::test {

bool SystemHasFifos() { return true; }

bool MakeFifo(const std::string& path) { return mkfifo(path.c_str(), 0600) == 0; }

const char* NullDevice() { return "/dev/null"; }

}  // namespace ondra::test
