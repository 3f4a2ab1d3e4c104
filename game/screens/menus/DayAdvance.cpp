// The day advance and the season flow's family handler (see DayAdvance.h).
#include "game/screens/menus/DayAdvance.h"

#include <iterator>

#include "game/club/CalendarAdvance.h"
#include "game/club/ClubRecords.h"
#include "game/club/ComputerTransfers.h"
#include "game/club/DailyMessages.h"
#include "game/club/InboxMessages.h"
#include "game/club/PlayerCondition.h"
#include "game/club/PlayerValue.h"
#include "game/club/RecordLayout.h"
#include "game/club/Scouting.h"
#include "game/core/DateText.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/LittleEndian.h"
#include "game/core/RecordBytes.h"
#include "game/core/ScreenRoutines.h"
#include "game/core/WriteBuffer.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/MenuStateServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/resources/DatabaseTables.h"
#include "game/resources/SavedGame.h"
#include "game/screens/menus/ComputerDevelopment.h"
#include "game/screens/menus/DayWork.h"
#include "game/screens/menus/HomeScreen.h"
#include "game/screens/menus/MenuToolkit.h"
#include "game/season/BackgroundCompetitions.h"
#include "game/season/CalendarEvents.h"
#include "game/season/CalendarSearch.h"
#include "game/season/DaySchedule.h"
#include "game/season/Leaderboards.h"
#include "game/season/LeagueTables.h"
#include "game/season/SeasonLookups.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "profile/Graphics.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/Random.h"
#include "runtime/Service.h"
#include "runtime/StreamsPrint.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace game::menus {

