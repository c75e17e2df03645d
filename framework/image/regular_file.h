// OpenRegularFile: the one way the framework's file readers open what they
// read, so that a name given by a user or a data file can never block or
// feed them from a pipe or device.
#pragma once

#include <cstdio>

namespace ondra {

// Opens `fileName` for binary reading only when it names a regular file
// (symbolic links followed). FIFOs, devices and sockets fail at once with
// errno EINVAL, folders with EISDIR, instead of blocking or reading junk.
// Null on failure; close the result with fclose.
std::FILE* OpenRegularFile(const char* fileName);

}  // namespace ondra
