// FrameCapture: pictures of the game's frames. The run's --shot requests
// save the frames they name; F12 saves the frame as the first free
// compound-NNN.bmp in the picture folder. Both read the back buffer before
// it is shown. A --shot that could not be saved, or whose frame the run
// never drew, is a failed output of the run.
#pragma once

#include <string>
#include <vector>

#include "game/run/options.h"

class FrameCapture {
public:
    // The --shot requests, and the folder F12 saves in (empty: the working
    // directory).
    void Configure(std::vector<Screenshot> shots, std::string pictureDir);

    // Saves the pictures asked of frame `frame` of a width x height view.
    void SaveRequested(long frame, int width, int height);
    // F12: the first free numbered name, said on standard error.
    void SaveNumbered(long frame, int width, int height) const;
    // The run ended after `framesDrawn` frames: says which requested
    // frames it never drew. True when every request was saved.
    bool Finish(long framesDrawn) const;

private:
    static bool Save(const std::string& path, long frame, int width, int height);

    std::vector<Screenshot> shots;
    std::vector<bool> attempted;  // per shot: its frame came
    bool anyFailed = false;
    std::string pictureDir;
};
