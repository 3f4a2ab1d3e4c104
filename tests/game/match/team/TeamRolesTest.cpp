// The role slots of a match team: all four chosen anew, or only those the leaving player held.
#include <gtest/gtest.h>

#include <array>

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/team/MatchSide.h"
#include "runtime/ObjectManager.h"
#include "tests/support/GameRuntime.h"

namespace game::match {

namespace {

using match::CPlayer;
using match::CTeam;
using runtime::jint;
using Roles = std::array<jint, 4>;

class TeamRolesTest : public testing_support::GameRuntimeTest {
protected:
    void SetUp() override {
        GameRuntimeTest::SetUp();
        GameStatics* s = statics();
        CTeam* team = runtime::newObject<CTeam>();
        (*s->matchTeams)[1] = team;
        team->teamIndex = 1;
        team->players = runtime::newObjectArray(CTeam::kPlayers, runtime::kCPlayer);
        for (jint i = 0; i < CTeam::kPlayers; ++i) {
            CPlayer* player = runtime::newObject<CPlayer>();
            (*team->players)[i] = player;
            player->slot = i;
        }
        // Kind 0 (byte 1 / 3 + byte 2 / 2): 6 with 40 beats 5 with 30. Kind 1 (byte 1 x 6 / 7): 5.
        // Kind 2 (byte 2 x 2 / 3 + byte 15 / 4): 6 with 53 beats 7 with 24. Kind 3 (byte 17): 1
        // with 60, as 4 (99) is off the pitch.
        setByte(5, 1, 90);
        setByte(6, 2, 80);
        setByte(7, 15, 99);
        setByte(7, 17, 50);
        setByte(1, 17, 60);
        setByte(4, 17, 99);
        player(4)->outOfPlay = 1;
    }
    CTeam* team() const { return static_cast<CTeam*>((*statics()->matchTeams)[1]); }
    CPlayer* player(const jint i) const { return static_cast<CPlayer*>((*team()->players)[i]); }
    void setByte(const jint i, const jint b, const jint value) const {
        (*statics()->listRowRecords)[(30 + i) * 22 + b] = static_cast<runtime::jbyte>(value);
    }
    void setRoles(const Roles& roles) const {
        team()->roleSlotA = roles[0];
        team()->roleSlotB = roles[1];
        team()->roleSlotC = roles[2];
        team()->roleSlotD = roles[3];
    }
    Roles roles() const {
        return {team()->roleSlotA, team()->roleSlotB, team()->roleSlotC, team()->roleSlotD};
    }
};

TEST_F(TeamRolesTest, RolesChangeOnlyWhenTheLeavingPlayerHeldOneOrWithAll) {
    const struct {
        Roles before;
        bool all;
        jint slot;
        Roles after;
    } cases[] = {
        {{0, 0, 0, 0}, true, -5, {6, 5, 6, 1}},
        {{3, 9, 4, 8}, false, 2, {3, 9, 4, 8}}, // nobody held 2
        {{3, 9, 4, 9}, false, 9, {3, 5, 4, 1}}, // B and D held 9
        {{9, 9, 9, 9}, false, 9, {6, 5, 6, 1}},
        {{2, 3, 4, -1}, false, -1, {2, 3, 4, 1}}, // an empty role is a role held by -1
    };
    for (const auto& c : cases) {
        setRoles(c.before);
        updateTeamRoles(1, c.all ? 1 : 0, c.slot);
        EXPECT_EQ(roles(), c.after) << "all " << c.all << " slot " << c.slot;
    }
}

TEST_F(TeamRolesTest, ARoleNobodyScoresForIsEmpty) {
    for (jint i = 1; i <= 10; ++i) {
        player(i)->outOfPlay = 1;
    }
    setRoles({3, 3, 3, 3});
    updateTeamRoles(1, 1, 0);
    EXPECT_EQ(roles(), (Roles{-1, -1, -1, -1}));
}

TEST_F(TeamRolesTest, ASideWithoutATeamIsLeftAlone) {
    setRoles({3, 3, 3, 3});
    updateTeamRoles(0, 1, 0);
    updateTeamRoles(2, 1, 0);
    updateTeamRoles(-1, 1, 0);
    EXPECT_EQ(roles(), (Roles{3, 3, 3, 3}));
    EXPECT_EQ(log.count("updateTeamRoles: no match team on side 0"), 1);
    EXPECT_EQ(log.count("updateTeamRoles: no match team on side 2"), 1);
}

} // namespace
} // namespace game::match
