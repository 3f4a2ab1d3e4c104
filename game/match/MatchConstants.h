// The set-up of the constant tables the match engine reads (game/core/MatchConstantStatics.h),
// run once by the match classes' initialisers before any game code.
#pragma once

namespace game {
struct GameStatics;
}

namespace game::match {

// The rectangles, values, pairs, tracks and lists, in their creation order.
void initMatchBoxes(GameStatics* block);
// The tangent table, kick timings and scales, pitch rows, formation lines and masks, step
// tables and the remaining match statics.
void initMatchTables(GameStatics* block);

} // namespace game::match
