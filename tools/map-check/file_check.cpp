// Reading the map's files with the game's readers, their output caught.
#include "tools/map-check/file_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <sstream>

#include "framework/image.h"
#include "framework/load3ds/model.h"

namespace mapcheck {

namespace {

std::string ReadAll(int fd) {
    std::string text;
    if (fd < 0 || lseek(fd, 0, SEEK_SET) < 0) return text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

int TemporaryFile() {
    char path[] = "/tmp/map-check-XXXXXX";
    const int fd = mkstemp(path);
    if (fd >= 0) unlink(path);
    return fd;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

}  // namespace

CaughtOutput::CaughtOutput() {
    std::fflush(stdout);
    std::fflush(stderr);
    for (int stream = 0; stream < 2; ++stream) {
        const int fd = stream + 1;
        caught[stream] = TemporaryFile();
        if (caught[stream] < 0) continue;
        saved[stream] = dup(fd);
        if (saved[stream] < 0 || dup2(caught[stream], fd) < 0) {
            if (saved[stream] >= 0) close(saved[stream]);
            saved[stream] = -1;
        }
    }
}

void CaughtOutput::Release(std::string& out, std::string& err) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::string* texts[2] = {&out, &err};
    for (int stream = 0; stream < 2; ++stream) {
        if (saved[stream] >= 0) {
            dup2(saved[stream], stream + 1);
            close(saved[stream]);
            saved[stream] = -1;
        }
        if (caught[stream] >= 0) {
            *texts[stream] = ReadAll(caught[stream]);
            close(caught[stream]);
            caught[stream] = -1;
        }
    }
}

CaughtOutput::~CaughtOutput() {
    std::string out, err;
    Release(out, err);
}

WorkingDirectory::WorkingDirectory(const std::string& dir) {
    previous = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    entered = previous >= 0 && chdir(dir.c_str()) == 0;
}

WorkingDirectory::~WorkingDirectory() {
    if (previous < 0) return;
    if (entered && fchdir(previous) != 0) std::perror("map-check: cannot return to the working directory");
    close(previous);
}

bool FileCheck::Enter(const std::string& dataDir) {
    dir = dataDir.empty() ? "." : dataDir;
    struct stat status;
    return stat(dir.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

namespace {

// Whether the file is there; a name that is there but no regular file is
// left to the readers, which refuse it and say why.
bool Exists(const std::string& name) {
    struct stat status;
    return stat(name.c_str(), &status) == 0;
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
                if (StartsWith(line, "3ds: bad file header")) result.whyNot = "not a 3DS file (bad file header)";
                const char* const kNoTexture = "warning: Unable to load texture ";
                if (StartsWith(line, kNoTexture))
                    result.notes.push_back("its texture " + line.substr(std::strlen(kNoTexture)) + " does not load");
            }
            std::istringstream errLines(err);
            for (std::string line; std::getline(errLines, line);) {
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
