// The scouts' reports and talent searches (see Scouting.h).
#include "game/club/Scouting.h"

#include "game/club/CalendarAdvance.h"
#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/InboxMessages.h"
#include "game/club/RecordLayout.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/TextPackage.h"
#include "runtime/Log.h"
#include "runtime/String.h"

namespace game::club {

using core::holds;
using runtime::ByteArray;

namespace {

constexpr jint kNone = -1;
constexpr jint kShortMask = 0xFFFF;
constexpr jint kScoutSlotCount = 2;
// Assignment bytes.
constexpr jint kScoutId = 0;
constexpr jint kJob = 1;
constexpr jint kDaysLeft = 2;
constexpr jint kRegion = 3;
constexpr jint kPosition = 4;
constexpr jint kEffort = 5;
constexpr jint kTalentSearch = 0;
// Request rows: byte 1 -1 for none, bytes 3-4 the player.
constexpr jint kRequestState = 1;
constexpr jint kRequestPlayer = 3;
// Scout records.
constexpr jint kScoutSkill = 4;
constexpr jint kScoutGrade = 5;
constexpr jint kWorstGrade = 5;
constexpr jint kMarkChanceStep = 20;
constexpr jint kFoundMark = 0x80; // bit 7 of player byte 5
constexpr jint kFoundByte = 5;
constexpr jint kEffortPerDraw = 8;
constexpr jint kGeneratedPlayers = 40;
constexpr jint kFirstSeason = 2009;
constexpr jint kRegions = 9;
constexpr jint kOtherRegion = 8;
constexpr jint kPositions = 15;

GameStatics* s() {
    return statics();
}

jint assignmentAt(const jint k) {
    return clubPlan::kScoutSlots + clubPlan::kScoutSlotBytes * k;
}

jint planByte(const jint at) {
    const ByteArray* const plan = s()->selectionTable;
    return holds(plan, at, 1) ? (*plan)[at] : kNone;
}

void setPlanBytes(const jint from, const jint to, const jint value) {
    ByteArray* const plan = s()->selectionTable;
    for (jint at = from; at <= to; ++at) {
        if (holds(plan, at, 1)) {
            (*plan)[at] = runtime::i2b(value);
        }
    }
}

runtime::ObjectArray* requestQueue(const jint k) {
    const runtime::ObjectArray* const queues = s()->staffTaskRows;
    if (queues == nullptr || !queues->inBounds(k)) {
        return nullptr;
    }
    return static_cast<runtime::ObjectArray*>((*queues)[k]);
}

ByteArray* firstRequest(const jint k) {
    runtime::ObjectArray* const queue = requestQueue(k);
    if (queue == nullptr || queue->length == 0) {
        return nullptr;
    }
    auto* const row = static_cast<ByteArray*>((*queue)[0]);
    return holds(row, 0, kRequestPlayer + 2) && (*row)[kRequestState] != kNone ? row : nullptr;
}

// Byte index of the scout's record; 0 (logged) outside the table.
jint scoutByte(const jint scout, const jint index) {
    const ByteArray* const records = s()->extraNameTable;
    const jint at = kScoutRecordBytes * scout + index;
    if (scout < 0 || !holds(records, at, 1)) {
        runtime::log("processScouting: scout %d has no record", scout);
        return 0;
    }
    return (*records)[at];
}

void ensureEstimateTables() {
    GameStatics* const block = s();
    const jint players = block->playerCount;
    if (block->scoutEstimateGrade == nullptr || block->scoutEstimateGrade->length != players) {
        runtime::ByteArray* const grades = runtime::newByteArray(players);
        for (jint p = 0; p < players; ++p) {
            (*grades)[p] = kNone;
        }
        block->scoutEstimateGrade = grades;
        block->scoutEstimates = runtime::newIntArray(2 * players);
    }
}

void shiftQueue(const jint k) {
    runtime::ObjectArray* const queue = requestQueue(k);
    for (jint i = 0; queue != nullptr && i + 1 < queue->length; ++i) {
        (*queue)[i] = (*queue)[i + 1];
    }
    if (queue == nullptr || queue->length == 0) {
        return;
    }
    ByteArray* const last = runtime::newByteArray(kRequestPlayer + 3);
    for (jint b = 0; b < last->length; ++b) {
        (*last)[b] = kNone;
    }
    (*requestQueue(k))[requestQueue(k)->length - 1] = last;
}

void playerReport(const jint k, const jint scout, const ByteArray* const request) {
    const jint p = core::readShortBE(request, kRequestPlayer) & kShortMask;
    const jint g = scoutByte(scout, kScoutGrade);
    const jint v = getPlayerField33(p);
    const jint estimate = v + 3 * v / 10;
    const jint price = estimate + estimate * g / 10;
    ensureEstimateTables();
    GameStatics* const block = s();
    if (p >= 0 && p < block->scoutEstimateGrade->length &&
        ((*block->scoutEstimateGrade)[p] > g || (*block->scoutEstimates)[2 * p] != estimate)) {
        (*block->scoutEstimates)[2 * p] = estimate;
        (*block->scoutEstimates)[2 * p + 1] = price;
        (*block->scoutEstimateGrade)[p] = runtime::i2b(g);
    }
    setPlanBytes(assignmentAt(k) + kJob, assignmentAt(k) + kJob, kNone);
    postBrief(14, p, price, scout, kNone);
    if (core::randomRange(1, 100) <= (kWorstGrade - g) * kMarkChanceStep) {
        ByteArray* const records = block->playerRecords;
        const jint at = kPlayerRecordBytes * p + kFoundByte;
        if (holds(records, at, 1)) {
            (*records)[at] = runtime::i2b((*records)[at] | kFoundMark);
        }
    }
    shiftQueue(k);
    setPlanBytes(assignmentAt(k) + kJob, assignmentAt(k) + kPosition, kNone);
}

jint searchChance(const jint scout) {
    const jint skill = scoutByte(scout, kScoutSkill);
    const runtime::IntArray* const chances = s()->scoutSearchChance;
    if (chances == nullptr) {
        return 0;
    }
    if (!chances->inBounds(skill)) {
        runtime::log("processScouting: scout %d has search skill %d; 0 is used", scout, skill);
        return (*chances)[0];
    }
    return (*chances)[skill];
}

bool wantedPosition(const jint position, const jint player) {
    return position == 0 || (readRecord28Int(player) & (1 << (position - 1))) != 0;
}

void talentSearch(const jint k, const jint scout) {
    const jint at = assignmentAt(k);
    setPlanBytes(at + kDaysLeft, at + kDaysLeft, planByte(at + kDaysLeft) - 1);
    if (planByte(at + kDaysLeft) > 0) {
        return;
    }
    GameStatics* const block = s();
    const jint draws = planByte(at + kEffort) / kEffortPerDraw;
    const jint chance = searchChance(scout);
    jint successes = 0;
    for (jint d = 0; d < draws; ++d) {
        const bool hit = core::randomIndex(100) + 1 <= chance;
        successes += hit || block->forceScoutSuccess != 0 ? 1 : 0;
    }
    jint region = planByte(at + kRegion);
    jint position = planByte(at + kPosition);
    // The saved plan is read as any region and any position when it holds no valid one.
    if (region < 0 || region >= kRegions) {
        region = 0;
    }
    if (position < 0 || position >= kPositions) {
        position = 0;
    }
    jint marked = 0;
    if (successes > 0) {
        block->squadListCount = 0;
        for (jint p = block->playerCount - kGeneratedPlayers; p < block->playerCount; ++p) {
            if (p < 0 || getPlayerField17(p) != kNoId || !wantedPosition(position, p) ||
                isFromRegion(region, p) == 0) {
                continue;
            }
            runtime::IntArray* const list = block->squadList;
            if (holds(list, block->squadListCount, 1)) {
                (*list)[block->squadListCount++] = p;
            }
        }
        const jint count = block->squadListCount;
        for (jint i = 0; i < successes && i < count; ++i) {
            const jint p = (*block->squadList)[core::randomRange(0, count - 1)];
            ByteArray* const records = block->playerRecords;
            const jint recordAt = kPlayerRecordBytes * p;
            if (((*records)[recordAt + kFoundByte] & kFoundMark) != 0) {
                continue;
            }
            (*records)[recordAt + kFoundByte] = runtime::i2b((*records)[recordAt + kFoundByte] | kFoundMark);
            (*records)[recordAt + player::kBirthYearCode] = runtime::i2b(block->seasonYear - kFirstSeason);
            block->scoutFindsNew = 1;
            block->scoutFindsListed = 1;
            ++marked;
        }
    }
    postBrief(13, scout, marked, kNone, kNone);
    setPlanBytes(at + kJob, at + kEffort, kNone);
}

} // namespace

void processScouting() {
    for (jint k = 0; k < kScoutSlotCount; ++k) {
        const jint at = assignmentAt(k);
        const jint scout = planByte(at + kScoutId);
        const jint job = planByte(at + kJob);
        ByteArray* const request = firstRequest(k);
        if ((scout == kNone || job == kNone) && request == nullptr) {
            continue;
        }
        if (job != kTalentSearch) {
            if (scout != kNone && request != nullptr) {
                playerReport(k, scout, request);
            }
            continue;
        }
        talentSearch(k, scout);
    }
}

jboolean isFromRegion(jint region, const jint player) {
    if (region < 0 || region >= kRegions) {
        region = 0;
    }
    if (region == 0) {
        return 1;
    }
    const runtime::IntArray* const texts = s()->regionTexts;
    if (texts == nullptr || texts->length < kRegions) {
        return 0;
    }
    runtime::String* const nationality = nameOf(player, kNationalityName);
    if (region != kOtherRegion) {
        return nationality->equals(core::getText((*texts)[region])) != 0 ? 1 : 0;
    }
    for (jint r = 1; r < kOtherRegion; ++r) {
        if (nameOf(player, kNationalityName)->equals(core::getText((*texts)[r])) != 0) {
            return 0;
        }
    }
    return 1;
}

} // namespace game::club
