// Test helper: a private temporary folder for files a test writes, removed
// with everything in it when the test is done.
#pragma once

#include <string>

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string Path(const std::string& fileName) const { return dir + "/" + fileName; }
    // A 4 x 4 picture of one colour, saved as a BMP whatever the name says.
    bool WriteImage(const std::string& fileName, int red, int green, int blue) const;

private:
    std::string dir;
};