namespace {

using runtime::ByteArray;
using runtime::jbyte;
using runtime::String;

// Menu states of the family and the ones it leaves to.
constexpr jint kPlayerDetailsState = 129;
constexpr jint kFrontEndRoutineState = 132;
constexpr jint kMessageState = 133;
constexpr jint kHomeState = 134;
constexpr jint kAdvanceState = 136;
constexpr jint kResultsState = 137;
constexpr jint kQuietState = 139;
constexpr jint kSeasonTurnoverState = 69;
constexpr jint kGameOverState = 71;

constexpr jint kKeyBack = 4096;
constexpr jint kKeyStopAuto = 1024;
constexpr jint kKeySelect = 0x2100;

// The day's steps.
constexpr jint kLastWorkingStep = 22;
constexpr jint kEndOfDayStep = 36;

// Transition animations.
constexpr jint kToMessages = 8;
constexpr jint kToHome = 10;

// The squad and the records.
constexpr jint kSquadSlots = club::kSquadSlots;
constexpr jint kPlayerBytes = club::kPlayerRecordBytes;
constexpr jint kTeamBytes = club::kTeamRecordBytes;
constexpr jint kNone = -1;
constexpr jint kEmptySlot = club::kNoId;
constexpr jint kFlagged = club::kFlaggedSlotBit;
constexpr jint kExtraByte = 7;
constexpr jint kHighBit = 0x80;
constexpr jint kStatusByte = club::player::kStatus;
constexpr jint kStatusStep = 16;
constexpr jint kBirthYearByte = club::player::kBirthYearCode;
constexpr jint kListingByte = club::player::kListing;
constexpr jint kPositionFlagsByte = club::player::kSkillFlags;
constexpr jint kBonusMark = 4; // bit 2 of byte 13
constexpr jint kRetiredMark = 0xFE;
constexpr jint kSmallestSquad = 16;
constexpr jint kGeneratedPlayers = 40;
constexpr jint kFirstSeason = 2009;
constexpr jint kLastSeasons = 49;
constexpr jint kRetirementAge = 70;
constexpr jint kManagerBaseYear = 1947;
constexpr jint kYoungAge = 17;

// Competition kinds and their award codes.
constexpr jint kLeague = 1;
constexpr jint kNationalCup = 2;
constexpr jint kContinentalCup = 3;
constexpr jint kNationalCupCode = 16;
constexpr jint kContinentalCode = 32;
constexpr jint kAwards = 3;
constexpr jint kTableEntries = 32;
constexpr jint kContinentalRow = 8;
constexpr jint kSingleDivisionCountries = 10;
constexpr jint kSingleDivisionOffset = 5;
constexpr jint kGroups = 8;
constexpr jint kGroupSize = 4;

// Texts and constant strings.
constexpr jint kEmpty = 1;
constexpr jint kDigitFill = 13;
constexpr jint kJoin = 124;
constexpr jint kTopText = 614;
constexpr jint kMilestoneText = 618;
constexpr jint kFirstAwardText = 619;
constexpr jint kMonthlyText = 627;
constexpr jint kRecallText = 638;

// The calendar.
constexpr jint kMonthDays = 8;
constexpr jint kMonths = 12;
constexpr jint kCalendarMarkStride = 4;
constexpr jshort kDayDone = static_cast<jshort>(0xFFFE);

GameStatics* s() {
    return statics();
}

void setMenuState(const jint state) {
    core::menuStateServices().setMenuState(state);
}

void run(const DayTask task, const jint argument = 0) {
    dayWork().run(task, argument);
}

void post(const jint type, const jint p1 = kNone, const jint p2 = kNone, const jint p4 = kNone,
          const jint p7 = kNone, const jint p8 = kNone, const jint p10 = kNone) {
    club::postInboxMessage(type, p1, p2, kNone, p4, kNone, kNone, p7, p8, kNone, p10, kNone, kNone);
}

void startTransition(const jint animation) {
    if (sprites::ASpriteInstance* const transition = s()->transitionSprite) {
        transition->setAnim(animation, 1);
    }
}

jint playerByte(const jint player, const jint index) {
    ByteArray* const records = s()->playerRecords;
    const jint at = player * kPlayerBytes + index;
    if (records == nullptr || player < 0 || !records->inBounds(at)) {
        return 0;
    }
    return (*records)[at] & 0xFF;
}

void putPlayerByte(const jint player, const jint index, const jint value) {
    ByteArray* const records = s()->playerRecords;
    const jint at = player * kPlayerBytes + index;
    if (records != nullptr && player >= 0 && records->inBounds(at)) {
        (*records)[at] = static_cast<jbyte>(value);
    }
}

// The player in the user's squad slot, or -1 for an empty or flagged slot.
jint userSquadPlayer(const jint slot) {
    GameStatics* const block = s();
    const jint at = block->userTeam * kTeamBytes + 2 * slot;
    if (block->teamRecords == nullptr || block->userTeam < 0 || !core::holds(block->teamRecords, at, 2)) {
        return kNone;
    }
    const jint id = core::readShortBE(block->teamRecords, at) & 0xFFFF;
    return id == kEmptySlot || (id & kFlagged) != 0 ? kNone : id;
}

jint squadSize() {
    runtime::IntArray* const sizes = s()->matchSquadCount;
    return sizes != nullptr && sizes->length > 0 ? (*sizes)[0] : 0;
}

jint managerAge() {
    return s()->seasonYear - kManagerBaseYear - s()->managerBirthYear;
}

bool lastSeasonReached() {
    return s()->seasonYear - kFirstSeason >= kLastSeasons || managerAge() >= kRetirementAge;
}

runtime::ShortArray* leagueTable() {
    GameStatics* const block = s();
    if (block->competitionTeams == nullptr) {
        block->competitionTeams = runtime::newShortArray(kTableEntries);
    }
    return block->competitionTeams;
}

jint tableTeam(const jint index) {
    runtime::ShortArray* const table = leagueTable();
    return table->inBounds(index) ? (*table)[index] & 0xFFFF : kNone;
}

void findUserInTable() {
    GameStatics* const block = s();
    runtime::ShortArray* const table = leagueTable();
    block->userTablePosition = kNone;
    for (jint k = 0; k < kTableEntries && k < table->length; ++k) {
        if (((*table)[k] & 0xFFFF) == block->userTeam) {
            block->userTablePosition = k;
            return;
        }
    }
}

runtime::IntArray* userAwards() {
    GameStatics* const block = s();
    if (block->userAwards == nullptr) {
        block->userAwards = runtime::newIntArray(kAwards);
    }
    return block->userAwards;
}

void gameOver(const jint reason) {
    GameStatics* const block = s();
    block->gameOverReason = reason;
    block->gameOverPending = 1;
    run(DayTask::autoSave);
    setMenuState(kGameOverState);
}

// The award record i of the competition settled last: (value, player, slot) of its leader, or
// nothing when the list is missing.
bool awardLeader(const jint i, jint& value, jint& player, jint& slot) {
    runtime::ObjectArray* const lists = s()->leaderboards;
    if (lists == nullptr || !lists->inBounds(i)) {
        return false;
    }
    auto* const list = static_cast<runtime::ObjectArray*>((*lists)[i]);
    if (list == nullptr || list->length == 0) {
        return false;
    }
    auto* const row = static_cast<runtime::ShortArray*>((*list)[0]);
    if (row == nullptr || row->length < 3) {
        return false;
    }
    value = (*row)[0];
    player = (*row)[1];
    slot = (*row)[2];
    return true;
}

void postAwardMessages(const jint kind) {
    GameStatics* const block = s();
    if (block->silentDay != 0) {
        return;
    }
    runtime::IntArray* const awards = userAwards();
    for (jint i = 0; i < kAwards; ++i) {
        jint value = 0;
        jint player = kNone;
        jint slot = kNone;
        if ((*awards)[i] == 1 && awardLeader(i, value, player, slot)) {
            post(55 + i, kFirstAwardText + i, kNone, block->userTeam, kNone, kNone, kind);
        }
    }
    for (jint i = 0; i < kAwards; ++i) {
        jint value = 0;
        jint player = kNone;
        jint slot = kNone;
        if (!awardLeader(i, value, player, slot)) {
            continue;
        }
        const jint team = player >= 0 ? club::getPlayerField17(player) : kNone;
        club::postInboxMessage(27 + i, team, value, player, kNone, kNone, kNone, kind, kNone, kNone, kNone,
                               kNone, kNone);
    }
}

// The player bonus of the season's last cup day: the first eligible player of the user's squad
// list without the mark gets it, and message 30.
void awardPlayerBonus() {
    GameStatics* const block = s();
    ByteArray* const summary = block->competitionLastResult;
    if (summary == nullptr || summary->length < 3) {
        return;
    }
    if ((*summary)[1] < 5 && (*summary)[2] < 5) {
        return;
    }
    if (block->squadBonusSwitch == 0) {
        return;
    }
    listTeamSquad(block->userTeam);
    for (jint k = 0; k < block->squadListCount; ++k) {
        const jint player = (*block->squadList)[k];
        const jint flags =
            playerByte(player, kPositionFlagsByte) << 8 | playerByte(player, kPositionFlagsByte + 1);
        const jint mask = 1 << core::positionGroup(k);
        if (isPlayerEligibleForSlot(flags, mask) == 0) {
            continue;
        }
        const jint byte13 = playerByte(player, kPositionFlagsByte + 1);
        if ((byte13 & kBonusMark) != 0) {
            continue;
        }
        putPlayerByte(player, kPositionFlagsByte + 1, byte13 | kBonusMark);
        post(30, player);
        return;
    }
}

void retireSeasonEndPlayers() {
    GameStatics* const block = s();
    for (jint p = 0; p < block->playerCount; ++p) {
        if ((playerByte(p, kListingByte) & 4) != 0) {
            putPlayerByte(p, kListingByte, 0);
        }
    }
    block->retiredCount = 0;
    for (jint p = 0; p < block->playerCount; ++p) {
        if (club::isRetiring(p) != 0) {
            run(DayTask::retirePlayer, p);
            // The rebuild of the new season reuses the records of the players retired here.
            putPlayerByte(p, kBirthYearByte, kRetiredMark);
        }
    }
}

// Step 6: the game-over test and the season's last days. False when the day stops here.
bool runSeasonCalendarStep() {
    GameStatics* const block = s();
    if (squadSize() < kSmallestSquad) {
        gameOver(4);
        return false;
    }
    if (block->dayStarted == 0) {
        return true;
    }
    const jint month = block->monthIndex;
    const jint day = block->matchDayIndex;
    if (month == 0 && day == 2 &&
        (block->seasonYear - kFirstSeason == kLastSeasons || managerAge() == kRetirementAge)) {
        post(16);
    }
    if (month == 10) {
        if (day == 0 || day == 5) {
            block->dayNoteFlag = 1;
        } else if (day == 2) {
            block->awardKind = kNationalCupCode;
            settleCompetition(kNationalCup);
            postAwardMessages(kNationalCup);
        } else if (day == 7) {
            block->awardKind = kContinentalCode;
            settleCompetition(kContinentalCup);
            postAwardMessages(kContinentalCup);
            awardPlayerBonus();
        }
        return true;
    }
    if (month != 11) {
        return true;
    }
    switch (day) {
    case 0:
        block->awardKind = block->userLeague;
        settleCompetition(kLeague);
        postAwardMessages(kLeague);
        break;
    case 1:
        run(DayTask::updateDivisionStandings, 1);
        break;
    case 2:
        if (block->silentDay == 0) {
            run(DayTask::rateUserSeason);
            run(DayTask::applyBoardVerdict);
            run(DayTask::postContractNotice);
            for (jint slot = 0; slot < kSquadSlots; ++slot) {
                run(DayTask::postRetirementNotice, slot);
            }
        }
        break;
    case 3:
        if (lastSeasonReached()) {
            gameOver(3);
            return false;
        }
        startTransition(kToMessages);
        setMenuState(kMessageState);
        run(DayTask::autoSave);
        run(DayTask::advanceMatchDay);
        return false;
    case 6:
        block->autoAdvance = 0;
        run(DayTask::autoSave);
        run(DayTask::advanceMatchDay);
        setMenuState(kHomeState);
        return false;
    case 7:
        run(DayTask::autoSave);
        run(DayTask::processContractExpiries);
        retireSeasonEndPlayers();
        rebuildPlayersForNewSeason();
        run(DayTask::dealGeneratedPlayers, block->youthCount);
        setMenuState(kSeasonTurnoverState);
        return false;
    default:
        break;
    }
    return true;
}

void postAfterMatchMessages() {
    GameStatics* const block = s();
    if (block->userEventNow == 0 || block->silentDay != 0) {
        return;
    }
    core::informationScreenServices().postSeasonNews(110, block->opponentTeam, kNone, kNone, kNone, kNone,
                                                     kNone, kNone, kNone, kNone, block->competitionType);
    ByteArray* const positions = block->seasonPositionSeries;
    const jint round = block->playedStep;
    if (round > 0 && positions != nullptr && positions->inBounds(round) && (*positions)[round] == 0 &&
        (*positions)[round - 1] != 0 && block->competitionType == kLeague) {
        post(50, kTopText, block->opponentTeam);
    }
    const jint c = block->matchMilestoneCount;
    if (c != 0 && c % 5 == 0 && block->scheduleType == kLeague) {
        post(54, kMilestoneText, block->opponentTeam, kNone, kNone, c);
    }
}

void markSquadEvent() {
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint player = userSquadPlayer(slot);
        if (player >= 0) {
            season::setPlayerRecordByte(player, playerByte(player, kExtraByte) & ~kHighBit, kExtraByte, 0);
        }
    }
    if (core::randomRange(1, 100) > 2) {
        return;
    }
    // A squad without a player would never end the search.
    bool anyPlayer = false;
    for (jint slot = 0; slot < kSquadSlots && !anyPlayer; ++slot) {
        anyPlayer = userSquadPlayer(slot) >= 0;
    }
    if (!anyPlayer) {
        return;
    }
    jint player = kNone;
    while (player < 0) {
        player = userSquadPlayer(core::randomRange(0, kSquadSlots - 1));
    }
    season::setPlayerRecordByte(player, playerByte(player, kExtraByte) | kHighBit, kExtraByte, 0);
    const jint status = playerByte(player, kStatusByte);
    if ((status & 0xF0) <= 64) {
        putPlayerByte(player, kStatusByte, (status & 0x0F) | 0x40);
    }
}

