// A layer checker's fixture: the level reaching up into the objects.
#pragma once

#include "game/objects/thing.h"
