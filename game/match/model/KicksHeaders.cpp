// Kicks and headers: the set-up of a pass, a lofted pass or a shot (the approach during restarts,
// the throw-in, the set-piece run-up, the header and the diving header, the kick pose by the
// turn), its contact frame and the launch, and the first-time strike.
#include "game/match/model/KicksHeaders.h"

#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/Sound.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/MatchTuning.h"
#include "game/match/model/Ball.h"
#include "game/match/model/BallKick.h"
#include "game/match/model/BallPath.h"
#include "game/match/model/PlayerMotion.h"
#include "game/match/model/Possession.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"

namespace game::match {

using core::approxDistance;
using core::randomRange;

namespace {

constexpr jint kDirectionMask = 7;
constexpr jint kOpenPlay = 0;
constexpr jint kThrowInPhase = 3;
constexpr jint kByteMask = 0xFF;
// Actions (and orders) of the kicks.
constexpr jint kGroundPass = 2;
constexpr jint kLoftedPass = 3;
constexpr jint kShot = 4;
constexpr jint kMovingAction = 1;
// Ball kick kinds.
constexpr jint kKickGround = 0;
constexpr jint kKickLofted = 1;
constexpr jint kKickShot = 2;
// The approach during a restart, and how high a ball is still out of reach.
constexpr jint kApproachReach = 1280;
constexpr jint kTooHigh = 5121;
constexpr jint kDivingHeight = 7169;
// States of the kick.
constexpr jint kRunning = 1;
constexpr jint kFollowingBall = 24;
constexpr jint kThrowIn = 46;
constexpr jint kShortRunUp = 15;
constexpr jint kLongRunUp = 50;
constexpr jint kHeader = 13;
constexpr jint kDivingHeader = 47;
// The set-piece run-up: its target's reach, the run vector's share and the braking share.
constexpr jint kRunUpReach = 30720;
constexpr jint kShortRunShare = 6;
constexpr jint kLongRunShare = 8;
constexpr jint kRunBrakeShare = 5;
constexpr jint kLoftedOrderHeight = 5120;
// The header's reach for a ground pass and for the others, pulled in by sixteenths.
constexpr jint kHeaderPassReach = 49152;
constexpr jint kHeaderReach = 25600;
constexpr jint kSixteenthShift = 4;
constexpr jint kJumpReach = 8192;
constexpr jint kRunMoveHeader = 4;
// The pose table's flags: the carrier's stage of a cross from the box.
constexpr jint kCrossStage = 12;
constexpr jint kVolleyDraw = 2;
// A ground pass to a team-mate: the receiver slots and how near the target he waits.
constexpr jint kLastReceiverSlot = 10;
constexpr jint kWaitNear = 1281;
// The throw-in's reach across.
constexpr jint kThrowInMaxY = 86015;
constexpr jint kStrikePassPower = 60;
// The strike's contact frame, and the run-up's.
constexpr jint kStrikeFrame = 1;
constexpr jint kStrikeRunUpFrame = 2;
// Sounds.
constexpr jint kShotSound = 13;
constexpr jint kStrikeSound = 9;
// The event display's notes and how many updates it keeps one.
constexpr jint kNoteShot = 1;
constexpr jint kNotePass = 2;
constexpr jint kNoteUpdates = 4;

bool ballInFlight(const jint state) {
    return (state >= kBallLofted && state <= kBallKick5) || state == kBallShot || state == kBallLoftedHigh;
}

// The planned height of the ball at this tick's path entry; 0 past the table.
jint pathHeight() {
    const GameStatics* const s = statics();
    const runtime::IntArray* const z = s->ballPathZ;
    return z != nullptr && z->inBounds(s->ballPathIndex) ? (*z)[s->ballPathIndex] : 0;
}

// The kick target (kickTargetX, kickTargetY), if farther than reach from the player, pulled in to
// reach along the same line. The scaling works in sixteenths of the reach so that reach times a
// pitch-long offset stays within 32 bits (a full reach would wrap for targets 70,000 away).
void pullInTarget(CPlayer* p, const jint reach) {
    const jint dx = p->kickTargetX - p->x;
    const jint dy = p->kickTargetY - p->y;
    if (approxDistance(dx, dy) <= reach) {
        return;
    }
    GameStatics* const s = statics();
    core::scaleVectorTo(reach >> kSixteenthShift, dx, dy);
    p->kickTargetX = p->x + (s->vectorX << kSixteenthShift);
    p->kickTargetY = p->y + (s->vectorY << kSixteenthShift);
}

void copyKickFields(CPlayer* p) {
    p->kickTargetX = p->targetX;
    p->kickTargetY = p->targetY;
    p->kickMode = p->orderMode;
}

// The nearest opponent within reach of a header jumps with him: he faces the header (from the
// header's facing, turned by a draw), his motion halved.
void opponentJumps(const CPlayer* p) {
    CTeam* const other = p->opponents;
    if (other == nullptr) {
        return;
    }
    CPlayer* const o = teamPlayer(other, other->findNearestPlayerTo(p->x, p->y, 0));
    if (o == nullptr || approxDistance(o->x - p->x, o->y - p->y) > kJumpReach) {
        return;
    }
    o->direction = (p->direction + kDirectionMask / 2 + 1 + randomRange(-1, 1)) & kDirectionMask;
    o->wantedDirection = o->direction;
    o->vx /= 2;
    o->vy /= 2;
    o->setState(kHeader);
}

// Step 6: the set-piece run-up towards the ball.
void runUp(CPlayer* p, CTeam* team, const jint kind) {
    GameStatics* const s = statics();
    p->wantedDirection = p->direction;
    if (p->isBehind(p->kickTargetX, p->kickTargetY)) {
        if (kind == kGroundPass) {
            p->passLaneOpen(team->orientDirection(2), 0);
            p->targetX = s->candidateX;
            p->targetY = s->candidateY;
        } else {
            p->choosePassTarget();
            p->targetX = s->passTargetX;
            p->targetY = s->passTargetY;
            p->order = kLoftedPass;
            p->orderMode = kLoftedOrderHeight;
            p->action = kLoftedPass;
        }
        copyKickFields(p);
    }
    pullInTarget(p, kRunUpReach);
    const jint rx = team->runFaceX - team->runTargetX;
    const jint ry = team->runFaceY - team->runTargetY;
    const bool shortRun = team->runFlag == 1;
    const jint length = approxDistance(rx, ry) / (shortRun ? kShortRunShare : kLongRunShare);
    const jint speed = std::min(p->sprintSpeed, length);
    const jint back = (p->direction + kDirectionMask / 2 + 1) & kDirectionMask;
    s->vectorX = 0;
    s->vectorY = 0;
    if (rx == 0 && ry == 0 ? false : isNeighbourDirection(back, directionFromVector(rx, ry))) {
        core::directionToVector(speed, p->direction);
    } else {
        core::scaleVectorTo(speed, rx, ry);
    }
    p->vx = s->vectorX;
    p->vy = s->vectorY;
    p->ax = -(p->vx / kRunBrakeShare);
    p->ay = -(p->vy / kRunBrakeShare);
    team->runFlag = 0;
    p->setState(shortRun ? kShortRunUp : kLongRunUp);
}

// Step 9: the kick pose by the turn to the target.
void pickPose(CPlayer* p, const jint kind) {
    const GameStatics* const s = statics();
    const jint t =
        turnBetween(p->direction, directionFromVector(p->kickTargetX - p->x, p->kickTargetY - p->y));
    bool stage = false;
    bool volley = false;
    if (kind == kLoftedPass && p->team != nullptr) {
        const bool inZone = p->team->isInShootingZone(p->x, p->y);
        stage = s->carrierStage == kCrossStage && inZone;
        volley = s->carrierStage != kCrossStage && inZone && randomRange(0, 2) == kVolleyDraw &&
                 p->volleyFlag != 0;
    }
    const bool shot = kind == kShot;
    jint pose;
    if (t <= -2) {
        pose = shot || stage ? 25 : volley ? 111 : 19;
        p->direction = (p->direction - 2) & kDirectionMask;
    } else if (t <= 1) {
        pose = kind == kGroundPass ? 11 : kind == kLoftedPass ? 12 : 18;
    } else if (t <= 3) {
        pose = shot || stage ? 26 : volley ? 112 : 20;
        p->direction = (p->direction + 2) & kDirectionMask;
    } else {
        pose = shot || stage ? 28 : 22;
        p->direction = p->wantedDirection;
    }
    p->setState(pose);
}

// The event display's note of a shot, or of a pass while the team's shot flag is clear.
void noteKick(const CPlayer* p, const jint kind) {
    GameStatics* const s = statics();
    CTeam* const team = p->team;
    if (team == nullptr || (kind != kShot && kind != kGroundPass)) {
        return;
    }
    if (kind == kShot) {
        team->shotFlag = 1;
    } else if (team->shotFlag != 0) {
        return;
    }
    s->eventNoteKind = kind == kShot ? kNoteShot : kNotePass;
    s->eventNoteTeam = team->teamIndex;
    s->eventNoteTicks = kNoteUpdates;
}

// The duration in ticks of the actor's current animation frame; 1 without the records.
jint currentFrameDuration(const Actor* a) {
    const sprites::ASprite* const s = a->sprite;
    if (s == nullptr || a->anim < 0 || a->anim >= s->animationCount() || s->animFrames == nullptr ||
        s->animFrameStride <= 0) {
        return 1;
    }
    const jint r =
        ((*s->animFirstFrame)[a->anim] + a->frame) * s->animFrameStride + sprites::kAnimFrameDurationByte;
    return s->animFrames->inBounds(r) ? std::max(1, (*s->animFrames)[r] & kByteMask) : 1;
}

// The ground pass's target, played exactly or off by up to twice the error size.
void aimGroundPass(const CPlayer* p, jint& tx, jint& ty) {
    const CTeam* const team = p->team;
    const jint level = std::clamp(team != nullptr ? team->teamLevel : kTeamLevelDefault, 0, kTeamLevelWorst);
    const jint d = team != nullptr ? team->orientDirection(directionFromVector(tx - p->x, ty - p->y))
                                   : directionFromVector(tx - p->x, ty - p->y);
    const bool forward = d >= 1 && d <= 3;
    const jint threshold = (kPassLevelBase - level) * kPassLevelStep - p->shotPower * kPassPowerStep +
                           (forward ? -kPassDirectionBonus : kPassDirectionBonus);
    if (randomRange(0, 100) <= threshold) {
        return;
    }
    const jint e = kPassErrorBase + kPassErrorPerPower * p->shotPower;
    tx += randomRange(-2 * e, 2 * e);
    ty += randomRange(-2 * e, 2 * e);
}

// The kind of a first-time strike by its pose: the shot poses shoot, the lofted and volley poses
// loft the ball, any other pose plays it along the ground.
jint strikeKind(const jint pose) {
    switch (pose) {
    case 18:
    case 25:
    case 26:
    case 28:
        return kShot;
    case 12:
    case 111:
    case 112:
        return kLoftedPass;
    default:
        return kGroundPass;
    }
}

} // namespace

void countMatchStat(const jint teamIndex, const jint entry) {
    const runtime::ObjectArray* const stats = statics()->matchStats;
    if (stats == nullptr || !stats->inBounds(teamIndex)) {
        return;
    }
    auto* const row = static_cast<runtime::ShortArray*>((*stats)[teamIndex]);
    if (row != nullptr && row->inBounds(entry)) {
        (*row)[entry] = static_cast<runtime::jshort>((*row)[entry] + 1);
    }
}

jint sideOf(const CPlayer* player) {
    return player != nullptr && player->team != nullptr ? player->team->teamIndex : -1;
}

jint kickContactFrame(const jint state) {
    switch (state) {
    case 12:
    case 18:
    case 19:
    case 20:
    case 25:
    case 26:
    case 46:
        return 3;
    case 13:
    case 15:
    case 47:
    case 50:
        return 2;
    case 21:
    case 22:
        return 4;
    case 28:
        return 5;
    case 11:
    case 111:
    case 112:
        return kOtherPoseContactFrame;
    default:
        return -1;
    }
}

bool atContactTick(const CPlayer* player, const jint contactFrame) {
    if (contactFrame < 0) {
        return false;
    }
    if (player->frame >= contactFrame) {
        return true;
    }
    return player->frame == contactFrame - 1 && player->frameTimer + 1 >= currentFrameDuration(player);
}

void CPlayer::kick(const jint kind, const jboolean fromSetPiece) {
    GameStatics* const s = statics();
    Actor* const ball = s->ball;
    if (ball == nullptr || team == nullptr) {
        return;
    }
    noteKick(this, kind);
    if (fromSetPiece == 0 && s->matchPhase != kOpenPlay) {
        moving = 0;
        if (approxDistance(ball->x - x, ball->y - y) > kApproachReach) {
            screenVectorTowards(runSpeed, ball->x - x, ball->y - y, 0);
            vx = s->vectorX;
            vy = s->vectorY;
            setState(kRunning);
            return;
        }
        vx = 0;
        vy = 0;
    }
    if (s->ballHiddenB != 0 && s->matchPhase == kThrowInPhase && s->restartActor.get() == this) {
        copyKickFields(this);
        action = kind;
        direction = directionFromVector(kickTargetX - x, kickTargetY - y);
        setState(kThrowIn);
        return;
    }
    if (fromSetPiece == 0 && ball->z - ball->vz >= kTooHigh) {
        s->vectorX = 0;
        s->vectorY = 0;
        core::scaleVectorTo(sideSpeed, ball->vx, ball->vy);
        vx = s->vectorX;
        vy = s->vectorY;
        setState(kFollowingBall);
        return;
    }
    copyKickFields(this);
    action = kind;
    kickBallHeight = ball->z;
    if (fromSetPiece != 0 && team->runFlag != 0) {
        runUp(this, team, kind);
        return;
    }
    const bool runMove = team->runActive != 0 && team->runKind == kRunMoveHeader;
    const bool lofted = s->ballState == kBallLofted || s->ballState == kBallLoftedHigh;
    if (lofted && (runMove || (isNearBallPath(x, y, 2) && pathHeight() >= kTooHigh))) {
        takePossession();
        pullInTarget(this, kind == kGroundPass ? kHeaderPassReach : kHeaderReach);
        setState(kHeader);
        opponentJumps(this);
    } else if (ballInFlight(s->ballState) && (runMove || pathHeight() >= kDivingHeight)) {
        takePossession();
        const jint from = directionFromVector(x - kickTargetX, y - kickTargetY);
        direction = from == 0 || from == 7 ? 0 : from <= 2 ? 2 : from <= 4 ? 4 : 6;
        pullInTarget(this, kHeaderReach);
        setState(kDivingHeader);
        opponentJumps(this);
    } else {
        takePossession();
        pickPose(this, kind);
    }
    wantedDirection = direction;
    if (kind == kGroundPass && kickMode >= 0 && kickMode <= kLastReceiverSlot) {
        CPlayer* const mate = teamPlayer(team, kickMode);
        if (mate != nullptr && mate != this && mate->action == kMovingAction &&
            approxDistance(mate->x - kickTargetX, mate->y - kickTargetY) < kWaitNear) {
            mate->idle();
        }
    }
}

void CPlayer::kickContact() {
    GameStatics* const s = statics();
    if (s->ballHolder.get() != this || !atContactTick(this, kickContactFrame(state))) {
        return;
    }
    const jint t = sideOf(this);
    dropPossession();
    if (state == kThrowIn) {
        kickBall(kKickGround, kickTargetX, std::clamp(kickTargetY, -kThrowInMaxY, kThrowInMaxY), 0, -1, -1);
        countMatchStat(t, kStatBallsPlayed);
        return;
    }
    if (action == kGroundPass) {
        jint tx = kickTargetX;
        jint ty = kickTargetY;
        aimGroundPass(this, tx, ty);
        kickBall(kKickGround, tx, ty, 0, -1, -1);
    } else if (action == kLoftedPass) {
        kickBall(kKickLofted, kickTargetX, kickTargetY, kickMode, -1, -1);
    } else if (action == kShot) {
        kickShot(this);
        core::playSound(kShotSound);
    } else {
        return;
    }
    countMatchStat(t, action == kShot ? kStatShots : kStatBallsPlayed);
}

void CPlayer::strikeContact() {
    const jint contact = state == kShortRunUp ? kStrikeRunUpFrame : kStrikeFrame;
    if (hasBall == 0 || frame < contact) {
        return;
    }
    const jint t = sideOf(this);
    takePossession();
    dropPossession();
    const jint kind = strikeKind(state);
    if (kind == kGroundPass) {
        kickPower() = kStrikePassPower;
        kickBall(kKickGround, kickTargetX, kickTargetY, 0, -1, -1);
    } else if (kind == kLoftedPass) {
        kickBall(kKickLofted, kickTargetX, kickTargetY, kickMode, -1, -1);
    } else {
        kickPower() = shotPower;
        kickBall(kKickShot, kickTargetX, kickTargetY, kickMode, -1, -1);
    }
    countMatchStat(t, kind == kShot ? kStatShots : kStatBallsPlayed);
    core::playSound(kStrikeSound);
}

} // namespace game::match
