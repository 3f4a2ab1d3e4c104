// A player's match ratings: the eight skill levels loaded from his squad entry, the event codes
// that move them, the speeds and reach values that follow, and the condition rolls of a team.

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/ScreenRoutines.h"
#include "game/match/CPlayer.h"
#include "game/match/PositionMasks.h"
#include "game/match/model/DerivedRatings.h"
#include "runtime/Log.h"

namespace game::match {

namespace {

// The event codes.
constexpr jint kFormBetter = 1;
constexpr jint kFormWorse = -1;
constexpr jint kFormMuchWorse = -2;
constexpr jint kWorstForm = -3;
constexpr jint kStateOnly = -4;
constexpr jint kBoostOn = -5;
constexpr jint kBoostOff = -6;
constexpr jint kEventBDown = -7;
constexpr jint kEventBUp = -8;
constexpr jint kNoEvent = 0;
// The event state each kind of event leaves, and the one a freshly loaded player has.
constexpr jint kStateForm = 5;
constexpr jint kStateMuchWorse = 6;
constexpr jint kStateWorst = 7;
constexpr jint kStateOnlyValue = 4;
constexpr jint kStateLoaded = 3;
// Levels 0 (best) .. 7 (worst); form -7 .. 7.
constexpr jint kBestLevel = 0;
constexpr jint kWorstLevel = 7;
constexpr jint kFormLimit = 7;
// The levels the boost moves.
constexpr jint kBoostLevels[] = {2, 4, 5, 7};
// Which level gives the sprint, the reaction time and the keeper's reach.
constexpr jint kSprintLevel = 2;
constexpr jint kReactionLevel = 7;
constexpr jint kKeeperLevel = 1;
// Speeds: the ball costs 128 a frame; a keeper side-steps at 4/5 of his run, the others at 1/3;
// a sprint is the table's speed x 21 / 16, less 20 a handicap step with the ball.
constexpr jint kBallRunCost = 128;
constexpr jint kSprintScale = 21;
constexpr jint kSprintShift = 4;
constexpr jint kHandicapStep = 20;
// Reach values.
constexpr jint kReachUnit = 256;
constexpr jint kTackleUnit = 1536;
constexpr jint kTackleBase = 4352;
constexpr jint kKeeperReachBase = 4352;
constexpr jint kKeeperReachUnit = 128;
constexpr jint kKeeperReachBonus = 384;
constexpr jint kKeeperReachFlag = 128;
constexpr jint kKeeperTackleLevels = 4;
constexpr jint kKeeperTackleUnit = 64;
// styleSetting 3 takes the team's value.
constexpr jint kStyleAsTeam = 3;

// Squad entry bytes.
constexpr jint kCondition = 4;
constexpr jint kFlagsLow = 6;
constexpr jint kFlagsHigh = 7;
constexpr jint kPositionMask = 8;
constexpr jint kStamina = 17;
constexpr jint kValue20 = 20;
constexpr jint kValue21 = 21;
// The entry bytes of skill levels 0..7.
constexpr jint kLevelBytes[CPlayer::kSkillLevels] = {2, 3, 0, 1, 15, 14, 17, 16};
// The ranges of the two clamped entry values.
constexpr jint kValue21Low = 60;
constexpr jint kValue21High = 100;
constexpr jint kValue20Low = 160;
constexpr jint kValue20High = 200;
// A condition above this makes the player unavailable; the usable ones are 0..4.
constexpr jint kLastUsableCondition = 4;
// The first condition input starts at this.
constexpr jint kConditionElapsedStart = 6;
// The position fit that means "wrong line altogether".
constexpr jint kWorstFit = 7;
// The levels loadMatchRatings keeps as saved.
constexpr jint kSavedOnLoad = 5;
// A stamina byte counts 2/5 in the condition roll; the draw is 0..99.
constexpr jint kStaminaWeight = 2;
constexpr jint kStaminaDivisor = 5;
constexpr jint kRollTop = 99;

// The event a condition byte calls for.
jint conditionEvent(const jint condition) {
    switch (condition) {
    case 0:
        return kFormBetter;
    case 1:
        return kEventBDown;
    case 2:
        return kNoEvent;
    case 3:
        return kEventBUp;
    case 4:
        return kFormWorse;
    default:
        return kWorstForm;
    }
}

// The byte offset of entry `entry` in listRowRecords, or -1 when the records do not hold it.
jint entryOffset(const jint entry) {
    const jint at = entry * core::kMatchRecordBytes;
    return entry >= 0 && core::holds(statics()->listRowRecords, at, core::kMatchRecordBytes) ? at : -1;
}

jint entryByte(const jint at, const jint k) {
    return (*statics()->listRowRecords)[at + k];
}

} // namespace

void CPlayer::applyEvent(const jint code) {
    for (jint k = 0; k < kSkillLevels; ++k) {
        savedSkillLevels[k] = skillLevels[k];
    }
    switch (code) {
    case kFormBetter:
    case kFormWorse:
        formLevel = core::clamp(formLevel - code, -kFormLimit, kFormLimit);
        for (jint& level : skillLevels) {
            level -= code;
        }
        eventState = kStateForm;
        break;
    case kFormMuchWorse:
        formLevel = core::clamp(formLevel + 2, -kFormLimit, kFormLimit);
        for (jint& level : skillLevels) {
            level += 2;
        }
        eventState = kStateMuchWorse;
        break;
    case kWorstForm:
        formLevel = kFormLimit;
        for (jint& level : skillLevels) {
            level = kWorstLevel;
        }
        eventState = kStateWorst;
        break;
    case kStateOnly:
        eventState = kStateOnlyValue;
        break;
    case kBoostOn:
    case kBoostOff: {
        const jint step = code == kBoostOn ? -1 : 1;
        for (const jint k : kBoostLevels) {
            skillLevels[k] += step;
        }
        eventState += step;
        eventLevelA += step;
        break;
    }
    case kEventBDown:
        --eventLevelB;
        break;
    case kEventBUp:
        ++eventLevelB;
        break;
    default:
        break;
    }
    for (jint& level : skillLevels) {
        level = core::clamp(level, kBestLevel, kWorstLevel);
    }
    updateRatings();

    GameStatics* const s = statics();
    runSpeed = s->pitchRowBase;
    ballRunSpeed = runSpeed - kBallRunCost;
    sideSpeed = slot == kKeeperSlot ? runSpeed * 4 / 5 : runSpeed / 3;
    const runtime::IntArray* const sprints = s->pitchRowTable;
    if (sprints != nullptr && sprints->inBounds(skillLevels[kSprintLevel])) {
        sprintSpeed = ((*sprints)[skillLevels[kSprintLevel]] * kSprintScale) >> kSprintShift;
    } else {
        runtime::log("applyEvent: no sprint speed for level %d; the player sprints at his run speed",
                     skillLevels[kSprintLevel]);
        sprintSpeed = runSpeed;
    }
    ballSprintSpeed = sprintSpeed - (handicapLevel + 1) * kHandicapStep;
    reactionTime = skillLevels[kReactionLevel] + 1;

    if (slot != kKeeperSlot) {
        reachValue = aimLevel * 3 * kReachUnit + kReachUnit;
        const jint style = styleSetting == kStyleAsTeam && team != nullptr ? team->tactic4 : styleSetting;
        tackleReach = style * kTackleUnit + kTackleBase;
    } else {
        reachValue = kKeeperReachBase - skillLevels[kKeeperLevel] * 3 * kKeeperReachUnit;
        if ((flags & kKeeperReachFlag) != 0) {
            reachValue += kKeeperReachBonus;
        }
        tackleReach = (kKeeperTackleLevels - skillLevels[kKeeperLevel]) * kKeeperTackleUnit;
    }

    const jint at = entryOffset(squadEntryIndex(team != nullptr ? team->teamIndex : -1, slot));
    if (at >= 0 && entryByte(at, kCondition) > kLastUsableCondition) {
        sprintSpeed = runSpeed;
        ballSprintSpeed = ballRunSpeed;
    }
}

void CPlayer::loadMatchRatings() {
    const jint teamIndex = team != nullptr ? team->teamIndex : -1;
    const jint at = entryOffset(squadEntryIndex(teamIndex, slot));
    if (at < 0) {
        runtime::log("loadMatchRatings: player %d of team %d has no squad entry", slot, teamIndex);
        return;
    }
    formLevel = 0;
    eventLevelA = 0;
    eventLevelB = 0;
    for (jint k = 0; k < kSkillLevels; ++k) {
        skillLevels[k] = databaseLevel(entryByte(at, kLevelBytes[k]));
    }
    extraRating1 = core::clamp(entryByte(at, kValue21) & 0xFF, kValue21Low, kValue21High);
    extraRating2 = core::clamp(entryByte(at, kValue20) & 0xFF, kValue20Low, kValue20High);
    flags = (entryByte(at, kFlagsHigh) & 0xFF) << 8 | (entryByte(at, kFlagsLow) & 0xFF);
    for (jint* const input : {&conditionElapsed, &conditionDecay, &conditionCount, &conditionLastTime,
                              &conditionStart, &conditionBase}) {
        *input = 0;
    }
    conditionElapsed = kConditionElapsedStart;
    hasPlayed = slot < CTeam::kOnPitch ? 1 : 0;
    const jint condition = entryByte(at, kCondition);
    unfit = condition > kLastUsableCondition ? 1 : 0;

    applyEvent(conditionEvent(condition));
    if (statics()->teamOrderFlag != 0) {
        applyEvent(kBoostOn);
    }
    const jint group = core::positionGroup(formationSlot);
    const jint wanted = group < 0 ? 0 : 1 << group;
    const jint fit =
        comparePositionMasks(wanted, core::readIntBE(statics()->listRowRecords, at + kPositionMask));
    if (fit == kWorstFit) {
        applyEvent(kWorstForm);
    } else {
        for (jint i = 0; i < fit; ++i) {
            applyEvent(kFormWorse);
        }
    }
    updateRatings();
    for (jint k = 0; k < kSavedOnLoad; ++k) {
        savedSkillLevels[k] = skillLevels[k];
    }
    eventState = kStateLoaded;
}

void CTeam::rollConditions(const jboolean recover) {
    const jint referenceAt = entryOffset(squadEntryIndex(teamIndex, referenceSlot));
    if (referenceAt < 0 || players == nullptr) {
        runtime::log("rollConditions: team %d has no squad entry for slot %d", teamIndex, referenceSlot);
        return;
    }
    const jint referenceStamina = kStaminaWeight * entryByte(referenceAt, kStamina) / kStaminaDivisor;
    const jint count = players->length < kPlayers ? players->length : kPlayers;
    for (jint i = 0; i < count; ++i) {
        auto* const player = static_cast<CPlayer*>((*players)[i]);
        if (player == nullptr) {
            continue;
        }
        const jint at = entryOffset(squadEntryIndex(teamIndex, player->slot));
        if (at < 0) {
            continue;
        }
        const jint t = kStaminaWeight * entryByte(at, kStamina) / kStaminaDivisor + referenceStamina;
        const jint d = core::randomRange(0, kRollTop);
        const jint before = entryByte(at, kCondition);
        jint after = before;
        if (recover == 0) {
            if (d > t && before < kLastUsableCondition) {
                after = before + 1;
            }
        } else if (d < t && before > 0) {
            after = before - 1;
        }
        if (after != before) {
            (*statics()->listRowRecords)[at + kCondition] = static_cast<runtime::jbyte>(after);
            player->applyEvent(conditionEvent(after));
        }
    }
}

} // namespace game::match
