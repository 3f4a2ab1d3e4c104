// Possession, the player predicates, the goal records, the end of a match and of a tie, the
// camera requests, the kit colours, placing the players and the resets (see MatchRecords.h).
#include "game/match/model/MatchRecords.h"

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/MatchView.h"
#include "runtime/Log.h"

namespace game::match {

using runtime::idiv;
using runtime::jbyte;

namespace {

constexpr jint kTeams = 2;
constexpr jint kLastOnPitch = 10;
constexpr jint kFirstOutfield = 1;
// Directions: towards the opponent goal in the team's view; the shoot-out keeper's facing.
constexpr jint kForward = 2;
constexpr jint kShootOutKeeperFacing = 6;
// The order, action and attack mark of a player taking the ball forward.
constexpr jint kGoOrder = 1;
constexpr jint kMovingAction = 1;
constexpr jint kRecoveringAction = 10;
// A command that only waits until the player reports done; the queue's ints per slot.
constexpr jint kEndCommand = 13;
constexpr jint kQueueInts = CTeam::kQueueEntries * CTeam::kCommandInts;
// The goalkeeper's states while he holds the ball.
constexpr jint kKeeperHoldA = 109;
constexpr jint kKeeperHoldB = 110;
// Goal records: unknown squad index and the shoot-out minute; period ends; extra time's offset.
constexpr jint kNoIndex = 255;
constexpr jint kPeriodEnds[] = {45, 90, 15, 30};
constexpr jint kExtraTimeMinutes = 90;
// Competition kinds and stages that isMatchOver reads.
constexpr jint kLeague = 1;
constexpr jint kCup = 2;
constexpr jint kContinental = 3;
constexpr jint kPlayOff = 4;
constexpr jint kFriendly = 5;
constexpr jint kEarlyCupStage = 2;
constexpr jint kGroupStageEnd = 5;
constexpr jint kFinalStage = 12;
// Kit colours.
constexpr jint kWhite = 0xFFFFFF;
constexpr jint kNoKitA = -1;
constexpr jint kNoKitB = -2;
constexpr jint kShadeDrop = 128;
constexpr jint kChannelMask = 0xFF;
constexpr jint kRanks = 5;

bool validTeam(const jint t) {
    return t >= 0 && t < kTeams;
}

jint teamIndexOf(const CPlayer* player) {
    return player != nullptr && player->team != nullptr ? player->team->teamIndex : -1;
}

// Team t's row of a byte[2][30] line-up table; null when missing.
runtime::ByteArray* lineupRow(runtime::ObjectArray* table, const jint t) {
    if (table == nullptr || !table->inBounds(t)) {
        return nullptr;
    }
    return static_cast<runtime::ByteArray*>((*table)[t]);
}

// The squad index of a player from the current line-up, or 255 when it cannot be found.
jint squadIndexOf(const CPlayer* player) {
    const runtime::ByteArray* const row = lineupRow(statics()->lineup, teamIndexOf(player));
    if (row == nullptr || !row->inBounds(player->slot)) {
        return kNoIndex;
    }
    return (*row)[player->slot];
}

// Whether the result of a decided match needs no replay or extra time in this competition.
bool knockoutDecides(const jint kind, const jint stage) {
    return kind == kPlayOff || (kind == kContinental && stage == kFinalStage) ||
           (kind == kCup && stage <= kEarlyCupStage);
}

jint shade(const jint colour) {
    jint result = 0;
    for (jint shift = 0; shift <= 16; shift += 8) {
        const jint channel = (colour >> shift) & kChannelMask;
        result |= (channel > kShadeDrop ? channel - kShadeDrop : 0) << shift;
    }
    return result;
}

} // namespace

jint sideGoals(const jint side) {
    const CTeam* const team = matchTeam(side);
    return team != nullptr ? team->goals : 0;
}

void CPlayer::dropPossession() {
    GameStatics* const s = statics();
    if (s->ballHolder.get() == this) {
        s->lastTouchSlot = -1;
        s->ballHiddenB = 0;
        if (slot == kKeeperSlot) {
            s->keeperHoldsBall = 0;
        }
    }
    if (slot != kKeeperSlot) {
        s->lastOutfieldCarrier = s->ballHolder;
    }
    hasBall = 0;
    s->lastTouchPlayer = s->ballHolder;
    s->ballHolder = nullptr;
    s->receivingPlayer = nullptr;
    s->touchTicks = 0;
    s->carrierMode = 0;
}

void CPlayer::startAttack() {
    GameStatics* const s = statics();
    const jint t = teamIndexOf(this);
    if (validTeam(t)) {
        s->firstAttacker[t] = this;
        s->attackStartX[t] = x;
    }
    attackMark = 1;
    order = kGoOrder;
    action = kMovingAction;
    animFinished = 1;
    direction = team != nullptr ? team->orientDirection(kForward) : kForward;
    wantedDirection = direction;
}

void CPlayer::clearAttack(const jint v) {
    followUp = -1;
    followUpDirection = v;
    const jint t = teamIndexOf(this);
    if (validTeam(t)) {
        statics()->firstAttacker[t] = nullptr;
    }
}

void CPlayer::updateSupportSign() {
    const GameStatics* const s = statics();
    supportSign =
        s->ballHolder.get() == nullptr && s->receivingPlayer.get() == nullptr && isFree != 0 ? 1 : -1;
}

jint CPlayer::effectiveInstruction3() const {
    constexpr jint kAsTeam = 4;
    return instruction3 == kAsTeam && team != nullptr ? team->teamInstruction : instruction3;
}

bool CPlayer::isReadyForOrder() const {
    jint commandKind = -1;
    if (team != nullptr && slot >= 0 && slot < CTeam::kOnPitch && team->commandQueues != nullptr &&
        team->commandQueues->inBounds(slot * kQueueInts)) {
        commandKind = (*team->commandQueues)[slot * kQueueInts];
    }
    return action != kRecoveringAction && direction == wantedDirection && (order == 0 || arrived != 0) &&
           statics()->matchTicks >= orderEndTime && (animFinished != 0 || animLoops != 0) &&
           (commandKind != kEndCommand || hasBall != 0);
}

bool isBallHeldByKeeper() {
    const GameStatics* const s = statics();
    const CPlayer* const last = s->lastTouchPlayer;
    return s->ballHolder.get() == nullptr && last != nullptr && last->slot == CPlayer::kKeeperSlot &&
           (last->state == kKeeperHoldA || last->state == kKeeperHoldB) && s->keeperRelease == 0;
}

jint compareWeighted(const CPlayer* const player, const jint a, const jint b, const jint c) {
    const bool takeB = player == nullptr ? b >= a : player->role <= 1;
    return idiv((takeB ? b : a) + c, 2);
}

void recordGoal(const jint teamIndex) {
    GameStatics* const s = statics();
    s->goalCount += 1;
    CPlayer* scorer = nullptr;
    if (s->matchPeriod == kShootOut) {
        scorer = s->restartActor;
    } else {
        scorer = s->ballHolder.get() != nullptr ? s->ballHolder.get() : s->lastTouchPlayer.get();
        // A keeper's own goal goes to the player the match flow credits.
        if (scorer != nullptr && scorer->slot == CPlayer::kKeeperSlot && teamIndexOf(scorer) != teamIndex &&
            s->creditedPlayer.get() != nullptr) {
            scorer = s->creditedPlayer;
        }
    }
    const jint n = sideGoals(0) + sideGoals(1) - 1;
    runtime::ByteArray* const records = s->goalRecords;
    if (n >= 0 && n < kGoalRecordCount && records != nullptr &&
        records->inBounds(n * kGoalRecordBytes + kGoalRecordBytes - 1)) {
        const jint at = n * kGoalRecordBytes;
        const jint period = s->matchPeriod;
        const bool extraTime = period == kExtraTimeFirst || period == kExtraTimeSecond;
        jint minute = s->clockMinute + (extraTime ? kExtraTimeMinutes : 0);
        jint second = s->clockSecond;
        if (period == kShootOut) {
            minute = kNoIndex;
        } else if (period >= kFirstHalf && period <= kExtraTimeSecond &&
                   s->clockMinute >= kPeriodEnds[period - 1]) {
            // A goal in added time counts at the period's end.
            minute = kPeriodEnds[period - 1] + (extraTime ? kExtraTimeMinutes : 0);
            second = 0;
        }
        if (scorer == nullptr) {
            runtime::log("recordGoal: no scorer for the goal of team %d", teamIndex);
        }
        (*records)[at] = runtime::i2b(teamIndex);
        (*records)[at + 1] = runtime::i2b(scorer != nullptr ? squadIndexOf(scorer) : kNoIndex);
        (*records)[at + 2] = runtime::i2b(scorer != nullptr ? teamIndexOf(scorer) : teamIndex);
        (*records)[at + 3] = runtime::i2b(minute);
        (*records)[at + 4] = runtime::i2b(second);
        const CPlayer* const assist = s->assistPlayer;
        (*records)[at + 5] =
            runtime::i2b(assist != nullptr && assist != scorer ? squadIndexOf(assist) : kNoIndex);
    }
    s->lastEventPlayer = scorer;
}

bool isMatchOver() {
    const GameStatics* const s = statics();
    const jint g0 = sideGoals(0);
    const jint g1 = sideGoals(1);
    const jint kind = s->competitionType;
    const jint stage = s->playedStep;
    const bool fullyLevel = g1 == s->firstLegGoals0 && g0 == s->firstLegGoals1;
    switch (s->matchPeriod) {
    case kSecondHalf:
        if (kind == kLeague || kind == kFriendly || (kind == kContinental && stage <= kGroupStageEnd)) {
            return true;
        }
        if (g0 != g1) {
            return knockoutDecides(kind, stage);
        }
        if (s->isSecondLeg == 0) {
            return !(kind == kCup && stage <= kEarlyCupStage);
        }
        return !fullyLevel && kind != kPlayOff && !(kind == kContinental && stage == kFinalStage);
    case kExtraTimeSecond:
        if (g0 != g1) {
            return knockoutDecides(kind, stage);
        }
        return !fullyLevel && !knockoutDecides(kind, stage);
    case kShootOut:
    case kDecidedByAward:
        return true;
    default:
        return false;
    }
}

bool firstTeamGoesThrough() {
    const GameStatics* const s = statics();
    const jint g0 = sideGoals(0);
    const jint g1 = sideGoals(1);
    if (s->matchPeriod == kShootOut) {
        return s->isSecondLeg != 0 ? g0 + s->firstLegGoals0 > g1 + s->firstLegGoals1 : g0 > g1;
    }
    if (s->isSecondLeg == 0) {
        return g0 > g1;
    }
    const jint aggregate0 = s->firstLegGoals0 + g0;
    const jint aggregate1 = s->firstLegGoals1 + g1;
    if (aggregate0 != aggregate1) {
        return aggregate0 > aggregate1;
    }
    // Away goals: the comparison keeps its two forms, strict one way and not the other.
    return s->teamOrderFlag != 0 ? s->firstLegGoals0 > g1 : g0 >= s->firstLegGoals1;
}

void followCamera(const jint flag) {
    GameStatics* const s = statics();
    s->cameraMode = 0;
    s->cameraFollowFlag = flag != 0 ? 1 : 0;
}

void startCameraFollowActor(const jint flag, Actor* const actor, const jint returnAfter) {
    GameStatics* const s = statics();
    s->cameraMode = 1;
    s->cameraFollowFlag = flag != 0 ? 1 : 0;
    s->cameraSubject = actor;
    s->panReturn = returnAfter != 0 ? 1 : 0;
}

void updateKitColours() {
    GameStatics* const s = statics();
    const runtime::ByteArray* const ids = s->teamColourIds;
    const runtime::IntArray* const colours = s->teamColours;
    for (jint t = 0; t < kTeams; ++t) {
        const jint id = ids != nullptr && ids->inBounds(t) ? (*ids)[t] : kNoKitA;
        jint colour = kWhite;
        if (id != kNoKitA && id != kNoKitB) {
            if (colours != nullptr && colours->inBounds(id)) {
                colour = (*colours)[id] & kWhite;
            } else {
                runtime::log("updateKitColours: team %d has colour id %d outside the colour table", t, id);
            }
        }
        s->kitColour[t] = colour;
        s->kitShade[t] = shade(colour);
    }
}

void placePlayersAtTargets(const jint gap) {
    GameStatics* const s = statics();
    if (s->matchPeriod == kShootOut) {
        // The keeper of the team not taking the kick stands on his line's centre.
        const CTeam* const facing = validTeam(s->phaseTeam) ? matchTeam(1 - s->phaseTeam) : nullptr;
        CPlayer* const keeper = teamPlayer(facing, CPlayer::kKeeperSlot);
        if (keeper != nullptr) {
            keeper->y = 0;
            keeper->direction = kShootOutKeeperFacing;
        }
        return;
    }
    for (jint t = 0; t < kTeams; ++t) {
        const CTeam* const team = matchTeam(t);
        for (jint i = kFirstOutfield; i <= kLastOnPitch; ++i) {
            CPlayer* const player = teamPlayer(team, i);
            if (player == nullptr) {
                continue;
            }
            if (gap == 0) {
                player->x = player->targetX;
                player->y = player->targetY;
            } else {
                setMoveTarget(gap, player->x, player->y, player->targetX, player->targetY);
                player->x = s->linePointX;
                player->y = s->linePointY;
            }
        }
    }
}

void resetSlideMarks() {
    GameStatics* const s = statics();
    runtime::IntArray* const marks = s->slideMarks;
    for (jint m = 0; marks != nullptr && m < kSlideMarks; ++m) {
        if (marks->inBounds(m * kSlideMarkInts)) {
            (*marks)[m * kSlideMarkInts] = -1;
        }
    }
    for (jint t = 0; t < kTeams; ++t) {
        const CTeam* const team = matchTeam(t);
        for (jint i = CPlayer::kKeeperSlot; i <= kLastOnPitch; ++i) {
            CPlayer* const player = teamPlayer(team, i);
            if (player != nullptr) {
                player->slideMark = -1;
            }
        }
    }
}

void restoreTeamSlotMap(const jint teamIndex) {
    GameStatics* const s = statics();
    if (!validTeam(teamIndex)) {
        runtime::log("restoreTeamSlotMap: no team %d", teamIndex);
        return;
    }
    const runtime::ByteArray* const saved = lineupRow(s->lineupAtKickOff, teamIndex);
    runtime::ByteArray* const current = lineupRow(s->lineup, teamIndex);
    if (saved != nullptr && current != nullptr) {
        const jint n = saved->length < current->length ? saved->length : current->length;
        for (jint i = 0; i < n; ++i) {
            (*current)[i] = (*saved)[i];
        }
    }
    s->selectedPlayerSlot = -1;
    s->teamSlotMapChanged[teamIndex] = 0;
}

jint rankToIndex(const jint k) {
    const runtime::IntArray* const table = statics()->matchInts5A;
    if (k < 1 || k > kRanks || table == nullptr || !table->inBounds(kRanks - k)) {
        return -1;
    }
    return (*table)[kRanks - k];
}

} // namespace game::match