void runMonthlyRecall() {
    GameStatics* const block = s();
    if (block->matchDayIndex != 0 || (block->monthIndex != 2 && block->monthIndex != 7)) {
        return;
    }
    bool recalled = false;
    for (jint p = 0; p < block->playerCount; ++p) {
        const jint value = playerByte(p, kListingByte);
        const jint k = (value & 0x7F) >> 4;
        if (k >= 1 && k <= 4) {
            recalled = recalled || k == 2;
            putPlayerByte(p, kListingByte, value & 0x0F);
        }
    }
    if (recalled) {
        post(74, kRecallText);
    }
    post(63, kMonthlyText);
}

void lookUpTodaysFixture() {
    GameStatics* const block = s();
    run(DayTask::findNextOpponent);
    block->userEventNow = 0;
    run(DayTask::findUserFixture);
    if (block->userEventNow != 0 && block->silentDay == 0) {
        core::informationScreenServices().postSeasonNews(109, tableTeam(block->userOpponentSlot),
                                                         block->userTeam, kNone, kNone, kNone, kNone, kNone,
                                                         kNone, kNone, kNone);
    }
    block->opponentIndex = block->userOpponentSlot;
    block->matchPrepared = 1;
    block->competitionType = block->scheduleType;
    block->playedStep = block->competitionStep;
    resetMatchDay();
    chooseMatchWeather();
}

