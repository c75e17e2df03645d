// The six 512 x 512 JPEG faces of the sky cube: a dark sky with stars, a
// faint nebula, the sun and a large banded planet. Every pixel is coloured
// by the world direction it is seen in, so the faces meet without seams.
#pragma once

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/output_folder.h"
#include "tools/assetgen/vector_math.h"

namespace assetgen {

// Face files in the order the map's skybox entry lists them: west, east,
// top, bottom, north, south.
extern const char* const kSkyFaceNames[6];

void WriteSkybox(OutputFolder& out);

// The sky colour seen along a world direction (normalised).
Color SkyColor(Vector3 direction);

// The world direction at texture coordinates (u, v) of face index 0..5
// (order as kSkyFaceNames), with the cube drawn the way the game draws it.
Vector3 SkyDirection(int face, float u, float v);

}  // namespace assetgen
