// GameClock: the game's time, the one clock of the process that the run
// sets and whatever moves with time reads. Normally the system's monotonic
// clock; a scripted run switches it to a simulated clock that moves only when the
// game steps it, so two runs of one script see the same times, frame times
// and random seeds. The game reads time only here, the system's clock
// beneath it included.
#pragma once

namespace game_clock {

// Seconds on the game's clock.
double Now();
// The clock in whole milliseconds, as the effects seed their randomness.
unsigned long long NowMilliseconds();

// The system's monotonic clock in seconds, whatever the game's clock does:
// what a run that drives the game's clock itself paces and times by.
double SystemNow();

// From now on time stands at `startSeconds` and moves only by Advance.
void Simulate(double startSeconds);
// Back to the system clock.
void UseSystemClock();
bool IsSimulated();
// Moves a simulated clock on; does nothing to the system clock.
void Advance(double seconds);

}  // namespace game_clock