runtime::String* number(const jint value) {
    return runtime::String::valueOfInt(value);
}

void writeNextMatchLine() {
    GameStatics* const block = s();
    block->nextMatchLine = runtime::getConstantString(kEmpty);
    if (block->eventsToUserEvent == kNone) {
        return;
    }
    const jint slots = block->matchDayIndex + block->eventsToUserEvent;
    runtime::IntArray* const days = block->matchDayTable;
    const jint day = days != nullptr && days->length == kMonthDays ? (*days)[slots % kMonthDays] : 0;
    const jint month = (block->monthIndex + slots / kMonthDays + 6) % kMonths + 1;
    runtime::StringBuffer* const line = runtime::newStringBuffer();
    line->append(number(day));
    line->append(runtime::getConstantString(97));
    if (month < 10) {
        line->append(runtime::getConstantString(kDigitFill));
    }
    line->append(number(month));
    if (runtime::java_io_PrintStream* const out = block->systemOut) {
        out->println(line->toString());
    }
    if (block->nextUserOpponent == kNone) {
        return;
    }
    runtime::StringBuffer* const text = runtime::newStringBuffer();
    text->append(core::formatDateText(number(day), number(month), runtime::getConstantString(kEmpty)));
    text->append(runtime::getConstantString(kJoin));
    text->append(resources::getTeamDisplayName(block->nextUserOpponent));
    block->nextMatchLine = text->toString();
}

void endTheDay() {
    GameStatics* const block = s();
    recordMonthlyFinances();
    if (block->monthIndex == 0) {
        block->pendingTeam = -1;
    }
    // The monthly balance update the day's end once ran has no routine; the user's money moves
    // through transfers, prizes and gate income.
    block->advanceRequested = 0;
    if (block->advanceUntilEvent != 0) {
        block->advanceUntilEvent = hasUnansweredMatchMessage() != 0 ? 0 : 1;
    }
    findPendingInboxMessage();
    if (block->userEventNow != 0) {
        if (block->silentDay != 0) {
            block->opponentTeam = tableTeam(block->opponentIndex);
        } else {
            post(12);
            post(25);
            if (season::isTeamInList(tableTeam(block->opponentIndex)) != 0) {
                post(20);
            }
        }
        if (block->autoAdvance != 0) {
            finishDay();
            setMenuState(kAdvanceState);
        } else {
            startTransition(kToMessages);
            block->advanceUntilEvent = 0;
            setMenuState(kMessageState);
        }
    } else if (block->inboxCount <= 0) {
        finishDay();
        setMenuState(block->advanceUntilEvent != 0 && block->holdAtHome == 0 ? kAdvanceState : kHomeState);
    } else {
        finishDay();
        const bool attention = club::findAnswerableMessage() != 0 || block->holdAtHome != 0;
        if (attention) {
            startTransition(kToMessages);
            setMenuState(kMessageState);
        } else {
            setMenuState(block->advanceUntilEvent != 0 ? kAdvanceState : kHomeState);
        }
    }
    block->holdAtHome = 0;
    block->silentDay = 0;
    run(DayTask::findNextMatchDay);
    writeNextMatchLine();
    block->dayNoteFlag = 0;
}

void paintSprite(sprites::ASprite* const sprite, const jint frame, const jint x, const jint y) {
    if (sprite != nullptr && s()->currentGraphics != nullptr) {
        sprite->paintFrame(s()->currentGraphics, frame, x, y, 0, 0, 0);
    }
}

void updateAdvanceScreen() {
    GameStatics* const block = s();
    if (profile::Graphics* const g = block->currentGraphics) {
        g->setClip(0, 0, 480, 800);
        g->setColor(0);
        g->fillRect(0, 0, 480, 800);
    }
    paintSprite(block->advanceBackground, 0, 0, 0);
    paintSprite(block->menuElementsSprite, 148, 240, 200);
    core::informationScreenServices().paintSeasonReviewPage();
    if (sprites::ASpriteInstance* const animation = block->advanceSprite) {
        if (block->currentGraphics != nullptr) {
            animation->paintAt(block->currentGraphics);
        }
        animation->update();
        animation->y = 576;
    }
    advanceDayStep();
    if (core::isKeyPressed(kKeyStopAuto)) {
        block->autoAdvance = 0;
    }
}

