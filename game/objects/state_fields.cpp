// Writing a state report line's numbers, flags and places.
#include "game/objects/state_fields.h"

#include <cstdio>

std::string StateNumber(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(value));
    std::string result = text;
    if (result == "-0.000") result = "0.000";
    return result;
}

std::string StateFlag(bool value) { return value ? "1" : "0"; }

std::string StatePosition(const Vector3& p) {
    return " x=" + StateNumber(p.x) + " y=" + StateNumber(p.y) + " z=" + StateNumber(p.z);
}

std::string StateTriple(const Vector3& p) {
    return StateNumber(p.x) + "," + StateNumber(p.y) + "," + StateNumber(p.z);
}
