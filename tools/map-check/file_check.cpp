// Reading the map's files with the game's readers, their output caught.
#include "tools/map-check/file_check.h"

#include <cstdio>
#include <cstring>
#include <sstream>
#include <system_error>

#include "framework/image.h"
#include "framework/load3ds/model.h"

namespace mapcheck {

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

}  // namespace

WorkingDirectory::WorkingDirectory(const std::string& dir) {
    std::error_code error;
    previous = std::filesystem::current_path(error);
    if (error) return;
    std::filesystem::current_path(dir, error);
    entered = !error;
}

WorkingDirectory::~WorkingDirectory() {
    if (!entered) return;
    std::error_code error;
    std::filesystem::current_path(previous, error);
    if (error)
        std::fprintf(stderr, "map-check: cannot return to the working directory: %s\n", error.message().c_str());
}

bool FileCheck::Enter(const std::string& dataDir) {
    dir = dataDir.empty() ? "." : dataDir;
    std::error_code error;
    return std::filesystem::is_directory(dir, error);
}

namespace {

// Whether the file is there; a name that is there but no regular file is
// left to the readers, which refuse it and say why.
bool Exists(const std::string& name) {
    std::error_code error;
    return std::filesystem::exists(name, error);
}

}  // namespace

FileResult FileCheck::Image(const std::string& name) {
    const auto known = images.find(dir + "/" + name);
    if (known != images.end()) return known->second;
    FileResult result;
    WorkingDirectory here(dir);
    if (here.Entered()) {
        result.exists = Exists(name);
        if (result.exists) {
            CaughtOutput caught;
            ondra::Image image;
            result.loads = image.Load(name.c_str(), result.whyNot);
        }
    }
    images[dir + "/" + name] = result;
    return result;
}

FileResult FileCheck::Model(const std::string& name) {
    const auto known = models.find(dir + "/" + name);
    if (known != models.end()) return known->second;
    FileResult result;
    WorkingDirectory here(dir);
    if (here.Entered()) {
        result.exists = Exists(name);
        if (result.exists) {
            std::string out, err;
            {
                CaughtOutput caught;
                ondra::Model model;
                result.loads = model.Load(name.c_str());
                caught.Release(out, err);
            }
            std::istringstream outLines(out);
            for (std::string line; std::getline(outLines, line);) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (StartsWith(line, "3ds: bad file header")) result.whyNot = "not a 3DS file (bad file header)";
                const char* const kNoTexture = "warning: Unable to load texture ";
                if (StartsWith(line, kNoTexture))
                    result.notes.push_back("its texture " + line.substr(std::strlen(kNoTexture)) + " does not load");
            }
            std::istringstream errLines(err);
            for (std::string line; std::getline(errLines, line);) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (StartsWith(line, "3ds: ")) line.erase(0, 5);
                if (!line.empty()) result.notes.push_back("the 3DS reader says: " + line);
            }
            if (!result.loads && result.whyNot.empty()) result.whyNot = "the 3DS reader cannot open it";
        }
    }
    models[dir + "/" + name] = result;
    return result;
}

}  // namespace mapcheck