void updateResultsScreen() {
    GameStatics* const block = s();
    if (block->resultsPage == 0) {
        paintSprite(block->menuBackdrop, 0, 0, 0);
        paintSprite(block->menuElementsSprite, 4, 0, 0);
        core::managementServices().paintResultsTable();
        block->viewingOwnLeague = 1;
        block->selectedRow = 0;
        block->tableFirstRow = 0;
        block->tableRefreshed = 0;
    } else {
        block->viewingOwnLeague = 1;
        block->redrawAll = 1;
        core::informationScreenServices().updateCompetitionTableScreen();
    }
    if (!core::isKeyPressed(kKeySelect)) {
        return;
    }
    block->tableFirstRow = 0;
    ++block->resultsPage;
    if ((block->competitionType == kNationalCup && block->playedStep <= 2) || block->resultsPage >= 2) {
        block->resultsPage = 0;
        setMenuState(kAdvanceState);
    } else if (block->competitionType == kContinentalCup) {
        block->userGroup = findUserGroup();
    }
}

// The eight skills of a rebuilt youth: each drops by 20 + r (r a signed draw of -5..5) and stays
// within 10..99.
jint youthSkill(const jint skill) {
    const jint r = runtime::irem(s()->gameRandom->nextInt(), 6);
    const jint value = skill - (20 + r);
    return value < 10 ? 10 : (value > 99 ? 99 : value);
}

// Byte 14 of a rebuilt youth: an available status |a| (0..4) and a grade b + 6 (2..10).
jint youthStatusByte() {
    const jint a = runtime::irem(s()->gameRandom->nextInt(), 5);
    const jint b = runtime::irem(s()->gameRandom->nextInt(), 5);
    return (a < 0 ? -a : a) * 16 + (b + 6);
}

void storeValueAndWage(const jint p) {
    GameStatics* const block = s();
    const jint value = club::getPlayerValue(p, 0);
    const jint wage = club::getPlayerValue(p, 1) / 3;
    club::writeInt32BE(block->playerRecords, p * kPlayerBytes + club::player::kMarketValue, value);
    putPlayerByte(p, club::player::kWage, wage >> 8);
    putPlayerByte(p, club::player::kWage + 1, wage);
}

// A record of the database's own players becomes a youth of 17.
void rebuildBasePlayer(const jint p) {
    GameStatics* const block = s();
    ++block->youthCount;
    putPlayerByte(p, kBirthYearByte, block->seasonYear - 2008);
    for (jint k = 0; k < 8; ++k) {
        const jint at = club::player::kSkills + k;
        putPlayerByte(p, at, youthSkill(playerByte(p, at) & club::player::kSkillMask));
    }
    putPlayerByte(p, kPositionFlagsByte, 0);
    putPlayerByte(p, kPositionFlagsByte + 1, 0);
    putPlayerByte(p, kStatusByte, youthStatusByte());
    storeValueAndWage(p);
}

// A generated player's record is written anew, in record order, as a youth of 16 without a
// club; his skills come from his information record.
void rebuildGeneratedPlayer(const jint p) {
    GameStatics* const block = s();
    ByteArray* const info = block->playerInfoRecords;
    jint skills[8] = {};
    for (jint k = 0; k < 8; ++k) {
        const jint at = p * club::kPlayerInfoBytes + club::kPlayerSkills + k;
        const jint skill = info != nullptr && info->inBounds(at) ? (*info)[at] & club::player::kSkillMask : 0;
        skills[k] = youthSkill(skill);
    }
    const jint status = youthStatusByte();
    const jint wordAt = p * club::kPlayerInfoBytes + club::kPlayerBirthWord;
    const jint word =
        info != nullptr && core::holds(info, wordAt, 2) ? core::readShortBE(info, wordAt) & 0xFFFF : 0;
    const jint birthCode = 2 * (block->seasonYear - kFirstSeason) + (word >> club::kBirthYearShift) - 16;
    ByteArray* const previousBuffer = block->writeBuffer;
    const jint previousPosition = block->writePos;
    block->writeBuffer = block->playerRecords;
    block->writePos = p * kPlayerBytes;
    core::writeShortBE(-1); // no contract
    core::writeShortBE(0);  // the wage, below
    for (const jint skill : skills) {
        core::queueByte(skill);
    }
    core::writeShortBE(0); // position flags
    core::queueByte(status);
    core::queueByte(99); // fitness
    core::queueByte(birthCode);
    core::writeShortBE(kEmptySlot); // no club
    for (jint at = club::player::kSeasonStats; at < club::player::kMarketValue; ++at) {
        core::queueByte(0);
    }
    block->writeBuffer = previousBuffer;
    block->writePos = previousPosition;
    storeValueAndWage(p);
}

