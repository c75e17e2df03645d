// Test support: working in another folder for a while (where the game's
// data lies, or a scratch folder), and back where the test was however the
// scope ends, a failed assertion's early return included.
#pragma once

#include <filesystem>

namespace ondra::test {

class InFolder {
public:
    // Throws when `folder` cannot be entered: the test then fails instead
    // of reading or writing where it stands.
    explicit InFolder(const std::filesystem::path& folder);
    ~InFolder();
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    std::filesystem::path previous_;
};

}  // namespace ondra::test
