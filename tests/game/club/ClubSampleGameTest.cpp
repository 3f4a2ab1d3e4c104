// The club database on the generated sample data, in the game booted under the headless host with
// the club's services as the program uses them: every team and player answers within range after
// the first run's data sets are made, and posted messages go through the inbox store and come back
// into the ring in order, with no stand-in line for what the club database now does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/club/ClubRecords.h"
#include "game/core/GameStatics.h"
#include "game/core/TopStates.h"
#include "game/core/services/ClubDatabaseServices.h"
#include "game/core/services/ClubServices.h"
#include "game/resources/DataSets.h"
#include "game/resources/DatabaseTables.h"
#include "game/season/SeasonLookups.h"
#include "tests/game/support/SampleGameHarness.h"
#include "tests/runtime/LogCapture.h"

namespace game::club {
namespace {

using runtime::jint;

class ClubSampleGameTest : public testing::SampleGameHarness {};

std::vector<std::vector<int>> ringBytes() {
    std::vector<std::vector<int>> out;
    for (jint i = 0; i < statics()->inboxCount; ++i) {
        const runtime::ByteArray* record = season::messageAt(i);
        std::vector<int> bytes;
        for (jint k = 0; k < record->length; ++k) {
            bytes.push_back((*record)[k]);
        }
        out.push_back(bytes);
    }
    return out;
}

TEST_F(ClubSampleGameTest, EveryTeamAndPlayerAnswersAndTheInboxSurvivesItsStore) {
    while (statics()->topState != core::kTopStateQuestion && harness.framesRun() < 60) {
        harness.runFrames(1);
    }
    ASSERT_EQ(statics()->topState, core::kTopStateQuestion) << "the loading ended";
    GameStatics* const s = statics();
    runtime::LogCapture log;
    // The database and the first run's data sets, as the game's loading makes them.
    resources::loadDatabaseTables();
    resources::createRecordStores();
    resources::persistTeamRecords(0);
    resources::persistPlayerRecords(0);
    ASSERT_EQ(s->teamCount, 260);
    ASSERT_NE(s->playerRecords.get(), nullptr);
    for (jint team = 0; team < s->teamCount; ++team) {
        const jint strength = core::clubServices().getTeamStrength(team, 0);
        EXPECT_GT(strength, 0) << team;
        EXPECT_LE(strength, 127) << team;
        EXPECT_GE(core::clubServices().getTeamStrength(team, 1), 0) << team;
        EXPECT_LE(core::clubServices().getTeamWageRoom(team), getTeamField60(team)) << team;
    }
    for (jint player = 0; player < s->playerCount; ++player) {
        const jint age = core::clubDatabaseServices().getPlayerAge(player);
        EXPECT_GE(age, 14) << player;
        EXPECT_LE(age, 45) << player;
        EXPECT_EQ(core::clubServices().getPlayerAge(player), age);
    }

    // Messages posted through the framework's interface, saved, and read back into an empty ring.
    s->userTeam = 3;
    for (jint i = 0; i < 5; ++i) {
        core::clubServices().postInboxMessage(40 + i, i, 3, 100 + i, -1, -1, i * 300, -1, -1, 5000, -1, -1,
                                              -1);
    }
    core::clubServices().postInboxMessage(13, 1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const auto posted = ringBytes();
    ASSERT_EQ(posted.size(), 6U);
    resources::persistInbox(1);
    s->inboxCount = 0;
    s->inboxStart = 42;
    s->inboxWrite = 42;
    resources::persistInbox(0);
    EXPECT_EQ(s->inboxStart, 0);
    EXPECT_EQ(ringBytes(), posted);
    // The screens' entry reads see them.
    EXPECT_EQ(season::hasUnreadListedMessage(), 1);
    EXPECT_EQ((*s->unreadListedMessage)[0], 13);
    for (const char* built :
         {"postInboxMessage", "storeRecentRecord", "getPlayerAge", "getTeamWageRoom", "getTeamStrength"}) {
        for (const std::string& line : log.lines) {
            EXPECT_EQ(line.find(std::string("interim: ") + built), std::string::npos) << line;
        }
    }
}

} // namespace
} // namespace game::club