void runDayTask(const DayTask task, const jint argument) {
    GameStatics* const block = s();
    switch (task) {
    case DayTask::developComputerPlayers:
        developComputerPlayers(argument);
        break;
    case DayTask::trainSquad:
        club::trainSquad(argument);
        break;
    case DayTask::updateDailyCondition:
        club::updateDailyCondition();
        break;
    case DayTask::autoSave:
        resources::autoSave();
        break;
    case DayTask::updateDivisionStandings:
        // The standings of the season's end (argument 1) are brought up the same way.
        season::playOtherCompetitions(block->silentDay == 0 ? 1 : 0);
        break;
    case DayTask::buildDivisionTable:
        core::seasonScreenServices().loadLeagueData(argument, 1, 0);
        break;
    case DayTask::rankTeamsByRating:
        rankTeamsByRating();
        break;
    case DayTask::advanceMatchDay:
        club::advanceMatchDay();
        break;
    case DayTask::processTransfers:
        club::processTransfers();
        break;
    case DayTask::processScouting:
        club::processScouting();
        break;
    case DayTask::buildMonthFixtures:
        season::buildDaySchedule(argument, block->userLeague, 0, 0);
        break;
    case DayTask::findNextOpponent:
        season::findNextUserOpponent();
        break;
    case DayTask::findUserFixture:
        season::processCalendarEvent(block->matchDayIndex, 0, block->monthIndex, season::kAnyEvent);
        break;
    case DayTask::processPendingMessages:
        club::processPendingMessages();
        break;
    case DayTask::findNextMatchDay:
        season::findNextUserEvent();
        break;
    case DayTask::rateUserSeason:
        core::informationScreenServices().setSeasonVerdict();
        break;
    case DayTask::applyBoardVerdict:
        club::applyBoardVerdict();
        break;
    case DayTask::postContractNotice:
        club::postContractNotice(1);
        break;
    case DayTask::postRetirementNotice:
        club::postRetirementNotice(argument);
        break;
    case DayTask::processContractExpiries:
        club::processContractExpiries();
        break;
    case DayTask::retirePlayer:
        club::retirePlayer(argument);
        break;
    case DayTask::dealGeneratedPlayers:
        core::informationScreenServices().dealGeneratedPlayers(argument);
        break;
    case DayTask::closeFixture:
        core::informationScreenServices().recordMatchResult();
        break;
    case DayTask::simulateDayMatches:
        core::informationScreenServices().playOtherFixtures(1);
        break;
    }
}

class SeasonRoutines final : public DayWork {
public:
    void run(DayTask task, jint argument) override;
};

} // namespace

void updateMenu128() {
    GameStatics* const block = s();
    const jint state = block->menuState;
    const bool ownFrame = state == kFrontEndRoutineState || state == kMessageState || state == kHomeState ||
                          state == kAdvanceState || state == kResultsState || state == kQuietState;
    if (!ownFrame && block->redrawAll != 0) {
        core::managementServices().paintScreenBase(state == kPlayerDetailsState ? -1 : 0, 0);
    }
    switch (state) {
    case kMessageState:
        if (core::isKeyPressed(kKeyBack) && block->popupActive == 0 && block->secondPopupActive == 0 &&
            block->noticeActive == 0) {
            findPendingInboxMessage();
            startTransition(kToHome);
            setMenuState(kHomeState);
        } else {
            core::informationScreenServices().updateInboxScreen(0);
        }
        break;
    case kHomeState:
        updateHomeScreen();
        break;
    case kAdvanceState:
        updateAdvanceScreen();
        break;
    case kResultsState:
        updateResultsScreen();
        break;
    default:
        // The player detail screen (129) and the front end's routine (132) belong to families
        // built elsewhere; until then these states show only the common parts.
        break;
    }
}

void advanceDayStep() {
    GameStatics* const block = s();
    const jint step = block->screenCounter;
    block->screenCounter = step + 1;
    if (step != kEndOfDayStep && (step > kLastWorkingStep || step % 2 != 0 || step < 0)) {
        return;
    }
    const bool silent = block->silentDay != 0;
    const bool firstDay = block->monthIndex == 0 && block->matchDayIndex == 0;
    switch (step) {
    case 0:
        if (!silent) {
            run(DayTask::developComputerPlayers, block->matchDayIndex);
        }
        if (block->settingsFlagA == 0 && !silent && !firstDay) {
            run(DayTask::trainSquad, block->matchDayIndex);
        }
        block->dayNoteFlag = 0;
        break;
    case 2:
        if (!silent) {
            updateSquadStatus();
        }
        break;
    case 4:
        postAfterMatchMessages();
        break;
    case 6:
        runSeasonCalendarStep();
        break;
    case 8:
        if (!silent && !firstDay) {
            run(DayTask::updateDailyCondition);
        }
        if (block->dayStarted != 0) {
            run(DayTask::autoSave);
            if (block->fixturesReady != 0 && block->monthIndex >= 1 && block->monthIndex <= 10) {
                run(DayTask::updateDivisionStandings, 0);
                run(DayTask::buildDivisionTable, block->userLeague);
                run(DayTask::rankTeamsByRating);
            }
        }
        break;
    case 10:
        if (block->dayStarted != 0 && block->fixturesReady != 0) {
            run(DayTask::advanceMatchDay);
            markSquadEvent();
        }
        break;
    case 12:
        if (block->dayStarted != 0 && block->fixturesReady != 0) {
            const jint month = block->monthIndex;
            if (month == 0 || month == 1 || month == 6) {
                run(DayTask::processTransfers);
            }
            if (!(month == 11 && block->matchDayIndex == 3)) {
                run(DayTask::processScouting);
            }
        }
        break;
    case 14:
        if (block->fixturesReady == 0) {
            block->fixturesReady = 1;
            run(DayTask::buildMonthFixtures, block->monthIndex);
        }
        break;
    case 18:
        lookUpTodaysFixture();
        break;
    case 20:
        if (!silent) {
            run(DayTask::processPendingMessages);
        }
        runMonthlyRecall();
        break;
    case 22:
        if (!silent) {
            if (block->dailyCounters == nullptr) {
                block->dailyCounters = runtime::newIntArray(4);
            }
            for (jint k = 0; k < 4; ++k) {
                (*block->dailyCounters)[k] = 0;
            }
            block->dailyCounterFlag = 0;
        }
        break;
    case kEndOfDayStep:
        endTheDay();
        break;
    default:
        break;
    }
}

