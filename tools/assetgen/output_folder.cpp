// File output for the generator, one call per file.
#include "tools/assetgen/output_folder.h"

#include "framework/audio/wav_writer.h"
#include "framework/image/encoders/image_encoders.h"

#include <cstdio>

namespace assetgen {

OutputFolder::OutputFolder(std::string path) : path(std::move(path)) {}

std::string OutputFolder::PathOf(const std::string& name) const { return path + "/" + name; }

void OutputFolder::Report(const std::string& name, bool written)
{
    if (!written) {
        std::fprintf(stderr, "assetgen: could not write %s\n", name.c_str());
        ++failures;
    }
}

void OutputFolder::SaveBytes(const std::string& name, const Bytes& bytes)
{
    Report(name, !bytes.empty() && WriteFileBytes(PathOf(name), bytes));
}

void OutputFolder::SaveJpeg(const std::string& name, const Canvas& canvas, int quality)
{
    std::string error;
    const Bytes bytes = ondra::encoders::EncodeJpeg(canvas.ToRgb(), quality, false, &error);
    if (!error.empty()) {
        std::fprintf(stderr, "assetgen: jpeg: %s\n", error.c_str());
    }
    SaveBytes(name, bytes);
}

void OutputFolder::SaveBmp24(const std::string& name, const Canvas& canvas)
{
    SaveBytes(name, ondra::encoders::EncodeBmp24(canvas.ToRgb()));
}

void OutputFolder::SaveBmp8(const std::string& name, const PalettedImage& image)
{
    SaveBytes(name, ondra::encoders::EncodeBmp8(image.indices, image.palette));
}

void OutputFolder::SaveTga(const std::string& name, const Canvas& canvas, bool withAlpha, TgaCompression compression)
{
    ondra::encoders::TgaOptions options;
    options.runLength = compression == TgaCompression::kRunLength;
    SaveBytes(name, ondra::encoders::EncodeTga(withAlpha ? canvas.ToRgba() : canvas.ToRgb(), options));
}

void OutputFolder::SaveText(const std::string& name, const std::string& text)
{
    Report(name, WriteFileBytes(PathOf(name), Bytes(text.begin(), text.end())));
}

void OutputFolder::SaveSound(const std::string& name, const ondra::SoundClip& clip)
{
    Report(name, !clip.samples.empty() && ondra::SaveWav(PathOf(name).c_str(), clip));
}

}  // namespace assetgen
