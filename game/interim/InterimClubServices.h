// Stand-in for the club database and season services until they are built. Every operation
// does the least its call asks: no effect, or a neutral answer named as such.
#pragma once

#include "game/core/services/ClubServices.h"

namespace game::interim {

class InterimClubServices : public core::ClubServices {
public:
    // No effect: no message is posted.
    void postInboxMessage(runtime::jint type, runtime::jint p1, runtime::jint p2, runtime::jint p3,
                          runtime::jint p4, runtime::jint p5, runtime::jint p6, runtime::jint p7,
                          runtime::jint p8, runtime::jint p9, runtime::jint p10, runtime::jint p11,
                          runtime::jint p12) override;
    // No effect: the inbox list keeps what it holds.
    void refreshInboxScreen() override;
    // No effect: the keyed list is not changed.
    void upsertKeyedMessage(runtime::ByteArray* record) override;
    // No effect: viewTeams keeps what it holds.
    void fillCupRoundFixtures(runtime::jint round, runtime::ShortArray* list, runtime::jint row,
                              runtime::jboolean flag) override;
    // No effect: nothing is saved or loaded.
    void saveOrLoadGameRecord(runtime::jboolean save) override;
    // No effect: the statics are not changed.
    void unpackGameRecord() override;
    // Neutral: 0.
    runtime::jint getPlayerAge(runtime::jint player) override;
    // Neutral: 0 (no room).
    runtime::jint getTeamWageRoom(runtime::jint team) override;
    // Neutral: 0.
    runtime::jint getTeamStrength(runtime::jint team, runtime::jboolean startersOnly) override;

private:
    bool postLogged = false;
    bool inboxLogged = false;
    bool upsertLogged = false;
    bool bracketLogged = false;
    bool saveLogged = false;
    bool unpackLogged = false;
    bool ageLogged = false;
    bool wageRoomLogged = false;
    bool strengthLogged = false;
};

} // namespace game::interim
