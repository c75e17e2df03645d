// ScratchFolder: a private temporary folder, emptied and removed on
// destruction.
#include "tests/support/scratch_folder.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "framework/image.h"
#include "framework/platform/temporary_folder.h"

namespace ondra::test {

ScratchFolder::ScratchFolder() {
    std::string error;
    path_ = platform::MakeTemporaryFolder("ondra-test-", error);
    if (path_.empty()) throw std::runtime_error("cannot make a scratch folder " + error);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool ScratchFolder::WriteImage(const std::string& name, int red, int green, int blue) const {
    Image image(4, 4, BGR);
    return image.Fill(red, green, blue) && image.Save(File(name).c_str());
}

}  // namespace ondra::test
