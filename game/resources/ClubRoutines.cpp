// The club database and season services (see ClubRoutines.h) and the interface's slot.
#include "game/resources/ClubRoutines.h"

#include "game/club/ClubRecords.h"
#include "game/club/CupRoundFixtures.h"
#include "game/club/InboxMessages.h"
#include "game/resources/SavedGame.h"
#include "game/season/SaveRecord.h"
#include "runtime/Service.h"

namespace game::resources {

using runtime::jboolean;
using runtime::jint;

void ClubRoutines::postInboxMessage(const jint type, const jint p1, const jint p2, const jint p3,
                                    const jint p4, const jint p5, const jint p6, const jint p7, const jint p8,
                                    const jint p9, const jint p10, const jint p11, const jint p12) {
    club::postInboxMessage(type, p1, p2, p3, p4, p5, p6, p7, p8, p9, p10, p11, p12);
}

void ClubRoutines::refreshInboxScreen() {
    club::refreshInboxScreen();
}

void ClubRoutines::upsertKeyedMessage(runtime::ByteArray* const record) {
    club::upsertKeyedMessage(record);
}

void ClubRoutines::fillCupRoundFixtures(const jint round, runtime::ShortArray* const list, const jint row,
                                        const jboolean flag) {
    club::fillCupRoundFixtures(round, list, row, flag);
}

void ClubRoutines::saveOrLoadGameRecord(const jboolean save) {
    resources::saveOrLoadGameRecord(save);
}

void ClubRoutines::unpackGameRecord() {
    season::unpackSaveRecord();
}

jint ClubRoutines::getPlayerAge(const jint player) {
    return club::getPlayerAge(player);
}

jint ClubRoutines::getTeamWageRoom(const jint team) {
    return club::getTeamWageRoom(team);
}

jint ClubRoutines::getTeamStrength(const jint team, const jboolean startersOnly) {
    return club::getTeamStrength(team, startersOnly);
}

} // namespace game::resources

namespace game::core {

ClubServices& clubServices() {
    return runtime::serviceSlot<ClubServices, resources::ClubRoutines>().get();
}

ClubServices* installClubServices(ClubServices* const service) {
    return runtime::serviceSlot<ClubServices, resources::ClubRoutines>().install(service);
}

} // namespace game::core
