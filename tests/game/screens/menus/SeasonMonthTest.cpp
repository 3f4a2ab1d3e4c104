// A month of season work on the sample database: the day's routines in the day advance's order
// (training and the computer players' development, the players' condition, the calendar, the
// transfer window's work and the scouts, the inbox's deals) with scripted deal answers on a pinned
// seed; 30 match days leave the same records, inbox and club plan on a second run.
#include <gtest/gtest.h>

#include <cstdint>

#include "game/club/CalendarAdvance.h"
#include "game/club/ComputerTransfers.h"
#include "game/club/DailyMessages.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/PlayerCondition.h"
#include "game/club/Scouting.h"
#include "game/core/GameStatics.h"
#include "game/resources/DatabaseTables.h"
#include "game/resources/SavedGame.h"
#include "game/screens/menus/ComputerDevelopment.h"
#include "game/season/LeagueTables.h"
#include "game/season/SeasonLookups.h"
#include "runtime/Random.h"
#include "tests/game/resources/DatabaseFixture.h"
#include "tests/game/support/ScriptedInformationScreens.h"

namespace game::sprites::testing {
namespace {

using runtime::jint;

class SeasonMonthTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        resources::loadDatabaseTables();
        ASSERT_EQ(application.pendingException, nullptr);
        resources::saveOrLoadGame(0);
        ASSERT_EQ(application.pendingException, nullptr);
        GameStatics* const s = statics();
        // Bytes a message type leaves unwritten come from its pool record: all 0xFF.
        runtime::ObjectArray* const pool = s->inboxPool;
        for (jint i = 0; i < pool->length; ++i) {
            auto* record = static_cast<runtime::ByteArray*>((*pool)[i]);
            for (jint k = 0; k < record->length; ++k) {
                (*record)[k] = -1;
            }
        }
        s->userTeam = 5;
        s->userLeague = season::leagueOfTeam(5);
        s->pendingTeam = -1;
        s->monthIndex = 0;
        s->matchDayIndex = 0;
        s->seasonYear = 2009;
        s->gameRandom = runtime::newObject<runtime::java_util_Random>(20090815);
        // The user's squad trains (kinds 0..8 in turn, one focus each); scout 0 searches.
        runtime::ByteArray* const plan = s->selectionTable;
        for (jint k = 0; k < 30; ++k) {
            const jint p = club::getTeamPlayerId(5, k);
            (*plan)[108 + 16 * k] = runtime::i2b(p >> 8);
            (*plan)[108 + 16 * k + 1] = runtime::i2b(p);
            (*plan)[108 + 16 * k + 15] = runtime::i2b(k % 9);
            (*plan)[18 + 3 * k] = runtime::i2b(k % 11);
            (*plan)[19 + 3 * k] = 20;
            (*plan)[20 + 3 * k] = 20;
        }
        const jint search[6] = {0, 0, 5, 0, 0, 40};
        for (jint b = 0; b < 6; ++b) {
            (*plan)[592 + b] = runtime::i2b(search[b]);
            (*plan)[598 + b] = -1;
        }
        screens.score = 52;
        screens.transferAnswer = 2;
    }
    // One day in the day advance's order.
    void runDay(const bool firstDay) {
        GameStatics* const s = statics();
        if (!firstDay) {
            club::trainSquad(s->matchDayIndex);
            menus::developComputerPlayers(s->matchDayIndex);
            club::updateDailyCondition();
        }
        club::advanceMatchDay();
        const jint month = s->monthIndex;
        if (month == 0 || month == 1 || month == 6) {
            club::processTransfers();
        }
        if (!(month == 11 && s->matchDayIndex == 3)) {
            club::processScouting();
        }
        club::processPendingMessages();
    }
    static std::uint64_t hashBytes(std::uint64_t h, const runtime::ByteArray* const bytes) {
        for (jint i = 0; bytes != nullptr && i < bytes->length; ++i) {
            h = (h ^ static_cast<std::uint8_t>((*bytes)[i])) * 1099511628211ULL;
        }
        return h;
    }
    std::uint64_t stateHash() const {
        GameStatics* const s = statics();
        std::uint64_t h = 14695981039346656037ULL;
        h = hashBytes(h, s->playerRecords);
        h = hashBytes(h, s->teamRecords);
        h = hashBytes(h, s->selectionTable);
        for (jint i = 0; i < season::ringMessageCount(); ++i) {
            h = hashBytes(h, season::messageAt(i));
        }
        return h;
    }
    std::uint64_t runMonth() {
        for (jint day = 0; day < 30; ++day) {
            runDay(day == 0);
            EXPECT_EQ(application.pendingException, nullptr) << "day " << day;
        }
        return stateHash();
    }

    game::testing::ScriptedInformationScreens screens;
};

TEST_F(SeasonMonthTest, ThirtyMatchDaysGiveTheSameStateOnASecondRun) {
    const std::uint64_t before = stateHash();
    const std::uint64_t first = runMonth();
    EXPECT_NE(first, before);
    EXPECT_EQ(statics()->monthIndex, 3);
    EXPECT_GT(season::ringMessageCount(), 0);
    jint listed = 0;
    for (jint p = 0; p < statics()->playerCount; ++p) {
        listed += ((*statics()->playerRecords)[37 * p + 31] & 3) != 0 ? 1 : 0;
    }
    EXPECT_GT(listed, 0) << "the transfer window listed players";
    // A fresh game: the runtime, the database and the statics made again.
    TearDown();
    SetUp();
    EXPECT_EQ(stateHash(), before);
    EXPECT_EQ(runMonth(), first);
}

} // namespace
} // namespace game::sprites::testing
