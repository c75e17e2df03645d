// OpenRegularFile: the one way the programs open what they read, so that a
// name given by a user or a data file can never block or feed them from a
// pipe or device.
#pragma once

#include <cstdio>

namespace ondra::platform {

// What a name leads to, as far as reading it goes.
enum class FileKind { kMissing, kRegular, kDirectory, kFifo, kCharacterDevice, kBlockDevice, kSocket, kOther };

// "a directory", "a FIFO", "a character device", ...: for messages that
// say why a file was refused.
const char* DescribeFileKind(FileKind kind);

// Opens `fileName` for binary reading only when it names a regular file
// (symbolic links followed). FIFOs, devices and sockets fail at once with
// errno EINVAL, folders with EISDIR, instead of blocking or reading junk;
// `found`, when given, says what the name led to (kMissing when it could
// not be opened at all). Null on failure; close the result with fclose.
std::FILE* OpenRegularFile(const char* fileName, FileKind* found = nullptr);

}  // namespace ondra::platform
