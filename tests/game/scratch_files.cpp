// ScratchDir: temporary folders for test files.
#include "tests/game/scratch_files.h"

#include <cstdlib>
#include <filesystem>

#include "framework/image.h"

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "game-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) dir = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    if (!dir.empty()) std::filesystem::remove_all(dir, ignored);
}

bool ScratchDir::WriteImage(const std::string& fileName, int red, int green, int blue) const {
    ondra::Image image(4, 4, ondra::BGR);
    return image.Fill(red, green, blue) && image.Save(Path(fileName).c_str());
}
