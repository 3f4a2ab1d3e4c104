// A player's state and the pose it shows: CPlayer::setState turns state and facing into an
// animation of the player sprite (or the goalkeeper's second sheet) and a mirror flag.
#include <set>
#include <utility>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/sprites/ASprite.h"
#include "runtime/Log.h"

namespace game::match {

namespace {

constexpr jint kLastState = 150;
constexpr jint kDirectionMask = 7;
// The viewing index d from which a pose is drawn mirrored, and the five-view rule's pivot.
constexpr jint kFirstMirroredView = 5;
constexpr jint kViewPivot = 8;
// kickRating bands: below 3 the first variant, 3 or 4 the second, 5 and up the third.
constexpr jint kKickBandMiddle = 3;
constexpr jint kKickBandHigh = 5;
constexpr jint kKickRatingLevel = 3;
// Sheets of the goalkeeper: the player sheet for the outfield poses, his own for the rest.
constexpr jint kPlayerSheet = 0;
constexpr jint kKeeperSheet = 1;
constexpr jint kLastPlayerSheetState = 99;
// The set-piece poses of state 0 for the phase's player: phase 3's own pose, else 167.
constexpr jint kKeeperPenaltyPhase = 4;
constexpr jint kSetPiecePhase = 3;
constexpr jint kSetPieceStepFrom = 5;
constexpr jint kSetPieceStepNot = 12;
constexpr jint kCarrierStageEarly = 3;

// States whose animation loops.
bool loops(const jint s) {
    switch (s) {
    case 0:
    case 1:
    case 23:
    case 24:
    case 32:
    case 33:
    case 34:
    case 37:
    case 39:
    case 56:
    case 57:
    case 61:
    case 62:
        return true;
    default:
        return false;
    }
}

bool isSidelineFigure(const CPlayer* player) {
    const runtime::ObjectArray* const figures = statics()->sidelineActors;
    if (figures == nullptr) {
        return false;
    }
    for (jint i = 0; i < figures->length; ++i) {
        if ((*figures)[i] == player) {
            return true;
        }
    }
    return false;
}

// Of three variants by kickRating.
jint byKick(const CPlayer* player, const jint low, const jint middle, const jint high) {
    const jint rating = player->skillLevels[kKickRatingLevel];
    return rating < kKickBandMiddle ? low : rating < kKickBandHigh ? middle : high;
}

// The team-less pose loops while his team is without the ball and he marks nobody.
void loopRule(CPlayer* player) {
    if (player->team != nullptr && player->team->possession == -1 && player->assignment != 0) {
        player->animLoops = 1;
    }
}

// The base animation of state s (0 for a state without one) and its side effects.
jint baseAnimation(CPlayer* p, const jint s, const bool keeper) {
    GameStatics* const st = statics();
    const bool ball = p->hasBall != 0;
    switch (s) {
    case 0:
        if (keeper) {
            return st->matchPhase == kKeeperPenaltyPhase ? 4 : 23;
        }
        if (st->matchPhase != 0 && p->team != nullptr && p->team->teamIndex == st->phaseTeam &&
            p->slot == st->phasePlayerSlot && st->phaseStep >= kSetPieceStepFrom &&
            st->phaseStep != kSetPieceStepNot) {
            return st->matchPhase == kSetPiecePhase ? 172 : 167;
        }
        return 0;
    case 1:
    case 34:
        return 79;
    case 4:
    case 5:
        loopRule(p);
        return ball ? byKick(p, 56, 60, 64) : 0;
    case 6:
    case 7:
        loopRule(p);
        return ball ? byKick(p, 68, 71, 74) : 120;
    case 8:
    case 9:
        loopRule(p);
        return 158;
    case 10:
        return byKick(p, 36, 41, 46);
    case 11: {
        const CPlayer* const first = p->team != nullptr && p->team->teamIndex >= 0 && p->team->teamIndex < 2
                                         ? st->firstAttacker[p->team->teamIndex].get()
                                         : nullptr;
        return st->carrierStage < kCarrierStageEarly && (first == nullptr || first == p) ? 16 : 200;
    }
    case 12:
        return 115;
    case 13:
        return core::randomRange(0, 1) != 0 ? 94 : 89;
    case 14:
        return 51;
    case 15:
        p->startSlide = 1;
        return 110;
    case 16:
        return 100;
    case 17:
        return 153;
    case 18:
        return p->kickMode >= 1 ? 205 : 253;
    case 19:
    case 20:
        return 123;
    case 21:
    case 22:
        return 139;
    case 23:
        return 11;
    case 24:
        return 84;
    case 25:
    case 26:
        return 131;
    case 27:
    case 28:
        return 142;
    case 29:
    case 30:
        return byKick(p, 21, 26, 31);
    case 31:
        return 148;
    case 32:
        return 162;
    case 33:
        return 176;
    case 35:
        return 185;
    case 36:
        return 187;
    case 37:
        return 178;
    case 38:
        return 183;
    case 39:
        return 167;
    case 40:
        return 214;
    case 41:
        return 219;
    case 42:
        return 5;
    case 46:
        return 174;
    case 47:
        return 197;
    case 48:
        return core::randomRange(0, 3) != 0 ? 243 : 241;
    case 49:
        return 236;
    case 50:
        return 192;
    case 51:
        return 247;
    case 53:
        return 210;
    case 54:
        return 225;
    case 55:
        return 212;
    case 56:
        return 245;
    case 57:
        return 231;
    case 71:
        p->animLoops = 1;
        return 235;
    case 72:
        p->animLoops = 1;
        return 233;
    case 90:
        p->startSlide = 1;
        return 105;
    case 91:
        return 220;
    case 102:
        return 0;
    case 103:
    case 104:
        return 17;
    case 107:
        return ball ? 2 : 148;
    case 108:
        return 13;
    case 109:
        return 15;
    case 110:
        return 21;
    case 111:
    case 112:
        return 127;
    case 115:
        return 28;
    case 116:
        return 30;
    case 150:
        return 248;
    default:
        return 0;
    }
}

// The pose of a state: animation a (possibly changed) plus offset o, mirrored when f.
struct Pose {
    jint a;
    jint o;
    bool f;
};

// The five views of a pose: the three left-facing ones are the right-facing ones mirrored.
Pose fiveView(const jint a, const jint d) {
    const bool m = d >= kFirstMirroredView;
    return {a, m ? kViewPivot - d : d, m};
}

// The pose of state s from base a; false for a state without one (the animation stays).
bool poseOf(const CPlayer* p, const jint s, const jint a, Pose& pose) {
    const jint dir = p->direction;
    const jint d = (dir - 1) & kDirectionMask;
    const bool m = d >= kFirstMirroredView;
    switch (s) {
    case 0:
        if (a == 172) {
            pose = p->y < 1 ? Pose{173, 0, false} : Pose{a, 0, true};
            return true;
        }
        pose = fiveView(a, d);
        return true;
    case 1:
    case 10:
    case 11:
    case 12:
    case 14:
    case 15:
    case 16:
    case 17:
    case 18:
    case 23:
    case 24:
    case 29:
    case 30:
    case 31:
    case 32:
    case 34:
    case 36:
    case 37:
    case 39:
    case 40:
    case 49:
    case 50:
    case 60:
    case 61:
    case 63:
    case 90:
    case 91:
    case 150:
        pose = fiveView(a, d);
        return true;
    case 4:
    case 9:
    case 19:
    case 25:
    case 111:
    case 103:
        pose = {a, d / 2, false};
        return true;
    case 5:
    case 8:
    case 20:
    case 26:
    case 104:
    case 112:
        pose = {a, (-(d / 2)) & 3, true};
        return true;
    case 6:
    case 7:
    case 21:
    case 22:
    case 27:
    case 28:
        pose = {a, m ? (kViewPivot - d) / 2 : d / 2, m};
        return true;
    case 13: {
        // A header turns its view towards the ball's vertical motion; the mirror stays.
        const Actor* const ball = statics()->ball;
        const jint vy = ball != nullptr ? ball->vy : 0;
        jint view = d;
        jint anim = a;
        if (vy > 0) {
            view = view == 3 ? 1 : view == 5 ? 7 : view;
        } else if (vy < 0 && a == 94 && (view == 2 || view == 6)) {
            anim = 99;
            view = view == 2 ? 0 : kViewPivot;
        } else if (vy < 0) {
            view = view == 1 ? 3 : view == 7 ? 5 : view;
        }
        pose = {anim, fiveView(anim, view).o, m};
        return true;
    }
    case 33:
    case 35:
    case 38:
    case 46:
    case 48:
    case 53:
    case 56:
        pose = {a, dir >= 3 && dir < 7 ? 1 : 0, dir > 5 || dir < 2};
        return true;
    case 41:
    case 42:
    case 71:
        pose = {a, 0, false};
        return true;
    case 47:
        pose = {a, dir < 3 || dir >= 7 ? 1 : 0, dir >= 1 && dir < 5};
        return true;
    case 51:
    case 54:
        pose = {a, 0, m};
        return true;
    case 55:
        pose = {a, dir < 3 || dir >= 7 ? 1 : 0, m};
        return true;
    case 57:
        pose = dir == 2   ? Pose{231, 0, false}
               : dir == 6 ? Pose{232, 0, false}
               : dir == 0 ? Pose{231, 0, true}
                          : Pose{a, 0, false};
        return true;
    case 72:
        pose = {a, 0, true};
        return true;
    case 100:
    case 105:
        pose = {p->x < 1 ? 9 : 10, 0, p->x <= 0};
        return true;
    case 101:
    case 106:
        pose = {p->x < 0 ? 9 : 10, 0, p->x >= 0};
        return true;
    case 113:
        pose = {p->x < 0 ? 11 : 12, 0, p->x >= 0};
        return true;
    case 114:
        pose = {p->x < 1 ? 11 : 12, 0, p->x <= 0};
        return true;
    case 107:
        if (p->hasBall == 0) {
            pose = fiveView(a, d);
            return true;
        }
        [[fallthrough]];
    case 102:
    case 115:
    case 116:
        pose = {a, dir > 3 ? 1 : 0, dir < 1 || dir >= 5};
        return true;
    case 108:
    case 109:
    case 110:
        pose = {m ? a + 1 : a, 0, m};
        return true;
    default:
        return false;
    }
}

// Logs the first time each sprite (by its number) is asked for animation `anim` it lacks.
void logMissingPose(const sprites::ASprite* sprite, const jint state, const jint anim) {
    static std::set<std::pair<jint, jint>> logged;
    if (logged.insert({sprite->kind, anim}).second) {
        runtime::log("setState: sprite %d has no animation %d (state %d); the pose stays", sprite->kind, anim,
                     state);
    }
}

} // namespace

void CPlayer::setState(const jint s) {
    state = s;
    animLoops = loops(s) ? 1 : 0;
    const bool sideline = isSidelineFigure(this);
    const bool keeper = slot == kKeeperSlot && !sideline;
    const bool inRange = s >= 0 && s <= kLastState;
    const jint base = inRange ? baseAnimation(this, s, keeper) : 0;
    GameStatics* const st = statics();
    if (keeper) {
        if (hasBall != 0 && (s == 0 || s == 1)) {
            st->keeperHoldsBall = 0;
        }
        const bool playerSheet =
            (s >= 1 && s <= kLastPlayerSheetState) || s == kLastState || (s == 107 && hasBall == 0);
        const jint sheet = playerSheet ? kPlayerSheet : kKeeperSheet;
        runtime::ObjectArray* const table = st->sprites;
        if (table != nullptr && table->inBounds(sheet)) {
            auto* const chosen = static_cast<sprites::ASprite*>((*table)[sheet]);
            if (chosen != sprite) {
                sprite = chosen;
                animForced = 1;
            }
        }
    }
    Pose pose{};
    if (!inRange || !poseOf(this, s, base, pose)) {
        return;
    }
    const jint anim = pose.a + pose.o;
    if (sprite != nullptr && (anim < 0 || anim >= sprite->animationCount())) {
        logMissingPose(sprite, s, anim);
        return;
    }
    if ((pose.f ? 1 : 0) != flipX) {
        animForced = 1;
    }
    flipX = pose.f ? 1 : 0;
    setAnimation(anim, animForced);
    animForced = 0;
}

} // namespace game::match
