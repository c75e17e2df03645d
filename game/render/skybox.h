// Skybox: the textured cube around the whole world, 200 units on a side and
// centred on the world origin (not on the viewer), drawn unlit.
#pragma once

class Skybox {
public:
    // Half the cube's side: its faces stand this far from the origin.
    static constexpr float kHalfSide = 100.0f;

    // Draws the six faces, each with its own texture, then turns lighting
    // back on. Texturing stays enabled.
    void Draw() const;

    // GL texture names of the faces as they stand in the world: west at
    // x = -100, east at x = 100, north at z = -100, south at z = 100.
    unsigned int west = 0;
    unsigned int east = 0;
    unsigned int top = 0;
    unsigned int bottom = 0;
    unsigned int north = 0;
    unsigned int south = 0;
};
