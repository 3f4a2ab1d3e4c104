// The club database behind the interfaces the earlier layers call: the defaults answer with the
// club database's own routines, the information screens' interface answers its built operations and
// stands in for the rest, and the interim list no longer names what is built.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "game/core/services/ClubDatabaseServices.h"
#include "game/core/services/ClubServices.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/season/PlayerComparison.h"
#include "tests/game/club/ClubFixture.h"

namespace game::club {
namespace {

class ClubServicesTest : public testing::ClubFixture {};

TEST_F(ClubServicesTest, TheDefaultsAnswerWithTheClubDatabase) {
    makeDatabase(2, 30, 30);
    GameStatics* const s = statics();
    s->seasonYear = 2010;
    setPlayerByte(5, 16, -1);
    setBirthWord(5, (20 << 9) | (1 << 5) | 1);
    EXPECT_EQ(core::clubServices().getPlayerAge(5), 30);
    EXPECT_EQ(core::clubDatabaseServices().getPlayerAge(5), 30);
    setBudget(1, 40000);
    EXPECT_EQ(core::clubServices().getTeamWageRoom(1), 40000);
    addToSquad(1, 5);
    for (jint k = 0; k < 8; ++k) {
        setPlayerByte(5, 4 + k, 64);
    }
    setPlayerByte(5, 15, 99);
    EXPECT_EQ(core::clubServices().getTeamStrength(1, 1), 8);

    const jint before = s->inboxCount;
    core::clubServices().postInboxMessage(40, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    EXPECT_EQ(s->inboxCount, before + 1);
    auto* record = runtime::newByteArray(27);
    (*record)[0] = 41;
    core::clubDatabaseServices().storeRecentRecord(record);
    EXPECT_EQ(s->inboxCount, before + 2);

    // The built information-screen operations answer; the others stand in.
    core::InformationScreenServices& screens = core::informationScreenServices();
    setPlayerByte(5, 4, 80);
    setPlayerByte(5, 5, 60);
    setPlayerByte(5, 9, 70);
    EXPECT_EQ(screens.getPlayerSkillMean(5), 75);
    const jint counted = s->compareCount;
    EXPECT_EQ(screens.comparePlayers(5, 6, season::kRatingColumn), 0);
    EXPECT_EQ(screens.comparePlayers(6, 5, season::kRatingColumn), 1);
    EXPECT_EQ(screens.comparePlayers(6, 5, 9), 0);
    EXPECT_EQ(s->compareCount, counted + 3);
    screens.deleteMessage(0);
    EXPECT_EQ(s->inboxCount, before + 1);
    EXPECT_EQ(screens.transferPlayer(5, 1, 0, 1, 100, 10, 2), 0);
    EXPECT_EQ(screens.cycleValueByKeys(1, 16, 3, 5, 1), 3);
    EXPECT_EQ(screens.listRowAtPointerSimple(0, 0, 10, 10, 10, 3, 1), -1);
}

TEST_F(ClubServicesTest, TheInterimListNoLongerNamesWhatIsBuilt) {
    std::ifstream file(std::string(TARNWICK_SOURCE_DIR) + "/game/interim/README.md");
    std::stringstream text;
    text << file.rdbuf();
    const std::string readme = text.str();
    ASSERT_FALSE(readme.empty());
    for (const char* built : {"`postInboxMessage`", "`refreshInboxScreen`", "`upsertKeyedMessage`",
                              "`getPlayerAge`", "`getTeamWageRoom`", "`getTeamStrength`",
                              "`storeRecentRecord`", "`comparePlayers` |", "`deleteMessage` |",
                              "| `ClubDatabaseServices` |", "`saveOrLoadGameRecord`", "`unpackGameRecord`"}) {
        EXPECT_EQ(readme.find(built), std::string::npos) << built;
    }
    EXPECT_EQ(readme.find("`fillCupRoundFixtures`"), std::string::npos);
    EXPECT_EQ(readme.find("InterimClubServices"), std::string::npos);
    for (const char* interim :
         {"`postSeasonNews`", "`negotiationScore`", "`transferPlayer`", "`setupContinentalDraw`"}) {
        EXPECT_NE(readme.find(interim), std::string::npos) << interim;
    }
}

} // namespace
} // namespace game::club
