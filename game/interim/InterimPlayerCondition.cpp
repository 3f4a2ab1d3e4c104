// Stands in for the match view's initPlayerCondition until the condition routines are built:
// only the start time of the record is kept.
#include "game/framework/MatchView.h"
#include "game/interim/InterimLog.h"
#include "game/match/CPlayer.h"

namespace game::framework {

void initPlayerCondition(match::CPlayer* const player, const jint start) {
    interim::logFirstCall("initPlayerCondition (keeps only the start time)");
    if (player != nullptr) {
        player->conditionStart = start;
    }
}

} // namespace game::framework
