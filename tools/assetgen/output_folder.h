// OutputFolder: where the generated files go. Each Save call encodes one
// file into the folder, reports a failure on standard error and remembers
// it, so the program can finish writing what it can and still exit non-zero.
#pragma once

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/file_bytes.h"
#include "tools/assetgen/palette_ramp.h"

#include "framework/audio/sound_clip.h"

#include <string>

namespace assetgen {

enum class TgaCompression { kNone, kRunLength };

class OutputFolder {
public:
    explicit OutputFolder(std::string path);

    std::string PathOf(const std::string& name) const;

    void SaveJpeg(const std::string& name, const Canvas& canvas, int quality = 90);
    void SaveBmp24(const std::string& name, const Canvas& canvas);
    void SaveBmp8(const std::string& name, const PalettedImage& image);
    // 32-bit when withAlpha, else 24-bit.
    void SaveTga(const std::string& name, const Canvas& canvas, bool withAlpha, TgaCompression compression);
    void SaveText(const std::string& name, const std::string& text);
    // A WAV file, replaced only once the new one is complete.
    void SaveSound(const std::string& name, const ondra::SoundClip& clip);

    // Records the outcome of a file written by other means.
    void Report(const std::string& name, bool written);

    bool AllWritten() const { return failures == 0; }

private:
    // No bytes stand for a picture the encoder refused.
    void SaveBytes(const std::string& name, const Bytes& bytes);

    std::string path;
    int failures = 0;
};

}  // namespace assetgen
