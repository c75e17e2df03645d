// Entering a folder for a scope and leaving it at the end.
#include "tests/support/in_folder.h"

#include <system_error>

namespace ondra::test {

InFolder::InFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
}

InFolder::~InFolder() {
    // A destructor must not throw; a folder that went away leaves the test
    // where it is, and the next test that needs a folder enters its own.
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

}  // namespace ondra::test
