// Player actions: the goalkeeper's save, catch and throw, the tackle, the standing and the sliding
// challenge and the foul they may give, the reception of a pass, the first-time strike, the shot
// request, the scripted steps and the follow of play, the set piece's pass target and the
// collision of two players.
#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/MatchTuning.h"

namespace game::match {

namespace {

// The set piece's pass target: the box in front of the opponents' goal.
constexpr jint kPassTargetNearX = 91648;
constexpr jint kPassTargetFarX = 135168;
constexpr jint kPassTargetMaxY = 25600;
constexpr jint kFirstOutfield = 1;

bool onPitch(const CPlayer* p) {
    return p != nullptr && p->outOfPlay == 0;
}

} // namespace

void CPlayer::choosePassTarget() {
    GameStatics* const s = statics();
    const CTeam* const own = team;
    if (own == nullptr) {
        s->passTargetX = x;
        s->passTargetY = y;
        return;
    }
    // The team-mate furthest up the pitch receives.
    const CPlayer* receiver = nullptr;
    for (jint i = kFirstOutfield; i < CTeam::kOnPitch; ++i) {
        const CPlayer* const p = teamPlayer(own, i);
        if (onPitch(p) && p != this &&
            (receiver == nullptr || own->orientX(p->x) > own->orientX(receiver->x))) {
            receiver = p;
        }
    }
    const jint forwardX = receiver != nullptr ? own->orientX(receiver->x) : kPassTargetNearX;
    s->passTargetX = own->orientX(std::clamp(forwardX, kPassTargetNearX, kPassTargetFarX));
    s->passTargetY = std::clamp(receiver != nullptr ? receiver->y : 0, -kPassTargetMaxY, kPassTargetMaxY);
}

} // namespace game::match
