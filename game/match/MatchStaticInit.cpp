// The match classes' initialisers (see MatchStaticInit.h): the player classes set up the match
// rectangles, values and tracks, the actor classes the tangent table, kick parameters, pitch rows,
// formations and step tables (game/match/MatchConstants.h). Neither reads a static another
// initialiser writes.
#include "game/match/MatchStaticInit.h"

#include "game/match/MatchConstants.h"

namespace game::match {

void initPlayerStatics(GameStatics* const block) {
    match::initMatchBoxes(block);
}

void initActorStatics(GameStatics* const block) {
    match::initMatchTables(block);
}

} // namespace game::match
