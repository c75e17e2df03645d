// The files of one map-check run: the map, read without ever blocking on or
// reading without end from what is not a regular file (a FIFO, a device
// such as /dev/zero, a folder), and the files the run reads, which its
// outputs must never replace.
#pragma once

#include <string>
#include <vector>

#include "tools/map-check/map_model.h"

namespace mapcheck {

// The whole map file into `text`; false with the reason in `whyNot` ("it is
// a directory, not a file", "No such file or directory", ...).
bool ReadMapFile(const std::string& path, std::string& text, std::string& whyNot);

// The files a check of the map reads: the map, the planet surface's model
// in `dataDir`, then every file the map names as it is found there, then
// the pictures its models name (with the names the 3DS reader tries in
// their place).
std::vector<std::string> InputsOf(const std::string& mapPath, const MapModel& model, const std::string& dataDir);

}  // namespace mapcheck
