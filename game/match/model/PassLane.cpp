// The pass-lane test: which team-mate a ball of a given kind, played in one of the eight
// directions, can reach, and the point to play it to (see CPlayer::passLaneOpen).
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "runtime/Log.h"

namespace game::match {

namespace {

// The kinds of ball the callers ask about.
constexpr jint kShortPass = 0;
constexpr jint kLongBall = 1;
constexpr jint kGrowingLongBall = 2;
constexpr jint kFarAhead = 3;
constexpr jint kGrowingWithFallback = 5;
constexpr jint kKeeperThrow = 6;
constexpr jint kUnmarkedPass = 9;
constexpr jint kMediumPass = 10;

// Kind 3 kicks this far ahead without looking for anybody.
constexpr jint kFarAheadLength = 184320;
// Kinds 2 and 5: the reach grows by this much per carrierStage above 2.
constexpr jint kStageBase = 2;
constexpr jint kStageReach = 15360;
constexpr jint kGrowingMin = 87040;
constexpr jint kGrowingSpan = 46080;
constexpr jint kGrowingDefault = 23040;
constexpr jint kLongestPass = 184320;
// The short pass's band, shorter during a throw-in (matchPhase 3).
constexpr jint kThrowInPhase = 3;
constexpr jint kShortMin = 12288;
constexpr jint kShortMax = 49152;
constexpr jint kThrowInMax = 24576;
constexpr jint kShortDefault = 25600;
constexpr jint kLongMin = 87040;
constexpr jint kLongDefault = 135680;
// The keeper's throw: long, or short while he holds the ball in his hands (action 8).
constexpr jint kThrowMin = 174080;
constexpr jint kThrowDefault = 135680;
constexpr jint kHandAction = 8;
constexpr jint kHandThrowMin = 76800;
constexpr jint kHandThrowMax = 102400;
constexpr jint kHandThrowDefault = 89600;
constexpr jint kMediumMin = 49152;
constexpr jint kMediumMax = 102400;
constexpr jint kMediumDefault = 75776;
// A passer on these tasks does not lead runners.
constexpr jint kTaskNoLeadA = 1;
constexpr jint kTaskNoLeadB = 5;
// Runners (tasks 2 and 3) are candidates at their run targets; a short pass only leads a runner
// whose target lies about as far as he stands.
constexpr jint kRunTaskA = 2;
constexpr jint kRunTaskB = 3;
constexpr jint kShortLeadSpread = 8193;
// A goalkeeper with the ball in hand (task 16) throws only to a full-back (defender at line
// position 1 or 4).
constexpr jint kBallInHandTask = 16;
constexpr jint kDefenderRole = 1;
constexpr jint kLeftBack = 1;
constexpr jint kRightBack = 4;
// Kind 9: an opponent this near marks the receiver.
constexpr jint kMarkedWithin = 15360;
// ratePassTarget's clear lane.
constexpr jint kClearLane = -1;
// Slots on the pitch: the search looks at outfield players, kind 9 at every opponent.
constexpr jint kFirstOutfield = 1;
constexpr jint kLastOnPitch = 10;
constexpr jint kNoSlot = -1;
constexpr jint kDirectionMask = 7;
constexpr jint kHalfTurn = 4;
// The throw's neighbouring directions across the 7/0 wrap differ by 7.
constexpr jint kWrappedTurn = 7;
// From a wide cell of the attacking third the point moves an eighth of the pass's length
// towards the middle of the opponent's goal line, never beyond this x.
constexpr jint kGoalLineX = 135168;
constexpr jint kPullShift = 3;
constexpr jint kPullLimit = 121856;
constexpr jint kFallbackShift = 4;

// One kind's distance band, default length and whether run targets count.
struct LaneKind {
    jint minimum = 0;
    jint maximum = 0;
    jint defaultLength = 0;
    bool runTargets = false;
};

// The best point so far and the kind 5 fallback.
struct LaneSearch {
    LaneKind kind;
    jint kindCode = 0;
    jint direction = 0;
    jint best = 0; // distance of the point taken, 0 none
    jint grade = 0;
    jint space = 0;
    bool hasFallback = false;
    jint fallbackX = 0;
    jint fallbackY = 0;
    jint fallbackSlot = kNoSlot;
};

bool knownKind(const jint kind) {
    switch (kind) {
    case kShortPass:
    case kLongBall:
    case kGrowingLongBall:
    case kGrowingWithFallback:
    case kKeeperThrow:
    case kUnmarkedPass:
    case kMediumPass:
        return true;
    default:
        return false;
    }
}

LaneKind laneKind(const CPlayer* passer, const jint kind) {
    const GameStatics* const s = statics();
    const bool leads = passer->task != kTaskNoLeadA && passer->task != kTaskNoLeadB;
    switch (kind) {
    case kShortPass:
        return {kShortMin, s->matchPhase == kThrowInPhase ? kThrowInMax : kShortMax, kShortDefault, leads};
    case kLongBall:
        return {kLongMin, kLongestPass, kLongDefault, false};
    case kGrowingLongBall:
    case kGrowingWithFallback: {
        const jint reach = (s->carrierStage - kStageBase) * kStageReach;
        const jint maximum = reach + kGrowingSpan;
        return {reach > kGrowingMin ? reach : kGrowingMin, maximum < kLongestPass ? maximum : kLongestPass,
                reach + kGrowingDefault, false};
    }
    case kKeeperThrow:
        if (passer->action == kHandAction) {
            return {kHandThrowMin, kHandThrowMax, kHandThrowDefault, false};
        }
        return {kThrowMin, kLongestPass, kThrowDefault, false};
    case kUnmarkedPass:
        return {kShortMin, kLongestPass, kShortDefault, false};
    case kMediumPass:
        return {kMediumMin, kMediumMax, kMediumDefault, leads};
    default:
        return {};
    }
}

void setCandidate(const jint x, const jint y, const jint slot) {
    GameStatics* const s = statics();
    s->candidateX = x;
    s->candidateY = y;
    s->candidateSlot = slot;
}

// The ball's position moved along the vector the last vector routine left.
void candidateFromBall(const jint ballX, const jint ballY, const jint slot) {
    const GameStatics* const s = statics();
    setCandidate(ballX + s->vectorX, ballY + s->vectorY, slot);
}

// True when an opponent on the pitch stands nearer than kMarkedWithin to (x, y).
bool isMarked(const CPlayer* passer, const jint x, const jint y) {
    for (jint i = CPlayer::kKeeperSlot; i <= kLastOnPitch; ++i) {
        const CPlayer* const opponent = teamPlayer(passer->opponents, i);
        if (opponent != nullptr && opponent->outOfPlay == 0 &&
            core::approxDistance(opponent->x - x, opponent->y - y) < kMarkedWithin) {
            return true;
        }
    }
    return false;
}

// The point test: takes (x, y) of team-mate `slot`, seen in direction e at distance D, when it
// serves the search better than the point taken so far.
void testPoint(LaneSearch& search, const CPlayer* passer, const CPlayer* mate, const jint slot, const jint x,
               const jint y, const jint e, const jint D) {
    const jint kind = search.kindCode;
    if (kind == kKeeperThrow) {
        const jint turn = search.direction - e;
        if (turn < -1 && turn != -kWrappedTurn) {
            return;
        }
        if (turn > 1 && turn != kWrappedTurn) {
            return;
        }
    } else if (e != search.direction) {
        return;
    }
    if (kind == kGrowingWithFallback) {
        search.hasFallback = true;
        search.fallbackX = x;
        search.fallbackY = y;
        search.fallbackSlot = slot;
    }
    if (D < search.kind.minimum || D > search.kind.maximum) {
        return;
    }
    if (kind == kUnmarkedPass && isMarked(passer, mate->x, mate->y)) {
        return;
    }
    if (search.best != 0 && D >= search.best) {
        return;
    }
    const CTeam* const team = passer->team;
    if (kind == kShortPass || kind == kMediumPass) {
        const jint g = team->ratePassTarget(passer, x, y, 0);
        if (g != kClearLane && (g < search.grade || search.grade == kClearLane)) {
            return;
        }
        search.grade = g;
    } else if (kind == kLongBall) {
        const jint q = team->rateSpace(passer, x, y, search.direction);
        if (q < search.space) {
            return;
        }
        search.space = q;
    }
    setCandidate(x, y, slot);
    search.best = D;
}

} // namespace

bool CPlayer::passLaneOpen(const jint d, const jint kind) {
    GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    const jint ballX = ball != nullptr ? ball->x : 0;
    const jint ballY = ball != nullptr ? ball->y : 0;
    if (d < 0 || d > kDirectionMask) {
        runtime::log("passLaneOpen: direction %d is no pitch direction", d);
        setCandidate(ballX, ballY, kNoSlot);
        return false;
    }
    if (kind == kFarAhead) {
        core::directionToVector(kFarAheadLength, d);
        candidateFromBall(ballX, ballY, kNoSlot);
        return false;
    }
    if (!knownKind(kind) || team == nullptr) {
        runtime::log("passLaneOpen: no pass of kind %d (team %s)", kind, team != nullptr ? "set" : "missing");
        setCandidate(ballX, ballY, kNoSlot);
        return false;
    }
    LaneSearch search;
    search.kind = laneKind(this, kind);
    search.kindCode = kind;
    search.direction = d;
    const bool keeperWithBallInHand = slot == kKeeperSlot && task == kBallInHandTask;
    const CPlayer* const holder = s->ballHolder;
    for (jint i = kFirstOutfield; i <= kLastOnPitch; ++i) {
        const CPlayer* const mate = teamPlayer(team, i);
        if (mate == nullptr || i == slot || mate->outOfPlay != 0) {
            continue;
        }
        if (kind == kKeeperThrow && holder != nullptr && i == holder->slot) {
            continue;
        }
        if (keeperWithBallInHand && !(mate->role == kDefenderRole && (mate->linePosition == kLeftBack ||
                                                                      mate->linePosition == kRightBack))) {
            continue;
        }
        jint e = 0;
        jint D0 = 0;
        if (kind == kKeeperThrow) {
            e = directionFromVector(mate->x - x, mate->y - y);
            D0 = core::approxDistance(mate->x - x, mate->y - y);
        } else {
            e = (mate->defaultDirection + kHalfTurn) & kDirectionMask;
            D0 = mate->distanceToBall;
        }
        testPoint(search, this, mate, i, mate->x, mate->y, e, D0);
        if (!search.kind.runTargets || (mate->task != kRunTaskA && mate->task != kRunTaskB) ||
            (mate->aimX == 0 && mate->aimY == 0)) {
            continue;
        }
        const jint dx = mate->aimX - ballX;
        const jint dy = mate->aimY - ballY;
        const jint D = core::approxDistance(dx, dy);
        if (kind == kShortPass && absInt(D0 - D) >= kShortLeadSpread) {
            continue;
        }
        testPoint(search, this, mate, i, mate->aimX, mate->aimY, directionFromVector(dx, dy), D);
    }
    if (search.best == 0) {
        if (kind == kGrowingWithFallback && search.hasFallback) {
            core::scaleVectorTo(search.kind.defaultLength, (search.fallbackX - ballX) >> kFallbackShift,
                                (search.fallbackY - ballY) >> kFallbackShift);
            candidateFromBall(ballX, ballY, search.fallbackSlot);
            return true;
        }
        core::directionToVector(search.kind.defaultLength, d);
        candidateFromBall(ballX, ballY, kNoSlot);
        return false;
    }
    if (isWideAttackingCell()) {
        const jint goalX = team->orientX(kGoalLineX);
        core::directionToVector(search.best >> kPullShift,
                                directionFromVector(goalX - s->candidateX, -s->candidateY));
        s->candidateX += s->vectorX;
        s->candidateY += s->vectorY;
        if (team->sideFlag != 0) {
            if (s->candidateX > kPullLimit) {
                s->candidateX = kPullLimit;
            }
        } else if (s->candidateX < -kPullLimit) {
            s->candidateX = -kPullLimit;
        }
    }
    return true;
}

} // namespace game::match