void finishDay() {
    GameStatics* const block = s();
    if (block->autoAdvance != 0 || (block->competitionType == kNationalCup && block->competitionStep < 3)) {
        resetMatchDay();
    }
    runtime::ShortArray* const marks = block->calendarMarks;
    const jint mark = (block->matchDayIndex + block->monthIndex * kMonthDays) * kCalendarMarkStride;
    if (marks != nullptr && marks->inBounds(mark)) {
        (*marks)[mark] = kDayDone;
    } else {
        runtime::log("finishDay: no calendar mark for month %d, day %d", block->monthIndex,
                     block->matchDayIndex);
    }
    block->dayStarted = 1;
    if (block->autoAdvance != 0 && block->userEventNow != 0) {
        block->matchShown = 0;
        if (block->userTablePosition != kNone) {
            block->resultClosing = 1;
            block->resultTeamA = kNone;
            block->resultTeamB = kNone;
            run(DayTask::closeFixture);
            block->resultClosing = 0;
        }
    } else if (block->silentDay == 0) {
        run(DayTask::simulateDayMatches);
    }
    setMenuState(kAdvanceState);
    const jint competition = block->competitionType;
    if (competition != 0 && competition != 4 && competition != 5) {
        ByteArray* const active = block->competitionActive;
        if (active != nullptr && active->inBounds(competition - 1)) {
            (*active)[competition - 1] = 1;
        }
        if (block->currentTeamSheet == nullptr) {
            block->currentTeamSheet = runtime::newShortArray(5);
        }
        if (block->savedTeamSheet == nullptr) {
            block->savedTeamSheet = runtime::newShortArray(5);
        }
        for (jint k = 0; k < 5; ++k) {
            (*block->savedTeamSheet)[k] = (*block->currentTeamSheet)[k];
        }
        block->previousMatchFormation = block->matchFormation;
        block->matchFormation = 0;
    }
}

void resetMatchDay() {
    GameStatics* const block = s();
    block->dayStarted = 0;
    block->selectedRow = 0;
    block->tableFirstRow = 0;
    const jint c = block->competitionType;
    if (c >= kLeague && c <= kContinentalCup) {
        if (ByteArray* const results = block->competitionLastResult;
            results != nullptr && results->length >= c) {
            (*results)[c - 1] = static_cast<jbyte>(block->shownStage);
        }
        if (ByteArray* const rounds = block->competitionLastRound; rounds != nullptr && rounds->length >= c) {
            (*rounds)[c - 1] = static_cast<jbyte>(block->competitionStep != 0 ? block->playedStep : -1);
        }
        if (ByteArray* const active = block->competitionActive; active != nullptr && active->length >= c) {
            (*active)[c - 1] = 0;
        }
    }
    block->menuSelection = 0;
}

void chooseMatchWeather() {
    GameStatics* const block = s();
    const jint d = core::randomRange(0, 100);
    const jint month = block->monthIndex;
    if (month >= 5 && month <= 7) {
        block->matchWeather = d >= 86 ? 1 : 0;
    } else if (month >= 0 && month < kMonths) {
        block->matchWeather = 0;
    }
    if (block->matchWeather == 0 && d <= 33) {
        block->matchWeather = 3;
        block->weatherStrength = core::randomRange(0, 5);
    }
    if (block->seasonYear == kFirstSeason && (month == 0 || month == 1) && block->matchWeather == 2) {
        block->matchWeather = 0;
    }
    const jint v = core::randomRange(200, 400);
    block->weatherCounter = v;
    block->weatherCounterStart = v;
}

void updateSquadStatus() {
    GameStatics* const block = s();
    jint low = 3;
    jint high = 6;
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint player = userSquadPlayer(slot);
        if (player < 0) {
            continue;
        }
        const jint r = runtime::irem(block->gameRandom->nextInt(), 10);
        const jint status = playerByte(player, kStatusByte);
        const jint m = status >> 4;
        if (m == 4) {
            low = 2;
            high = 5;
        } else if (m == 0) {
            low = 2;
            high = 6;
        }
        if (m > 4) {
            continue;
        }
        if (r > high && m >= 1) {
            putPlayerByte(player, kStatusByte, status - kStatusStep);
        } else if (r > low && m <= 3) {
            putPlayerByte(player, kStatusByte, status + kStatusStep);
        }
    }
}

void settleCompetition(const jint kind) {
    GameStatics* const block = s();
    runtime::IntArray* const awards = userAwards();
    for (jint i = 0; i < kAwards; ++i) {
        (*awards)[i] = 0;
    }
    runtime::ShortArray* const table = leagueTable();
    if (block->leagueTableSaved == nullptr) {
        block->leagueTableSaved = runtime::newShortArray(kTableEntries);
    }
    for (jint k = 0; k < kTableEntries && k < table->length; ++k) {
        (*block->leagueTableSaved)[k] = (*table)[k];
    }
    for (jint k = 0; k < table->length; ++k) {
        (*table)[k] = static_cast<jshort>(kEmptySlot);
    }
    const jint division = block->userLeague;
    if (kind == kLeague) {
        season::copyLeagueTeams(table, division, 0);
    } else if (kind == kNationalCup) {
        core::copyLayoutRow(
            table, division < kSingleDivisionCountries ? division / 2 : division - kSingleDivisionOffset, 0);
    } else {
        core::copyLayoutRow(table, kContinentalRow, 0);
    }
    findUserInTable();
    season::buildLeaderboards(kind - 1);
    for (jint i = 0; i < kAwards; ++i) {
        jint value = 0;
        jint player = kNone;
        jint slot = kNone;
        if (awardLeader(i, value, player, slot) && block->userTablePosition != kNone &&
            slot == block->userTablePosition) {
            (*awards)[i] = 1;
        }
    }
    for (jint k = 0; k < kTableEntries && k < table->length; ++k) {
        (*table)[k] = (*block->leagueTableSaved)[k];
    }
    findUserInTable();
}

