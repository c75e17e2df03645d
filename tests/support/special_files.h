// Test support: the files that are no regular files (FIFOs, devices),
// which the readers must refuse at once, made the way each system can.
#pragma once

#include <string>

namespace ondra::test {

// Whether the system's file system holds FIFOs (Windows' has none: its
// pipes live in a namespace of their own).
bool SystemHasFifos();

// Makes a FIFO at `path`; false when it cannot, always where there are
// none.
bool MakeFifo(const std::string& path);

// The name of the device that swallows what is written and reads empty.
const char* NullDevice();

}  // namespace ondra::test
