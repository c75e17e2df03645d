// File output.
#include "file_bytes.h"

#include <cstdio>

namespace assetgen {

bool WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "assetgen: cannot create %s\n", path.c_str());
        return false;
    }
    const size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
    const bool closed = std::fclose(file) == 0;
    if (written != bytes.size() || !closed) {
        std::fprintf(stderr, "assetgen: failed writing %s\n", path.c_str());
        std::remove(path.c_str());
        return false;
    }
    return true;
}

}  // namespace assetgen
