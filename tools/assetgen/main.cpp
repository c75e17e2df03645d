// assetgen: writes the game's complete data (models, textures, sky, HUD,
// effect images, sounds, the level map and the desktop icon) into the folder named
// on the command line. Everything is generated from fixed seeds, so every run produces the
// same bytes.
#include "tools/assetgen/compound_layout.h"
#include "tools/assetgen/effect_images.h"
#include "tools/assetgen/hud_images.h"
#include "tools/assetgen/icon.h"
#include "tools/assetgen/level_textures.h"
#include "tools/assetgen/map_writer.h"
#include "tools/assetgen/model_textures.h"
#include "tools/assetgen/models.h"
#include "tools/assetgen/output_folder.h"
#include "tools/assetgen/skybox.h"
#include "tools/assetgen/sounds.h"

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>

#include "framework/standard_output.h"

namespace {

constexpr const char* kUsage = "usage: assetgen <output folder>";

}  // namespace

int main(int argc, char** argv)
{
    const std::string first = argc == 2 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::printf("%s\nwrites the game's data (models, textures, sounds, map.txt) into the folder\n", kUsage);
        return ondra::StandardOutputWritten("assetgen") ? 0 : 1;
    }
    // An option it does not know is not taken for a folder to fill.
    if (argc != 2 || first.empty() || first[0] == '-') {
        if (argc == 2 && !first.empty()) std::fprintf(stderr, "assetgen: unknown option %s\n", argv[1]);
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (error) {
        std::fprintf(stderr, "assetgen: cannot create %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    assetgen::OutputFolder out(argv[1]);
    assetgen::WriteLevelTextures(out);
    assetgen::WriteSkybox(out);
    assetgen::WriteHudImages(out);
    assetgen::WriteEffectImages(out);
    assetgen::WriteModelTextures(out);
    assetgen::WriteAllModels(out);
    assetgen::WriteIcon(out);
    assetgen::WriteSounds(out);

    assetgen::MapPreloads preloads;
    preloads.skybox.assign(std::begin(assetgen::kSkyFaceNames), std::end(assetgen::kSkyFaceNames));
    preloads.models = assetgen::MapModelNames();
    preloads.hud = assetgen::HudImageNames();
    preloads.fx = assetgen::EffectImageNames();
    out.SaveText("map.txt", assetgen::MapText(assetgen::CompoundLayout(), preloads));
    return out.AllWritten() ? 0 : 1;
}
