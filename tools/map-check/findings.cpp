// Ordering and printing findings.
#include "tools/map-check/findings.h"

#include <algorithm>

namespace mapcheck {

std::vector<Finding> Findings::Sorted() const {
    std::vector<Finding> sorted = all;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return sorted;
}

int Findings::Count(Severity severity) const {
    return static_cast<int>(
        std::count_if(all.begin(), all.end(), [&](const Finding& f) { return f.severity == severity; }));
}

std::string FormatFinding(const std::string& mapName, const Finding& finding) {
    std::string text = mapName + ":";
    if (finding.line > 0) text += std::to_string(finding.line) + ":";
    text += finding.severity == Severity::kError ? " error: " : " warning: ";
    return text + finding.message;
}

namespace {

std::string Counted(int count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}  // namespace

std::string FormatSummary(const std::string& mapName, int errors, int warnings) {
    return mapName + ": " + Counted(errors, "error") + ", " + Counted(warnings, "warning");
}

}  // namespace mapcheck
