// The list of models and the order they are written in.
#include "models.h"

#include "asset_names.h"

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
    return {"armgun.3DS",  "armtorch.3DS", "rack.3DS",    "fullrack.3DS", "toolbox.3DS",
            "emptybox.3DS", "medikit.3DS", "emptykit.3DS", "vorlax.3DS",  "deadvorl.3DS",
            "genbase.3DS",  "gendead.3DS", "gencore.3DS", names::kRedKey, names::kBlueKey};
}

}  // namespace assetgen
