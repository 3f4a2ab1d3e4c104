// The interim club database and season services (see InterimClubServices.h): the built operations
// forward to the club database and the saved game.
#include "game/interim/InterimClubServices.h"

#include "game/club/ClubRecords.h"
#include "game/club/InboxMessages.h"
#include "game/interim/InterimLog.h"
#include "game/resources/SavedGame.h"
#include "game/season/SaveRecord.h"

namespace game::interim {

using runtime::jboolean;
using runtime::jint;

void InterimClubServices::postInboxMessage(const jint type, const jint p1, const jint p2, const jint p3,
                                           const jint p4, const jint p5, const jint p6, const jint p7,
                                           const jint p8, const jint p9, const jint p10, const jint p11,
                                           const jint p12) {
    club::postInboxMessage(type, p1, p2, p3, p4, p5, p6, p7, p8, p9, p10, p11, p12);
}

void InterimClubServices::refreshInboxScreen() {
    club::refreshInboxScreen();
}

void InterimClubServices::upsertKeyedMessage(runtime::ByteArray* const record) {
    club::upsertKeyedMessage(record);
}

void InterimClubServices::fillCupRoundFixtures(jint /*round*/, runtime::ShortArray* /*list*/, jint /*row*/,
                                               jboolean /*flag*/) {
    logFirstCall(bracketLogged, "fillCupRoundFixtures");
}

void InterimClubServices::saveOrLoadGameRecord(const jboolean save) {
    resources::saveOrLoadGameRecord(save);
}

void InterimClubServices::unpackGameRecord() {
    season::unpackSaveRecord();
}

jint InterimClubServices::getPlayerAge(const jint player) {
    return club::getPlayerAge(player);
}

jint InterimClubServices::getTeamWageRoom(const jint team) {
    return club::getTeamWageRoom(team);
}

jint InterimClubServices::getTeamStrength(const jint team, const jboolean startersOnly) {
    return club::getTeamStrength(team, startersOnly);
}

} // namespace game::interim
