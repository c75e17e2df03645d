// File output, through the framework's writer that puts a file in place
// only once it is complete.
#include "tools/assetgen/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "framework/platform/replace_file.h"

namespace assetgen {

bool WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    const bool written = ondra::platform::WriteReplacing(
        path.c_str(), [&bytes](int fd) { return ondra::platform::WriteAll(fd, bytes.data(), bytes.size()); });
    if (!written) std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
    return written;
}

}  // namespace assetgen
