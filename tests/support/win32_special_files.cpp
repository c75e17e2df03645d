// FIFOs and devices on Windows: devices have reserved names in every
// folder, and the file system has no FIFOs.
#include "tests/support/special_files.h"

namespace ondra::test {

bool SystemHasFifos() { return false; }

bool MakeFifo(const std::string&) { return false; }

const char* NullDevice() { return "NUL"; }

}  // namespace ondra::test
