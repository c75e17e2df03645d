// Writing a file so that a failure part way never destroys the file it
// replaces.
#pragma once

#include <cstddef>
#include <functional>

namespace ondra::platform {

// `write` is given a descriptor open for binary writing and says whether
// everything was written. A regular file (or a new one) is written beside
// its destination and put in its place only once complete, keeping the old
// file's permissions; a device or FIFO is written in place, and so is the
// file standard output goes to (as /dev/stdout names it), at the place that
// output has reached: flush buffered output first. An existing file the
// user may not write is refused (errno EACCES), as writing it in place
// would be. False when anything failed, with the destination as it was
// and errno saying why.
bool WriteReplacing(const char* fileName, const std::function<bool(int fd)>& write);

// Writes all `size` bytes to `fd` (such as the descriptor WriteReplacing
// hands out), through as many system writes as it takes; false on the
// first that fails or writes nothing.
bool WriteAll(int fd, const void* data, std::size_t size);

}  // namespace ondra::platform
