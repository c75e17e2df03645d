// The files of one run of the game: where it works (the data folder) and
// where its outputs go, the outputs it writes (written through a temporary
// file and a rename, so a failure never destroys the file they replace)
// and the files it reads, which no output may replace.
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
// picture the map names or the game takes from the data folder, and the
// textures those models name, as paths
// from the working directory (the data folder).
std::vector<std::string> RunInputs(const std::string& mapFile, const std::string& scriptFile);

// Why the run's outputs cannot be written as asked: one would replace an
// input, or two outputs name one file. Empty when they can.
std::string OutputConflict(const GameOptions& options, const std::vector<std::string>& inputs);

// Why an output could not be written at the end of the run, found before
// it starts, so that a whole session is not played for nothing: its folder
// is missing or no folder or may not be written in, or the file is a
// folder or may not be written. "--record FILE: REASON"; empty when each
// output may be written as far as can be told (devices and FIFOs are
// found out only by writing them).
std::string UnwritableOutput(const GameOptions& options);

// A path the user gave, made absolute from the working folder: paths on
// the command line are meant from where the program was started, not from
// the data folder it then works in. Empty stays empty, and a path that
// cannot be made absolute is kept as given.
std::string FromHere(const std::string& path);

// Makes the output and script paths absolute from the working folder and
// sets the folder F12 saves pictures in to it: the data folder may be
// read-only (an installed game). If the working folder has been deleted,
// F12 falls back on the data folder (pictureDir stays empty), and relative
// outputs, having nowhere to go, fail with the reason in `error`.
bool PlaceOutputs(GameOptions& options, std::string& error);

// Finds the data folder (FindDataDir) and makes it the working folder;
// false with the folders searched in `error` when there is none.
bool EnterDataDir(const GameOptions& options, std::string& dataDir, std::string& error);
