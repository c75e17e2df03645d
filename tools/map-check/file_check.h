// FileCheck: whether a file the map names exists in the data folder and
// loads with the game's own readers: ondra::Image::Load for pictures, the
// 3DS reader (ondra::Model::Load) for models. Neither needs a GL context:
// they only read files into memory. The game's texture cache needs one (it
// uploads every picture), so it is not used here; Image::Load is the
// reading half of its Load.
//
// The readers print traces on standard output (the 3DS reader's chunk
// trace and dump, the BMP reader's lines) and repairs on standard error.
// While a file is read both are caught and kept apart from map-check's own
// output; what they said about a model's textures and damage becomes part
// of the result.
//
// The game reads every name relative to its data folder, its working
// directory (models' texture names too), so the checks run with the data
// folder as the working directory and go back afterwards.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "framework/platform/caught_output.h"

namespace mapcheck {

using ondra::platform::CaughtOutput;

struct FileResult {
    bool exists = false;
    bool loads = false;
    std::string whyNot;  // when it does not load
    // Models: what the reader reported about a model that loaded: textures
    // it could not read, data it had to repair.
    std::vector<std::string> notes;
};

class FileCheck {
public:
    // Sets the folder names are looked up in; false when it is no folder.
    bool Enter(const std::string& dataDir);
    FileResult Image(const std::string& name);
    FileResult Model(const std::string& name);

private:
    std::string dir;
    // By folder and name, so that one FileCheck can serve several folders.
    std::map<std::string, FileResult> images;
    std::map<std::string, FileResult> models;
};

// The working directory set for as long as the object lives.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& dir);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;
    bool Entered() const { return entered; }

private:
    std::filesystem::path previous;
    bool entered = false;
};

}  // namespace mapcheck
