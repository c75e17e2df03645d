// The pieces of a state report line: how numbers, flags and places are
// written, so every kind writes its fields alike.
#pragma once

#include <string>

#include "game/core/vector3.h"

// With three decimals; "-0.000" would make equal states read differently,
// so it is written 0.000.
std::string StateNumber(float value);
std::string StateFlag(bool value);
// " x=... y=... z=...".
std::string StatePosition(const Vector3& p);
// "x,y,z".
std::string StateTriple(const Vector3& p);
