// Pictures the models' materials name: the planet's ground and the ramp's
// concrete, the creature's skin, the medikit label and the tool box paint.
#pragma once

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/output_folder.h"

namespace assetgen {

void WriteModelTextures(OutputFolder& out);

Canvas PaintGround();
Canvas PaintConcrete();
Canvas PaintVorlaxSkin();
Canvas PaintMedikitLabel();
Canvas PaintToolboxPaint();

}  // namespace assetgen
