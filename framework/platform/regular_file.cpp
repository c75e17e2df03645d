// The words for what a name leads to, shared by both systems' halves.
#include "framework/platform/regular_file.h"

namespace ondra::platform {

const char* DescribeFileKind(FileKind kind) {
    switch (kind) {
        case FileKind::kMissing: return "missing";
        case FileKind::kRegular: return "a regular file";
        case FileKind::kDirectory: return "a directory";
        case FileKind::kFifo: return "a FIFO";
        case FileKind::kCharacterDevice: return "a character device";
        case FileKind::kBlockDevice: return "a block device";
        case FileKind::kSocket: return "a socket";
        case FileKind::kOther: break;
    }
    return "not a regular file";
}

}  // namespace ondra::platform
