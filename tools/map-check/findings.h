// Finding: one thing map-check has to say about a map, tied to the line of
// the token it is about, and the text lines the tool prints for them.
#pragma once

#include <string>
#include <vector>

namespace mapcheck {

enum class Severity { kError, kWarning };

struct Finding {
    int line = 0;  // 0: about the map as a whole, no one line
    Severity severity = Severity::kWarning;
    std::string message;
};

// Collects findings in the order the checks make them.
class Findings {
public:
    void Error(int line, const std::string& message) { all.push_back({line, Severity::kError, message}); }
    void Warning(int line, const std::string& message) { all.push_back({line, Severity::kWarning, message}); }

    // By line, whole-map findings first; findings of one line keep the
    // order they were made in.
    std::vector<Finding> Sorted() const;
    int Count(Severity severity) const;

private:
    std::vector<Finding> all;
};

// "map.txt:12: error: message", or "map.txt: warning: message" for line 0.
std::string FormatFinding(const std::string& mapName, const Finding& finding);
// "map.txt: 1 error, 2 warnings".
std::string FormatSummary(const std::string& mapName, int errors, int warnings);

}  // namespace mapcheck
