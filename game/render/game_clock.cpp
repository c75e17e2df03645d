// The system or the simulated clock.
#include "game/render/game_clock.h"

#include <cmath>

#include "framework/main.h"

namespace game_clock {
namespace {

bool simulated = false;
double simulatedNow = 0.0;

}  // namespace

double Now() { return simulated ? simulatedNow : ondra::GetTime(); }

unsigned long long NowMilliseconds() {
    const double milliseconds = std::floor(Now() * 1000.0);
    return milliseconds > 0.0 ? static_cast<unsigned long long>(milliseconds) : 0ull;
}

void Simulate(double startSeconds) {
    simulated = true;
    simulatedNow = startSeconds;
}

void UseSystemClock() { simulated = false; }

bool IsSimulated() { return simulated; }

void Advance(double seconds) {
    if (simulated) simulatedNow += seconds;
}

}  // namespace game_clock
