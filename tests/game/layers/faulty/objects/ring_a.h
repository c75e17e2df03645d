// A layer checker's fixture: one half of an include cycle.
#pragma once

#include "game/objects/ring_b.h"
