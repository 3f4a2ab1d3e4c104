// Stand-in for the club database and season services until they are built. The messages, the
// player and team reads and the saved game are built (game/club/InboxMessages.h,
// game/club/ClubRecords.h, game/resources/SavedGame.h) and forwarded; every other operation does
// the least its call asks: no effect, or a neutral answer named as such.
#pragma once

#include "game/core/services/ClubServices.h"

namespace game::interim {

class InterimClubServices : public core::ClubServices {
public:
    // Built: the club database's routines.
    void postInboxMessage(runtime::jint type, runtime::jint p1, runtime::jint p2, runtime::jint p3,
                          runtime::jint p4, runtime::jint p5, runtime::jint p6, runtime::jint p7,
                          runtime::jint p8, runtime::jint p9, runtime::jint p10, runtime::jint p11,
                          runtime::jint p12) override;
    void refreshInboxScreen() override;
    void upsertKeyedMessage(runtime::ByteArray* record) override;
    // No effect: viewTeams keeps what it holds.
    void fillCupRoundFixtures(runtime::jint round, runtime::ShortArray* list, runtime::jint row,
                              runtime::jboolean flag) override;
    // Built: the saved game's main store and the record's unpacking.
    void saveOrLoadGameRecord(runtime::jboolean save) override;
    void unpackGameRecord() override;
    // Built: the club database's routines.
    runtime::jint getPlayerAge(runtime::jint player) override;
    runtime::jint getTeamWageRoom(runtime::jint team) override;
    runtime::jint getTeamStrength(runtime::jint team, runtime::jboolean startersOnly) override;

private:
    bool bracketLogged = false;
};

} // namespace game::interim
