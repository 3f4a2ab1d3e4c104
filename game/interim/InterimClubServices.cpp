// The interim club database and season services (see InterimClubServices.h).
#include "game/interim/InterimClubServices.h"

#include "game/interim/InterimLog.h"

namespace game::interim {

using runtime::jboolean;
using runtime::jint;

namespace {
// The answer of every interim query: nothing found, no value.
constexpr jint kNeutralValue = 0;
constexpr jboolean kNeutralAnswer = 0;
} // namespace

void InterimClubServices::postInboxMessage(jint /*type*/, jint /*p1*/, jint /*p2*/, jint /*p3*/, jint /*p4*/,
                                           jint /*p5*/, jint /*p6*/, jint /*p7*/, jint /*p8*/, jint /*p9*/,
                                           jint /*p10*/, jint /*p11*/, jint /*p12*/) {
    logFirstCall(postLogged, "postInboxMessage");
}

void InterimClubServices::refreshInboxScreen() {
    logFirstCall(inboxLogged, "refreshInboxScreen");
}

void InterimClubServices::upsertKeyedMessage(runtime::ByteArray* /*record*/) {
    logFirstCall(upsertLogged, "upsertKeyedMessage");
}

void InterimClubServices::fillCupRoundFixtures(jint /*round*/, runtime::ShortArray* /*list*/, jint /*row*/,
                                               jboolean /*flag*/) {
    logFirstCall(bracketLogged, "fillCupRoundFixtures");
}

void InterimClubServices::saveOrLoadGameRecord(jboolean /*save*/) {
    logFirstCall(saveLogged, "saveOrLoadGameRecord");
}

void InterimClubServices::unpackGameRecord() {
    logFirstCall(unpackLogged, "unpackGameRecord");
}

jint InterimClubServices::getPlayerAge(jint /*player*/) {
    logFirstCall(ageLogged, "getPlayerAge");
    return kNeutralValue;
}

jint InterimClubServices::getTeamWageRoom(jint /*team*/) {
    logFirstCall(wageRoomLogged, "getTeamWageRoom");
    return kNeutralValue;
}

jint InterimClubServices::getTeamStrength(jint /*team*/, jboolean /*startersOnly*/) {
    logFirstCall(strengthLogged, "getTeamStrength");
    return kNeutralValue;
}

} // namespace game::interim
