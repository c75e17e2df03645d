// The tileable 256 x 256 pictures on the compound's walls, floors, ceilings
// and doors. Between them they use every image format the game reads:
// JPEG, 24-bit BMP, 8-bit paletted BMP and run-length encoded TGA.
#pragma once

#include "tools/assetgen/output_folder.h"

namespace assetgen {

void WriteLevelTextures(OutputFolder& out);

// Painters, exposed so previews and tests can look at single pictures.
Canvas PaintWallPanel();
Canvas PaintWallPipes();
Canvas PaintWallHazard();
Canvas PaintFloorPlate();
Canvas PaintFloorGrate();  // painted in one tone; saved through a palette ramp
Canvas PaintCeilingLights();
Canvas PaintCeilingPlain();
Canvas PaintDoorLocked();
Canvas PaintDoorSliding();

}  // namespace assetgen
