// Reading the map safely, and the inputs an output must not replace.
#include "tools/map-check/map_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "framework/load3ds/model.h"
#include "framework/load3ds/model_ex.h"
#include "tools/map-check/file_check.h"
#include "tools/map-check/map_check.h"

namespace mapcheck {

namespace {

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

bool ReadAll(int fd, std::string& text, std::string& whyNot) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            whyNot = std::strerror(errno);
            return false;
        }
        if (n == 0) return true;
        text.append(buffer, static_cast<size_t>(n));
    }
}

// The pictures a model's materials name, with the names the 3DS reader
// tries in their place, as it reads them: relative to the data folder.
std::vector<std::string> TexturesOf(const std::string& dataDir, const std::string& modelName) {
    std::vector<std::string> names;
    WorkingDirectory here(dataDir);
    if (!here.Entered()) return names;
    ondra::Model model;
    {
        CaughtOutput quiet;
        if (!model.Load(modelName.c_str())) return names;
    }
    for (const ondra::Material& material : model.GetData().materials) {
        const std::string& name = material.textureName;
        if (name.empty()) continue;
        names.push_back(name);
        const size_t dot = name.rfind('.');
        if (dot == std::string::npos) continue;
        std::string flattened = name;
        flattened[dot] = '_';
        names.push_back(flattened + ".jpg");
        names.push_back(name.substr(0, dot) + ".jpg");
    }
    return names;
}

}  // namespace

bool ReadMapFile(const std::string& path, std::string& text, std::string& whyNot) {
    text.clear();
    // O_NONBLOCK keeps the open from waiting for a FIFO's writer; what was
    // opened is known only after fstat.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        whyNot = std::strerror(errno);
        return false;
    }
    struct stat info;
    bool ok = fstat(fd, &info) == 0;
    if (!ok)
        whyNot = std::strerror(errno);
    else if (!S_ISREG(info.st_mode))
        whyNot = std::string("it is ") + KindOf(info.st_mode) + ", not a map file";
    ok = ok && S_ISREG(info.st_mode) && ReadAll(fd, text, whyNot);
    close(fd);
    return ok;
}

std::vector<std::string> InputsOf(const std::string& mapPath, const MapModel& model, const std::string& dataDir) {
    std::vector<std::string> inputs = {mapPath, dataDir + "/" + kSurfaceModel};
    std::vector<std::string> models = {kSurfaceModel};
    for (const FileMention& file : model.Files()) {
        inputs.push_back(dataDir + "/" + file.name);
        if (file.kind == FileMention::kModel) models.push_back(file.name);
    }
    for (const std::string& name : models)
        for (const std::string& texture : TexturesOf(dataDir, name)) inputs.push_back(dataDir + "/" + texture);
    return inputs;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace mapcheck
