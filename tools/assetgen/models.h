// The game's models, one writer per model family. Each is authored in the
// frame and at the size in which the game places and scales it.
#pragma once

#include "tools/assetgen/output_folder.h"

#include <string>
#include <vector>

namespace assetgen {

void WriteSurfaceModel(OutputFolder& out);     // surface.3DS
void WriteArmModels(OutputFolder& out);        // armgun.3DS, armtorch.3DS
void WriteRackModels(OutputFolder& out);       // rack.3DS, fullrack.3DS
void WriteToolboxModels(OutputFolder& out);    // toolbox.3DS, emptybox.3DS
void WriteMedikitModels(OutputFolder& out);    // medikit.3DS, emptykit.3DS
void WriteKeyModels(OutputFolder& out);        // one per key of the map
void WriteVorlaxModels(OutputFolder& out);     // vorlax.3DS, deadvorl.3DS
void WriteGeneratorModels(OutputFolder& out);  // genbase.3DS, gendead.3DS, gencore.3DS

void WriteAllModels(OutputFolder& out);

// Every model the map preloads: all but the planet surface, which the game
// loads by itself.
std::vector<std::string> MapModelNames();

}  // namespace assetgen
