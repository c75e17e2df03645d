// Saving frames as BMP pictures.
#include "game/frame_capture.h"

#include <GL/gl.h>

#include <cstdio>
#include <filesystem>

#include "framework/image.h"

void FrameCapture::Configure(std::vector<Screenshot> requested, std::string folder) {
    shots = std::move(requested);
    pictureDir = std::move(folder);
}

void FrameCapture::SaveRequested(long frame, int width, int height) const {
    for (const Screenshot& shot : shots)
        if (shot.frame == frame) Save(shot.file, frame, width, height);
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

void FrameCapture::Save(const std::string& path, long frame, int width, int height) {
    ondra::Image picture;
    glReadBuffer(GL_BACK);
    if (!picture.ReadPixels(0, 0, width, height, ondra::BGR) || !picture.Save(path.c_str()))
        std::fprintf(stderr, "compound: could not save frame %ld as %s\n", frame, path.c_str());
}
