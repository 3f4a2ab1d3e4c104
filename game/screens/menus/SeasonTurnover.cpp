// The season turnover and the new season's start (see SeasonTurnover.h).
#include "game/screens/menus/SeasonTurnover.h"

#include <algorithm>

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseFormat.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/RecordLayout.h"
#include "game/club/SeasonSettlement.h"
#include "game/club/SelectionTable.h"
#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/TextPackage.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/match/CPlayer.h"
#include "game/match/team/MatchSide.h"
#include "game/resources/SavedGame.h"
#include "game/resources/SavedTactics.h"
#include "game/screens/menus/MenuToolkit.h"
#include "game/screens/menus/SquadSettings.h"
#include "game/season/LeagueTables.h"
#include "game/season/SeasonLookups.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/TextBoxes.h"
#include "runtime/Log.h"

namespace game::menus {

using runtime::jboolean;
using runtime::jint;

namespace {

constexpr jint kSettledFrom = 2010;
constexpr jint kLastStep = 11;
constexpr jint kTeams = 260;

// The players' season bytes: 19..30 cleared, the fitness at byte 15 full.
constexpr jint kSeasonBytesFirst = 19;
constexpr jint kSeasonBytesLast = 30;
constexpr jint kFitnessByte = 15;
constexpr jint kFullFitness = 99;

// The three competitions: 1 the league, 2 the national cup (16 teams), 3 the continental cup
// (32 teams, row 8 of layoutRows).
constexpr jint kCompetitions = 3;
constexpr jint kSlots = 32;
constexpr jint kCupTeams = 16;
constexpr jint kContinentalRow = 8;
constexpr jint kTwoDivisionLeagues = 10;
constexpr jint kSingleDivisionCupOffset = 5;
constexpr jint kBlockUserSlot = 1;
constexpr jint kBlockSize = 2;
constexpr jint kBlockRows = 4;
constexpr jint kBlockBracket = 260;
constexpr jint kBlockTeams = 292;
constexpr jint kBlockShorts = 359;
constexpr jint kBlockShortCount = 5;
constexpr jint kBlockTail = 369;

// The club plan's hired staff and the coach records whose flags open the training kinds.
constexpr jint kHiredStaff = 4;
constexpr jint kNoStaff = 0xFF;
constexpr jint kTrainingKinds = 12;

// The tactics pages written anew for a new club.
constexpr jint kTacticsPages[] = {514, 518, 515, 516};

constexpr jint kFloorMarginLow = 100;
constexpr jint kFloorMarginHigh = 500;
constexpr jint kBudgetFieldMax = 0xFFFF;
constexpr jint kClubSettings = 5;
constexpr jint kStartingPriceLevel = 1;

// The progress painting: the animation's row, the waiting text and its blink.
constexpr jint kAnimationY = 576;
constexpr jint kWaitText = 48;
constexpr jint kWaitTextX = 240;
constexpr jint kWaitTextY = 746;
constexpr jint kWaitTextAnchor = 2;
constexpr jint kBlinkPeriod = 10;
constexpr jint kBlinkOn = 5;
constexpr jint kCountries = 8;
constexpr jint kTwoDivisionCountries = 5;

GameStatics* s() {
    return game::statics();
}

template <typename A, typename V> void fillTable(A* const table, const V value) {
    if (table != nullptr) {
        std::fill_n(table->data(), table->length, value);
    }
}

// The season's own tables back to empty; the draws made earlier in the turnover and the career
// tables are kept.
void clearSeasonTables() {
    GameStatics* const b = s();
    for (runtime::ShortArray* const t :
         {b->calendarMarks.get(), b->fixtureTable.get(), b->cupRoundPairsA.get(), b->cupRoundPairsB.get()}) {
        fillTable(t, static_cast<runtime::jshort>(-1));
    }
    for (runtime::ShortArray* const t : {b->groupTableA.get(), b->groupTableB.get(), b->groupTableC.get()}) {
        fillTable(t, static_cast<runtime::jshort>(0xFF));
    }
    for (runtime::ByteArray* const t : {b->seasonPositionSeries.get(), b->competitionStateBytes.get()}) {
        fillTable(t, runtime::i2b(0xFF));
    }
    for (runtime::IntArray* const t :
         {b->userBalance.get(), b->userFundsSummary.get(), b->userProjection.get()}) {
        fillTable(t, -1);
    }
    for (runtime::ByteArray* const t : {b->competitionLastResult.get(), b->competitionLastRound.get(),
                                        b->competitionActive.get(), b->cupStatus.get()}) {
        fillTable(t, runtime::jbyte{0});
    }
    const jint tripletBytes = std::max(0, club::triplet::kBytes * b->tripletCount);
    if (b->tripletTable == nullptr) {
        b->tripletTable = runtime::newByteArray(tripletBytes);
    }
    fillTable(b->tripletTable.get(), runtime::i2b(0xFF));
}

// The place of userTeam among the 32 competition teams; -1 when absent.
jint userSlot() {
    const runtime::ShortArray* const teams = s()->competitionTeams;
    for (jint i = 0; teams != nullptr && i < std::min(kSlots, teams->length); ++i) {
        if ((*teams)[i] == s()->userTeam) {
            return i;
        }
    }
    return -1;
}

// competitionTeams := the teams of competition k (the rest -1).
void loadCompetitionTeams(const jint k) {
    GameStatics* const b = s();
    runtime::ShortArray* const teams = b->competitionTeams;
    fillTable(teams, static_cast<runtime::jshort>(-1));
    if (k == 1) {
        season::copyLeagueTeams(teams, b->userLeague, false);
        return;
    }
    const jint league = b->userLeague;
    const jint row = k == kCompetitions             ? kContinentalRow
                     : league < kTwoDivisionLeagues ? league / 2
                                                    : league - kSingleDivisionCupOffset;
    const jint count = k == kCompetitions ? kSlots : kCupTeams;
    const runtime::ShortArray* const rows = b->layoutRows;
    if (!core::holds(rows, row * kCupTeams, count) || !core::holds(teams, 0, count)) {
        runtime::log("startNewSeason: the teams of competition %d are missing", k);
        return;
    }
    for (jint i = 0; i < count; ++i) {
        (*teams)[i] = (*rows)[row * kCupTeams + i];
    }
}

// Block k of competitionRecords from the set-up of competition k.
void writeCompetitionBlock(const jint k) {
    GameStatics* const b = s();
    runtime::ByteArray* const blocks = b->competitionRecords;
    const jint base = club::competitionBlock::kBytes * (k - 1);
    if (!core::holds(blocks, base, club::competitionBlock::kBytes) ||
        !core::holds(b->competitionTeams.get(), 0, kSlots)) {
        runtime::log("startNewSeason: competition block %d cannot be written", k);
        return;
    }
    const runtime::ByteArray* const last = b->competitionLastResult;
    (*blocks)[base + club::competitionBlock::kRound] =
        last != nullptr && last->inBounds(k - 1) ? (*last)[k - 1] : runtime::jbyte{0};
    loadCompetitionTeams(k);
    b->userCompetitionSlot = userSlot();
    (*blocks)[base + kBlockUserSlot] = runtime::i2b(b->userCompetitionSlot);
    const jint size = k == 1   ? (b->leagueSizes != nullptr && b->leagueSizes->inBounds(b->userLeague)
                                      ? (*b->leagueSizes)[b->userLeague]
                                      : 0)
                      : k == 2 ? kCupTeams
                               : kSlots;
    (*blocks)[base + kBlockSize] = runtime::i2b(size);
    (*blocks)[base + club::competitionBlock::kSecondLeg] = 0;
    const runtime::ObjectArray* const rows = b->competitionTable;
    for (jint slot = 0; slot < kSlots; ++slot) {
        const auto* const row = rows != nullptr && rows->inBounds(slot)
                                    ? static_cast<runtime::ByteArray*>((*rows)[slot])
                                    : nullptr;
        for (jint i = 0; i < season::standings::kRowBytes; ++i) {
            (*blocks)[base + kBlockRows + slot * season::standings::kRowBytes + i] =
                core::holds(row, 0, season::standings::kRowBytes) ? (*row)[i] : runtime::jbyte{0};
        }
    }
    season::buildRoundPairings(0, false);
    const runtime::ByteArray* const bracket = b->cupBracket;
    for (jint i = 0; i < kSlots; ++i) {
        (*blocks)[base + kBlockBracket + i] =
            bracket != nullptr && bracket->inBounds(i) ? (*bracket)[i] : runtime::jbyte{0};
        const jint team = (*b->competitionTeams)[i];
        (*blocks)[base + kBlockTeams + 2 * i] = runtime::i2b(team >> 8);
        (*blocks)[base + kBlockTeams + 2 * i + 1] = runtime::i2b(team);
    }
    (*blocks)[base + club::competitionBlock::kValueA] = 0;
    for (jint i = 0; i < 2 * kBlockShortCount; ++i) {
        (*blocks)[base + kBlockShorts + i] = runtime::i2b(0xFF);
    }
    (*blocks)[base + kBlockTail] = 0;
}

// Opens every training kind that a hired coach's record offers (a kind once open stays open).
void openCoachedTraining() {
    GameStatics* const b = s();
    runtime::ByteArray* const plan = b->selectionTable;
    const runtime::ByteArray* const coaches = b->setUpRecords;
    if (!core::holds(plan, 0, club::clubPlan::kHiredStaff + kHiredStaff)) {
        runtime::log("startNewSeason: the club plan is missing");
        return;
    }
    for (jint h = 0; h < kHiredStaff; ++h) {
        const jint coach = (*plan)[club::clubPlan::kHiredStaff + h] & 0xFF;
        if (coach == kNoStaff) {
            continue;
        }
        const jint at = coach * club::kCoachRecordBytes + club::kCoachFlagsOffset;
        if (coach >= club::kCoachCount || !core::holds(coaches, at, club::kCoachFlagCount)) {
            runtime::log("startNewSeason: hired coach %d has no record", coach);
            continue;
        }
        // The last training kind has no coach flag: no coach opens it.
        for (jint kind = 0; kind < std::min(kTrainingKinds, club::kCoachFlagCount); ++kind) {
            if ((*plan)[club::clubPlan::kTrainingFlags + kind] != 1 && (*coaches)[at + kind] == 1) {
                (*plan)[club::clubPlan::kTrainingFlags + kind] = 1;
            }
        }
    }
}

jint squadWageTotal(const jint team) {
    jint total = 0;
    for (jint slot = 0; slot < club::kSquadSlots; ++slot) {
        const jint player = club::getTeamPlayerId(team, slot);
        if (player >= 0) {
            total += club::getPlayerField2(player);
        }
    }
    return total;
}

void rankAndExpect() {
    season::rankTeams();
    season::rankTeamsInGroups();
    club::computeCupExpectations();
    core::informationScreenServices().computeAllClubStars();
    club::computeContinentalExpectations();
}

void paintProgress() {
    GameStatics* const b = s();
    if (b->screenCounter < kLastStep) {
        // Without the animation's sprite set up there is nothing to show; the steps still run.
        if (sprites::ASpriteInstance* const animation = b->loadingAnimation) {
            animation->y = kAnimationY;
            animation->paintAt(b->currentGraphics);
            animation->update();
        }
        return;
    }
    core::managementServices().paintMessageText(0);
    if (b->framesInState % kBlinkPeriod < kBlinkOn) {
        runtime::String* const text = core::getText(kWaitText);
        if (text != nullptr) {
            sprites::drawFontLine(text, 0, text->length(), kWaitTextX, kWaitTextY, kWaitTextAnchor, 0, 0);
        }
    }
}

} // namespace

void startNewSeason() {
    GameStatics* const b = s();
    b->seasonOpeningFlag = 1;
    b->matchCounter1 = b->matchCounter2 = b->matchCounter3 = b->matchCounter4 = 0;
    b->matchCounter5 = b->matchCounter6 = b->matchCounter7 = b->matchCounter8 = 0;

    for (jint p = 0; p < b->playerCount; ++p) {
        for (jint at = kSeasonBytesFirst; at <= kSeasonBytesLast; ++at) {
            season::setPlayerRecordByte(p, 0, at, false);
        }
        season::setPlayerRecordByte(p, kFullFitness, kFitnessByte, false);
    }

    clearSeasonTables();

    b->leagueStarted = 0;
    b->monthIndex = 0;
    b->matchDayIndex = 0;
    b->dayStarted = 0;
    b->roundFlagLeague = b->roundFlagContinental = b->roundFlagCup = 0;
    b->earlyCupFlag0 = b->earlyCupFlag1 = b->earlyCupFlag2 = 0;
    b->userInCup = 0;

    season::resetCounters();
    season::clearStandingsRows();
    b->pendingTeam = -1;
    b->eventSearchOff = 0;
    b->gameOverPending = 0;
    b->autoAdvance = 0;
    b->currentRound = core::randomRange(0, 16);
    b->advanceUntilEvent = 0;
    b->monthIndex = 0;
    b->matchDayIndex = 0;

    for (jint k = 1; k <= kCompetitions; ++k) {
        writeCompetitionBlock(k);
    }

    core::seasonScreenServices().loadLeagueData(b->userLeague, 1, 0);
    b->userCompetitionSlot = userSlot();
    b->userClubLevel = b->userCompetitionSlot;

    const runtime::ByteArray* const info = b->teamInfoRecords;
    const jint formationAt = club::teamInfo::formation(b->userTeam);
    b->formationIndex =
        info != nullptr && b->userTeam >= 0 && info->inBounds(formationAt) ? (*info)[formationAt] : 0;
    runtime::ObjectArray* const teams = b->matchTeams;
    if (auto* const team =
            teams != nullptr && teams->length > 0 ? static_cast<match::CTeam*>((*teams)[0]) : nullptr) {
        team->setFormation(b->formationIndex);
    }
    club::buildSelectionTable(b->teamChanged != 0);

    openCoachedTraining();
    loadSquadSettings();

    if (b->teamChanged != 0) {
        b->entry2Forced = 0;
        match::updateTeamRoles(0, true, -1);
        for (const jint page : kTacticsPages) {
            resources::writeTacticsToRecord(page);
        }
    }

    b->userWageTotal = squadWageTotal(b->userTeam);

    if (b->teamChanged != 0) {
        if (club::getTeamField60(b->userTeam) <= b->userWageTotal) {
            // The field holds 16 bits: a squad dearer than that gets the field's top, not a
            // wrapped budget near 0.
            club::setTeamField60(
                b->userTeam,
                std::min(kBudgetFieldMax,
                         b->userWageTotal + core::randomRange(kFloorMarginLow, kFloorMarginHigh)));
        }
        const runtime::IntArray* const texts = b->ticketPriceTexts;
        const jint label =
            texts != nullptr && texts->inBounds(kStartingPriceLevel) ? (*texts)[kStartingPriceLevel] : 0;
        for (jint i = 0; i < kClubSettings; ++i) {
            if (b->ticketPrices != nullptr && b->ticketPrices->inBounds(i)) {
                (*b->ticketPrices)[i] = kStartingPriceLevel;
            }
            if (b->ticketPriceLabels != nullptr && b->ticketPriceLabels->inBounds(i)) {
                (*b->ticketPriceLabels)[i] = label;
            }
        }
    }

    resources::autoSave();
    if (b->selectionTable != nullptr && b->selectionTable->inBounds(club::clubPlan::kSetUpMarker)) {
        (*b->selectionTable)[club::clubPlan::kSetUpMarker] = 0;
    }
    core::informationScreenServices().pickPreseasonOpponents();
}

void processSeasonStep() {
    paintProgress();
    GameStatics* const b = s();
    const jint step = b->screenCounter;
    const bool settled = b->seasonYear >= kSettledFrom;
    switch (step) {
    case 0:
        if (b->pendingTeam != -1) {
            b->teamChanged = 1;
            club::applyTeamChange();
        } else {
            b->previousUserDivision = b->userLeague;
            b->teamChanged = 0;
        }
        season::prepareTeamRanks();
        if (settled) {
            core::informationScreenServices().settleSeasonResults();
            rankAndExpect();
            const runtime::ShortArray* const order = b->leagueTeamOrder;
            for (jint i = 0; order != nullptr && i < order->length; ++i) {
                club::updateWageBudget((*b->leagueTeamOrder)[i]);
            }
        }
        break;
    case 2:
        if (settled) {
            core::informationScreenServices().setupContinentalDraw();
        }
        break;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        club::rateCountryTeams(step - 3);
        if (step == 3 + kTwoDivisionCountries - 1) {
            for (jint country = kTwoDivisionCountries; country < kCountries; ++country) {
                club::rateCountryTeams(country);
            }
        }
        break;
    case 9:
        if (settled) {
            for (jint t = 0; t < kTeams; ++t) {
                club::settleSeasonFinances(t);
            }
        }
        break;
    case 10:
        // The cup draw tables are not rebuilt again: that would write the old league orders back
        // over the promotion swap.
        if (settled) {
            club::applyPromotionRelegation(true);
            rankAndExpect();
        }
        break;
    case kLastStep:
        if (settled) {
            startNewSeason();
        }
        initTeamAttributeTable();
        rankTeamsByRating();
        club::declineVeteranAttributes();
        club::updateSkillFlags();
        season::resetCounters();
        b->menuRepaint = 1;
        break;
    default:
        break;
    }
    b->screenCounter = step + 1;
}

} // namespace game::menus
