// The HUD panels: 32-bit TGA pictures with alpha, mostly transparent, laid
// over the upper and lower halves of the view. The upper ones show health
// (hudU.tga for none, hudU1.tga to hudU5.tga) and frame the ammunition
// count; the lower ones frame the medikit and key counts and light the
// icons of what the player carries (hudL, hudLKey, hudLMed, hudLBoth).
#pragma once

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/output_folder.h"

#include <string>
#include <vector>

namespace assetgen {

void WriteHudImages(OutputFolder& out);
std::vector<std::string> HudImageNames();

Canvas PaintUpperHud(int health);
Canvas PaintLowerHud(bool hasKey, bool hasMedikit);

// Where a point of a square game window lands on a panel picture. The
// window point is given in pixels from the window centre (y up) for a
// 512 x 512 window; the result is in canvas pixels (row 0 at the top).
struct PanelPoint {
    float x;
    float y;
};
PanelPoint UpperPanelPoint(float screenX, float screenY);
PanelPoint LowerPanelPoint(float screenX, float screenY);

}  // namespace assetgen
