// Stand-in for the club database and season services until they are built. Every operation
// does the least its call asks: no effect, or a neutral answer named as such.
#pragma once

#include "game/framework/ClubServices.h"

namespace game::interim {

class InterimClubServices : public framework::ClubServices {
public:
    // No effect: no message is posted.
    void postInboxMessage(framework::jint type, framework::jint p1, framework::jint p2, framework::jint p3,
                          framework::jint p4, framework::jint p5, framework::jint p6, framework::jint p7,
                          framework::jint p8, framework::jint p9, framework::jint p10, framework::jint p11,
                          framework::jint p12) override;
    // No effect: the inbox list keeps what it holds.
    void refreshInboxScreen() override;
    // No effect: the keyed list is not changed.
    void upsertKeyedMessage(runtime::ByteArray* record) override;
    // No effect: viewTeams keeps what it holds.
    void fillCupRoundFixtures(framework::jint round, runtime::ShortArray* list, framework::jint row,
                              framework::jboolean flag) override;
    // No effect: nothing is saved or loaded.
    void saveOrLoadGameRecord(framework::jboolean save) override;
    // No effect: the statics are not changed.
    void unpackGameRecord() override;
    // Neutral: 0.
    framework::jint getPlayerAge(framework::jint player) override;
    // Neutral: 0 (no room).
    framework::jint getTeamWageRoom(framework::jint team) override;
    // Neutral: 0.
    framework::jint getTeamStrength(framework::jint team, framework::jboolean startersOnly) override;

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
