// The C runtime's file descriptors, as the two systems name their calls:
// what catching the standard streams needs, and nothing more.
#pragma once

#include <cstddef>

namespace ondra::platform::descriptors {

// A new descriptor for what `fd` refers to; -1 on failure.
int Duplicate(int fd);
// Makes `target` refer to what `source` refers to.
bool Redirect(int source, int target);
void Close(int fd);
// Back to the start of a file; false when it cannot seek.
bool Rewind(int fd);
// Bytes read into `buffer`, 0 at the end, negative on an error.
long Read(int fd, char* buffer, std::size_t size);
// A temporary file open for reading and writing (bytes kept as written)
// that no one else can find and that goes away when it is closed; -1 when
// none can be made.
int AnonymousFile();

}  // namespace ondra::platform::descriptors
