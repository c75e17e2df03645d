// FrameTimes: the timedemo's record of how long each frame took on the real
// clock, and the summary it prints when the run ends.
#pragma once

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
    // Room for this many frames, so recording never allocates mid-run.
    void Reserve(size_t frames) { seconds.reserve(frames); }
    void Add(double frameSeconds) { seconds.push_back(frameSeconds); }
    FrameSummary Summarize() const;

private:
    std::vector<double> seconds;
};

// "timedemo: N frames in T s, F fps; frame ms: min A, median B, 99% C, max D"
void PrintFrameSummary(std::FILE* out, const FrameSummary& summary);
