// The state report of a run: one line per object of the world, in the
// order of the groups and with children after their parent, each a kind
// word and name=value fields. Scripted runs write it so tests and level
// designers can see what a run did.
#pragma once

#include <string>
#include <vector>

class CObject;

// "frame N" and then a line for every object under each group root.
std::string StateReport(long frame, const std::vector<const CObject*>& groups);
