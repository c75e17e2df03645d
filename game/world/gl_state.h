// The game's fixed GL state, set once when its context exists: depth test,
// blending function, smooth shading, back-face culling, the white material
// and the fixed lights (7 the sun, 5 the bolt's glow, 6 the flashlight's
// spot). Lamps 0 to 4 set their own lights when first lit.
#pragma once

void SetUpGameGl();
