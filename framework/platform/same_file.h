// Whether two names lead to one file: what keeps a program's outputs off
// the files it reads, whatever names, links or folders lead to them.
#pragma once

namespace ondra::platform {

// True when both names lead to one existing file (or folder), symbolic
// and hard links followed. Identity is the system's own: the device and
// inode numbers on POSIX, the volume serial and file index on Windows,
// where the C library leaves the inode number at 0.
bool SameFile(const char* a, const char* b);

}  // namespace ondra::platform
