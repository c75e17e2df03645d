// FrameTimes and PhaseTimes: the timedemo's record of how long each frame
// took on the real clock, optionally split into the frame's phases, and
// the summaries it prints when the run ends.
#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

struct FrameSummary {
    size_t frames = 0;
    double totalSeconds = 0.0;
    double framesPerSecond = 0.0;
    // Milliseconds.
    double min = 0.0, median = 0.0, percentile99 = 0.0, max = 0.0;
};

class FrameTimes {
public:
    // Room for this many frames, so recording does not allocate mid-run. A
    // run longer than a few hours of frames grows as its frames come
    // instead of claiming all its memory up front.
    void Reserve(size_t frames) { seconds.reserve(std::min(frames, kMostReserved)); }
    static constexpr size_t kMostReserved = size_t{1} << 20;
    void Add(double frameSeconds) { seconds.push_back(frameSeconds); }
    FrameSummary Summarize() const;
    // The slowest 1%: the frames at or above the 99th percentile frame time
    // the summary gives (ties included), by their number from 0.
    std::vector<size_t> Slowest() const;

private:
    std::vector<double> seconds;
};

// "timedemo: N frames in T s, F fps; frame ms: min A, median B, 99% C, max D"
void PrintFrameSummary(std::FILE* out, const FrameSummary& summary);

// Where the frame's time goes: each phase ends with a glFinish, so the GL
// work a phase issued is counted in it rather than in the swap. The
// finishing costs a little, so the split frames run slower than plain ones.
// Each frame's phases are kept as well as their sums, so the slowest frames
// can be split apart from the rest once the run is over.
class PhaseTimes {
public:
    explicit PhaseTimes(std::vector<const char*> phaseNames);
    // Room for this many frames' phases, so the frames do not allocate. A
    // frame takes a row of doubles here, so past some 18 minutes of frames
    // at 60 a second the record grows as its frames come instead.
    void Reserve(size_t frames);
    static constexpr size_t kMostFramesReserved = size_t{1} << 16;
    void StartFrame();
    // Ends the phase that ran since the last mark.
    void EndPhase(size_t phase);
    // What StartFrame and EndPhase record, without GL or the clock: a new
    // frame, and time spent in one of its phases.
    void AddFrame();
    void Add(size_t phase, double phaseSeconds);
    // "timedemo phases, ms per frame: NAME A, ..." over `frames` frames.
    void Print(std::FILE* out, size_t frames) const;
    // "timedemo phases of the slowest 1% (N frames), ms per frame: NAME A,
    // ..." over the frames numbered (FrameTimes::Slowest).
    void PrintSlowest(std::FILE* out, const std::vector<size_t>& frames) const;

private:
    void PrintPhases(std::FILE* out, const std::vector<double>& phaseSeconds, size_t frames) const;

    std::vector<const char*> names;
    std::vector<double> seconds;       // each phase's sum over every frame
    std::vector<double> frameSeconds;  // each frame's phases, a row per frame
    double lastMark = 0.0;
};
