// The interim information screens (see InterimInformationScreenServices.h).
#include "game/interim/InterimInformationScreenServices.h"

#include "game/interim/InterimLog.h"
#include "game/season/PlayerComparison.h"
#include "game/season/SeasonLookups.h"
#include "runtime/String.h"

namespace game::interim {

namespace {
// The answers of the neutral operations.
constexpr jint kNoScore = 0;
constexpr jint kFirstCheckFailed = 0;
constexpr jint kSquadFull = 1;
constexpr jint kNoRow = -1;
constexpr jint kNoButton = -1;
constexpr jint kNoChoosableRow = 0;
} // namespace

jboolean InterimInformationScreenServices::comparePlayers(const jint a, const jint b, const jint column) {
    return season::comparePlayers(a, b, column);
}

jint InterimInformationScreenServices::getPlayerSkillMean(const jint player) {
    return season::getPlayerSkillMean(player);
}

void InterimInformationScreenServices::deleteMessage(const jint i) {
    season::deleteMessage(i);
}

void InterimInformationScreenServices::runPlayerSearch() {
    logFirstCall("runPlayerSearch");
}

void InterimInformationScreenServices::resetSquadView() {
    logFirstCall("resetSquadView");
}

void InterimInformationScreenServices::postSeasonNews(jint, jint, jint, jint, jint, jint, jint, jint, jint,
                                                      jint, jint) {
    logFirstCall("postSeasonNews");
}

jint InterimInformationScreenServices::negotiationScore(jint, jint, jint, jint, jint, jint, jint) {
    logFirstCall("negotiationScore");
    return kNoScore;
}

jint InterimInformationScreenServices::answerBid(runtime::ByteArray*) {
    logFirstCall("answerBid");
    return kNoScore;
}

jint InterimInformationScreenServices::transferPlayer(jint, jint, jint, jint, jint, jint, jint) {
    logFirstCall("transferPlayer");
    return kFirstCheckFailed;
}

jint InterimInformationScreenServices::movePlayerToClub(jint, jint, jint) {
    logFirstCall("movePlayerToClub");
    return kSquadFull;
}

void InterimInformationScreenServices::settleSeasonResults() {
    logFirstCall("settleSeasonResults");
}

void InterimInformationScreenServices::computeAllClubStars() {
    logFirstCall("computeAllClubStars");
}

void InterimInformationScreenServices::setupContinentalDraw() {
    logFirstCall("setupContinentalDraw");
}

void InterimInformationScreenServices::pickPreseasonOpponents() {
    logFirstCall("pickPreseasonOpponents");
}

void InterimInformationScreenServices::updatePlayerPotential(jint) {
    logFirstCall("updatePlayerPotential");
}

void InterimInformationScreenServices::recordMatchResult() {
    logFirstCall("recordMatchResult");
}

void InterimInformationScreenServices::playOtherFixtures(jboolean) {
    logFirstCall("playOtherFixtures");
}

void InterimInformationScreenServices::setSeasonVerdict() {
    logFirstCall("setSeasonVerdict");
}

void InterimInformationScreenServices::dealGeneratedPlayers(jint) {
    logFirstCall("dealGeneratedPlayers");
}

jint InterimInformationScreenServices::cycleValueByKeys(jint, jint, const jint value, jint, jboolean) {
    logFirstCall("cycleValueByKeys");
    return value;
}

jint InterimInformationScreenServices::stepValueByKeys(jint, jint, const jint value, jint, jboolean) {
    logFirstCall("stepValueByKeys");
    return value;
}

jint InterimInformationScreenServices::listRowAtPointer(jint, jint, jint, jint, jint, jint, jint, jint,
                                                        jboolean) {
    logFirstCall("listRowAtPointer");
    return kNoRow;
}

jint InterimInformationScreenServices::listRowAtPointerSimple(jint, jint, jint, jint, jint, jint, jboolean) {
    logFirstCall("listRowAtPointerSimple");
    return kNoRow;
}

jboolean InterimInformationScreenServices::isActionButtonTouched(jint, jint) {
    logFirstCall("isActionButtonTouched");
    return 0;
}

jint InterimInformationScreenServices::pickOfThreeAreas(jint, jint, jint, jint, jint, jint, jint, jint) {
    logFirstCall("pickOfThreeAreas");
    return kNoButton;
}

runtime::String* InterimInformationScreenServices::formatMoney(const jint amount) {
    logFirstCall("formatMoney");
    return runtime::String::valueOfInt(amount);
}

void InterimInformationScreenServices::updateUpgradeScreen() {
    logFirstCall("updateUpgradeScreen");
}

jint InterimInformationScreenServices::paintPlayerDetailScreen() {
    logFirstCall("paintPlayerDetailScreen");
    return kNoChoosableRow;
}

jboolean InterimInformationScreenServices::updateResetDialog() {
    logFirstCall("updateResetDialog");
    return 0;
}

void InterimInformationScreenServices::updateTransferBidScreen() {
    logFirstCall("updateTransferBidScreen");
}

void InterimInformationScreenServices::updateContractOfferScreen() {
    logFirstCall("updateContractOfferScreen");
}

void InterimInformationScreenServices::updateCounterOfferScreen() {
    logFirstCall("updateCounterOfferScreen");
}

jint InterimInformationScreenServices::updatePlayerSearchList(jint) {
    logFirstCall("updatePlayerSearchList");
    return kNoChoosableRow;
}

void InterimInformationScreenServices::updateInboxScreen(jint) {
    logFirstCall("updateInboxScreen");
}

void InterimInformationScreenServices::paintFinancePage(jint, jint, jint) {
    logFirstCall("paintFinancePage");
}

jboolean InterimInformationScreenServices::updateUpgradeSection() {
    logFirstCall("updateUpgradeSection");
    return 0;
}

void InterimInformationScreenServices::paintFixtureCalendar(jint, jint, jint) {
    logFirstCall("paintFixtureCalendar");
}

void InterimInformationScreenServices::updateCompetitionBrowser() {
    logFirstCall("updateCompetitionBrowser");
}

void InterimInformationScreenServices::paintStandingsTable(jint, jint, jint, jint) {
    logFirstCall("paintStandingsTable");
}

void InterimInformationScreenServices::loadStatsPage(jint, jint) {
    logFirstCall("loadStatsPage");
}

void InterimInformationScreenServices::paintRoundResults(jint, jint) {
    logFirstCall("paintRoundResults");
}

void InterimInformationScreenServices::paintSeasonReviewPage() {
    logFirstCall("paintSeasonReviewPage");
}

void InterimInformationScreenServices::updateCompetitionTableScreen() {
    logFirstCall("updateCompetitionTableScreen");
}

void InterimInformationScreenServices::paintClubProfilePage() {
    logFirstCall("paintClubProfilePage");
}

void InterimInformationScreenServices::paintClubInfoPage() {
    logFirstCall("paintClubInfoPage");
}

} // namespace game::interim
