// Effect pictures: glows on black for the additively blended billboards
// (bolt flare, flame, muzzle flash, red projectile, the generator's storm
// and lightning), as 128 x 128 JPEGs whose borders are black.
#pragma once

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/output_folder.h"

#include <string>
#include <vector>

namespace assetgen {

void WriteEffectImages(OutputFolder& out);
std::vector<std::string> EffectImageNames();

Canvas PaintFlare();
Canvas PaintFlame();
Canvas PaintGunFlare();
Canvas PaintRedFlare();
Canvas PaintStorm();
Canvas PaintLightning();

}  // namespace assetgen
