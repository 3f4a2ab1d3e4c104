// A match before its first kick-off and at the start of each period, the particle field of the
// pitch, and the rule that ends a skipped period. All of it is game state and runs without a
// screen; the one painter it reaches (the clock panel) runs only when a Graphics is given.
#pragma once

#include "runtime/JavaTypes.h"

namespace profile {
struct Graphics;
}

namespace game::match {

using runtime::jint;

// Prepares the match for its first kick-off: sides and kick-off team from teamOrderFlag, cleared
// statistics and counters, the kick-off phase with the ball and the players in their start
// places (or the resumed kick-off), period 1 with its added time, an empty replay ring ticking
// once a frame, the team logic's reset and the particle field.
void setUpMatch(profile::Graphics* g);
// The next period: its clock fields and its added time (2-3 minutes in period 1, else 2-5);
// periods 1 and 2 end at minute 45 plus the added time, extra time at 15.
void startNextPeriod();
// Fills the 400 particles from gameRandom (five draws each; a draw's sign carries into the
// position, size and speed); the first time also draws the three special particles and their
// kinds (two draws each).
void generateParticles();
// While a match is skipped, ends period 1 or 2 once the shown record's clock has reached 45 or
// 90 minutes with at most one whole minute of added time left. Once a frame.
void endSkippedPeriod();

} // namespace game::match
