// Summarizing the timedemo's frame times.
#include "game/run/frame_times.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "game/core/counted.h"
#include "game/core/game_clock.h"

namespace {

// The nearest-rank percentile of sorted values: the smallest value with at
// least `percent` of the values at or below it.
double NearestRank(const std::vector<double>& sorted, double percent) {
    const double rank = std::ceil(percent / 100.0 * static_cast<double>(sorted.size()));
    const size_t index = rank < 1.0 ? 0 : static_cast<size_t>(rank) - 1;
    return sorted[std::min(index, sorted.size() - 1)];
}

}  // namespace

FrameSummary FrameTimes::Summarize() const {
    FrameSummary summary;
    if (seconds.empty()) return summary;
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    summary.frames = sorted.size();
    summary.totalSeconds = std::accumulate(sorted.begin(), sorted.end(), 0.0);
    if (summary.totalSeconds > 0.0) summary.framesPerSecond = static_cast<double>(summary.frames) / summary.totalSeconds;
    const size_t middle = sorted.size() / 2;
    const double median = sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2.0;
    summary.min = sorted.front() * 1000.0;
    summary.median = median * 1000.0;
    summary.percentile99 = NearestRank(sorted, 99.0) * 1000.0;
    summary.max = sorted.back() * 1000.0;
    return summary;
}

std::vector<size_t> FrameTimes::Slowest() const {
    std::vector<size_t> slowest;
    if (seconds.empty()) return slowest;
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    const double percentile99 = NearestRank(sorted, 99.0);
    for (size_t frame = 0; frame < seconds.size(); ++frame)
        if (seconds[frame] >= percentile99) slowest.push_back(frame);
    return slowest;
}

void PrintFrameSummary(std::FILE* out, const FrameSummary& s) {
    std::fprintf(out, "timedemo: %s in %.3f s, %.1f fps; frame ms: min %.3f, median %.3f, 99%% %.3f, max %.3f\n",
                 Counted(static_cast<long long>(s.frames), "frame").c_str(), s.totalSeconds, s.framesPerSecond, s.min, s.median, s.percentile99, s.max);
}

PhaseTimes::PhaseTimes(std::vector<const char*> phaseNames)
    : names(std::move(phaseNames)), seconds(names.size(), 0.0) {}

void PhaseTimes::Reserve(size_t frames) { frameSeconds.reserve(std::min(frames, kMostFramesReserved) * names.size()); }

void PhaseTimes::StartFrame() {
    glFinish();
    lastMark = game_clock::SystemNow();
    AddFrame();
}

void PhaseTimes::EndPhase(size_t phase) {
    glFinish();
    const double now = game_clock::SystemNow();
    Add(phase, now - lastMark);
    lastMark = now;
}

void PhaseTimes::AddFrame() { frameSeconds.resize(frameSeconds.size() + names.size(), 0.0); }

void PhaseTimes::Add(size_t phase, double phaseSeconds) {
    if (phase >= seconds.size()) return;
    seconds[phase] += phaseSeconds;
    if (!frameSeconds.empty()) frameSeconds[frameSeconds.size() - names.size() + phase] += phaseSeconds;
}

void PhaseTimes::Print(std::FILE* out, size_t frames) const {
    std::fprintf(out, "timedemo phases, ms per frame:");
    PrintPhases(out, seconds, frames);
}

void PhaseTimes::PrintSlowest(std::FILE* out, const std::vector<size_t>& frames) const {
    std::vector<double> sums(names.size(), 0.0);
    const size_t framesKept = names.empty() ? 0 : frameSeconds.size() / names.size();
    size_t counted = 0;
    for (size_t frame : frames) {
        if (frame >= framesKept) continue;
        for (size_t phase = 0; phase < names.size(); ++phase) sums[phase] += frameSeconds[frame * names.size() + phase];
        ++counted;
    }
    std::fprintf(out, "timedemo phases of the slowest 1%% (%s), ms per frame:", Counted(static_cast<long long>(counted), "frame").c_str());
    PrintPhases(out, sums, counted);
}

// Each phase's share of `frames` frames, after the line's opening words.
void PhaseTimes::PrintPhases(std::FILE* out, const std::vector<double>& phaseSeconds, size_t frames) const {
    for (size_t i = 0; i < names.size(); ++i)
        std::fprintf(out, "%s %s %.3f", i ? "," : "", names[i], frames ? phaseSeconds[i] * 1000.0 / static_cast<double>(frames) : 0.0);
    std::fprintf(out, "\n");
}
