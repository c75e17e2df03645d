// The GL lights the game's lighting is fixed to: the map's lamps share the
// first ones, and each of the last three has one job. Whoever sets up,
// moves, lights or reads one of these names it here.
#pragma once

#include <GL/gl.h>

#include "game/render/sun_place.h"

namespace gl_lights {

// Lamps take the GL lights from this one up, to just below the bolt light.
constexpr GLenum kFirstLamp = GL_LIGHT0;
// A fired bolt's glow, lit for a couple of frames from where it flies.
constexpr GLenum kBoltLight = GL_LIGHT5;
// The flashlight's spot, at the player's hand, shining where the view looks.
constexpr GLenum kFlashlight = GL_LIGHT6;
// The sun over the level, always on.
constexpr GLenum kSun = GL_LIGHT7;

// The sun stands in the world at kSunPosition (sun_place.h), placed after
// the camera each frame so it stays put as the view moves. Until the first
// frame places it, it stands here, in eye space: the frame draws the planet
// surface before it places the sun, so the first frame's surface is lit
// from here, and each later one from where the frame before left the sun.
constexpr float kSunStartPosition[4] = {-80.0f, 80.0f, 80.0f, 1.0f};
// Its grey on the surface, where every run starts; it dims down the ramp.
constexpr float kSunBrightness = 0.3f;

// The flashlight's colour: its ambient, diffuse and specular alike.
constexpr float kFlashlightColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};

}  // namespace gl_lights
