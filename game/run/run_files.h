// The files of one run of the game: the outputs it writes (written through
// a temporary file and a rename, so a failure never destroys the file they
// replace) and the files it reads, which no output may replace.
#pragma once

#include <string>
#include <vector>

#include "game/run/options.h"

// Writes `text` as the whole of `path`, replacing the file only once the
// new one is complete. A FIFO nobody reads fails at once instead of
// waiting; a device is written in place, and the file standard output
// goes to (/dev/stdout) is added to through it.
bool WriteTextReplacing(const std::string& path, const std::string& text);

// The files a run reads: the map, the script (if any) and every model and
// picture the map names or the game takes from the data folder, as paths
// from the working directory (the data folder).
std::vector<std::string> RunInputs(const std::string& mapFile, const std::string& scriptFile);

// Why the run's outputs cannot be written as asked: one would replace an
// input, or two outputs name one file. Empty when they can.
std::string OutputConflict(const GameOptions& options, const std::vector<std::string>& inputs);
