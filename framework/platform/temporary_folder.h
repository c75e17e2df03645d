// Private temporary folders.
#pragma once

#include <string>

namespace ondra::platform {

// Makes a new folder of its own, readable only by this user where the
// system has such permissions, under the system's temporary folder, named
// `prefix` and a unique ending. Returns its path; empty on failure, with
// the reason in `error`.
std::string MakeTemporaryFolder(const std::string& prefix, std::string& error);

}  // namespace ondra::platform
