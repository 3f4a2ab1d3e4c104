// Player actions (CPlayer's, CPlayer.h) and the one action between two players that no order
// starts: the collision of the ball holder with his nearest opponent.
#pragma once

namespace game::match {

// Once a frame in open play: when the ball holder and his nearest opponent (neither falling nor
// recovering) run into each other, the one moving at the other stops, set back to a
// screen-proportioned 2,048 from him; both stop when both do, each set back half the shortfall.
void resolveDuels();

} // namespace game::match
