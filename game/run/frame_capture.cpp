// Saving frames as BMP pictures.
#include "game/run/frame_capture.h"

#include <GL/gl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "framework/image.h"
#include "game/core/counted.h"

void FrameCapture::Configure(std::vector<Screenshot> requested, std::string folder) {
    shots = std::move(requested);
    attempted.assign(shots.size(), false);
    pictureDir = std::move(folder);
}

void FrameCapture::SaveRequested(long frame, int width, int height) {
    for (size_t i = 0; i < shots.size(); ++i) {
        if (shots[i].frame != frame) continue;
        attempted[i] = true;
        if (!Save(shots[i].file, frame, width, height)) anyFailed = true;
    }
}

bool FrameCapture::Finish(long framesDrawn) const {
    bool allDrawn = true;
    for (size_t i = 0; i < shots.size(); ++i) {
        if (attempted[i]) continue;
        allDrawn = false;
        std::fprintf(stderr, "compound: --shot %ld:%s was not saved: the run ended after %s\n", shots[i].frame,
                     shots[i].file.c_str(), Counted(framesDrawn, "frame").c_str());
    }
    return allDrawn && !anyFailed;
}

void FrameCapture::SaveNumbered(long frame, int width, int height) const {
    for (int number = 1; number < 1000; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "compound-%03d.bmp", number);
        const std::string path = pictureDir.empty() ? name : pictureDir + "/" + name;
        std::error_code error;
        if (std::filesystem::exists(path, error)) continue;
        Save(path, frame, width, height);
        std::fprintf(stderr, "compound: saved %s\n", path.c_str());
        return;
    }
    std::fprintf(stderr, "compound: no free picture name left\n");
}

bool FrameCapture::Save(const std::string& path, long frame, int width, int height) {
    ondra::Image picture;
    glReadBuffer(GL_BACK);
    errno = 0;
    if (picture.ReadPixels(0, 0, width, height, ondra::BGR) && picture.Save(path.c_str())) return true;
    const int reason = errno;
    std::fprintf(stderr, "compound: could not save frame %ld as %s%s%s\n", frame, path.c_str(), reason ? ": " : "",
                 reason ? std::strerror(reason) : "");
    return false;
}
