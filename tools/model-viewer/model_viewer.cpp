// model-viewer: shows a .3DS model the way the game draws it, for level
// designers checking their models.
//   model-viewer FILE.3DS [--mode N] [--screenshot OUT.bmp]
//   model-viewer --info FILE.3DS
// Loading prints the reader's trace and dump. Texture files are looked up
// next to the model, as the game looks them up next to itself.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "framework/platform/regular_file.h"
#include "framework/load3ds/model.h"
#include "framework/main.h"
#include "framework/standard_output.h"
#include "tools/model-viewer/viewer_options.h"
#include "tools/model-viewer/viewer_window.h"

namespace {

using namespace ondra;

class ViewerApp : public App {
public:
    ViewerApp(Model& model, const viewer::Options& options, const std::string& screenshot)
        : window(model, std::filesystem::path(options.modelPath).filename().string(), options.mode, screenshot) {}

    viewer::ViewerWindow window;
};

// Why the model did not load: a file that cannot be opened says so with
// the system's reason; one that opens is no 3DS model the reader takes.
void ReportUnloaded(const std::string& given, const std::string& path) {
    std::fflush(stdout);
    errno = 0;
    std::FILE* file = platform::OpenRegularFile(path.c_str());
    const int reason = errno;
    if (file) {
        std::fclose(file);
        std::fprintf(stderr, "model-viewer: %s is not a 3DS model it can read\n", given.c_str());
        return;
    }
    const char* why = reason == EISDIR ? "it is a directory" : reason == EINVAL ? "it is not a regular file"
                                                                                : std::strerror(reason);
    std::fprintf(stderr, "model-viewer: cannot read %s: %s\n", given.c_str(), why);
}

}  // namespace

int main(int argc, char** argv) {
    viewer::Options options;
    std::string error;
    if (!viewer::ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "model-viewer: %s\n%s", error.c_str(), viewer::Usage());
        return 2;
    }
    if (options.help) {
        std::fputs(viewer::Usage(), stdout);
        return StandardOutputWritten("model-viewer") ? 0 : 1;
    }

    // Paths from the command line are taken before moving next to the model.
    namespace fs = std::filesystem;
    std::error_code ignored;
    const fs::path modelPath = fs::absolute(options.modelPath, ignored);
    const std::string screenshot =
        options.screenshotPath.empty() ? "" : fs::absolute(options.screenshotPath, ignored).string();
    std::error_code notEntered;
    if (modelPath.has_parent_path()) fs::current_path(modelPath.parent_path(), notEntered);
    if (notEntered) std::fprintf(stderr, "model-viewer: cannot enter %s\n", modelPath.parent_path().string().c_str());

    Model model;
    const bool loaded = model.Load(modelPath.string().c_str());
    if (!loaded) ReportUnloaded(options.modelPath, modelPath.string());
    if (!loaded) return 1;
    // The trace and dump are what --info is for.
    if (!StandardOutputWritten("model-viewer")) return 1;
    if (options.infoOnly) return 0;

    Main::Instance()->SetConsole(true);
    ViewerApp app(model, options, screenshot);
    const int status = Main::Instance()->Execute(argc, argv);
    std::fflush(stdout);
    if (app.window.ScreenshotFailed()) return 1;
    return status;
}
