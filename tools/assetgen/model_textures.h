// Pictures the models' materials name: the planet's ground and the ramp's
// concrete, the creature's skin, the medikit label and the tool box paint.
#pragma once

#include "canvas.h"
#include "output_folder.h"

namespace assetgen {

void WriteModelTextures(OutputFolder& out);

Canvas PaintGround();
Canvas PaintConcrete();
Canvas PaintVorlaxSkin();
Canvas PaintMedikitLabel();
Canvas PaintToolboxPaint();

}  // namespace assetgen
