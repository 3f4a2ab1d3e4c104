// The menu screens' entry preparation and the closing block of every entry (see MenuEntry.h).
#include "game/framework/MenuEntry.h"

#include <algorithm>
#include <initializer_list>

#include "game/club/DatabaseLookups.h"
#include "game/club/PlayerValue.h"
#include "game/core/ChanceRules.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/Sound.h"
#include "game/core/StaticTables.h"
#include "game/core/TextPackage.h"
#include "game/core/TopStates.h"
#include "game/core/services/ClubServices.h"
#include "game/core/services/MenuServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/framework/MenuStates.h"
#include "game/match/CPlayer.h"
#include "game/match/MatchView.h"
#include "game/match/team/LineupTables.h"
#include "game/match/team/MatchSide.h"
#include "game/resources/DatabaseTables.h"
#include "game/season/CalendarSearch.h"
#include "game/season/CompetitionRecords.h"
#include "game/season/DaySchedule.h"
#include "game/season/Leaderboards.h"
#include "game/season/LeagueTables.h"
#include "game/season/SeasonLookups.h"
#include "game/season/SeasonObjectives.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/MenuDrawing.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsPrint.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"
#include "runtime/System.h"

namespace game::framework {

using namespace game::sprites;
using namespace game::match;
using namespace game::resources;
using namespace game::club;
using namespace game::season;
using namespace game::core;

namespace {

using runtime::ByteArray;
using runtime::jbyte;

using namespace menu_state;
// Menu states with a preparation of their own.
constexpr jint kListScreen = 0x24;
constexpr jint kSquadListScreen = 0x100003;
constexpr jint kSeasonReport = 0x43;
constexpr jint kStartOfPlay = 0x44;
constexpr jint kSeasonObjectives = 0x45;
constexpr jint kReplayScreen = 0x46;
constexpr jint kReplayScreenB = 0x1001;
constexpr jint kReplayScreenC = 0x1002;
constexpr jint kContractOffer = 0x49;
constexpr jint kPlayerOffer = 0x20002;
constexpr jint kNewWeek = 0x88;
constexpr jint kSeasonHalfA = 0x102;
constexpr jint kSeasonHalfB = 0x202;
constexpr jint kSeasonHalfC = 0x800003;
constexpr jint kTeamHub = 0x200;
constexpr jint kStaffHub = 0x208;
constexpr jint kHiredStaff = 0x20A;
constexpr jint kFreeStaff = 0x20B;
constexpr jint kScoutSlots = 0x403;
constexpr jint kScoutList = 0x405;
constexpr jint kMessagePlayers = 0x407;
constexpr jint kListedPlayers = 0x409;
constexpr jint kYouthList = 0x40B;
constexpr jint kTextEntry = 0x40C;
constexpr jint kScoutingHub = 0x40D;
constexpr jint kScoutSlotsB = 0x40E;
constexpr jint kSchedule = 0x803;
constexpr jint kLeagueHub = 0x807;
constexpr jint kClubHub = 0x2000;
constexpr jint kClubPackData = 0x1003;
constexpr jint kObjectives = 0x2002;
constexpr jint kShowcase = 0x2004;
constexpr jint kFinanceHub = 0x2008;
constexpr jint kContractEntry = 0x100007;
constexpr jint kContractEntryB = 0x10000C;
constexpr jint kTransferOffer = 0x100008;
constexpr jint kTransferOfferB = 0x10000D;
constexpr jint kTextEntryReturn = 0x10000A;
constexpr jint kTransferMessages = 0x100016;
// States left that keep the main menu quiet or give it a selection of its own.
constexpr jint kOptions = 39;
constexpr jint kHelp = 40;
constexpr jint kMatchPause = 0x800000;
constexpr jint kQuietMainMenuFrom[] = {kMatchPause, kPromotionScreen, kOptions, kHelp};

// The closing block's defaults: no highlighted entry, no selected row.
constexpr jint kNoSelectionStates[] = {0x2000, 0x200, 0x4000, 0x100,  0x807,    0x40D,    0x208, 0x2008,
                                       0x30,   0x22,  0x31,   0x2007, 0x800000, 0x800004, 0x40C};
constexpr jint kNoRowStates[] = {0x206, 0x800001, 0x104, 0x203, 0x800002, 0x105, 0x204, 0x800000, 0x209};

// Entry sounds.
constexpr jint kMainMenuSound = 22;
constexpr jint kFromHomeSound14 = 14;
constexpr jint kFromHomeSound15 = 15;
constexpr jint kFromHomeSound21 = 21;
constexpr jint kFromHomeSound23 = 23;

// Animations: the menu background's on every entry, the main menu's own.
constexpr jint kMenuEntryAnimation = 11;
constexpr jint kMainMenuAnimation = 14;
constexpr jint kPlayOnce = 0;

constexpr jint kEmptyTextConstant = 1;
constexpr jbyte kEmptyByte = -1; // 255: an unused list or bench byte

// The main menu: the selection with a career loaded, the one after the help screen.
constexpr jint kCareerSelection = 1;
constexpr jint kHelpSelection = 7;

// The new week's news kinds.
constexpr jint kFirstWeeksKinds[] = {0, 1};
constexpr jint kWeekKinds[] = {2, 12};
constexpr jint kObjectivesKind = 12;
constexpr jint kContinentalKinds[] = {9, 11};
constexpr jint kCupKinds[] = {6, 8};
constexpr jint kLeagueKinds[] = {2, 5};
constexpr jint kLoadedGameKind = 1;
constexpr jint kFirstWeekMonth = 1;
constexpr jint kFirstWeekLimit = 8;
// Event types of the calendar and the competition kinds of the leaderboards.
constexpr jint kNoEvent = 0;
constexpr jint kLeagueRound = 1;
constexpr jint kNationalCupRound = 2;
constexpr jint kContinentalRound = 3;
constexpr jint kFriendly = 5;
constexpr jint kLeagueBoards = 0;
constexpr jint kCupBoards = 1;
constexpr jint kContinentalBoards = 2;
constexpr jint kLeagueRecord = 1;
constexpr jint kNoCupTie = -1;
constexpr jint kSnapshotTeams = 32;
constexpr jint kStandingsBytes = 8;

// Objective values: cupStatus elements (league, national cup, continental cup), the stage
// offsets and the special progress values.
constexpr jint kLeagueStatus = 0;
constexpr jint kCupStatus = 1;
constexpr jint kContinentalStatus = 2;
constexpr jint kStageOffset = 2;
constexpr jint kOutOfCup = -1;
constexpr jint kCupWon = 1;
constexpr jint kWonStage = 5;
constexpr jint kContinentalRoundLimit = 5;
constexpr jint kCupRoundLimit = 2;
constexpr jint kEarlyStepsStage = 1;

// Replay screens start with this counter.
constexpr jint kReplayFrames = 120;
// The season half-screens start at seasonRow / 3.
constexpr jint kSeasonRowsPerEntry = 3;

// The result pages move the first-season guide on and pick a player for it.
constexpr jint kGuideStepReached = 4;
constexpr jint kGuideStepNext = 5;
constexpr jint kGuideFlagsEntry = 1;
constexpr jint kGuideFlagsEntryB = 7;
constexpr jint kGuideFlagBit = 0x01;
constexpr jint kGuideFlagBitsB = 0x03;
constexpr jint kGuideMessageBit = 0x04;
constexpr jint kGuidePlayerSlots = 10;
// Changes allowed in the next match.
constexpr jbyte kFriendlySubstitutions = 7;
constexpr jbyte kMatchSubstitutions = 3;
// The bench counts as crowded with this many entries in use.
constexpr jint kCrowdedBench = 4;

// Bytes of the selection table: the hired staff, the two scouts.
constexpr jint kHiredStaffBytes[] = {588, 589, 590, 591};
constexpr jint kScoutBytes[] = {592, 598};
constexpr jint kNoEntry = -1;

// Player records: byte 2 the wage, 4 and 5 the flag bits, 16 the year code, 31 the message
// state, 33 the value.
constexpr jint kFlagByteA = 4;
constexpr jint kFlagByteB = 5;
constexpr jint kYearByte = 16;
constexpr jint kMessageStateByte = 31;
constexpr jint kFlagBit = 0x80;
constexpr jint kHighNibble = 0xF0;
constexpr jint kLowNibble = 0x0F;
constexpr jint kWaitingState = 0x20;
constexpr jint kYearBase = 2008;
// The youth list: the records without a team at the end.
constexpr jint kYouthRecords = 40;
constexpr jint kYouthRowsPerPage = 11;

// Scouting: the staff records, the grades and the chance of a promising player.
constexpr jint kScoutRecordBytes = 10;
constexpr jint kScoutSkillByte = 5;
constexpr jint kScoutGradeByte = 6;
constexpr jint kTopGrade = 5;
constexpr jint kPromisingPercentPerLevel = 20;
constexpr jint kPercent = 100;

// Message records.
constexpr jint kMessageType = 0;
constexpr jint kSender = 1;
constexpr jint kMessagePlayer = 3;
constexpr jint kOwner = 23;
constexpr jint kMarkByte = 22;
constexpr jint kMarked = 1;
constexpr jint kLastAnswerType = 3;
constexpr jint kPlayerMessageTypes[] = {64, 113, 115, 116, 119};
constexpr jint kMarkedRowBit = static_cast<jint>(0x80000000u);

// The contract offer: the negotiation's first round, the interest bands and the refusal.
constexpr jint kFirstOfferRound = 3;
constexpr jint kMonthsPerYear = 12;
constexpr jint kInterestBase = 60;
constexpr jint kRefusalLimit = 40;
constexpr jint kFullPriceLimit = 30;
constexpr jint kRefusalAsk = 88888;
constexpr jint kQuarterPercent = 25;
// Below the full-price band the price rises from a quarter by 75 percent over 20 points.
constexpr jint kLowBandRise = 75;
constexpr jint kLowBandSpan = 20;
constexpr jint kOfferTraceConstant = 230;

// The text-entry screen's preset texts (entry index, then the text or constant string).
constexpr jint kEntryTexts = 12;
constexpr jint kEntryFields = 5;
constexpr jint kEntryParamA = 25;
constexpr jint kEntryParamB = 4;
struct PresetText {
    jint entry;
    jint id;
    bool isText; // a text of the package, else a constant string
};
constexpr PresetText kPresetTexts[] = {
    {1, 874, true},   {5, 874, true}, {9, 874, true}, {2, 113, false}, {3, 114, false},
    {10, 114, false}, {4, 705, true}, {8, 705, true}, {7, 221, false}, {11, 115, false},
};

GameStatics* block() {
    return statics();
}

bool pending() {
    return runtime::exceptionPending();
}

// Element i of a signed byte table; 0 (logged) when the table is missing or too short.
jint byteOf(const ByteArray* table, const jint i, const char* name) {
    if (table == nullptr || !table->inBounds(i)) {
        runtime::log("menu entry: %s has no element %d; it reads as 0", name, i);
        return 0;
    }
    return (*table)[i];
}

// The selection table's byte, signed; -1 outside the table.
jint selectionByte(const jint index) {
    const ByteArray* const table = block()->selectionTable;
    if (table == nullptr || !table->inBounds(index)) {
        return kNoEntry;
    }
    return (*table)[index];
}

// The player records the database holds: playerCount, or fewer when the records are shorter.
jint recordedPlayers() {
    GameStatics* const s = block();
    const ByteArray* const records = s->playerRecords;
    const jint room = records != nullptr ? records->length / kPlayerRecordBytes : 0;
    if (s->playerCount > room) {
        runtime::log("menu entry: %d players, but records for %d", s->playerCount, room);
        return room;
    }
    return s->playerCount;
}

// Byte b of player i's record (the caller keeps i below recordedPlayers()).
jbyte& playerByte(const jint player, const jint b) {
    return (*block()->playerRecords)[player * kPlayerRecordBytes + b];
}

void clearSquadList() {
    block()->squadListCount = 0;
}

// Appends value to squadList; a full list takes nothing more (logged).
void appendToSquadList(const jint value) {
    GameStatics* const s = block();
    runtime::IntArray* const list = s->squadList;
    if (list == nullptr || !list->inBounds(s->squadListCount)) {
        runtime::log("menu entry: the squad list has no room for entry %d", s->squadListCount);
        return;
    }
    (*list)[s->squadListCount++] = value;
}

runtime::StringBuffer* entryBuffer() {
    GameStatics* const s = block();
    if (s->entryBuffer == nullptr) {
        s->entryBuffer = runtime::newStringBuffer();
    }
    return s->entryBuffer;
}

void playSoundFromHome(const jint sound) {
    if (block()->previousMenuState == kHome) {
        playSound(sound);
    }
}

// -------------------------------------------------------------------------------------------
// The objectives and the new week.

void setUpObjectives() {
    GameStatics* const s = block();
    const ByteArray* const status = s->cupStatus;
    const ByteArray* const reached = s->cupRoundReached;
    const ByteArray* const rounds = s->resultRound;
    s->objectiveA = byteOf(status, kLeagueStatus, "cupStatus");

    const jint continental = byteOf(status, kContinentalStatus, "cupStatus");
    jint b = continental - kStageOffset;
    if (s->userInCup) {
        b = byteOf(rounds, kContinentalStatus, "resultRound") >= kContinentalRoundLimit
                ? byteOf(reached, kContinentalStatus, "cupRoundReached") - kStageOffset
                : 0;
    }
    if (continental == kOutOfCup) {
        b = 0;
    } else if (continental == kCupWon) {
        b = kWonStage;
    }
    s->objectiveB = b;

    const jint cup = byteOf(status, kCupStatus, "cupStatus");
    jint c = cup - kStageOffset;
    if (s->cupEntryFlag) {
        if (byteOf(rounds, kCupStatus, "resultRound") >= kCupRoundLimit) {
            c = byteOf(reached, kCupStatus, "cupRoundReached") - kStageOffset;
        } else {
            c = s->earlyCupFlag0 && s->earlyCupFlag1 && s->earlyCupFlag2 ? kEarlyStepsStage : 0;
        }
    }
    if (cup == kOutOfCup) {
        c = 0;
    } else if (cup == kCupWon) {
        c = kWonStage;
    }
    s->objectiveC = c;
}

// competitionTeamsCopy and competitionTableCopy := the current competition (made on first use).
void snapshotCompetition() {
    GameStatics* const s = block();
    if (s->competitionTeamsCopy == nullptr) {
        s->competitionTeamsCopy = runtime::newShortArray(kSnapshotTeams);
    }
    if (s->competitionTableCopy == nullptr) {
        s->competitionTableCopy = multiArray("[[B", {kSnapshotTeams, kStandingsBytes});
    }
    runtime::ObjectArray* const copy = s->competitionTableCopy;
    const jint rows = copy->length;
    runtime::ShortArray* const teams = s->competitionTeams;
    if (teams == nullptr || teams->length < rows) {
        runtime::log("menu entry: competitionTeams holds fewer than %d teams; the snapshot keeps its teams",
                     rows);
    } else {
        runtime::System::arraycopy(teams, 0, s->competitionTeamsCopy, 0, rows);
    }
    runtime::ObjectArray* const table = s->competitionTable;
    for (jint r = 0; r < rows; ++r) {
        const ByteArray* const from =
            table != nullptr && table->inBounds(r) ? static_cast<ByteArray*>((*table)[r]) : nullptr;
        ByteArray* const to = static_cast<ByteArray*>((*copy)[r]);
        if (from == nullptr || to == nullptr || from->length < to->length) {
            runtime::log("menu entry: standings row %d cannot be copied; the snapshot keeps it", r);
            continue;
        }
        std::copy_n(from->data(), to->length, to->data());
    }
}

// The leaderboards and the news kind of a week that shows a table.
void prepareTableWeek() {
    GameStatics* const s = block();
    if (s->roundFlagLeague) {
        loadCompetitionRecord(kLeagueRecord);
    } else {
        clearStandingsRows();
        copyLeagueTeams(s->competitionTeams, s->userLeague, 0);
        s->competitionSize = s->userLeagueSize;
        seasonScreenServices().saveCompetitionState370(kLeagueRecord);
    }
    snapshotCompetition();
    if (s->weekNewsKind == kObjectivesKind) {
        setUpObjectives();
        return;
    }
    if (s->scheduleType == kContinentalRound && !s->continentalBoardsShown) {
        s->continentalBoardsShown = 1;
        buildLeaderboards(kContinentalBoards);
        s->weekNewsKind = randomRange(kContinentalKinds[0], kContinentalKinds[1]);
        return;
    }
    if (s->scheduleType == kNationalCupRound && !s->cupBoardsShown) {
        s->cupBoardsShown = 1;
        buildLeaderboards(kCupBoards);
        s->weekNewsKind = randomRange(kCupKinds[0], kCupKinds[1]);
        return;
    }
    buildLeaderboards(kLeagueBoards);
    s->weekNewsKind = randomRange(kLeagueKinds[0], kLeagueKinds[1]);
}

// The new week; true when a pending message alert showed the message screen instead, which ends
// this entry's preparation.
bool prepareNewWeek() {
    GameStatics* const s = block();
    if (s->pendingMessageFound) {
        setMenuState(kMessages);
        if (s->menuState != kNewWeek) {
            s->inboxTop = s->pendingMessageTop;
            s->inboxCursor = s->pendingMessageIndex;
        }
        s->inboxListCount = s->pendingMessageListCount;
        return true;
    }
    findNextUserEvent();
    const bool firstWeeks = s->monthIndex < kFirstWeekMonth ||
                            (s->monthIndex == kFirstWeekMonth && s->matchDayIndex < kFirstWeekLimit);
    s->weekNewsKind = firstWeeks ? randomRange(kFirstWeeksKinds[0], kFirstWeeksKinds[1])
                                 : randomRange(kWeekKinds[0], kWeekKinds[1]);
    if (s->scheduleType == kNoEvent) {
        s->weekNewsKind = 0;
    }
    const jint type = s->scheduleType;
    const bool tableWeek = (type == kLeagueRound && s->roundFlagLeague) ||
                           (type == kContinentalRound && s->roundFlagContinental) ||
                           (type == kNationalCupRound && s->roundFlagCup && s->cupTieSlot != kNoCupTie);
    if (tableWeek) {
        prepareTableWeek();
    }
    if (s->previousMenuState == kMainMenu) {
        s->weekNewsKind = kLoadedGameKind;
    }
    return false;
}

// -------------------------------------------------------------------------------------------
// The states' own preparations.

void prepareMainMenu() {
    GameStatics* const s = block();
    const jint left = s->previousMenuState;
    if (s->userLeague != -1 && s->userTeam != -1 && left != kOptions) {
        s->menuSelection = kCareerSelection;
    }
    s->mainMenuText = runtime::getConstantString(kEmptyTextConstant);
    if (left == kHelp) {
        s->menuSelection = kHelpSelection;
    }
    if (sprites::ASpriteInstance* const instance = s->mainMenuSpriteInstance) {
        instance->setAnim(kMainMenuAnimation, kPlayOnce);
    }
    s->mainMenuMarker = -1;
    s->inboxStart = 0;
    s->inboxWrite = 0;
    s->inboxCount = 0;
    if (runtime::ObjectArray* const pool = s->inboxPool) {
        for (jint i = 0; i < pool->length; ++i) {
            if (auto* const record = static_cast<ByteArray*>((*pool)[i])) {
                std::fill_n(record->data(), record->length, kEmptyByte);
            }
        }
    }
    if (runtime::IntArray* const values = s->slotValues) {
        std::fill_n(values->data(), values->length, 0);
    }
    if (!isOneOf(left, kQuietMainMenuFrom)) {
        playSound(kMainMenuSound);
    }
}

void prepareListAnchors() {
    GameStatics* const s = block();
    if (s->menuStateBefore == kSquadSubScreen4) {
        return;
    }
    s->listMode = 0;
    s->popupAnchor = -1;
    s->listAnchor = -1;
    s->mainListMarker = -1;
    s->listReady = 1;
}

// The players of this year's intake, spaced over the scouts' pool: as many as the weaker scout's
// grade allows, promising ones marked by the chance the better-skilled scout gives.
void runScoutingDraw() {
    GameStatics* const s = block();
    if (runtime::IntArray* const list = s->squadList) {
        std::fill_n(list->data(), list->length, -1);
    }
    jint grade = kTopGrade;
    jint skill = kTopGrade;
    for (const jint at : kScoutBytes) {
        const jint scout = selectionByte(at);
        if (scout == kNoEntry) {
            continue;
        }
        const ByteArray* const records = s->extraNameTable;
        const jint offset = scout * kScoutRecordBytes;
        if (scout < 0 || !holds(records, offset, kScoutRecordBytes)) {
            runtime::log("menu entry: scout %d has no staff record", scout);
            continue;
        }
        grade = std::min(grade, static_cast<jint>((*records)[offset + kScoutGradeByte]));
        skill = std::min(skill, static_cast<jint>((*records)[offset + kScoutSkillByte]));
    }
    // A grade below 0 would index outside the counts, and a count of 0 would list every player of
    // the year: the draw lists nothing then.
    grade = std::clamp(grade, 0, kTopGrade);
    const runtime::IntArray* const counts = s->scoutCounts;
    const jint wanted = counts != nullptr && counts->inBounds(grade) ? (*counts)[grade] : 0;
    clearSquadList();
    s->rowScroll = 0;
    if (wanted <= 0) {
        runtime::log("menu entry: scout grade %d lists no players", grade);
        return;
    }
    const jint step = runtime::idiv(s->scoutPool, wanted);
    jint gap = randomRange(0, step);
    const jint promising = (kTopGrade - skill) * kPromisingPercentPerLevel;
    const jint year = s->seasonYear - kYearBase;
    const jint players = recordedPlayers();
    jint counted = 0;
    for (jint i = 0; i < players; ++i) {
        if (playerByte(i, kYearByte) != year) {
            continue;
        }
        if (counted != gap) {
            ++counted;
            continue;
        }
        if (randomRange(1, kPercent) <= promising) {
            playerByte(i, kFlagByteB) = static_cast<jbyte>(playerByte(i, kFlagByteB) | kFlagBit);
        }
        appendToSquadList(i);
        if (s->squadListCount >= wanted) {
            break;
        }
        gap = randomRange(0, step);
        counted = 0;
    }
    s->rowScroll = 0;
}

// The contract negotiation's first round for chosenPlayer between teamA and teamB: the asking price
// from his interest and value, a console line and the wage the entry screen starts from.
void prepareContractOffer(const jint teamA, const jint teamB) {
    GameStatics* const s = block();
    s->offerRound = kFirstOfferRound;
    if (s->wageRoom == 0 && !s->wageRoomSet) {
        const jint room = runtime::imul(clubServices().getTeamWageRoom(s->userTeam), kMonthsPerYear);
        s->wageRoom = room;
        s->wageRoomShown = room;
        s->wageRoomSet = 1;
    }
    const jint player = s->chosenPlayer;
    const jint d =
        kInterestBase - seasonScreenServices().transferInterest(player, teamA, teamB, s->offerRound + 1);
    const jint value = getPlayerValue(player, 1);
    if (d > kRefusalLimit) {
        s->offerAsk = kRefusalAsk;
    } else if (d >= kFullPriceLimit) {
        s->offerAsk =
            runtime::imul(kPercent + (d - kFullPriceLimit) * kPercent / (kRefusalLimit - kFullPriceLimit),
                          value) /
            kPercent;
    } else if (d >= 0) {
        s->offerAsk = runtime::imul(d * kLowBandRise / kLowBandSpan + kQuarterPercent, value) / kPercent;
    } else {
        s->offerAsk = runtime::imul(value, kQuarterPercent) / kPercent;
    }

    runtime::String* const name = seasonScreenServices().getPlayerLabel(player);
    runtime::StringBuffer* const line = runtime::newStringBuffer();
    line->append(name);
    line->append(runtime::getConstantString(kOfferTraceConstant));
    line->appendInt(runtime::imul(s->offerAsk, kMonthsPerYear));
    if (runtime::java_io_PrintStream* const out = s->systemOut) {
        out->println(line->toString());
    }

    runtime::StringBuffer* const buffer = entryBuffer();
    buffer->setLength(0);
    const jint wage = getPlayerField2(player);
    const jint room = clubServices().getTeamWageRoom(s->userTeam);
    buffer->appendInt(runtime::imul(wage < 1 || wage >= room ? room : wage, kMonthsPerYear));
}

// The offer screens answer offerMessage: its owner (bytes 23-24) and sender (bytes 1-2).
void prepareMessageOffer() {
    const ByteArray* const message = block()->offerMessage;
    if (!holds(message, 0, kMessageBytes)) {
        prepareContractOffer(-1, -1);
        return;
    }
    prepareContractOffer(readShortBE(message, kOwner), readShortBE(message, kSender));
}

// The two per-side bytes of table := value.
void fillSides(ByteArray* const table, const jbyte value) {
    if (table != nullptr) {
        std::fill_n(table->data(), std::min(table->length, kLineupSides), value);
    }
}

// Both match sides back to the squad order with no changes made, the user's side set up again,
// the guide's message mark and the substitution limits of the next match.
void resetMatchLineups() {
    GameStatics* const s = block();
    for (jint side = 0; side < kLineupSides; ++side) {
        ByteArray* const slots = sideRow(s->squadSlotOfPlayer, side);
        ByteArray* const positions = sideRow(s->lineup, side);
        ByteArray* const kickOff = sideRow(s->lineupAtKickOff, side);
        match::CTeam* const team = matchTeam(side);
        for (jint slot = 0; slot < kSquadSlots; ++slot) {
            for (ByteArray* const row : {slots, positions, kickOff}) {
                if (row != nullptr && row->inBounds(slot)) {
                    (*row)[slot] = static_cast<jbyte>(slot);
                }
            }
            if (slot >= match::CTeam::kPlayers) {
                continue;
            }
            if (match::CPlayer* const player = teamPlayer(team, slot)) {
                player->role = 0;
                player->outOfPlay = 0;
                initPlayerCondition(player, 0);
            }
        }
        for (ByteArray* const row : {sideRow(s->substitutionSlots, side), sideRow(s->benchSlots, side)}) {
            if (row != nullptr) {
                std::fill_n(row->data(), row->length, kEmptyByte);
            }
        }
    }
    setUpMatchSide(0, s->userTeam);
    if (pending()) {
        return;
    }
    if (s->inboxCount > 0) {
        const bool mark = hasUnreadListedMessage() && s->guideStep >= kGuideStepReached;
        if (ByteArray* const guide = s->progressFlags;
            guide != nullptr && guide->inBounds(kGuideFlagsEntry)) {
            jbyte& flags = (*guide)[kGuideFlagsEntry];
            flags = static_cast<jbyte>(mark ? flags | kGuideMessageBit : flags & ~kGuideMessageBit);
        }
    }
    s->matchLiveFlag = 0;
    s->defaultSubstitutionLimit = s->scheduleType == kFriendly ? kFriendlySubstitutions : kMatchSubstitutions;
    fillSides(s->substitutionLimit, s->defaultSubstitutionLimit);
    fillSides(s->substitutionsMade, 0);
    s->lineupChanged = -1;
    s->replayCounter = 0;
    menuServices().setMenuAnimation(s->menuSelection, 1);
}

// squadCrowded: a side has four bench entries or more in use (its last bench byte not counted).
void checkBench() {
    GameStatics* const s = block();
    s->squadCrowded = 0;
    for (jint side = 0; side < kLineupSides; ++side) {
        const ByteArray* const bench = sideRow(s->benchSlots, side);
        if (bench == nullptr) {
            continue;
        }
        const jint used =
            static_cast<jint>(std::count_if(bench->data(), bench->data() + std::max(bench->length - 1, 0),
                                            [](const jbyte b) { return b != kEmptyByte; }));
        if (used >= kCrowdedBench) {
            s->squadCrowded = 1;
        }
    }
}

void prepareResultPages() {
    GameStatics* const s = block();
    if (s->guideStep == kGuideStepReached) {
        s->guideStep = kGuideStepNext;
        if (ByteArray* const guide = s->progressFlags;
            guide != nullptr && guide->inBounds(kGuideFlagsEntryB)) {
            (*guide)[kGuideFlagsEntry] = static_cast<jbyte>((*guide)[kGuideFlagsEntry] | kGuideFlagBit);
            (*guide)[kGuideFlagsEntryB] = static_cast<jbyte>((*guide)[kGuideFlagsEntryB] | kGuideFlagBitsB);
        }
        s->chosenPlayer = getTeamPlayerId(s->userTeam, randomRange(0, kGuidePlayerSlots));
    }
    checkBench();
    s->mainMenuPending = 0;
}

// Appends each of the selection table's bytes that holds an entry.
template <std::size_t N> void appendSelectionEntries(const jint (&bytes)[N]) {
    for (const jint at : bytes) {
        const jint entry = selectionByte(at);
        if (entry != kNoEntry) {
            appendToSquadList(entry);
        }
    }
}

// The message is a whole record about player, sent or owned by the user's club.
bool isUserMessageAbout(const ByteArray* const message, const jint player) {
    const jint team = block()->userTeam;
    return holds(message, 0, kMessageBytes) && readShortBE(message, kMessagePlayer) == player &&
           (readShortBE(message, kSender) == team || readShortBE(message, kOwner) == team);
}

// The first message of the ring, from the oldest or from the newest, to or from the user's club
// (sender or owner) about player and of a player-message type; null when there is none.
const ByteArray* findPlayerMessage(const jint player, const bool oldestFirst) {
    const jint count = ringMessageCount();
    for (jint n = 0; n < count; ++n) {
        const ByteArray* const message = messageAt(oldestFirst ? n : count - 1 - n);
        if (!isUserMessageAbout(message, player)) {
            continue;
        }
        const jint type = (*message)[kMessageType];
        if (isOfferType(type) || isOneOf(type, kPlayerMessageTypes)) {
            return message;
        }
    }
    return nullptr;
}

// The players with a message state, each listed with the message about them (bit 31 when that
// message is marked); a waiting state without an open offer is over.
void buildMessagePlayerList() {
    GameStatics* const s = block();
    s->squadListMarked = 0;
    clearSquadList();
    const jint players = recordedPlayers();
    for (jint i = 0; i < players; ++i) {
        jbyte& state = playerByte(i, kMessageStateByte);
        if ((state & kHighNibble) == 0) {
            continue;
        }
        const bool waiting = state == kWaitingState;
        if (waiting && !hasOpenOfferFor(i)) {
            state = static_cast<jbyte>(state & kLowNibble);
            continue;
        }
        const ByteArray* const message = findPlayerMessage(i, waiting);
        if (message != nullptr) {
            appendToSquadList((*message)[kMarkByte] == kMarked ? i | kMarkedRowBit : i);
        }
    }
}

void buildListedPlayers() {
    clearSquadList();
    const jint players = recordedPlayers();
    for (jint i = 0; i < players; ++i) {
        if ((playerByte(i, kFlagByteA) & kFlagBit) != 0) {
            appendToSquadList(i);
        }
    }
}

// The promising players among the last 40 records (those without a team); youthPlayer becomes
// its row when it is listed.
void buildYouthList() {
    GameStatics* const s = block();
    s->youthFlag = 0;
    clearSquadList();
    const jint players = recordedPlayers();
    for (jint i = std::max(0, players - kYouthRecords); i < players; ++i) {
        if ((playerByte(i, kFlagByteB) & kFlagBit) == 0) {
            continue;
        }
        appendToSquadList(i);
        if (s->youthPlayer == i) {
            s->youthPlayer = s->squadListCount - 1;
        }
    }
    if (isStatusFlagClear()) {
        s->selectedRow = 0;
        s->rowOffset = 0;
        return;
    }
    s->selectedRow = s->youthPlayer;
    s->rowOffset = runtime::idiv(s->youthPlayer, kYouthRowsPerPage) * kYouthRowsPerPage;
}

// The twelve preset texts of the text-entry screen (the table the start-up loading prepared);
// back from its sub-screen only the first text and the buffer start again.
void prepareTextEntry() {
    GameStatics* const s = block();
    s->entryBusy = 0;
    runtime::ObjectArray* table = s->loadingTextTable;
    if (table == nullptr || table->length < kEntryTexts) {
        table = runtime::newObjectArray(kEntryTexts);
        s->loadingTextTable = table;
    }
    runtime::String* const empty = runtime::getConstantString(kEmptyTextConstant);
    entryBuffer()->setLength(0);
    if (s->previousMenuState == kTextEntryReturn) {
        (*table)[0] = empty;
        return;
    }
    for (jint i = 0; i < kEntryTexts; ++i) {
        (*table)[i] = empty;
    }
    for (const PresetText& preset : kPresetTexts) {
        (*table)[preset.entry] = preset.isText ? getText(preset.id) : runtime::getConstantString(preset.id);
    }
    s->entryParamA = kEntryParamA;
    s->entryParamB = kEntryParamB;
    std::fill_n(s->entryFields, kEntryFields, 0);
}

void prepareContractEntry() {
    GameStatics* const s = block();
    s->menuSelection = 1;
    s->entryValue = getPlayerField33(s->chosenPlayer);
    runtime::StringBuffer* const buffer = entryBuffer();
    buffer->setLength(0);
    buffer->appendInt(s->entryValue);
    s->entryValueAux = 0;
}

// The transfer messages about chosenPlayer and the user's club, newest first: an answer (types
// 1-3) ends the walk as the list's first record; offers (types 4-6) go to the keyed list.
void buildTransferMessageList() {
    GameStatics* const s = block();
    s->messageRecordCount = 0;
    s->messageRecordPos = 0;
    const jint limit = std::max(s->messageRecordLimit, 0);
    s->messageRecords = multiArray("[[B", {limit, kMessageBytes});
    const jint count = ringMessageCount();
    for (jint n = count - 1; n >= 0; --n) {
        ByteArray* const message = messageAt(n);
        if (!isUserMessageAbout(message, s->chosenPlayer) || !isOfferType((*message)[kMessageType])) {
            continue;
        }
        const jint type = (*message)[kMessageType];
        if (type <= kLastAnswerType) {
            runtime::ObjectArray* const records = s->messageRecords;
            if (records->length > 0) {
                auto* const first = static_cast<ByteArray*>((*records)[0]);
                std::copy_n(message->data(), kMessageBytes, first->data());
            }
            s->messageRecordPos = 0;
            return;
        }
        clubServices().upsertKeyedMessage(message);
        if (s->messageRecordCount >= limit) {
            return;
        }
    }
}

void prepareSchedule() {
    GameStatics* const s = block();
    if (s->scheduleFromSave) {
        s->selectedRow = s->scheduleRowSaved;
    } else {
        s->scheduleMonth = s->monthIndex;
        s->selectedRow = s->matchDayIndex;
        s->scheduleFromSave = 0;
    }
    buildDaySchedule(s->scheduleMonth, s->userLeague, 1, 0);
}

void clearShowcase() {
    GameStatics* const s = block();
    if (ByteArray* const bytes = s->statusBytes) {
        std::fill_n(bytes->data(), bytes->length, jbyte{0});
    }
    if (runtime::IntArray* const panel = s->statusPanel) {
        std::fill_n(panel->data(), panel->length, 0);
    }
}

void prepareState(const jint state) {
    GameStatics* const s = block();
    switch (state) {
    case kMainMenu:
        prepareMainMenu();
        return;
    case kListScreen:
    case kSquadListScreen:
        prepareListAnchors();
        return;
    case kStartOfPlay:
        if (s->previousMenuState == kSeasonReport) {
            runScoutingDraw();
        }
        return;
    case kSeasonObjectives:
        settleSeasonObjectives(1);
        return;
    case kReplayScreen:
    case kReplayScreenB:
    case kReplayScreenC:
        s->replayCounter = kReplayFrames;
        return;
    case kContractOffer:
    case kPlayerOffer:
        prepareContractOffer(s->userTeam, s->userTeam);
        return;
    case kInbox:
    case kMessages:
        clubServices().refreshInboxScreen();
        return;
    case kHome:
        resetMatchLineups();
        return;
    case kSeasonHalfA:
    case kSeasonHalfB:
    case kSeasonHalfC:
        s->seasonMarker = -1;
        s->selectedRow = runtime::idiv(s->seasonRow, kSeasonRowsPerEntry);
        return;
    case kResultPages:
        prepareResultPages();
        return;
    case kTeamHub:
    case kScoutingHub:
        playSoundFromHome(kFromHomeSound21);
        return;
    case kStaffHub:
        playSoundFromHome(kFromHomeSound23);
        if (!pending()) {
            sprites::loadScreenSprite();
        }
        return;
    case kHiredStaff:
        s->menuSelection = 0;
        clearSquadList();
        appendSelectionEntries(kHiredStaffBytes);
        return;
    case kFreeStaff:
        s->menuSelection = 0;
        collectFreeIds();
        return;
    case kScoutSlots:
    case kScoutSlotsB:
        s->menuSelection = 0;
        clearSquadList();
        s->rowScroll = 0;
        appendSelectionEntries(kScoutBytes);
        return;
    case kScoutList:
        s->menuSelection = 0;
        buildPickList();
        return;
    case kMessagePlayers:
        buildMessagePlayerList();
        return;
    case kListedPlayers:
        buildListedPlayers();
        return;
    case kYouthList:
        buildYouthList();
        return;
    case kTextEntry:
        prepareTextEntry();
        return;
    case kSchedule:
        prepareSchedule();
        return;
    case kLeagueHub:
    case kClubHub:
        playSoundFromHome(kFromHomeSound14);
        return;
    case kClubPackData:
        resources::loadTeamNameTable();
        return;
    case kObjectives:
        setUpObjectives();
        return;
    case kShowcase:
        clearShowcase();
        return;
    case kFinanceHub:
        playSoundFromHome(kFromHomeSound15);
        return;
    case kContractEntry:
    case kContractEntryB:
        prepareContractEntry();
        return;
    case kTransferOffer:
    case kTransferOfferB:
        prepareMessageOffer();
        return;
    case kTransferMessages:
        buildTransferMessageList();
        return;
    default:
        return;
    }
}

// The highlight reset and the default selection every entry ends with.
void closeEntry(const jint state) {
    GameStatics* const s = block();
    resetHighlight();
    s->screenCounter = 0;
    s->screenPhase = 0;
    s->touchListHit = -1;
    s->popupOpen = 0;
    s->popupChoice = -1;
    s->screenValue = 0;
    if (isOneOf(state, kNoSelectionStates)) {
        s->menuSelection = -1;
    }
    if (isOneOf(state, kNoRowStates)) {
        s->selectedRow = -1;
    }
    s->popupAnchor = -1;
}

} // namespace

void prepareMenuScreen(const jint state) {
    GameStatics* const s = block();
    if (state == kNewWeek && prepareNewWeek()) {
        return;
    }
    if (pending()) {
        return;
    }
    if (sprites::ASpriteInstance* const instance = s->menuSpriteInstance) {
        instance->setAnim(kMenuEntryAnimation, kPlayOnce);
    }
    s->selectionMarker = -2;
    s->menuEntryTime = runtime::System::currentTimeMillis();
    s->entryTimeFlag = 0;
    prepareState(state);
    if (pending()) {
        return;
    }
    closeEntry(state);
}

} // namespace game::framework
