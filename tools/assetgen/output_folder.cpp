// File output for the generator, one call per file.
#include "output_folder.h"

#include "bmp_writer.h"
#include "file_bytes.h"
#include "jpeg_writer.h"

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

void OutputFolder::SaveJpeg(const std::string& name, const Canvas& canvas, int quality)
{
    Report(name, WriteJpeg(PathOf(name), canvas.ToRgb(), quality));
}

void OutputFolder::SaveBmp24(const std::string& name, const Canvas& canvas)
{
    Report(name, WriteBmp24(PathOf(name), canvas.ToRgb()));
}

void OutputFolder::SaveBmp8(const std::string& name, const PalettedImage& image)
{
    Report(name, WriteBmp8(PathOf(name), image));
}

void OutputFolder::SaveTga(const std::string& name, const Canvas& canvas, bool withAlpha, TgaCompression compression)
{
    Report(name, WriteTga(PathOf(name), withAlpha ? canvas.ToRgba() : canvas.ToRgb(), compression));
}

void OutputFolder::SaveText(const std::string& name, const std::string& text)
{
    Report(name, WriteFileBytes(PathOf(name), Bytes(text.begin(), text.end())));
}

}  // namespace assetgen
