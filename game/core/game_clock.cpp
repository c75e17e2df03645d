// The system or the simulated clock.
#include "game/core/game_clock.h"

#include <chrono>
#include <cmath>

namespace game_clock {
namespace {

bool simulated = false;
double simulatedNow = 0.0;

}  // namespace

double SystemNow() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double Now() { return simulated ? simulatedNow : SystemNow(); }

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
