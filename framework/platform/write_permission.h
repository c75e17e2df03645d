// Whether the user may write a file or into a folder, asked of the system
// before writing: a file is replaced by renaming a new one over it, which
// needs only the folder's permission, so a file the user may not write
// would otherwise be replaced all the same.
#pragma once

namespace ondra::platform {

// 0 when the user may write the existing file `path` (or make files in the
// folder `path`); else the reason as an errno value: EACCES for a file or
// folder the user may not write, EROFS on a read-only file system, ENOENT
// when nothing is there.
int WriteRefusal(const char* path);

}  // namespace ondra::platform
