// The report: each object gives its own line (CObject::StateLine).
#include "game/run/state_report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "game/objects/object.h"
#include "game/run/run_files.h"

namespace {

void AddChildren(std::string& report, const CObject& parent) {
    for (const CObject& object : parent.Children()) {
        const std::string line = object.StateLine();
        if (!line.empty()) report += line + "\n";
        AddChildren(report, object);
    }
}

}  // namespace

std::string StateReport(long frame, const std::vector<const CObject*>& groups) {
    std::string report = "frame " + std::to_string(frame) + "\n";
    for (const CObject* group : groups)
        if (group) AddChildren(report, *group);
    return report;
}

bool SaveStateReport(const std::string& path, long frame, const std::vector<const CObject*>& groups) {
    errno = 0;
    if (WriteTextReplacing(path, StateReport(frame, groups))) return true;
    const int reason = errno;
    std::fprintf(stderr, "compound: could not write the state report %s%s%s\n", path.c_str(), reason ? ": " : "",
                 reason ? std::strerror(reason) : "");
    return false;
}
