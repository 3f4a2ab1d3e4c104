// The substitute choice, one table of fixtures per method: the fallback without a mask match,
// unavailable, barred and empty places, the rating the mask picks, ties, and team 1's bench.
#include <gtest/gtest.h>

#include <functional>

#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

constexpr jint kUserClub = 2;
constexpr jint kOpponentClub = 5;
// Position masks: a defender's (rating byte 3, level 1), a midfielder's (byte 1, level 3) and an
// attacker's (byte 2, level 0).
constexpr jint kDefence = 0x2;
constexpr jint kMidfield = 0x40;
constexpr jint kAttack = 0x2000;

class SubstituteChoiceTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        reset();
    }
    // The fixture every case starts from: ids 100 + k in both clubs' records, no bars, every entry
    // available with no position and ratings 50, the bench free at level 0.
    static void reset() {
        GameStatics* s = statics();
        s->selectionTable = runtime::newByteArray(818);
        s->lineupAtKickOff = table(30);
        s->userTeam = kUserClub;
        s->opponentTeam = kOpponentClub;
        s->competitionEventType = 0;
        s->teamRecords = runtime::newByteArray((kOpponentClub + 1) * 64);
        for (const jint club : {kUserClub, kOpponentClub}) {
            for (jint k = 0; k < 32; ++k) {
                setId(club, k, 100 + k);
            }
        }
        for (jint side = 0; side < 2; ++side) {
            for (jint t = 0; t < 30; ++t) {
                setRecord(side, t, 0, 50);
            }
            for (jint k = 0; k < CTeam::kPlayers; ++k) {
                CPlayer* p = player(side, k);
                p->hasPlayed = 0;
                p->unfit = 0;
                for (jint& v : p->skillLevels) {
                    v = 0;
                }
            }
        }
    }
    static void setId(const jint club, const jint k, const jint id) {
        (*statics()->teamRecords)[club * 64 + 2 * k] = static_cast<jbyte>(id >> 8);
        (*statics()->teamRecords)[club * 64 + 2 * k + 1] = static_cast<jbyte>(id);
    }
    // Bars player id in column `column` through selection entry m.
    static void bar(const jint m, const jint id, const jint column) {
        runtime::ByteArray* table = statics()->selectionTable;
        (*table)[108 + 16 * m] = static_cast<jbyte>(id >> 8);
        (*table)[108 + 16 * m + 1] = static_cast<jbyte>(id);
        (*table)[108 + 16 * m + 11 + column] = -1;
        statics()->competitionEventType = column;
    }
    static void setMask(const jint side, const jint t, const jint mask) {
        for (jint i = 0; i < 4; ++i) {
            recordByte(side, t, 8 + i) = static_cast<jbyte>(mask >> (24 - 8 * i));
        }
    }
};

struct ChoiceCase {
    const char* what;
    jint teamIndex;
    jint mask;
    std::function<void()> setUp;
    jint expected;
};

TEST_F(SubstituteChoiceTest, TheSquadChoiceTakesTheBestMatchElseTheFirstEligible) {
    const ChoiceCase cases[] = {
        {"no mask match: the highest position", 0, kAttack, [] {}, 29},
        {"an unavailable player is not even the fallback", 0, kAttack, [] { recordByte(0, 29, 4) = 5; }, 28},
        {"condition 4 is still available", 0, kAttack, [] { recordByte(0, 29, 4) = 4; }, 29},
        {"an empty and a flagged place", 0, kAttack,
         [] {
             setId(kUserClub, 29, 0xFFFF);
             setId(kUserClub, 28, 0x8000 | 128);
         },
         27},
        {"a player barred in the column played", 0, kAttack, [] { bar(4, 129, 2); }, 28},
        {"a bar in another column", 0, kAttack,
         [] {
             bar(4, 129, 2);
             statics()->competitionEventType = 3;
         },
         29},
        {"nobody eligible", 0, kAttack,
         [] {
             for (jint k = 11; k < 30; ++k) {
                 recordByte(0, k, 4) = 6;
             }
         },
         -1},
        {"the higher attack rating wins", 0, kAttack,
         [] {
             setMask(0, 15, kAttack);
             setMask(0, 20, kAttack);
             recordByte(0, 15, 2) = 80;
             recordByte(0, 20, 2) = 60;
         },
         15},
        {"a tie goes to the lower position", 0, kAttack,
         [] {
             setMask(0, 15, kAttack);
             setMask(0, 20, kAttack);
         },
         15},
        {"a defender's mask reads byte 3", 0, kDefence,
         [] {
             setMask(0, 15, kDefence | kMidfield);
             setMask(0, 20, kDefence | kMidfield);
             recordByte(0, 15, 1) = 90;
             recordByte(0, 20, 3) = 90;
         },
         20},
        {"a midfielder's mask reads byte 1", 0, kMidfield,
         [] {
             setMask(0, 15, kDefence | kMidfield);
             setMask(0, 20, kDefence | kMidfield);
             recordByte(0, 15, 1) = 90;
             recordByte(0, 20, 3) = 90;
         },
         15},
        {"the best match unavailable", 0, kAttack,
         [] {
             setMask(0, 15, kAttack);
             setMask(0, 20, kAttack);
             recordByte(0, 20, 2) = 90;
             recordByte(0, 20, 4) = 5;
         },
         15},
        {"team 1 reads its own entries", 1, kAttack,
         [] {
             setMask(0, 15, kAttack);
             setMask(1, 12, kAttack);
         },
         12},
    };
    for (const ChoiceCase& c : cases) {
        reset();
        c.setUp();
        EXPECT_EQ(team(c.teamIndex)->pickSquadPlayerForPosition(c.mask), c.expected) << c.what;
    }
}

