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

void PrintFrameSummary(std::FILE* out, const FrameSummary& s) {
    std::fprintf(out, "timedemo: %s in %.3f s, %.1f fps; frame ms: min %.3f, median %.3f, 99%% %.3f, max %.3f\n",
                 Counted(static_cast<long long>(s.frames), "frame").c_str(), s.totalSeconds, s.framesPerSecond, s.min, s.median, s.percentile99, s.max);
}

PhaseTimes::PhaseTimes(std::vector<const char*> phaseNames)
    : names(std::move(phaseNames)), seconds(names.size(), 0.0) {}

void PhaseTimes::StartFrame() {
    glFinish();
    lastMark = game_clock::SystemNow();
}

void PhaseTimes::EndPhase(size_t phase) {
    glFinish();
    const double now = game_clock::SystemNow();
    if (phase < seconds.size()) seconds[phase] += now - lastMark;
    lastMark = now;
}

void PhaseTimes::Print(std::FILE* out, size_t frames) const {
    std::fprintf(out, "timedemo phases, ms per frame:");
    for (size_t i = 0; i < names.size(); ++i)
        std::fprintf(out, "%s %s %.3f", i ? "," : "", names[i], frames ? seconds[i] * 1000.0 / static_cast<double>(frames) : 0.0);
    std::fprintf(out, "\n");
}
