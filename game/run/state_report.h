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

// Writes the report to `path` through a temporary file and a rename, so a
// failed write keeps the old report; says why on standard error when it
// cannot.
bool SaveStateReport(const std::string& path, long frame, const std::vector<const CObject*>& groups);
