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
#include <system_error>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen <output folder>\n");
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
