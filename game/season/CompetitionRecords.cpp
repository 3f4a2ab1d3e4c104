// Competition records and flags (see CompetitionRecords.h).
#include "game/season/CompetitionRecords.h"

#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/season/LeagueTables.h"
#include "runtime/Log.h"

namespace game::season {

using namespace game::core;

namespace {

// Competition record places.
constexpr jint kRoundByte = 0;
constexpr jint kUserSlotByte = 1;
constexpr jint kSizeByte = 2;
constexpr jint kSecondLegByte = 3;
constexpr jint kRowsStart = 4;
constexpr jint kSlots = 32;
constexpr jint kBracketStart = 260;
constexpr jint kTeamsStart = 292;
constexpr jint kValueAByte = 356;
constexpr jint kValueBByte = 357;
constexpr jint kValueCByte = 358;
constexpr jint kShortsStart = 359;
constexpr jint kShortCount = 5;
constexpr jint kTailByte = 369;
// Record 2 holds the national cup.
constexpr jint kNationalCupRecord = 2;

// Leagues and countries.
constexpr jint kTwoDivisionLeagues = 10;
constexpr jint kSingleDivisionOffset = 5;
constexpr jint kPairLeagueLimit = 11;
// Continental entrants in layoutRows, and the cupStatus entries this file writes.
constexpr jint kContinentalFirst = 128;
constexpr jint kContinentalEnd = 160;
constexpr jint kNationalCupEntry = 1;
constexpr jint kContinentalEntry = 2;
constexpr jint kNotEntered = -2;
constexpr jint kOut = -1;
// Slots of the competitions that count the user as a first-division club.
constexpr jint kTopSlots = 16;

// The knockout draw: the bracket, and the first 16 entries the draw order lays out.
constexpr jint kBracketEntries = 32;
constexpr jint kDrawnEntries = 16;
constexpr jint kDrawnPairs = 8;

// Competition types and steps of the cup progress.
constexpr jint kNationalCup = 2;
constexpr jint kContinentalCup = 3;
constexpr jint kUserOut = 1;
constexpr jint kNationalCupFirstStep = 3;
constexpr jint kContinentalFirstStep = 6;
constexpr jint kNationalCupEarlyStep = 2;
constexpr jint kContinentalGroupEnd = 5;
constexpr jint kProgressStart = 3;

// Schedule types.
constexpr jint kLeagueEvent = 1;
constexpr jint kNationalCupEvent = 2;
constexpr jint kContinentalEvent = 3;
constexpr jint kCountryPairEvent = 4;
constexpr jint kFriendlyEvent = 5;
constexpr jint kEarlyStepLeagueLimit = 6;
constexpr jint kLateStep = 3;

// selectionTable bytes of the hired and the dismissed staff.
constexpr jint kHiredFirst = 588;
constexpr jint kDismissedFirst = 789;
constexpr jint kStaffBytes = 4;

// The progress value of step s counted from step k: p(s, k) = ((s - k) >> 1) + 3.
jint progress(const jint step, const jint from) {
    return ((step - from) >> 1) + kProgressStart;
}

void setStatus(const jint entry, const jint value) {
    runtime::ByteArray* const status = statics()->cupStatus;
    if (status == nullptr || !status->inBounds(entry)) {
        runtime::log("cupStatus: entry %d is missing", entry);
        return;
    }
    (*status)[entry] = static_cast<runtime::jbyte>(value);
}

bool inBytes(const runtime::ByteArray* table, const jint from, const jint value) {
    for (jint i = from; i < from + kStaffBytes; ++i) {
        if (table->inBounds(i) && (*table)[i] == value) {
            return true;
        }
    }
    return false;
}

void recordNationalCupProgress(const jint event) {
    GameStatics* const s = statics();
    if (s->playedStep > kNationalCupEarlyStep && !s->cupSecondLeg) {
        return;
    }
    if (event == kUserOut) {
        s->cupEntryFlag = 0;
        if (s->cupSecondLeg) {
            setStatus(kNationalCupEntry, s->competitionStep > kNationalCupEarlyStep
                                             ? progress(s->competitionStep, kNationalCupFirstStep)
                                             : kOut);
        }
        return;
    }
    if (s->playedStep > kNationalCupEarlyStep) {
        setStatus(kNationalCupEntry,
                  progress(s->competitionStep, kNationalCupFirstStep) + (s->cupSecondLeg ? 1 : 0));
    } else if (s->playedStep == kNationalCupEarlyStep) {
        setStatus(kNationalCupEntry, kProgressStart);
    }
}

void recordContinentalProgress(const jint event) {
    GameStatics* const s = statics();
    if (!s->cupSecondLeg && !s->cupReturnLeg) {
        return;
    }
    if (event == kUserOut) {
        if (s->competitionStep > kContinentalGroupEnd) {
            s->userInCup = 0;
            setStatus(kContinentalEntry, progress(s->playedStep, kContinentalFirstStep));
        } else if (!s->userInCup) {
            setStatus(kContinentalEntry, kOut);
        }
    } else if (s->playedStep > kContinentalGroupEnd) {
        setStatus(kContinentalEntry,
                  progress(s->playedStep, kContinentalFirstStep) + (s->cupSecondLeg ? 1 : 0));
    } else if (s->playedStep == kContinentalGroupEnd) {
        setStatus(kContinentalEntry, kProgressStart);
    }
    if (s->playedStep == kContinentalGroupEnd && !s->userInCup) {
        setStatus(kContinentalEntry, kOut);
    }
}

} // namespace

void loadCompetitionRecord(const jint n) {
    GameStatics* const s = statics();
    const runtime::ByteArray* const records = s->competitionRecords;
    const jint base = (n - 1) * kCompetitionRecordBytes;
    if (n < 1 || !holds(records, base, kCompetitionRecordBytes)) {
        runtime::log("loadCompetitionRecord: record %d is not stored", n);
        return;
    }
    if (s->competitionTable == nullptr || s->competitionTable->length < kSlots ||
        !holds(s->cupBracket.get(), 0, kSlots) || !holds(s->competitionTeams.get(), 0, kSlots) ||
        !holds(s->competitionShorts5.get(), 0, kShortCount)) {
        runtime::log("loadCompetitionRecord: the competition statics are not set up");
        return;
    }
    auto byteAt = [records, base](const jint offset) { return static_cast<jint>((*records)[base + offset]); };
    s->competitionRound = byteAt(kRoundByte);
    s->userCompetitionSlot = byteAt(kUserSlotByte);
    s->competitionSize = byteAt(kSizeByte);
    s->cupSecondLeg = byteAt(kSecondLegByte) == 1 ? 1 : 0;
    if (n == kNationalCupRecord) {
        // The new week shows the cup's tables only while the user's club has a place in it.
        s->cupTieSlot = static_cast<runtime::jshort>(s->userCompetitionSlot);
    }
    for (jint slot = 0; slot < kSlots; ++slot) {
        auto* const row = static_cast<runtime::ByteArray*>((*s->competitionTable)[slot]);
        if (!holds(row, 0, standings::kRowBytes)) {
            continue;
        }
        for (jint k = 0; k < standings::kRowBytes; ++k) {
            (*row)[k] = static_cast<runtime::jbyte>(byteAt(kRowsStart + slot * standings::kRowBytes + k));
        }
    }
    for (jint i = 0; i < kSlots; ++i) {
        (*s->cupBracket)[i] = static_cast<runtime::jbyte>(byteAt(kBracketStart + i));
        (*s->competitionTeams)[i] =
            static_cast<runtime::jshort>(readShortBE(records, base + kTeamsStart + 2 * i));
    }
    s->competitionValueA = static_cast<runtime::jbyte>(byteAt(kValueAByte));
    s->competitionValueB = static_cast<runtime::jbyte>(byteAt(kValueBByte));
    s->competitionValueC = static_cast<runtime::jbyte>(byteAt(kValueCByte));
    for (jint i = 0; i < kShortCount; ++i) {
        (*s->competitionShorts5)[i] =
            static_cast<runtime::jshort>(readShortBE(records, base + kShortsStart + 2 * i));
    }
    s->competitionTail = static_cast<runtime::jbyte>(byteAt(kTailByte));
}

void updateCompetitionFlags() {
    GameStatics* const s = statics();
    const jint league = s->userLeague;
    s->inCountryPair = 0;
    if (league >= 0 && league < kPairLeagueLimit) {
        // The two entries of the user's country: its two divisions below 10, league 10's own.
        const jint first = league == kTwoDivisionLeagues ? (league - kSingleDivisionOffset) * 2 : league & ~1;
        const runtime::ShortArray* const pairs = s->countryPairTeams;
        if (holds(pairs, first, 2) &&
            ((*pairs)[first] == s->userTeam || (*pairs)[first + 1] == s->userTeam)) {
            s->inCountryPair = 1;
        }
    }
    s->cupEntryFlag = league < kTwoDivisionLeagues || s->userCompetitionSlot < kTopSlots ? 1 : 0;
    s->userInCup = 0;
    const runtime::ShortArray* const entrants = s->layoutRows;
    for (jint i = kContinentalFirst; i < kContinentalEnd && entrants != nullptr && entrants->inBounds(i);
         ++i) {
        // Mended: the whole team number is compared. Comparing only the entry's low byte would
        // never find clubs 256-259 and would mistake an entrant 256-259 for clubs 0-3.
        if (((*entrants)[i] & 0xFFFF) == (s->userTeam & 0xFFFF)) {
            s->userInCup = 1;
            return;
        }
    }
    setStatus(kContinentalEntry, kNotEntered);
}

void buildCupDraw(const jint n) {
    GameStatics* const s = statics();
    runtime::ByteArray* const bracket = runtime::newByteArray(kBracketEntries);
    for (jint i = 0; i < kBracketEntries; ++i) {
        (*bracket)[i] = -1;
    }
    const jint teams = n < kBracketEntries ? n : kBracketEntries;
    if (teams != n) {
        runtime::log("buildCupDraw: %d teams do not fit the bracket; %d are paired", n, teams);
    }
    for (jint k = 0; 2 * k + 1 < teams; ++k) {
        (*bracket)[2 * k] = static_cast<runtime::jbyte>(2 * k);
        (*bracket)[2 * k + 1] = static_cast<runtime::jbyte>(teams - 2 * k - 1);
    }
    if (teams >= 4) {
        // The pairs of the second half play the other way round.
        for (jint k = 0; k < teams / 4; ++k) {
            const jint at = teams / 2 + 2 * k;
            const runtime::jbyte first = (*bracket)[at];
            (*bracket)[at] = (*bracket)[at + 1];
            (*bracket)[at + 1] = first;
        }
    }
    runtime::jbyte drawn[kDrawnEntries];
    for (jint i = 0; i < kDrawnEntries; ++i) {
        drawn[i] = (*bracket)[i];
    }
    const runtime::ByteArray* const order = s->drawOrder;
    for (jint m = 0; m < kDrawnPairs; ++m) {
        const jint from = holds(order, m, 1) ? (*order)[m] : 2 * m;
        if (from < 0 || from + 1 >= kDrawnEntries) {
            runtime::log("buildCupDraw: draw order %d names entry %d", m, from);
            continue;
        }
        (*bracket)[2 * m] = drawn[from];
        (*bracket)[2 * m + 1] = drawn[from + 1];
    }
    s->cupBracket = bracket;
}

void recordCupProgress(const jint event) {
    switch (statics()->competitionType) {
    case kNationalCup:
        recordNationalCupProgress(event);
        break;
    case kContinentalCup:
        recordContinentalProgress(event);
        break;
    default:
        break;
    }
}

jboolean isUserInCompetition() {
    GameStatics* const s = statics();
    switch (s->scheduleType) {
    case kLeagueEvent:
    case kFriendlyEvent:
        return 1;
    case kContinentalEvent:
        return s->userInCup ? 1 : 0;
    case kCountryPairEvent:
        return s->inCountryPair ? 1 : 0;
    case kNationalCupEvent: {
        if (!s->cupEntryFlag) {
            return 0;
        }
        const jint step = s->competitionStep;
        const jint league = s->userLeague;
        const bool stepOpen = (step == 0 && !s->earlyCupFlag0) || (step == 1 && !s->earlyCupFlag1) ||
                              (step == 2 && !s->earlyCupFlag2 && league <= kEarlyStepLeagueLimit) ||
                              league >= kTwoDivisionLeagues || step >= kLateStep;
        return stepOpen && (s->userCompetitionSlot < kTopSlots || league < kTwoDivisionLeagues) ? 1 : 0;
    }
    default:
        return 0;
    }
}

void collectFreeIds() {
    GameStatics* const s = statics();
    s->squadListCount = 0;
    const runtime::IntArray* const choices = s->setUpChoices;
    const runtime::ByteArray* const table = s->selectionTable;
    runtime::IntArray* const list = s->squadList;
    if (choices == nullptr || table == nullptr || list == nullptr) {
        return;
    }
    for (jint i = 0; i < choices->length && i < kStaffBytes && s->squadListCount < list->length; ++i) {
        const jint id = (*choices)[i];
        if (!inBytes(table, kHiredFirst, id) && !inBytes(table, kDismissedFirst, id)) {
            (*list)[s->squadListCount++] = id;
        }
    }
}

jboolean isPendingModeOne() {
    GameStatics* const s = statics();
    return s->pendingMenuState != 0 && s->pendingMenuParam == 1 ? 1 : 0;
}

} // namespace game::season
