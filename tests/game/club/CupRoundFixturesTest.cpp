// The ties of a knockout round: the row of entrants, the tie count of every round (rounds below 3
// as the round of 16, rounds past the final as the final), the sides and an undrawn bracket.
#include "game/club/CupRoundFixtures.h"

#include <gtest/gtest.h>

#include "tests/game/club/ClubFixture.h"

namespace game::club {
namespace {

class CupRoundFixturesTest : public testing::ClubFixture {
protected:
    // Row r of layoutRows holds 1000 + 100r + i; the bracket pairs places (31 - k, k) in every
    // block; viewTeams is cleared to -1.
    void SetUp() override {
        ClubFixture::SetUp();
        GameStatics* const s = statics();
        for (jint i = 0; i < s->layoutRows->length; ++i) {
            (*s->layoutRows)[i] = runtime::i2s(1000 + 100 * (i / 16) + i % 16);
        }
        for (jint k = 0; k < 32; ++k) {
            (*s->cupBracket)[k] = runtime::i2b(k % 2 == 0 ? 15 - k / 2 : k / 2);
        }
        clearView();
    }
    void clearView() {
        for (jint i = 0; i < statics()->viewTeams->length; ++i) {
            (*statics()->viewTeams)[i] = -1;
        }
    }
    jint view(const jint i) const { return (*statics()->viewTeams)[i]; }
};

TEST_F(CupRoundFixturesTest, EveryRoundFillsItsTiesFromItsBracketBlock) {
    GameStatics* const s = statics();
    ASSERT_EQ((*s->cupRoundStart)[0], 0);
    struct Case {
        jint round, ties, offset;
    };
    const Case cases[] = {{0, 8, 0},  {1, 8, 0},  {2, 8, 0},  {3, 8, 0},
                          {4, 4, 16}, {5, 2, 24}, {6, 1, 28}, {7, 1, 28}};
    for (const Case& c : cases) {
        for (const jboolean swap : {0, 1}) {
            SCOPED_TRACE(::testing::Message() << "round " << c.round << " swap " << int(swap));
            clearView();
            runtime::ShortArray* const list = runtime::newShortArray(32);
            fillCupRoundFixtures(c.round, list, 2, swap);
            EXPECT_EQ((*list)[0], 1200);
            EXPECT_EQ((*list)[15], 1215);
            for (jint i = 0; i < c.ties; ++i) {
                const jint first = 1200 + ((*s->cupBracket)[c.offset + 2 * i] & 0xFF);
                const jint second = 1200 + ((*s->cupBracket)[c.offset + 2 * i + 1] & 0xFF);
                EXPECT_EQ(view(2 * i), swap ? second : first) << "tie " << i;
                EXPECT_EQ(view(2 * i + 1), swap ? first : second) << "tie " << i;
            }
            EXPECT_EQ(view(2 * c.ties), -1);
        }
    }
}

TEST_F(CupRoundFixturesTest, TheContinentalRowHasThirtyTwoAndAnUndrawnTieEndsTheRound) {
    GameStatics* const s = statics();
    for (jint k = 0; k < 16; ++k) {
        (*s->cupBracket)[k] = runtime::i2b(k + 16);
    }
    (*s->cupBracket)[5] = -1; // tie 2's second place is not drawn yet
    runtime::ShortArray* const list = runtime::newShortArray(32);
    fillCupRoundFixtures(3, list, 8, 0);
    EXPECT_EQ((*list)[31], 1800 + 31 - 16 + 100); // row 8 runs on into the next row's places
    EXPECT_EQ(view(0), (*list)[16]);
    EXPECT_EQ(view(3), (*list)[19]);
    EXPECT_EQ(view(4), -1);
    EXPECT_EQ(view(5), -1);
}

} // namespace
} // namespace game::club
