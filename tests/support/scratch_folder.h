// Test support: a private temporary folder for the files a test writes,
// removed with everything in it when the test is done.
#pragma once

#include <string>
#include <vector>

namespace ondra::test {

class ScratchFolder {
public:
    // A new folder of its own under the system's temporary folder, so that
    // tests running at the same time never share a file. Throws when none
    // can be made: the test then fails instead of writing elsewhere.
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Sorted, so that a leftover file shows up in a comparison.
    std::vector<std::string> Names() const;
    // A 4 x 4 picture of one colour, saved as a BMP whatever the name says.
    bool WriteImage(const std::string& name, int red, int green, int blue) const;

private:
    std::string path_;
};

}  // namespace ondra::test
