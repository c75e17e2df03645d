// Decoding a 1024 x 1024 picture through Image::Load as 24-bit BMP, RLE
// TGA and JPEG, each against its baseline: reading the file into memory
// for BMP and TGA, and libjpeg-turbo decoding the file on its own for JPEG.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <jpeglib.h>

#include "bench/support/quiet_stdout.h"
#include "framework/image.h"
#include "framework/image/encoders/image_encoders.h"

namespace {

using namespace ondra;

constexpr int kSize = 1024;

// Something like a game texture: flat panels, gradients and fine detail,
// so run-length packets of both kinds and real JPEG work appear.
Image Picture() {
    Image image(kSize, kSize, BGR);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const int panel = (x / 128 + y / 128) % 3;
            if (panel == 0) image.SetPixel(x, y, 90, 96, 110);
            else if (panel == 1) image.SetPixel(x, y, x / 4, y / 4, 128);
            else image.SetPixel(x, y, (x * 7 ^ y * 13) & 0xFF, (x ^ y) & 0x3F, 60);
        }
    return image;
}

struct Files {
    std::string folder, bmp, tga, jpeg;
    Files() {
        folder = (std::filesystem::temp_directory_path() / "ondra-image-bench").string();
        std::filesystem::create_directories(folder);
        bmp = folder + "/picture.bmp";
        tga = folder + "/picture.tga";
        jpeg = folder + "/picture.jpg";
        const Image picture = Picture();
        picture.Save(bmp.c_str());
        encoders::TgaOptions rle;
        rle.runLength = true;
        encoders::WriteFile(tga, encoders::EncodeTga(picture, rle));
        encoders::WriteFile(jpeg, encoders::EncodeJpeg(picture, 90, false));
    }
    ~Files() { std::filesystem::remove_all(folder); }
};

const Files& TheFiles() {
    static const Files files;
    return files;
}

// The BMP reader reports every load on standard output; keep it off the
// benchmark's report while timing.
using ondra::bench::QuietStdout;

std::unique_ptr<std::uint8_t[]> ReadWholeFile(const std::string& path, long& size) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::fseek(file, 0, SEEK_END);
    size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[std::size_t(size)]);
    if (std::fread(bytes.get(), 1, std::size_t(size), file) != std::size_t(size)) std::abort();
    std::fclose(file);
    return bytes;
}

void ReadFileBaseline(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        long size = 0;
        auto bytes = ReadWholeFile(path, size);
        benchmark::DoNotOptimize(bytes.get());
    }
}

void LoadThroughImage(benchmark::State& state, const std::string& path) {
    QuietStdout quiet;
    for (auto _ : state) {
        Image image;
        if (!image.Load(path.c_str())) std::abort();
        benchmark::DoNotOptimize(image.GetData());
    }
}

void BM_Bmp_ReadFile(benchmark::State& state) { ReadFileBaseline(state, TheFiles().bmp); }
void BM_Bmp_Load(benchmark::State& state) { LoadThroughImage(state, TheFiles().bmp); }
void BM_TgaRle_ReadFile(benchmark::State& state) { ReadFileBaseline(state, TheFiles().tga); }
void BM_TgaRle_Load(benchmark::State& state) { LoadThroughImage(state, TheFiles().tga); }

// libjpeg-turbo alone: the file read into memory and decoded to RGB rows.
void BM_Jpeg_Libjpeg(benchmark::State& state) {
    for (auto _ : state) {
        long size = 0;
        auto bytes = ReadWholeFile(TheFiles().jpeg, size);
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr errors;
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, bytes.get(), static_cast<unsigned long>(size));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&cinfo);
        const std::size_t rowBytes = std::size_t(cinfo.output_width) * 3;
        std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[rowBytes * cinfo.output_height]);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.get() + rowBytes * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.get());
    }
}
void BM_Jpeg_Load(benchmark::State& state) { LoadThroughImage(state, TheFiles().jpeg); }

BENCHMARK(BM_Bmp_ReadFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Bmp_Load)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TgaRle_ReadFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TgaRle_Load)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Jpeg_Libjpeg)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Jpeg_Load)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
