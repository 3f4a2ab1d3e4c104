// Stand-in for the information screens and the season logic kept with them, until they are built.
// The comparison, the skill mean and the message removal are built and answered by their routines;
// every other operation does the least its call asks: no effect, or a neutral answer named as such.
#pragma once

#include "game/core/services/InformationScreenServices.h"

namespace game::interim {

using runtime::jboolean;
using runtime::jint;

class InterimInformationScreenServices : public core::InformationScreenServices {
public:
    // Built: game/season/PlayerComparison.h and game/season/SeasonLookups.h.
    jboolean comparePlayers(jint a, jint b, jint column) override;
    jint getPlayerSkillMean(jint player) override;
    void deleteMessage(jint i) override;

    // No effect: the search results and the squad view keep what they hold.
    void runPlayerSearch() override;
    void resetSquadView() override;
    // No effect: no news is posted.
    void postSeasonNews(jint type, jint a1, jint a2, jint a3, jint a4, jint a5, jint a6, jint a7, jint a8,
                        jint a9, jint a10) override;
    // Neutral: 0, the lowest score (the offer is refused).
    jint negotiationScore(jint player, jint offer, jint years, jint club, jint currentClub, jint contractMode,
                          jint flags) override;
    // Neutral: nothing is written; 0.
    jint answerBid(runtime::ByteArray* record) override;
    // Neutral: the deal fails its first check (0) and nothing changes.
    jint transferPlayer(jint player, jint from, jint to, jint kind, jint fee, jint wage, jint years) override;
    // Neutral: 1, the answer that changes nothing (the target squad counts as full).
    jint movePlayerToClub(jint player, jint from, jint to) override;
    // No effect: the season tables keep what they hold.
    void settleSeasonResults() override;
    void computeAllClubStars() override;
    void setupContinentalDraw() override;
    void pickPreseasonOpponents() override;
    void updatePlayerPotential(jint player) override;
    void recordMatchResult() override;
    void playOtherFixtures(jboolean storeResults) override;
    void setSeasonVerdict() override;
    void dealGeneratedPlayers(jint count) override;
    // Neutral: value unchanged; no row (-1); no button (false, -1).
    jint cycleValueByKeys(jint keyDown, jint keyUp, jint value, jint count, jboolean markDirty) override;
    jint stepValueByKeys(jint keyDown, jint keyUp, jint value, jint count, jboolean markDirty) override;
    jint listRowAtPointer(jint x, jint y, jint width, jint rowHeight, jint pitch, jint rows, jint shiftedRow,
                          jint extra, jboolean markDirty) override;
    jint listRowAtPointerSimple(jint x, jint y, jint width, jint rowHeight, jint pitch, jint rows,
                                jboolean markDirty) override;
    jboolean isActionButtonTouched(jint buttonSet, jint buttonBit) override;
    jint pickOfThreeAreas(jint xA, jint wA, jint xB, jint wB, jint xC, jint wC, jint y, jint h) override;
    // The amount in plain decimal digits.
    runtime::String* formatMoney(jint amount) override;
    // Screens: paint nothing and take no input; the list answers no choosable row (0), the reset
    // question does not take the frame (false), the upgrade section ends at once (0).
    void updateUpgradeScreen() override;
    jint paintPlayerDetailScreen() override;
    jboolean updateResetDialog() override;
    void updateTransferBidScreen() override;
    void updateContractOfferScreen() override;
    void updateCounterOfferScreen() override;
    jint updatePlayerSearchList(jint mode) override;
    void updateInboxScreen(jint mode) override;
    void paintFinancePage(jint mode, jint section, jint flag) override;
    jboolean updateUpgradeSection() override;
    void paintFixtureCalendar(jint selected, jint upcomingOnly, jint month) override;
    void updateCompetitionBrowser() override;
    void paintStandingsTable(jint kind, jint showRows, jint blink, jint shift) override;
    void loadStatsPage(jint kind, jint page) override;
    void paintRoundResults(jint kind, jint shift) override;
    void paintSeasonReviewPage() override;
    void updateCompetitionTableScreen() override;
    void paintClubProfilePage() override;
    void paintClubInfoPage() override;
};

} // namespace game::interim
