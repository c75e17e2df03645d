// Where the sun stands over the level, in world units (w = 1: a point
// light far away). The frame places the sun's GL light there, and the asset
// generator paints the sky's sunlit side from the same direction, so the
// light and the picture agree. No GL here, so the generator can ask too.
#pragma once

namespace gl_lights {

constexpr float kSunPosition[4] = {-40.0f, 80.0f, -80.0f, 1.0f};

}  // namespace gl_lights
