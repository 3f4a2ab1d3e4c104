// Player actions: the goalkeeper's save, catch and throw, the tackle, the standing and the sliding
// challenge and the foul they may give, the reception of a pass, the first-time strike, the shot
// request, the search for a receiver in a box and the pass target of a set piece or a wing ball,
// and the collision of two players.
#include "game/match/model/PlayerActions.h"

#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/BallCalls.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/MatchTuning.h"
#include "game/match/TeamLogicCalls.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallKick.h"
#include "game/match/model/KicksHeaders.h"
#include "game/match/model/PlayerMotion.h"

namespace game::match {

namespace {

// The set piece's pass target: the box in front of the opponents' goal.
constexpr jint kPassTargetNearX = 91648;
constexpr jint kPassTargetFarX = 135168;
constexpr jint kPassTargetMaxY = 25600;
constexpr jint kPitchHalfWidth = 86016;
constexpr jint kFirstOutfield = 1;

using core::approxDistance;
using core::randomRange;

constexpr jint kDirectionMask = 7;
constexpr jint kHalfTurn = 4;
constexpr jint kOpenPlay = 0;
constexpr jint kFreeKickPhase = 7;
constexpr jint kPenaltyPhase = 8;
constexpr jint kPenaltySpotX = 106496;
constexpr jint kPenaltySetPiece = 5;
// Actions and orders.
constexpr jint kMovingAction = 1;
constexpr jint kLoftedOrder = 3;
constexpr jint kShotOrder = 4;
constexpr jint kTackleAction = 5;
constexpr jint kSaveAction = 7;
constexpr jint kStrikeAction = 8;
constexpr jint kRecoveringAction = 9;
// States.
constexpr jint kStumbling = 15;
constexpr jint kFallSoft = 16;
constexpr jint kFallHard = 17;
constexpr jint kGettingUp = 31;
constexpr jint kSlideTackle = 14;
constexpr jint kBlock = 64;
constexpr jint kSlideChallenge = 90;
constexpr jint kKeeperHolds = 108;
constexpr jint kKeeperThrows = 110;
constexpr jint kReceiveStraight = 29;
constexpr jint kReceiveTurning = 30;
// The tackle: its reach, the block's follow mode, the flag's odds and how far T may be from the
// ball.
constexpr jint kTackleReach = 2049;
constexpr jint kBlockFollowMode = 3;
constexpr jint kFlagBase = 5;
constexpr jint kFlagStep = 10;
constexpr jint kFlagAhead = 20;
constexpr jint kFlagHeadOn = 10;
constexpr jint kFlagDeep = 20;
constexpr jint kDeepCellX = -8;
constexpr jint kCentralCellY = 4;
constexpr jint kFlagMax = 99;
constexpr jint kTargetNearBall = 2560;
// The sliding challenge: reach, the ball's height, the foul odds, the falls, the poke, the
// replacement draw and the card bands.
constexpr jint kSlideReach = 4353;
constexpr jint kBallTooHigh = 5121;
constexpr jint kSlideFoulFront = 35;
constexpr jint kSlideFoulBehind = 7;
constexpr jint kSlideHardFall = 4;
constexpr jint kFallDraw = 9;
constexpr jint kHardFallTicks = 40;
constexpr jint kSoftFallTicks = 20;
constexpr jint kSlidePokeMotion = 6;
constexpr jint kSlidePokeReach = 5120;
constexpr jint kReplaceDraw = 21;
constexpr jint kReplaceSkill = 5;
constexpr jint kCardDraw = 99;
constexpr jint kCardDuelBase = 3;
constexpr jint kCardDuelStep = 4;
constexpr jint kSlideRed = 8;
constexpr jint kSlideRedKeeper = 20;
constexpr jint kSlideNone = 20;
constexpr jint kSlideNoneKeeper = 40;
constexpr jint kYellow = 1;
constexpr jint kRed = 2;
constexpr jint kSentOff = 2;
constexpr jint kLineupPlaces = 11;
// The save: heights, the line, the gather, the dives.
constexpr jint kHighBall = 7680;
constexpr jint kMiddleBall = 3841;
constexpr jint kInLine = 1152;
constexpr jint kGatherReach = 1536;
constexpr jint kDiveFar = 15360;
constexpr jint kDiveNear = 5120;
constexpr jint kDiveSkillBase = 10;
constexpr jint kDiveSkillStep = 64;
constexpr jint kTackleDive = 128;
constexpr jint kKeeperReachSkill = 1;
constexpr jint kSaveStarted = -1;
constexpr jint kSaveFromTackle = -2;
constexpr jint kDiveChosen = 2;
constexpr jint kCatchHigh = 116;
constexpr jint kCatchChest = 115;
constexpr jint kGather = 102;
// A pass received is pushed on this far along the facing.
constexpr jint kReceivePush = 1536;
// The shot: the goal line, the line beyond it, the keeper's reach for a chip.
constexpr jint kGoalLineX = 135168;
constexpr jint kBeyondLineX = 136448;
constexpr jint kBallBeyond = 132608;
constexpr jint kChipKeeperReach = 16384;
constexpr jint kChipAssignment = 4;
constexpr jint kRestartPhaseA = 5;
constexpr jint kLowShotStage = 7;
constexpr jint kSixteenthShift = 4;
constexpr jint kByteShift = 8;

bool onPitch(const CPlayer* p) {
    return p != nullptr && p->outOfPlay == 0;
}

// The player a challenge or tackle is about: the ball holder, else the receiving player.
CPlayer* challengeTarget() {
    GameStatics* const s = statics();
    return s->ballHolder != nullptr ? s->ballHolder.get() : s->receivingPlayer.get();
}

bool isDown(const CPlayer* p) {
    return p->state == kStumbling || p->state == kFallSoft || p->state == kFallHard ||
           p->state == kGettingUp || p->action == kRecoveringAction;
}

// T goes down (state 17 or 16 by the draw against hardBelow), his motion halved, and recovers
// for 40 or 20 ticks when that is at least twice his reaction time, else for his reaction time.
void knockDown(CPlayer* t, const jint hardBelow) {
    const jint fall = randomRange(0, kFallDraw) < hardBelow ? kFallHard : kFallSoft;
    t->setState(fall);
    t->vx /= 2;
    t->vy /= 2;
    jint n = fall == kFallHard ? kHardFallTicks : kSoftFallTicks;
    if (n < 2 * t->reactionTime) {
        n = t->reactionTime;
    }
    t->recover(n);
}

// The ball, let go by T, poked on to its point plus `times` the challenger's motion plus reach
// along his facing.
void pokeBall(CPlayer* p, CPlayer* t, const jint times, const jint reach) {
    GameStatics* const s = statics();
    if (s->ballHolder.get() == t) {
        t->dropPossession();
    }
    const Actor* const ball = s->ball;
    s->vectorX = 0;
    s->vectorY = 0;
    core::directionToVector(reach, p->direction);
    kickBall(kBallKick5, ball->x + times * p->vx + s->vectorX, ball->y + times * p->vy + s->vectorY, 0, -1,
             -1);
}

struct CardBands {
    jint red;
    jint redKeeper;
    jint none;
    jint noneKeeper;
};

// The foul of a challenge: T stops in a fall, may be named for replacement, and the card drawn
// from the bands goes to commitFoul.
void giveFoul(CPlayer* p, CPlayer* t, const bool inArea, const CardBands& bands) {
    GameStatics* const s = statics();
    p->team->tackleCount += 1;
    const bool wasFree = t->action == 0 || t->action == kMovingAction;
    t->setState(kFallHard);
    t->vx = 0;
    t->vy = 0;
    const bool replace = wasFree && randomRange(0, kReplaceDraw) <= p->skillLevels[kReplaceSkill];
    s->playerToReplace = replace ? t : nullptr;
    const jint r = randomRange(0, kCardDraw) + (kCardDuelBase - p->duelRating) * kCardDuelStep;
    const bool k = p->team->isKeeperNearestToCentralBall();
    const jint card = r < (k ? bands.redKeeper : bands.red)      ? kRed
                      : r >= (k ? bands.noneKeeper : bands.none) ? 0
                                                                 : kYellow;
    p->commitFoul(card, inArea ? 1 : 0);
}

// Whether a challenge from p on t is a foul: the front odds when their facings are not
// neighbours or t stands in p's own penalty area, else the odds from behind.
bool drawFoul(const CPlayer* p, const CPlayer* t, const bool inArea, const jint front, const jint behind) {
    const bool fromFront = !isNeighbourDirection(p->direction, t->direction) || inArea;
    return randomRange(0, fromFront ? front : behind) <= p->duelRating;
}

// The point the save defends and its height: the ball while held, else the shot's crossing point.
void savePoint(jint& px, jint& py, jint& h) {
    const GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    if (s->ballHolder != nullptr) {
        px = ball->x;
        py = ball->y;
        h = ball->z;
    } else {
        px = ball->aimX;
        py = ball->aimY;
        h = ball->aimZ;
    }
}

// Screen-proportioned lengths, as the move vectors have them: s x 480 / 256 octagonal.
constexpr jint kScreenUnit = 480;
constexpr jint screenLength(const jint v) {
    return v * kScreenUnit >> kByteShift;
}

// The point of p plus a kDuelProbe step along his motion (his point while he stands).
void probeOf(const CPlayer* p, jint& px, jint& py) {
    GameStatics* const s = statics();
    px = p->x;
    py = p->y;
    if (p->vx != 0 || p->vy != 0) {
        screenVectorTowards(kDuelProbe, p->vx, p->vy, 0);
        px += s->vectorX;
        py += s->vectorY;
    }
}

// Whether p moves at q.
bool movesAt(const CPlayer* p, const CPlayer* q) {
    return (p->vx != 0 || p->vy != 0) &&
           isNearDirection(directionFromVector(p->vx, p->vy), directionFromVector(q->x - p->x, q->y - p->y));
}

// p stops and, nearer to q (at qx, qy) than the probe's length, is set back along the line from q: to the
// probe's length from q, or, when both stop, to half of it from the point (mx, my) between them.
void stopAndSetBack(CPlayer* p, const jint qx, const jint qy, const jint apart, const bool both,
                    const jint mx, const jint my) {
    GameStatics* const s = statics();
    p->vx = 0;
    p->vy = 0;
    if (apart >= screenLength(kDuelProbe)) {
        return;
    }
    screenVectorTowards(both ? kDuelProbe / 2 : kDuelProbe, p->x - qx, p->y - qy, 0);
    if (s->vectorX != 0 || s->vectorY != 0) {
        p->x = (both ? mx : qx) + s->vectorX;
        p->y = (both ? my : qy) + s->vectorY;
    }
}

} // namespace

void resolveDuels() {
    GameStatics* const s = statics();
    CPlayer* const a = s->ballHolder;
    if (s->matchPhase != kOpenPlay || a == nullptr || a->opponents == nullptr) {
        return;
    }
    CPlayer* const b = teamPlayer(a->opponents, a->opponents->findNearestPlayerTo(a->x, a->y, 0));
    if (b == nullptr || isDown(a) || isDown(b)) {
        return;
    }
    jint ax = 0;
    jint ay = 0;
    jint bx = 0;
    jint by = 0;
    probeOf(a, ax, ay);
    probeOf(b, bx, by);
    if (approxDistance(ax - bx, ay - by) > screenLength(kDuelReach)) {
        return;
    }
    const bool aStops = movesAt(a, b);
    const bool bStops = movesAt(b, a);
    const jint apart = approxDistance(a->x - b->x, a->y - b->y);
    const bool both = aStops && bStops;
    const jint midX = (a->x + b->x) / 2;
    const jint midY = (a->y + b->y) / 2;
    // b's line runs from where a stood before his set-back.
    const jint aX = a->x;
    const jint aY = a->y;
    if (aStops) {
        stopAndSetBack(a, b->x, b->y, apart, both, midX, midY);
    }
    if (bStops) {
        stopAndSetBack(b, aX, aY, apart, both, midX, midY);
    }
}

void CPlayer::tackle() {
    GameStatics* const s = statics();
    CPlayer* const t = challengeTarget();
    if (distanceToBall >= kTackleReach) {
        return;
    }
    if (t == nullptr || t->team == team || team == nullptr) {
        order = 0;
        return;
    }
    if (slot == kKeeperSlot && team->isInPenaltyArea(x, y)) {
        direction = defaultDirection;
        wantedDirection = defaultDirection;
        // The save he makes instead decides its challenge frames once too.
        s->tackleFlag = 0;
        save(1);
        s->saveMode = kSaveFromTackle;
        return;
    }
    const bool block = rushFlag == 0 && t->lastFollowMode == kBlockFollowMode &&
                       isNeighbourDirection((direction + kHalfTurn) & kDirectionMask, t->direction);
    if (block) {
        vx = 0;
        vy = 0;
        setState(kBlock);
    } else {
        direction = defaultDirection;
        wantedDirection = defaultDirection;
        setState(kSlideTackle);
        screenVectorAlong(sideSpeed, defaultDirection);
        vx = s->vectorX;
        vy = s->vectorY;
        team->tackleCount += 1;
    }
    action = kTackleAction;
    const Actor* const ball = s->ball;
    const bool near = ball != nullptr && approxDistance(ball->x - t->x, ball->y - t->y) < kTargetNearBall;
    if (block) {
        s->tackleFlag = 1;
    } else if (t->action != 0 && near) {
        const jint cx = team->toCell(t->x);
        const jint cy = team->toCell(t->y);
        jint c = (t->handicapLevel - duelRating + kFlagBase) * kFlagStep;
        c -= cx >= 1 ? kFlagAhead : 0;
        c += t->direction == ((direction + kHalfTurn) & kDirectionMask) ? kFlagHeadOn : 0;
        c += cx < kDeepCellX && cy >= -kCentralCellY && cy <= kCentralCellY ? kFlagDeep : 0;
        c = std::clamp(c, 0, kFlagMax);
        s->tackleFlag = randomRange(0, kFlagMax) > c ? 1 : 0;
    } else {
        s->tackleFlag = 0;
    }
    addEffort(1);
}

void CPlayer::slideChallenge() {
    GameStatics* const s = statics();
    CPlayer* const t = challengeTarget();
    applyBraking();
    if (t == nullptr || t->team == team || team == nullptr) {
        order = 0;
        return;
    }
    const Actor* const ball = s->ball;
    if (isNeighbourDirection(defaultDirection, direction) && distanceToBall < kSlideReach &&
        ball != nullptr && ball->z < kBallTooHigh && s->tackleFlag == 0) {
        const bool inArea = team->isInPenaltyArea(t->x, t->y);
        const bool foul = drawFoul(this, t, inArea, kSlideFoulFront, kSlideFoulBehind);
        setState(kSlideChallenge);
        if (foul) {
            giveFoul(this, t, inArea, CardBands{kSlideRed, kSlideRedKeeper, kSlideNone, kSlideNoneKeeper});
        } else {
            team->tackleCount += 1;
            knockDown(t, kSlideHardFall);
            if (s->ballHolder.get() == t) {
                t->dropPossession();
            }
            takePossession();
            dropPossession();
            pokeBall(this, t, kSlidePokeMotion, kSlidePokeReach);
            s->lastTackler = this;
        }
        // Decided: the frames of the slide that follow neither foul nor count again.
        s->tackleFlag = 1;
    }
    if (animFinished != 0) {
        order = 0;
    }
}

void CPlayer::challenge() {
    GameStatics* const s = statics();
    CPlayer* const t = challengeTarget();
    if (t == nullptr || t->team == team || team == nullptr) {
        order = 0;
        return;
    }
    const Actor* const ball = s->ball;
    if (s->tackleFlag == 0 && distanceToBall < kStandReach && ball != nullptr && ball->z < kBallTooHigh &&
        !isDown(t)) {
        const bool inArea = team->isInPenaltyArea(t->x, t->y);
        if (drawFoul(this, t, inArea, kStandFoulFront, kStandFoulBehind)) {
            giveFoul(this, t, inArea, CardBands{kStandRed, kStandRedKeeper, kStandNone, kStandNoneKeeper});
        } else {
            team->tackleCount += 1;
            s->lastTackler = this;
            if (randomRange(0, kStandFallOdds) >= duelRating) {
                knockDown(t, kStandHardFall);
                takePossession();
            } else {
                pokeBall(this, t, kStandPokeMotion, kStandPokeReach);
            }
        }
        s->tackleFlag = 1;
    }
    if (animFinished != 0) {
        order = 0;
    }
}

void CPlayer::commitFoul(jint card, const jboolean inArea) {
    GameStatics* const s = statics();
    const jint t = sideOf(this);
    const runtime::ObjectArray* const saved = s->lineupAtKickOff;
    const auto* const row = saved != nullptr && saved->inBounds(t)
                                ? static_cast<const runtime::ByteArray*>((*saved)[t])
                                : nullptr;
    // Only a player of the kick-off line-up is booked.
    if (row == nullptr || !row->inBounds(homeIndex) || (*row)[homeIndex] >= kLineupPlaces) {
        card = 0;
    }
    if (card == kYellow && t == 1) {
        styleSetting = 0;
    }
    const jint before = bookings;
    if (s->matchPhase == kOpenPlay) {
        s->foulPlayer = this;
        lastCard = card;
        bookings += card;
        const jint other = 1 - t;
        if (inArea != 0) {
            setMatchPhase(kPenaltyPhase, other, s->kickOffTeam == t ? -kPenaltySpotX : kPenaltySpotX, 0);
        } else {
            const CPlayer* const victim = challengeTarget() != nullptr ? challengeTarget() : this;
            setMatchPhase(kFreeKickPhase, other, victim->x, victim->y);
        }
    }
    if (team != nullptr) {
        team->foulCount += 1;
        team->yellowCount += card == kYellow ? 1 : 0;
        team->redCount += card == kRed || (card == kYellow && bookings > 1) ? 1 : 0;
    }
    bookings = std::min(bookings, kSentOff);
    if (bookings == kSentOff && before < kSentOff) {
        sendOffPlayer(this);
    }
}

void CPlayer::save(const jboolean fromTackle) {
    GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    if ((s->setPieceKind == kPenaltySetPiece && s->penaltyKick == 0) || ball == nullptr) {
        return;
    }
    s->saveStage = 0;
    s->saveMode = fromTackle != 0 ? kSaveFromTackle : kSaveStarted;
    action = kSaveAction;
    vx = 0;
    vy = 0;
    jint px = 0;
    jint py = 0;
    jint h = 0;
    savePoint(px, py, h);
    const jint d = approxDistance(px - x, py - y);
    const CPlayer* const shooter = s->lastTouchPlayer;
    const jint sd = shooter != nullptr ? directionFromVector(shooter->x - x, shooter->y - y) : direction;
    const bool alongX = sd == 0 || sd == kHalfTurn;
    const bool inLine = alongX ? std::abs(px - x) <= kInLine : std::abs(py - y) <= kInLine;
    bool nearSide;
    if (sd == kHalfTurn) {
        nearSide = x <= px;
    } else if (sd == 0) {
        nearSide = x > px;
    } else {
        nearSide = (x > 0 && y > py) || (x <= 0 && y <= py);
    }
    jint pose;
    if (fromTackle == 0 && h >= kHighBall) {
        pose = inLine ? kCatchHigh : nearSide ? 114 : 113;
    } else if (fromTackle == 0 && h >= kMiddleBall && inLine) {
        pose = kCatchChest;
    } else if (fromTackle == 0 && h >= kMiddleBall) {
        pose = nearSide ? 100 : 101;
    } else if (fromTackle == 0 && inLine && d < kGatherReach) {
        pose = kGather;
    } else {
        const jint turn = turnBetween(direction, directionFromVector(px - x, py - y));
        if ((direction == 5 || direction == 6) && sd == 6 && turn < 0) {
            direction = (direction + 2) & kDirectionMask;
        } else if (direction == kDirectionMask && sd == 6) {
            direction = (direction - 2) & kDirectionMask;
        }
        pose = nearSide ? 103 : 104;
    }
    s->saveMode = kDiveChosen;
    if (pose != kCatchHigh && pose != kCatchChest && pose != kGather) {
        if (fromTackle != 0) {
            s->vectorX = 0;
            s->vectorY = 0;
            core::directionToVector(kTackleDive, direction);
            vx = s->vectorX;
            vy = s->vectorY;
        } else if (d >= kDiveFar) {
            s->penaltyKick = 0;
        } else if (d >= kDiveNear) {
            const jint speed = (kDiveSkillBase - skillLevels[kKeeperReachSkill]) * kDiveSkillStep;
            vy = py > y ? speed : py < y ? -speed : 0;
        }
    }
    setState(pose);
}

void CPlayer::keeperCatch() {
    statics()->keeperHoldsBall = 1;
    wantedDirection = direction;
    setState(kKeeperHolds);
}

void CPlayer::keeperThrow() {
    direction = team != nullptr && team->sideFlag != 0 ? 2 : 6;
    wantedDirection = direction;
    action = kLoftedOrder;
    order = kLoftedOrder;
    setState(kKeeperThrows);
}

void CPlayer::receivePass() {
    GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    // Met straight on, or turning with the ball towards its motion.
    const jint turn = ball != nullptr ? turnBetween(direction, directionFromVector(ball->vx, ball->vy)) : 0;
    setState(turn >= -1 && turn <= 1 ? kReceiveTurning : kReceiveStraight);
    takePossession();
    s->vectorX = 0;
    s->vectorY = 0;
    core::directionToVector(kReceivePush, direction);
    kickBall(kBallKick4, x + s->vectorX, y + s->vectorY, 0, -1, -1);
}

void CPlayer::strikeLooseBall() {
    GameStatics* const s = statics();
    action = s->matchPhase == kPenaltyPhase ? 0 : kStrikeAction;
    order = action;
    kickTargetX = team != nullptr ? team->orientX(kGoalLineX) : kGoalLineX;
    kickTargetY = 0;
    kickMode = 0;
    const jint t = turnBetween(direction, directionFromVector(kickTargetX - x, kickTargetY - y));
    setState(t <= -2 ? 25 : t <= 1 ? 18 : t <= 3 ? 26 : 28);
    takePossession();
}

void CPlayer::requestShot(const jint power) {
    GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    if (team == nullptr || ball == nullptr) {
        return;
    }
    if (!chooseShotWindow()) {
        order = kLoftedOrder;
        orderMode = kWingBallHeight;
        targetX = team->orientX(kWingPointX);
        targetY = ball->y >= 0 ? kWingPointY : -kWingPointY;
        return;
    }
    const jint aimX = team->orientX(team->orientX(ball->x) > kBallBeyond ? kBeyondLineX : kGoalLineX);
    const jint aimY = randomRange(s->shotLowY, s->shotHighY);
    const jint dx = aimX - x;
    const jint dy = aimY - y;
    const jint dist = approxDistance(dx, dy);
    const CPlayer* const keeper = opponents != nullptr ? opponents->goalkeeper : nullptr;
    if (keeper != nullptr) {
        const jint k = approxDistance(keeper->x - x, keeper->y - y);
        const bool between = team->orientX(keeper->x) > team->orientX(x) && k <= kChipKeeperReach && k < dist;
        if (between && randomRange(0, 2) == 0) {
            order = kLoftedOrder;
            targetX = aimX;
            targetY = aimY;
            orderMode = randomRange(0, reachValue) + power;
            assignment = kChipAssignment;
            team->shotCount += 1;
            return;
        }
    }
    order = kShotOrder;
    jint stage;
    if (s->matchPhase == kRestartPhaseA || s->matchPhase == kFreeKickPhase) {
        stage = randomRange(kShotStageMin, kShotStageMax);
    } else if (dist < kShotNearD) {
        stage = randomRange(kShotStageMin, kShotNearStageMax);
    } else if (dist < kShotMidD) {
        stage = randomRange(kShotMidStageMin, kShotMidStageMax);
    } else {
        stage = randomRange(kShotFarStageMin, kShotStageMax);
    }
    s->carrierStage = stage;
    if (s->matchPhase == kPenaltyPhase) {
        orderMode = power;
    } else {
        orderMode = stage < kLowShotStage ? 0 : randomRange(0, reachValue) + power;
    }
    const jint turn = turnBetween(direction, directionFromVector(dx, dy));
    const jint share = (turn > 1 || turn < -1 ? kShotReachAcross : kShotReachFacing) + stage;
    // Scaled in sixteenths so that the length times the offset stays within 32 bits.
    core::scaleVectorTo((dist >> kByteShift) * share, dx, dy);
    targetX = x + (s->vectorX << kSixteenthShift);
    targetY = y + (s->vectorY << kSixteenthShift);
}

void findPlayersInBox(const CTeam* const own, const CPlayer* const except, const jint minX, const jint maxX,
                      const jint minY, const jint maxY, const jint side, PlayersInBox& found) {
    found.nearCount = 0;
    found.farCount = 0;
    if (own == nullptr) {
        return;
    }
    for (jint i = kFirstOutfield; i < CTeam::kOnPitch; ++i) {
        const CPlayer* const p = teamPlayer(own, i);
        if (!onPitch(p) || p == except) {
            continue;
        }
        const jint bx = own->orientX(p->x);
        const jint by = own->orientX(p->y);
        if (bx < minX || bx > maxX || by < minY || by > maxY) {
            continue;
        }
        const bool near = side >= 0 ? p->y >= 0 : p->y <= 0;
        if (near) {
            found.nearSide[found.nearCount++] = i;
        } else {
            found.farSide[found.farCount++] = i;
        }
    }
}

namespace {

// The player of `slots` furthest up the pitch in the team's view (the first on a tie); null for
// an empty list.
const CPlayer* furthestForward(const CTeam* own, const jint* slots, const jint count) {
    const CPlayer* best = nullptr;
    for (jint k = 0; k < count; ++k) {
        const CPlayer* const p = teamPlayer(own, slots[k]);
        if (p != nullptr && (best == nullptr || own->orientX(p->x) > own->orientX(best->x))) {
            best = p;
        }
    }
    return best;
}

} // namespace

bool CPlayer::choosePassTarget() {
    GameStatics* const s = statics();
    const CTeam* const own = team;
    if (own == nullptr) {
        s->passTargetX = x;
        s->passTargetY = y;
        s->candidateX = x;
        s->candidateY = y;
        s->candidateSlot = -1;
        return false;
    }
    PlayersInBox found;
    findPlayersInBox(own, this, kPassReceiverBoxX, kPassTargetFarX, -kPitchHalfWidth, kPitchHalfWidth,
                     y >= 0 ? 1 : -1, found);
    // A ball across to the far side first; the near side only when nobody is over there.
    const CPlayer* receiver = furthestForward(own, found.farSide, found.farCount);
    if (receiver == nullptr) {
        receiver = furthestForward(own, found.nearSide, found.nearCount);
    }
    const jint forwardX = receiver != nullptr ? own->orientX(receiver->x) : kPassTargetNearX;
    s->passTargetX = own->orientX(std::clamp(forwardX, kPassTargetNearX, kPassTargetFarX));
    s->passTargetY = std::clamp(receiver != nullptr ? receiver->y : 0, -kPassTargetMaxY, kPassTargetMaxY);
    s->candidateX = s->passTargetX;
    s->candidateY = s->passTargetY;
    s->candidateSlot = receiver != nullptr ? receiver->slot : -1;
    return receiver != nullptr;
}

} // namespace game::match
