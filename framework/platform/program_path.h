// Where the running program's file lies, for finding what was installed
// beside it.
#pragma once

#include <string>

namespace ondra::platform {

// The absolute path of the running program's executable; empty when the
// system cannot say.
std::string ProgramPath();

}  // namespace ondra::platform
