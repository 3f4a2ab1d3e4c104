// The team's mentality: the shares and lines of each value, a value outside the table leaving
// them, the first team's touch buttons in a match (no wrap), its keys through the bounded step in
// a match and the wrapping one in the squad screen's first row, and the second team deaf to all
// of it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/TopStates.h"
#include "tests/game/support/MatchSideFixture.h"
#include "tests/game/support/ScriptedInformationScreens.h"

namespace game::testing {
namespace {

// Steps the value as the key operations would: +1 on the up key, -1 on the down key; recorded.
class MentalityKeys final : public interim::InterimInformationScreenServices {
public:
    jint cycleValueByKeys(jint down, jint up, jint value, jint count, jboolean /*markDirty*/) override {
        calls.push_back("cycle " + std::to_string(down) + " " + std::to_string(up));
        return (value + step + count) % count;
    }
    jint stepValueByKeys(jint down, jint up, jint value, jint count, jboolean /*markDirty*/) override {
        calls.push_back("step " + std::to_string(down) + " " + std::to_string(up));
        const jint next = value + step;
        return next < 0 ? 0 : (next >= count ? count - 1 : next);
    }
    jint step = 0;
    std::vector<std::string> calls;

private:
    runtime::ScopedService<core::InformationScreenServices> scope{&core::installInformationScreenServices,
                                                                  *this};
};

class TeamMentalityTest : public MatchSideFixture {
protected:
    MentalityKeys keys;

    void SetUp() override {
        MatchSideFixture::SetUp();
        setUpBallPlay(1541);
        statics()->topState = core::kTopStateMatch;
    }
    static void releaseTouchAt(const jint x, const jint y) {
        GameStatics* s = statics();
        s->touchReleased = 1;
        s->pointerReleaseX = x;
        s->pointerReleaseY = y;
    }
};

TEST_F(TeamMentalityTest, EachMentalityGivesItsSharesAndLines) {
    struct Row {
        jint mentality, defensive, attacking, line;
    };
    CTeam* second = team(1);
    for (const Row& r :
         std::vector<Row>{{0, 0, 10, 10}, {1, 3, 7, 4}, {2, 5, 5, 0}, {3, 7, 3, -4}, {4, 10, 0, -10}}) {
        second->mentalityInUse = r.mentality;
        second->updateMentality();
        EXPECT_EQ(second->defensiveSetting, r.defensive) << r.mentality;
        EXPECT_EQ(second->attackingSetting, r.attacking) << r.mentality;
        EXPECT_EQ(second->defensiveLine, r.line) << r.mentality;
        EXPECT_EQ(second->attackingLine, r.line) << r.mentality;
    }
    // Outside the table the shares stay.
    second->mentalityInUse = 7;
    second->updateMentality();
    EXPECT_EQ(second->defensiveSetting, 10);
    EXPECT_EQ(second->attackingSetting, 0);
    EXPECT_EQ(second->defensiveLine, -10);
}

TEST_F(TeamMentalityTest, TheTouchButtonsStepTheFirstTeamWithoutWrapping) {
    GameStatics* s = statics();
    CTeam* first = team(0);
    struct Touch {
        jint x; // 217 down, 168 up
        jint before, after;
        jint command; // the pressed look; -1 untouched
    };
    for (const Touch& t :
         std::vector<Touch>{{220, 2, 1, 156}, {220, 0, 0, -1}, {170, 3, 4, 157}, {170, 4, 4, -1}}) {
        first->mentality = t.before;
        s->matchCommand = -1;
        s->redrawAll = 0;
        releaseTouchAt(t.x, 620);
        first->updateMentality();
        EXPECT_EQ(first->mentality, t.after) << t.x << " " << t.before;
        EXPECT_EQ(first->mentalityInUse, t.after);
        EXPECT_EQ(s->matchCommand, t.command);
        EXPECT_EQ(s->redrawAll, t.command == -1 ? 0 : 1);
    }
    EXPECT_EQ(first->defensiveSetting, 10); // mentality 4
}

TEST_F(TeamMentalityTest, TheKeysStepInTheMatchAndWrapInTheSquadScreen) {
    GameStatics* s = statics();
    CTeam* first = team(0);
    first->mentality = 4;
    keys.step = 1;
    s->pressedKeys = 2;
    first->updateMentality();
    EXPECT_EQ(first->mentality, 4); // bounded: no wrap in the match
    EXPECT_EQ(keys.calls, (std::vector<std::string>{"step 128 2"}));
    keys.step = -1;
    s->pressedKeys = 128;
    s->matchCommand = -1;
    first->updateMentality();
    EXPECT_EQ(first->mentality, 3);
    EXPECT_EQ(s->matchCommand, 157);
    // The squad screen's first row wraps.
    s->topState = core::kTopStateMenus;
    s->menuSelection = 0;
    first->mentality = 4;
    keys.step = 1;
    keys.calls.clear();
    first->updateMentality();
    EXPECT_EQ(first->mentality, 0);
    EXPECT_EQ(first->mentalityInUse, 0);
    EXPECT_EQ(keys.calls, (std::vector<std::string>{"cycle 64 4"}));
    // Another row leaves it.
    s->menuSelection = 1;
    first->updateMentality();
    EXPECT_EQ(first->mentality, 0);
}

TEST_F(TeamMentalityTest, TheSecondTeamIgnoresEveryInput) {
    GameStatics* s = statics();
    CTeam* second = team(1);
    second->mentality = 2;
    second->mentalityInUse = 2;
    keys.step = 1;
    s->pressedKeys = 2 | 128;
    releaseTouchAt(220, 620);
    second->updateMentality();
    s->topState = core::kTopStateMenus;
    second->updateMentality();
    EXPECT_EQ(second->mentality, 2);
    EXPECT_TRUE(keys.calls.empty());
    EXPECT_EQ(second->defensiveSetting, 5);
}

} // namespace
} // namespace game::testing
