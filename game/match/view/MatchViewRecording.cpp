// The recording pass of the match view (see MatchViewRecording.h).
#include "game/match/view/MatchViewRecording.h"

#include <cstdlib>

#include "game/core/GameStatics.h"
#include "game/core/services/InfoScreenServices.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/model/Areas.h"
#include "game/match/model/MatchRecords.h"
#include "game/match/model/PitchMarks.h"
#include "game/match/view/FrameRecorder.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpritePainting.h"
#include "runtime/Arrays.h"
#include "runtime/Object.h"

namespace game::match {

using namespace game::match::frame;

namespace {

constexpr jint kKindOutfield = 0;
constexpr jint kKindKeeper = 1;
constexpr jint kKindBall = 2;
constexpr jint kKindGoal = 3;
constexpr jint kKindShowA = 9;
constexpr jint kKindShowB = 10;
constexpr jint kPlacementAtOnce = 2;
// Beyond a goal line (pitch units): the ball may lie behind or in front of the goal frame.
constexpr jint kGoalLineX = 135168;
// The ball's shadow grows at this height.
constexpr jint kHighBall = 3840;
constexpr jint kBallStateStopped = 7;
// The trail's animations count down from ballTrailLength + 7.
constexpr jint kTrailAnimBase = 7;
// Spin: speed capped at 1024, advance every 9 - (speed >> 6) ticks, never at 8 or more.
constexpr jint kSpinSpeedCap = 1024;
constexpr jint kSpinShift = 6;
constexpr jint kSpinBase = 9;
constexpr jint kSpinNever = 8;
// Net frame codes after a goal's net animation finishes (pitch condition 1: the other pair).
constexpr jint kNetCodeA = 0;
constexpr jint kNetCodeB = 5;
constexpr jint kNetCodeAWet = 11;
constexpr jint kNetCodeBWet = 6;
// Palettes: the keeper's team + 2, plus 64 while the ball is in play; the outfield palette byte of
// the 22-byte match record.
constexpr jint kKeeperPaletteBase = 2;
constexpr jint kKeeperInPlay = 64;
constexpr jint kRecordBytes = 22;
constexpr jint kRecordsPerSide = 30;
constexpr jint kPaletteByte = 13;
// Markers: slot + 16 x team; 32 in the low byte of markerFlags when nobody has or gets the ball;
// bits 8/9 (team 1: 10/11) booked and unfit flags of the active player.
constexpr jint kMarkerTeamStep = 16;
constexpr jint kNoHolderMarker = 32;
constexpr jint kLowByte = 0xFF;
constexpr jint kBookedBit = 0x100;
constexpr jint kUnfitBit = 0x200;
constexpr jint kTeamBitShift = 2;
// Phases and steps that show the two scenery kinds and that change the marker rules.
constexpr jint kPhaseKickOff = 1;
constexpr jint kPhasePeriodOver = 9;
constexpr jint kPhaseShowA = 15;
constexpr jint kPhaseFinal = 17;
constexpr jint kStepNoMarker = 12;
constexpr jint kPeriodAward = 6;
// Ball marks (pitch condition 2): animation 5 of the effects sprite, frames 0..2.
constexpr jint kMarksCondition = 2;
constexpr jint kWetCondition = 1;
constexpr jint kBallMarkAnim = 5;
constexpr jint kBallMarkFrames = 3;
// The final scene's extra frames: first frame of animation 1, 13 and 4 pixels off the actor.
constexpr jint kExtraAnim = 1;
constexpr jint kExtraDx = 13;
constexpr jint kExtraDy = 4;

Actor* actorAt(const runtime::ObjectArray* array, const jint i) {
    return array != nullptr && array->inBounds(i) ? static_cast<Actor*>((*array)[i]) : nullptr;
}

jint teamIndexOf(const CPlayer* player) {
    return player->team != nullptr ? player->team->teamIndex : 0;
}

bool ballHidden(const GameStatics* s) {
    return s->keeperHoldsBall != 0 || s->ballHiddenB != 0;
}

bool shown(const GameStatics* s, const Actor* actor) {
    if (actor->kind == kKindShowA) {
        return (s->matchPhase == kPhasePeriodOver && s->matchPeriod == kPeriodAward) ||
               s->matchPhase == kPhaseFinal || s->phaseStep == 1 || s->phaseStep == 2 ||
               s->phaseStep == kStepNoMarker;
    }
    if (actor->kind == kKindShowB) {
        const CTeam* const first = matchTeam(0);
        const jint firstIndex = first != nullptr ? first->teamIndex : 0;
        return s->matchPhase == kPhaseShowA || s->matchPhase == kPhaseFinal ||
               s->matchPhase == kPhaseKickOff || s->matchPhase == kPhasePeriodOver ||
               s->phaseStep == kStepNoMarker ||
               (s->phaseStep == 2 && (s->phaseTeam != firstIndex || s->playerToReplace != nullptr));
    }
    return true;
}

// Inserts actor before the first sorted entry whose screen y is at or below its own.
void insertSorted(GameStatics* s, Actor* actor) {
    runtime::ObjectArray* const sorted = s->sortedActors;
    if (sorted == nullptr || s->sortedActorCount >= sorted->length) {
        return;
    }
    jint at = 0;
    while (at < s->sortedActorCount && actorAt(sorted, at)->screenY < actor->screenY) {
        ++at;
    }
    for (jint i = s->sortedActorCount; i > at; --i) {
        (*sorted)[i] = (*sorted)[i - 1];
    }
    (*sorted)[at] = actor;
    ++s->sortedActorCount;
}

// Moves the ball before or behind the goal frame when it lies beyond a goal line.
void orderBallAndGoal(GameStatics* s) {
    const Actor* const ball = s->ball;
    if (ball == nullptr || (ball->x <= kGoalLineX && ball->x >= -kGoalLineX)) {
        return;
    }
    runtime::ObjectArray* const sorted = s->sortedActors;
    jint goal = -1;
    jint ballAt = -1;
    for (jint i = 0; i < s->sortedActorCount; ++i) {
        const jint kind = actorAt(sorted, i)->kind;
        if (kind == kKindGoal) {
            goal = i;
        } else if (kind == kKindBall) {
            ballAt = i;
        }
    }
    if (goal < 0 || ballAt < 0) {
        return;
    }
    Actor* const moved = actorAt(sorted, ballAt);
    if (goal < ballAt && !ballGoalDepthTest()) {
        for (jint i = ballAt; i > goal; --i) {
            (*sorted)[i] = (*sorted)[i - 1];
        }
        (*sorted)[goal] = moved;
    } else if (goal > ballAt && ballGoalDepthTest()) {
        for (jint i = ballAt; i < goal; ++i) {
            (*sorted)[i] = (*sorted)[i + 1];
        }
        (*sorted)[goal] = moved;
    }
}

// The trail behind the ball: one command per kept position, the ball then put back as it was.
void recordTrail(GameStatics* s, Actor* ball, profile::Graphics* g) {
    const jint x = ball->x;
    const jint y = ball->y;
    const jint z = ball->z;
    const jint frame = ball->frame;
    const jint frameCode = ball->frameCode;
    s->paintingTrail = 1;
    for (jint i = 0; i < s->ballTrailLength && s->ballState != kBallStateStopped; ++i) {
        const runtime::IntArray* const trail = s->ballTrail;
        const jint at = i * s->ballTrailStride;
        if (trail == nullptr || at < 0 || !trail->inBounds(at + 2)) {
            break;
        }
        ball->x = (*trail)[at];
        ball->y = (*trail)[at + 1];
        ball->z = (*trail)[at + 2];
        ball->setAnimation(s->ballTrailLength - i + kTrailAnimBase, 1);
        ball->updateScreenPosition(s->cameraX, s->cameraY);
        paintActor(ball, g, s->cameraX, s->cameraY);
    }
    ball->x = x;
    ball->y = y;
    ball->z = z;
    ball->setAnimation(0, 1);
    ball->frame = frame;
    ball->frameCode = frameCode;
    ball->updateScreenPosition(s->cameraX, s->cameraY);
    s->paintingTrail = 0;
}

void advanceAnimations(GameStatics* s) {
    const runtime::ObjectArray* const actors = s->matchActors;
    for (jint i = 0; i < s->matchActorCount; ++i) {
        Actor* const actor = actorAt(actors, i);
        if (actor == nullptr) {
            continue;
        }
        if (actor->kind == kKindBall) {
            const runtime::jlong sum = std::llabs(static_cast<runtime::jlong>(actor->vx)) +
                                       std::llabs(static_cast<runtime::jlong>(actor->vy)) +
                                       std::llabs(static_cast<runtime::jlong>(actor->vz));
            const jint speed = sum > kSpinSpeedCap ? kSpinSpeedCap : static_cast<jint>(sum);
            const jint r = kSpinBase - (speed >> kSpinShift);
            const jint before = s->ballSpinCounter++;
            if (r < kSpinNever && before >= r) {
                actor->updateAnimation();
                s->ballSpinCounter = 0;
            }
        } else if (actor->placement != Actor::kPlacementHidden) {
            actor->updateAnimation();
        }
    }
}

void setMarkerLowByte(GameStatics* s, const jint value) {
    s->markerFlags = (s->markerFlags & ~kLowByte) | (value & kLowByte);
}

jint outfieldPalette(const GameStatics* s, const jint slot, const jint team) {
    const runtime::ByteArray* const records = s->listRowRecords;
    const jint at = (slot + kRecordsPerSide * team) * kRecordBytes + kPaletteByte;
    return records != nullptr && at >= 0 && records->inBounds(at) ? (*records)[at] : 0;
}

// Step 5: the keeper's palette and markers; false when he is not recorded.
bool keeperRules(GameStatics* s, CPlayer* player, jint& palette) {
    if (player->outOfPlay != 0) {
        return false;
    }
    const jint team = teamIndexOf(player);
    const bool held = ballHidden(s) || isBallHeldByKeeper();
    palette = team + kKeeperPaletteBase + (held ? 0 : kKeeperInPlay);
    const jint marker = player->slot + kMarkerTeamStep * team;
    if (findNearestToBall(team, 1) == player &&
        (player == s->receivingPlayer.get() || player == s->ballHolder.get())) {
        s->markerIndex = marker;
    }
    if (player->team != nullptr && player == s->ballHolder.get()) {
        setMarkerLowByte(s, marker);
    } else if (s->ballHolder == nullptr) {
        setMarkerLowByte(s, kNoHolderMarker);
    }
    return true;
}

// Step 6: an outfield player's palette, the active player's marker and markerFlags.
bool outfieldRules(GameStatics* s, CPlayer* player, jint& palette) {
    const runtime::ObjectArray* const sideline = s->sidelineActors;
    for (jint side = 0; side < 2; ++side) {
        if (actorAt(sideline, side) == player) {
            palette = side;
            return true;
        }
    }
    if (player->outOfPlay != 0) {
        return false;
    }
    const jint team = teamIndexOf(player);
    palette = outfieldPalette(s, player->slot, team);
    if (s->matchPhase != kPhaseKickOff) {
        s->lastEventPlayer = nullptr;
    }
    const CPlayer* const lastEvent = s->lastEventPlayer;
    const bool near = findNearestToBall(team, 1) == player &&
                      (player == s->receivingPlayer.get() || player == s->ballHolder.get()) &&
                      lastEvent == nullptr;
    if (!((near || player == lastEvent) && s->phaseStep != kStepNoMarker)) {
        return true;
    }
    const jint marker = player->slot + kMarkerTeamStep * team;
    s->markerIndex = marker;
    const jint shift = team == 0 ? 0 : kTeamBitShift;
    const bool booked = (player->bookings == 1 || player->bookings == 2) &&
                        !(player == s->foulPlayer.get() && player->lastCard > 0);
    s->markerFlags =
        booked ? s->markerFlags | (kBookedBit << shift) : s->markerFlags & ~(kBookedBit << shift);
    s->markerFlags =
        player->unfit != 0 ? s->markerFlags | (kUnfitBit << shift) : s->markerFlags & ~(kUnfitBit << shift);
    if (player == s->ballHolder.get() || (s->ballHolder == nullptr && player == s->receivingPlayer.get())) {
        setMarkerLowByte(s, marker);
    } else if (s->ballHolder == nullptr && s->receivingPlayer == nullptr) {
        setMarkerLowByte(s, kNoHolderMarker);
    }
    return true;
}

sprites::ASprite* spriteAt(const GameStatics* s, const jint index) {
    const runtime::ObjectArray* const table = s->sprites;
    return table != nullptr && table->inBounds(index) ? static_cast<sprites::ASprite*>((*table)[index])
                                                      : nullptr;
}

// Step 8: the ball marks still running are painted (with a Graphics) and move one frame on.
void advanceBallMarks(GameStatics* s, profile::Graphics* g, const jint camX, const jint camY) {
    for (jint m = 0; m < kBallMarks; ++m) {
        jint* const mark = s->ballMarks + kBallMarkLength * m;
        if (mark[2] >= kBallMarkFrames) {
            continue;
        }
        if (g != nullptr) {
            sprites::ASprite* const effects = spriteAt(s, kEffectsSprite);
            if (effects != nullptr) {
                effects->paintAnimFrame(g, kBallMarkAnim, mark[2], mark[0] - camX, mark[1] - camY, 0, 0, 0);
            }
        }
        ++mark[2];
    }
}

void copyBallMarks(GameStatics* s, const jint camX, const jint camY) {
    runtime::ShortArray* const record = s->frameRecord;
    if (record == nullptr || record->length < kFirstCommandWord) {
        return;
    }
    for (jint m = 0; m < kBallMarks; ++m) {
        const jint* const mark = s->ballMarks + kBallMarkLength * m;
        const jint at = kFirstBallMarkWord + kBallMarkLength * m;
        (*record)[at] = static_cast<runtime::jshort>(mark[0] - camX);
        (*record)[at + 1] = static_cast<runtime::jshort>(mark[1] - camY);
        (*record)[at + 2] = static_cast<runtime::jshort>(mark[2]);
    }
}

// Step 10: the final scene's frames painted straight onto g around the actor.
void paintFinalScene(Actor* actor, profile::Graphics* g, const jint sx, const jint sy, const jint palette) {
    sprites::ASprite* const sprite = actor->sprite;
    if (g == nullptr || sprite == nullptr) {
        return;
    }
    sprite->paintAnimFrame(g, kExtraAnim, 0, sx + kExtraDx, sy - kExtraDy, 0, 0, 0);
    sprites::paintAnimFrameWithPalette(sprite, g, actor->anim, actor->frame, sx, sy,
                                       (actor->flipX != 0 ? 1 : 0) + (actor->flipY != 0 ? 2 : 0), palette);
    sprite->paintAnimFrame(g, kExtraAnim, 0, sx - kExtraDx, sy - kExtraDy, 0, 0, 0);
}

} // namespace

void paintActor(Actor* const actor, profile::Graphics* const g, const jint camX, const jint camY) {
    if (actor == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    s->markerIndex = 0;
    Actor* const shadow = s->ballShadow;
    if (actor->kind == kKindBall && s->paintingTrail == 0 && actor != shadow) {
        if (ballHidden(s) || isBallHeldByKeeper()) {
            return;
        }
        if (shadow != nullptr) {
            shadow->setAnimation(actor->z >= kHighBall ? 1 : 0, 0);
            shadow->screenX = s->ballGroundX;
            shadow->screenY = s->ballGroundY;
            paintActor(shadow, g, camX, camY);
            s->markerIndex = 0;
        }
    }
    const jint sx = actor->screenX - camX;
    const jint sy = actor->screenY - camY;
    jint palette = actor->kind == kKindBall ? s->ballPalette : 0;
    if (actor->kind == kKindGoal && actor->animFinished != 0) {
        Actor* const netA = s->netActorA;
        Actor* const netB = s->netActorB;
        const bool wet = s->pitchCondition == kWetCondition;
        if (netA != nullptr) {
            netA->frame = 0;
            netA->frameCode = wet ? kNetCodeAWet : kNetCodeA;
        }
        if (netB != nullptr) {
            netB->frame = 0;
            netB->frameCode = wet ? kNetCodeBWet : kNetCodeB;
        }
    }
    const bool isPlayer = (actor->kind == kKindKeeper || actor->kind == kKindOutfield) &&
                          runtime::instanceOf(actor, runtime::kCPlayer) != 0;
    if (isPlayer) {
        auto* const player = static_cast<CPlayer*>(actor);
        const bool recorded =
            actor->kind == kKindKeeper ? keeperRules(s, player, palette) : outfieldRules(s, player, palette);
        if (!recorded) {
            return;
        }
        player->paintPlayerEffects(g, camX, camY);
    }
    const bool marks = actor->kind == kKindBall && s->pitchCondition == kMarksCondition;
    if (marks) {
        advanceBallMarks(s, g, camX, camY);
    }
    const jint setIndex = actor->sprite != nullptr ? actor->sprite->kind : actor->kind;
    if (setIndex == kKindGoal) {
        palette = s->kind3Palette;
    }
    if (actor->kind == kKindShowA && s->matchPhase == kPhaseFinal) {
        paintFinalScene(actor, g, sx, sy, palette);
    }
    recordSpriteCommand(setIndex, sx, sy, actor->flipX, actor->flipY, actor->frameCode, palette);
    if (marks) {
        copyBallMarks(s, camX, camY);
    }
}

void paintMatchView(profile::Graphics* const g) {
    GameStatics* const s = statics();
    recordFrameHeader();
    if (s->matchDayMode != 0) {
        s->frameLength = kFirstCommandWord;
    } else {
        core::infoScreenServices().paintPitchsideFigures(g);
    }
    s->sortedActorCount = 0;
    const runtime::ObjectArray* const actors = s->matchActors;
    jint savedX = 0;
    jint savedY = 0;
    for (jint i = 0; i < s->matchActorCount; ++i) {
        Actor* const actor = actorAt(actors, i);
        if (actor == nullptr || actor->placement == Actor::kPlacementHidden || !shown(s, actor)) {
            continue;
        }
        actor->updateScreenPosition(s->cameraX, s->cameraY);
        if (actor->visible == 0 && actor->kind != kKindBall) {
            continue;
        }
        if (actor->placement == kPlacementAtOnce) {
            paintActor(actor, g, s->cameraX, s->cameraY);
            continue;
        }
        if (actor->kind == kKindBall) {
            savedX = actor->screenX;
            savedY = actor->screenY;
            actor->screenX = s->ballGroundX;
            actor->screenY = s->ballGroundY - (s->ballSortsAbove != 0 ? 1 : 0);
        }
        insertSorted(s, actor);
    }
    if (Actor* const ball = s->ball; ball != nullptr) {
        ball->screenX = savedX;
        ball->screenY = savedY;
    }
    orderBallAndGoal(s);
    for (jint i = 0; i < s->sortedActorCount; ++i) {
        Actor* const actor = actorAt(s->sortedActors, i);
        if (actor == nullptr) {
            continue;
        }
        if (actor->kind == kKindBall && s->ballEffectActive != 0) {
            recordTrail(s, actor, g);
        }
        paintActor(actor, g, s->cameraX, s->cameraY);
    }
    if (s->ballEffectActive != 0) {
        Actor* const effect = s->ballEffectActor;
        if (effect != nullptr) {
            paintActor(effect, g, s->cameraX, s->cameraY);
            effect->updateAnimation();
            if (effect->animFinished != 0) {
                s->ballEffectActive = 0;
            }
        }
    }
    if (s->animateActors != 0 && s->matchActorCount >= 1) {
        advanceAnimations(s);
    }
    commitFrameRecord();
}

} // namespace game::match
