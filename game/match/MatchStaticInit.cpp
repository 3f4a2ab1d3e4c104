// The match classes' initialisers (see MatchStaticInit.h). The match classes keep no statics of
// their own yet; each class adds its start values here as it lands.
#include "game/match/MatchStaticInit.h"

namespace game::match {

void initPlayerStatics(GameStatics* /*block*/) {}

void initActorStatics(GameStatics* /*block*/) {}

} // namespace game::match
