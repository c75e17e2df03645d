// Facing: the side of a block something stands on or hangs from. Doors,
// wall-mounted pickups and the map's side words share these codes.
#pragma once

enum Facing { kFacingWest = 0, kFacingEast = 1, kFacingNorth = 2, kFacingSouth = 3 };
