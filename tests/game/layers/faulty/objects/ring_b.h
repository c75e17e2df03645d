// A layer checker's fixture: the other half of an include cycle, and an
// include that names its folder relatively.
#pragma once

#include "../hud.h"
#include "game/objects/ring_a.h"
