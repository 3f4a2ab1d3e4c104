// The weekly development of the computer clubs' players: each match day one eighth of the ordinary
// players is visited; a computer club's player may be injured, gain a point in each skill and gain
// skill flags, by his grade, his position group and his club's strength.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::menus {

using runtime::jint;

// Visits the ordinary players p with p mod 8 = day (matchDayIndex); the draws of every visit come
// from gameRandom in a fixed order: the kind, the injury test, an injury's band and fitness, one or
// two per skill, ten for the flags.
void developComputerPlayers(jint day);

} // namespace game::menus
