// libFuzzer target for Model::Load: the input is handed over as a file,
// since the reader reads from a named file. The file lives in memory
// (memfd) so that runs do not touch the disk.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/load3ds/load_warnings.h"
#include "framework/load3ds/model.h"
#include "framework/load3ds/texture_names.h"

namespace {

int memoryFile = -1;
std::string memoryFileName;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The trace on standard output and the repair warnings are the same
    // for every input; only crashes and sanitizer reports matter here.
    if (!std::freopen("/dev/null", "w", stdout)) return 1;
    ondra::SetModelWarningStream(nullptr);
    memoryFile = memfd_create("fuzz_3ds", 0);
    if (memoryFile < 0) return 1;
    memoryFileName = "/proc/self/fd/" + std::to_string(memoryFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ftruncate(memoryFile, 0) != 0) return 0;
    if (size != 0 && pwrite(memoryFile, data, size, 0) != static_cast<ssize_t>(size)) return 0;

    // The quiet walk for texture names reads the same files.
    ondra::TextureFileNames(memoryFileName.c_str());
    ondra::Model model;
    if (model.Load(memoryFileName.c_str())) {
        // The queries walk every face, normal and vertex the load produced.
        model.GetVertexCount();
        model.GetVertex(0);
        model.GetTriangle(model.GetFaceCount() - 1);
        model.SetScale(2.0f);
    }
    return 0;
}