TEST_F(SubstituteChoiceTest, TheBenchChoiceTakesTheBestRatingElseTheFirstFree) {
    auto level = [](const jint side, const jint k, const jint index, const jint v) {
        player(side, k)->skillLevels[index] = v;
    };
    const ChoiceCase cases[] = {
        {"no mask match: the last bench place", 0, kAttack, [] {}, 17},
        {"played and unfit players are passed over", 0, kAttack,
         [] {
             player(0, 17)->hasPlayed = 1;
             player(0, 16)->unfit = 1;
         },
         15},
        {"team 0: a barred player", 0, kAttack, [] { bar(0, 117, 1); }, 16},
        {"team 0: an unavailable entry", 0, kAttack, [] { recordByte(0, 17, 4) = 5; }, 16},
        {"team 1 skips the bar and the condition", 1, kAttack,
         [] {
             bar(0, 117, 1);
             recordByte(1, 17, 4) = 5;
         },
         17},
        {"team 1 reads the opponent's record", 1, kAttack, [] { setId(kOpponentClub, 17, 0xFFFF); }, 16},
        {"a rating of 7 can be chosen", 0, kAttack,
         [level] {
             setMask(0, 12, kAttack);
             level(0, 12, 0, 7);
         },
         12},
        {"the lower level wins", 1, kAttack,
         [level] {
             setMask(1, 12, kAttack);
             setMask(1, 14, kAttack);
             level(1, 12, 0, 3);
             level(1, 14, 0, 2);
         },
         14},
        {"a tie goes to the lower position", 0, kAttack,
         [level] {
             setMask(0, 12, kAttack);
             setMask(0, 14, kAttack);
             level(0, 12, 0, 3);
             level(0, 14, 0, 3);
         },
         12},
        {"a defender's mask reads level 1", 0, kDefence,
         [level] {
             setMask(0, 12, kDefence);
             setMask(0, 14, kDefence);
             level(0, 12, 1, 4);
             level(0, 14, 1, 2);
             level(0, 12, 3, 0);
         },
         14},
        {"a midfielder's mask reads level 3", 0, kMidfield,
         [level] {
             setMask(0, 12, kMidfield);
             setMask(0, 14, kMidfield);
             level(0, 12, 3, 1);
             level(0, 14, 3, 2);
             level(0, 14, 1, 0);
         },
         12},
        {"a matching player who has played is not chosen", 0, kAttack,
         [] {
             setMask(0, 12, kAttack);
             player(0, 12)->hasPlayed = 1;
         },
         17},
        {"the mask comes from the kick-off map's entry", 0, kAttack,
         [] {
             setMask(0, 20, kAttack);
             (*row(statics()->lineupAtKickOff, 0))[13] = 20;
         },
         13},
    };
    for (const ChoiceCase& c : cases) {
        reset();
        c.setUp();
        EXPECT_EQ(team(c.teamIndex)->pickBenchPlayerForPosition(c.mask), c.expected) << c.what;
    }
}

} // namespace
} // namespace game::testing
