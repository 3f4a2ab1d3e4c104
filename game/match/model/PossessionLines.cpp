// Possession and lines (see PossessionLines.h).
#include "game/match/model/PossessionLines.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "runtime/Log.h"

namespace game::match {

namespace {

constexpr jint kTeams = 2;
constexpr jint kNobody = 2;
constexpr jint kOpenPlay = 0;
constexpr jint kGoalKick = 4;
// Without a holder in open play the grids are rebuilt on ticks whose two low bits are clear.
constexpr runtime::jlong kLooseBallTicks = 3;
// A holder who has moved this far on either axis asks for a rebuild.
constexpr jint kHolderMove = 32 * 256;
// Ticks after which the grids are rebuilt anyway: in open play and in the restarts.
constexpr jint kOpenPlayRebuild = 30;
constexpr jint kRestartRebuild = 120;

jint absolute(const jint v) {
    return v < 0 ? -v : v;
}

void setPossession(const jint teamIndex) {
    for (jint t = 0; t < kTeams; ++t) {
        if (CTeam* team = matchTeam(t); team != nullptr) {
            team->possession = t == teamIndex ? 1 : -1;
        }
    }
}

void noteAttack(GameStatics* s, const jint teamIndex) {
    s->newAttack = teamIndex != s->lastAttackingTeam;
    s->lastAttackingTeam = teamIndex;
}

// Steps 1-3: the team with the ball, and the phase team's outside open play.
void updateBallTeam(GameStatics* s, const Actor* ball) {
    CPlayer* holder = s->ballHolder;
    s->possessionTeam = holder != nullptr && holder->team != nullptr ? holder->team->teamIndex : kNobody;
    s->possessionChanged = s->possessionTeam != s->previousPossessionTeam;
    s->previousPossessionTeam = s->possessionTeam;
    if (s->possessionChanged) {
        if (s->possessionTeam != kNobody) {
            s->firstTeamInPossession = s->possessionTeam == 0 ? 1 : 0;
            setPossession(s->possessionTeam);
            noteAttack(s, s->possessionTeam);
            s->possessionStartX = holder->x;
            s->possessionStartY = holder->y;
        } else {
            s->loosePointX = ball->aimX;
            s->loosePointY = ball->aimY;
        }
    }
    if (s->matchPhase != kOpenPlay) {
        setPossession(s->phaseTeam);
        noteAttack(s, s->phaseTeam);
    }
}

void updateShapes(const GameStatics* s, const Actor* ball) {
    const bool fromCentre = s->keeperHoldsBall || s->matchPhase == kGoalKick;
    for (jint t = 0; t < kTeams; ++t) {
        CTeam* team = matchTeam(t);
        if (team == nullptr) {
            continue;
        }
        if (fromCentre) {
            team->computeShape(0, 0);
        } else {
            team->computeShape(team->toCell(ball->x), team->toCell(ball->y));
        }
    }
}

// Step 5: whether the zone grids are to be rebuilt on this tick.
bool rebuildWanted(GameStatics* s, const Actor* ball) {
    bool wanted = false;
    if (s->matchPhaseChanged) {
        wanted = true;
    } else if (s->possessionTeam == kNobody && s->matchPhase == kOpenPlay) {
        wanted = (s->matchTicks & kLooseBallTicks) == 0;
    } else if (s->matchPhase == kOpenPlay) {
        if (const CPlayer* holder = s->ballHolder; holder != nullptr) {
            if (absolute(holder->x - s->possessionStartX) >= kHolderMove ||
                absolute(holder->y - s->possessionStartY) >= kHolderMove) {
                wanted = true;
                s->possessionStartX = holder->x;
                s->possessionStartY = holder->y;
            }
        } else if (ball->aimX != s->loosePointX || ball->aimY != s->loosePointY) {
            wanted = true;
            s->loosePointX = ball->aimX;
            s->loosePointY = ball->aimY;
        }
    }
    if (s->matchPhase != kGoalKick) {
        const jint limit = s->matchPhase == kOpenPlay ? kOpenPlayRebuild : kRestartRebuild;
        if (s->rebuildTicks > limit && (s->matchPhase == kOpenPlay || s->phaseStep != 0)) {
            wanted = true;
        }
    }
    return wanted;
}

// Step 6 for team `own`: its players' view of the ball, and the opponent's offside line from the
// ball and own's outfield players on the pitch.
void updateLines(CTeam* own, const Actor* ball) {
    CTeam* opponent = own->opponent;
    jint deepest = ball->x;
    for (jint i = 0; i < CTeam::kOnPitch; ++i) {
        CPlayer* p = teamPlayer(own, i);
        if (p == nullptr || p->outOfPlay != 0) {
            continue;
        }
        if (i != CPlayer::kKeeperSlot && opponent != nullptr) {
            if (opponent->sideFlag != 0 ? p->x > deepest : p->x < deepest) {
                deepest = p->x;
            }
        }
        const jint dx = ball->x - p->x;
        const jint dy = ball->y - p->y;
        p->defaultDirection = directionFromVector(dx, dy);
        p->distanceToBall = core::approxDistance(dx, dy);
        p->nearOwnCell = own->isPlayerNearCell(i, p->cellX, p->cellY) ? 1 : 0;
        p->moveWord = 0;
    }
    if (opponent != nullptr) {
        opponent->offsideLineCell = opponent->toCell(deepest);
    }
}

} // namespace

void updatePossession() {
    GameStatics* s = statics();
    const Actor* ball = s->ball;
    if (ball == nullptr) {
        runtime::log("updatePossession: no ball");
        return;
    }
    updateBallTeam(s, ball);
    updateShapes(s, ball);
    const bool rebuild = rebuildWanted(s, ball);
    s->zoneGridFrozen = rebuild ? 1 : 0;
    s->rebuildTicks = rebuild ? 0 : s->rebuildTicks + 1;
    for (jint t = 0; t < kTeams; ++t) {
        if (CTeam* team = matchTeam(t); team != nullptr) {
            updateLines(team, ball);
        }
    }
}

} // namespace game::match
