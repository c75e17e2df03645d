// FramePhase: the phases of one frame of the game, in frame order. The
// frame marks the end of each; a timedemo's breakdown (PhaseTimes) names
// and times them. The run owns the names so its clock can set up the
// breakdown without knowing the frame that fills it.
#pragma once

#include <vector>

enum class FramePhase { kView, kSurface, kWorldStep, kLamps, kSky, kLevel, kDoors, kPickups, kCreatures, kPlayer, kSwap };

// One name per phase, in the order above.
inline std::vector<const char*> FramePhaseNames() {
    return {"clear and view", "surface", "collisions and updates", "lamps", "sky", "level", "doors",
            "pickups",        "creatures", "player and HUD",         "swap"};
}
