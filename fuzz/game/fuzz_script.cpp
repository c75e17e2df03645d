// libFuzzer target for scripts and recordings: ParseScript on arbitrary
// bytes. What it accepts comes back ordered by frame, each event written
// out and read back as itself; what it refuses says where.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/run/script.h"

namespace {

bool SameEvent(const ScriptEvent& a, const ScriptEvent& b) {
    return a.kind == b.kind && a.frame == b.frame && a.code == b.code && a.down == b.down && a.x == b.x &&
           a.y == b.y && (a.kind != ScriptEvent::kFrameTime || a.seconds == b.seconds);
}

void CheckRoundTrip(const ScriptEvent& event) {
    std::vector<ScriptEvent> again;
    std::string error;
    if (!ParseScript(FormatScriptEvent(event) + "\n", "again", again, error)) __builtin_trap();
    if (again.size() != 1 || !SameEvent(again[0], event)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptEvent> events;
    std::string error;
    if (!ParseScript(text, "fuzz", events, error)) {
        if (error.compare(0, 5, "fuzz:") != 0) __builtin_trap();
        return 0;
    }
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (i > 0 && events[i].frame < events[i - 1].frame) __builtin_trap();
        CheckRoundTrip(events[i]);
    }
    return 0;
}
