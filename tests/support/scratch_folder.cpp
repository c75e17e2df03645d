// ScratchFolder: made with mkdtemp, emptied and removed on destruction.
#include "tests/support/scratch_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "framework/image.h"

namespace ondra::test {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ondra-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch folder " + pattern + ": " + std::strerror(errno));
    path_ = pattern;
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
