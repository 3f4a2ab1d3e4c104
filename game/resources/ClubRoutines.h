// The club database and season side of the interface the framework and the season code call, the
// default of its slot: every operation answers with the club database's own routine or the saved
// game's. Test doubles derive from it and replace what they script.
#pragma once

#include "game/core/services/ClubServices.h"

namespace game::resources {

class ClubRoutines : public core::ClubServices {
public:
    void postInboxMessage(runtime::jint type, runtime::jint p1, runtime::jint p2, runtime::jint p3,
                          runtime::jint p4, runtime::jint p5, runtime::jint p6, runtime::jint p7,
                          runtime::jint p8, runtime::jint p9, runtime::jint p10, runtime::jint p11,
                          runtime::jint p12) override;
    void refreshInboxScreen() override;
    void upsertKeyedMessage(runtime::ByteArray* record) override;
    void fillCupRoundFixtures(runtime::jint round, runtime::ShortArray* list, runtime::jint row,
                              runtime::jboolean flag) override;
    void saveOrLoadGameRecord(runtime::jboolean save) override;
    void unpackGameRecord() override;
    runtime::jint getPlayerAge(runtime::jint player) override;
    runtime::jint getTeamWageRoom(runtime::jint team) override;
    runtime::jint getTeamStrength(runtime::jint team, runtime::jboolean startersOnly) override;
};

} // namespace game::resources
