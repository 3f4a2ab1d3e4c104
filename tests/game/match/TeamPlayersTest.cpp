// CTeam::forwardToPlayers: every player of the array hears the code, in index order; an empty
// element is passed over.
#include <gtest/gtest.h>

#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

class TeamPlayersTest : public MatchSideFixture {
protected:
    EventRecorder recorder;
    runtime::ScopedService<core::MatchServices> scope{&core::installMatchServices, recorder};
};

TEST_F(TeamPlayersTest, EveryPlayerInIndexOrder) {
    team(0)->forwardToPlayers(-6);
    ASSERT_EQ(recorder.calls.size(), 18u);
    for (jint i = 0; i < 18; ++i) {
        EXPECT_EQ(recorder.calls[i].first, player(0, i));
        EXPECT_EQ(recorder.calls[i].second, -6);
    }
}

TEST_F(TeamPlayersTest, EmptyElementsArePassedOver) {
    (*team(1)->players)[4] = nullptr;
    team(1)->forwardToPlayers(3);
    ASSERT_EQ(recorder.calls.size(), 17u);
    EXPECT_EQ(recorder.calls[4].first, player(1, 5));
    team(1)->players = nullptr;
    team(1)->forwardToPlayers(3);
    EXPECT_EQ(recorder.calls.size(), 17u);
}

} // namespace
} // namespace game::testing
