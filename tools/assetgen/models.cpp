// The list of models and the order they are written in.
#include "tools/assetgen/models.h"

#include "game/level_file/asset_names.h"
#include "tools/assetgen/asset_names.h"

namespace assetgen {

void WriteAllModels(OutputFolder& out)
{
    WriteSurfaceModel(out);
    WriteArmModels(out);
    WriteRackModels(out);
    WriteToolboxModels(out);
    WriteMedikitModels(out);
    WriteKeyModels(out);
    WriteVorlaxModels(out);
    WriteGeneratorModels(out);
}

std::vector<std::string> MapModelNames()
{
    using namespace game_assets;
    return {kGunArm, kTorchArm, kEmptyRack, kFullRack, kToolBox,
            kEmptyToolBox, kMedikit, kEmptyMedikit, kVorlax, kDeadVorlax,
            kGeneratorBase, kGeneratorWreck, kGeneratorCore, names::kRedKey, names::kBlueKey};
}

}  // namespace assetgen
