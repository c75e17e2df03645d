// Reading the map safely, and the inputs an output must not replace.
#include "tools/map-check/map_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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
    for (const FileMention& file : model.Files()) inputs.push_back(dataDir + "/" + file.name);
    return inputs;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace mapcheck