void recordMonthlyFinances() {
    GameStatics* const block = s();
    if (block->matchDayIndex != 0) {
        return;
    }
    const jint slot = block->matchDayIndex + block->monthIndex * kMonthDays;
    runtime::IntArray* const balance = block->userBalance;
    runtime::IntArray* const fundsSummary = block->userFundsSummary;
    runtime::IntArray* const projection = block->userProjection;
    if (balance == nullptr || fundsSummary == nullptr || projection == nullptr || !balance->inBounds(slot) ||
        !fundsSummary->inBounds(slot) || !projection->inBounds(slot)) {
        runtime::log("recordMonthlyFinances: no history entry %d", slot);
        return;
    }
    const jint budgetLeft = club::getTeamField60(block->userTeam) - block->userWageTotal;
    const jint funds = club::getTeamFunds(block->userTeam);
    (*balance)[slot] = budgetLeft;
    (*fundsSummary)[slot] = funds / 10;
    (*projection)[slot] =
        (budgetLeft * kMonths - block->projectionCosts + block->projectionIncome + funds) / 10;
}

jboolean hasUnansweredMatchMessage() {
    GameStatics* const block = s();
    ByteArray* const offsets = block->inboxListOffsets;
    if (offsets == nullptr || block->inboxListCount <= 0) {
        return 0;
    }
    for (jint i = 0; i < block->inboxListCount && i < offsets->length; ++i) {
        ByteArray* const message = season::messageAt((*offsets)[i] & 0xFF);
        if (message == nullptr || message->length < club::message::kBytes) {
            continue;
        }
        if ((*message)[0] == 4 && ((*message)[20] & 0xFF) >= 255 && (*message)[16] == 0 &&
            (core::readShortBE(message, 23) & 0xFFFF) == block->userTeam) {
            return 1;
        }
    }
    return 0;
}

jint findUserGroup() {
    GameStatics* const block = s();
    // Group g holds the entries 4g .. 4g + 3 of the competition's table.
    for (jint g = 0; g < kGroups; ++g) {
        for (jint k = 0; k < kGroupSize; ++k) {
            if (k + kGroupSize * g == block->userTablePosition) {
                return g;
            }
        }
    }
    return 0;
}

void rebuildPlayersForNewSeason() {
    GameStatics* const block = s();
    block->youthCount = 0;
    const jint base = block->playerCount - kGeneratedPlayers;
    for (jint p = 0; p < block->playerCount; ++p) {
        if (playerByte(p, kBirthYearByte) != kRetiredMark) {
            continue;
        }
        if (p < base) {
            rebuildBasePlayer(p);
        } else {
            rebuildGeneratedPlayer(p);
        }
    }
    block->youthCount = 0;
    for (jint p = 0; p < block->playerCount; ++p) {
        if (club::getPlayerAge(p) <= kYoungAge && club::getPlayerField0(p) == -1) {
            ++block->youthCount;
        }
    }
}

jboolean isPlayerEligibleForSlot(const jint flags, const jint mask) {
    const auto bit = [flags](const jint n) { return (flags >> n & 1) != 0; };
    const auto has = [mask](const jint n) { return (mask >> n & 1) != 0; };
    if (has(0)) {
        return bit(7) && bit(6) && bit(1) ? 1 : 0;
    }
    if (has(1)) {
        return bit(5) && bit(2) && bit(8) ? 1 : 0;
    }
    if (has(2) || has(3) || has(4) || has(5)) {
        return bit(5) && bit(4) && bit(1) ? 1 : 0;
    }
    if (has(6)) {
        return bit(6) && bit(8) && bit(5) ? 1 : 0;
    }
    if (has(7)) {
        return bit(8) && bit(6) && bit(3) ? 1 : 0;
    }
    if (has(10)) {
        return bit(0) && bit(3) && bit(4) ? 1 : 0;
    }
    if (has(8) || has(9) || has(11) || has(12)) {
        return bit(4) && bit(3) && bit(1) ? 1 : 0;
    }
    if (has(13)) {
        return bit(0) && (bit(1) || bit(2)) && bit(4) ? 1 : 0;
    }
    return 0;
}

// The season routines behind the day's tasks.
void SeasonRoutines::run(const DayTask task, const jint argument) {
    runDayTask(task, argument);
}

DayWork& dayWork() {
    return runtime::serviceSlot<DayWork, SeasonRoutines>().get();
}

DayWork* installDayWork(DayWork* const work) {
    return runtime::serviceSlot<DayWork, SeasonRoutines>().install(work);
}

const char* dayTaskName(const DayTask task) {
    static constexpr const char* kNames[] = {
        "developComputerPlayers",
        "trainSquad",
        "updateDailyCondition",
        "autoSave",
        "updateDivisionStandings",
        "buildDivisionTable",
        "rankTeamsByRating",
        "advanceMatchDay",
        "processTransfers",
        "processScouting",
        "buildMonthFixtures",
        "findNextOpponent",
        "findUserFixture",
        "processPendingMessages",
        "findNextMatchDay",
        "rateUserSeason",
        "applyBoardVerdict",
        "postContractNotice",
        "postRetirementNotice",
        "processContractExpiries",
        "retirePlayer",
        "dealGeneratedPlayers",
        "closeFixture",
        "simulateDayMatches",
    };
    const auto index = static_cast<std::size_t>(task);
    return index < std::size(kNames) ? kNames[index] : "unknown";
}

} // namespace game::menus
