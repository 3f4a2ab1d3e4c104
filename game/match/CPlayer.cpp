// The match objects' set-up (see CPlayer.h).
#include "game/match/CPlayer.h"

#include "game/sprites/ASprite.h"
#include "runtime/ClassTable.h"

namespace game::match {

Actor::Actor(const runtime::jint id) : Object(id) {
    runtime::registerRefFields(this, &sprite);
}

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
