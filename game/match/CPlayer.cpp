// CPlayer: its reference fields (see CPlayer.h).
#include "game/match/CPlayer.h"

#include "game/sprites/ASprite.h"
#include "runtime/ClassTable.h"

namespace game::match {

void CPlayer::initFields() {
    team = nullptr;
    opponents = nullptr;
    stepTable = nullptr;
    pairA = nullptr;
    pairB = nullptr;
    trail = nullptr;
    sprite = nullptr;
    runtime::registerRefFields(this, &team, &opponents, &stepTable, &pairA, &pairB, &trail, &sprite);
}

} // namespace game::match
