// What the club database, the season and the menus use of the information screens and text views
// and the season logic kept with them, built later. The comparison of the squad lists, the skill
// mean and the removal of an inbox message are built (game/season/PlayerComparison.h,
// game/season/SeasonLookups.h); an interim implementation answers the rest until their owners land
// (game/interim/InterimInformationScreenServices.h); tests script doubles with
// runtime::ScopedService. Operations that earlier interfaces declare are called there:
// getPlayerLabel, prepareTeamSide and loadLeagueData (SeasonScreenServices), getTeamLabel and
// resetCareer (InfoScreenServices); the touch tests pointerInRectWithSound and pickOfTwoAreas are
// built (game/screens/info/KeyTouchOperations.h).
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::core {

using runtime::jboolean;
using runtime::jint;

class InformationScreenServices {
public:
    virtual ~InformationScreenServices() = default;

    // Players and the squad lists.
    // True when a sorts after b by column: 0 name (a's >= b's), 1 age (a younger), 2 position
    // order (a's smaller), 3 skill mean (a's lower), 4 market value (a's lower); otherwise false.
    // Counts its calls in compareCount.
    virtual jboolean comparePlayers(jint a, jint b, jint column) = 0;
    // The mean, rounded down, of the two largest of the skills at record bytes 4, 5 and 9.
    virtual jint getPlayerSkillMean(jint player) = 0;
    // Fills the search results from the search form and resets the list cursor (searchPlayers).
    virtual void runPlayerSearch() = 0;
    // Resets the view data of the squad screens.
    virtual void resetSquadView() = 0;

    // Inbox, deals and transfers.
    // Removes message i (0 the oldest) from the ring and closes the gap (removeMessage).
    virtual void deleteMessage(jint i) = 0;
    // The news messages of a season event (postMatchMessages): the type, then ten values (-1
    // for one not given).
    virtual void postSeasonNews(jint type, jint a1, jint a2, jint a3, jint a4, jint a5, jint a6, jint a7,
                                jint a8, jint a9, jint a10) = 0;
    // The player's score of an offer of a wage for years from club (rateContractOffer).
    virtual jint negotiationScore(jint player, jint offer, jint years, jint club, jint currentClub,
                                  jint contractMode, jint flags) = 0;
    // Works out the computer's answer to the bid or contract offer of the message record, writes
    // it into the record and answers the value last written into byte 15 (chooseOfferAnswer).
    virtual jint answerBid(runtime::ByteArray* record) = 0;
    // Moves the player from one club to another (executeTransfer): -1 when the deal is done,
    // otherwise the failing check (0, 1, 2, 3, 6 or 7).
    virtual jint transferPlayer(jint player, jint from, jint to, jint kind, jint fee, jint wage,
                                jint years) = 0;
    // Moves the player into another club's squad without money (movePlayerToTeam): 1 when that
    // squad is full, 2 when its wage room is short, else 0.
    virtual jint movePlayerToClub(jint player, jint from, jint to) = 0;

    // The season.
    // Rebuilds the cup draw tables at the season's end.
    virtual void settleSeasonResults() = 0;
    // The strength stars of every club and the expectations (buildTeamOrder).
    virtual void computeAllClubStars() = 0;
    // The national-cup lists and the continental groups of the season (setUpFixtures).
    virtual void setupContinentalDraw() = 0;
    // Draws the two friendly opponents of the new season's preparation.
    virtual void pickPreseasonOpponents() = 0;
    // The daily development of one player's potential.
    virtual void updatePlayerPotential(jint player) = 0;
    // Books the user's fixture of the day (closeFixture).
    virtual void recordMatchResult() = 0;
    // Plays the day's other matches of the competition shown (simulateDayMatches).
    virtual void playOtherFixtures(jboolean storeResults) = 0;
    // The board's verdict 1..11 on the user's season (rateUserSeason).
    virtual void setSeasonVerdict() = 0;
    // Hands count generated players without a club to the smallest squads (dealGeneratedPlayers,
    // with pendingGeneratedPlayers = count).
    virtual void dealGeneratedPlayers(jint count) = 0;

    // Input helpers.
    // value stepped by the key masks, wrapping modulo count (cycleValue).
    virtual jint cycleValueByKeys(jint keyDown, jint keyUp, jint value, jint count, jboolean markDirty) = 0;
    // value stepped by the key masks, kept within 0..count - 1 (stepValue).
    virtual jint stepValueByKeys(jint keyDown, jint keyUp, jint value, jint count, jboolean markDirty) = 0;
    // The list row under the pointer, or -1 (touchListRow).
    virtual jint listRowAtPointer(jint x, jint y, jint width, jint rowHeight, jint pitch, jint rows,
                                  jint shiftedRow, jint extra, jboolean markDirty) = 0;
    // The list row under the pointer without a shifted row, or -1 (touchListRowSimple).
    virtual jint listRowAtPointerSimple(jint x, jint y, jint width, jint rowHeight, jint pitch, jint rows,
                                        jboolean markDirty) = 0;
    // A released touch on button n of the soft-key bar (softKeyTouched).
    virtual jboolean isActionButtonTouched(jint buttonSet, jint buttonBit) = 0;
    // Which of three buttons is touched: 0, 1, 2 or -1 (popupThreeButtonTouched).
    virtual jint pickOfThreeAreas(jint xA, jint wA, jint xB, jint wB, jint xC, jint wC, jint y, jint h) = 0;

    // Texts.
    // The display text of an amount of money (formatAmount).
    virtual runtime::String* formatMoney(jint amount) = 0;

    // Screens.
    virtual void updateUpgradeScreen() = 0;             // state 524 (updateStaffScreen4)
    virtual jint paintPlayerDetailScreen() = 0;         // state 523 (paintStaffCandidates)
    virtual jboolean updateResetDialog() = 0;           // training leave question (trainingSaveHandler)
    virtual void updateTransferBidScreen() = 0;         // states 1048583, 1048588 (updateClubOfferScreen)
    virtual void updateContractOfferScreen() = 0;       // 1048584, 1048589, 0x20002 (updateOfferScreen)
    virtual void updateCounterOfferScreen() = 0;        // state 1048590 (updateOfferReplyScreen)
    virtual jint updatePlayerSearchList(jint mode) = 0; // states 1027, 1029, 1038 (paintStaffList)
    virtual void updateInboxScreen(jint mode) = 0;      // the inbox of state 133 (paintInfoScreen)
    virtual void paintFinancePage(jint mode, jint section, jint flag) = 0;
    virtual jboolean updateUpgradeSection() = 0; // state 8199; 0 when it ends (updateClubSettings)
    virtual void paintFixtureCalendar(jint selected, jint upcomingOnly, jint month) = 0;
    virtual void updateCompetitionBrowser() = 0; // league screens header (paintCompetitionHeader)
    virtual void paintStandingsTable(jint kind, jint showRows, jint blink, jint shift) = 0; // paintCupBracket
    virtual void loadStatsPage(jint kind, jint page) = 0;
    virtual void paintRoundResults(jint kind, jint shift) = 0; // paintMatchReport
    virtual void paintSeasonReviewPage() = 0;                  // state 136 (paintAdvanceScreen)
    virtual void updateCompetitionTableScreen() = 0;           // state 137 (paintResultsPage)
    virtual void paintClubProfilePage() = 0;                   // state 4097 (paintTextPages)
    virtual void paintClubInfoPage() = 0;                      // state 4100 (paintTwoPageText)
};

InformationScreenServices& informationScreenServices();
// Installs service (null restores the default); returns the previous one.
InformationScreenServices* installInformationScreenServices(InformationScreenServices* service);

} // namespace game::core
