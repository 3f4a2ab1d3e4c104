// CPlayer::applyEvent (every code as one table, the sequences, speeds and reach values),
// CPlayer::loadMatchRatings on two teams of 18 (levels, condition and position-fit events, flags,
// the line-up followed after a swap) and CTeam::rollConditions with a seeded generator.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>

#include "game/core/ScreenRoutines.h"
#include "game/match/CPlayer.h"
#include "game/match/MatchConstants.h"
#include "runtime/Random.h"
#include "runtime/StreamsPrint.h"
#include "tests/game/support/MatchSideFixture.h"

namespace game::testing {
namespace {

using Levels = std::array<jint, 8>;

// The player the event table works on: team 0, outfield slot 3.
constexpr jint kEventSlot = 3;
// A defender's formation slot and the position masks that fit it by grade 0, 3 and 7.
constexpr jint kDefenderFormationSlot = 1;
constexpr jint kAttackOnlyMask = 0x2000;
constexpr jint kKeeperOnlyMask = 0x1;

class MatchRatingsTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        match::initMatchTables(statics());
        runtime::System::staticInit(statics());
        statics()->gameRandom = runtime::newObject<runtime::java_util_Random>(jlong{51});
        team(0)->assignPlayers(0);
        team(1)->assignPlayers(1);
        for (jint side = 0; side < 2; ++side) {
            for (jint t = 0; t < 30; ++t) {
                setRecord(side, t, defenderMask(), 70);
            }
        }
    }
    static jint defenderMask() { return 1 << core::positionGroup(kDefenderFormationSlot); }
    static Levels levelsOf(const CPlayer* p) {
        Levels out{};
        for (jint k = 0; k < 8; ++k) {
            out[k] = p->skillLevels[k];
        }
        return out;
    }
    static Levels savedOf(const CPlayer* p) {
        Levels out{};
        for (jint k = 0; k < 8; ++k) {
            out[k] = p->savedSkillLevels[k];
        }
        return out;
    }
    static void setLevels(CPlayer* p, const Levels& levels) {
        for (jint k = 0; k < 8; ++k) {
            p->skillLevels[k] = levels[k];
        }
    }
    // Writes the eight skill bytes of an entry in level order (bytes 2, 3, 0, 1, 15, 14, 17, 16).
    static void setSkillBytes(const jint side, const jint t, const Levels& bytes) {
        constexpr jint kAt[] = {2, 3, 0, 1, 15, 14, 17, 16};
        for (jint k = 0; k < 8; ++k) {
            recordByte(side, t, kAt[k]) = static_cast<jbyte>(bytes[k]);
        }
    }
};

TEST_F(MatchRatingsTest, EveryEventCodeMovesTheLevelsAndFieldsItNames) {
    struct Case {
        jint code;
        jint formBefore;
        Levels levels;
        jint form, state, eventA, eventB;
    };
    const Levels start = {0, 1, 2, 3, 4, 5, 6, 7};
    const Case cases[] = {
        {1, 0, {0, 0, 1, 2, 3, 4, 5, 6}, -1, 5, 0, 0},
        {-1, 0, {1, 2, 3, 4, 5, 6, 7, 7}, 1, 5, 0, 0},
        {-2, 0, {2, 3, 4, 5, 6, 7, 7, 7}, 2, 6, 0, 0},
        {-3, 0, {7, 7, 7, 7, 7, 7, 7, 7}, 7, 7, 0, 0},
        {-4, 0, start, 0, 4, 0, 0},
        {-5, 0, {0, 1, 1, 3, 3, 4, 6, 6}, 0, 2, -1, 0},
        {-6, 0, {0, 1, 3, 3, 5, 6, 6, 7}, 0, 4, 1, 0},
        {-7, 0, start, 0, 3, 0, -1},
        {-8, 0, start, 0, 3, 0, 1},
        {0, 0, start, 0, 3, 0, 0},
        {9, 0, start, 0, 3, 0, 0},
        {1, -7, {0, 0, 1, 2, 3, 4, 5, 6}, -7, 5, 0, 0},
        {-1, 7, {1, 2, 3, 4, 5, 6, 7, 7}, 7, 5, 0, 0},
        {-2, 6, {2, 3, 4, 5, 6, 7, 7, 7}, 7, 6, 0, 0},
    };
    CPlayer* p = player(0, kEventSlot);
    for (const Case& c : cases) {
        setLevels(p, start);
        p->formLevel = c.formBefore;
        p->eventState = 3;
        p->eventLevelA = 0;
        p->eventLevelB = 0;
        p->applyEvent(c.code);
        EXPECT_EQ(levelsOf(p), c.levels) << "code " << c.code;
        EXPECT_EQ(savedOf(p), start) << "code " << c.code << ": the levels before the event";
        EXPECT_EQ((std::array<jint, 4>{p->formLevel, p->eventState, p->eventLevelA, p->eventLevelB}),
                  (std::array<jint, 4>{c.form, c.state, c.eventA, c.eventB}))
            << "code " << c.code << " from form " << c.formBefore;
    }
}

TEST_F(MatchRatingsTest, EventSequencesKeepLevelsInRange) {
    CPlayer* p = player(0, kEventSlot);
    setLevels(p, {0, 1, 2, 3, 4, 5, 6, 7});
    p->applyEvent(-3);
    p->applyEvent(1);
    EXPECT_EQ(levelsOf(p), (Levels{6, 6, 6, 6, 6, 6, 6, 6}));
    EXPECT_EQ(p->formLevel, 6);

    // The boost round trip restores the four levels, except one the clamp cut at 0.
    setLevels(p, {3, 3, 3, 3, 3, 3, 3, 3});
    p->applyEvent(-5);
    p->applyEvent(-6);
    EXPECT_EQ(levelsOf(p), (Levels{3, 3, 3, 3, 3, 3, 3, 3}));
    setLevels(p, {0, 0, 0, 0, 1, 0, 0, 1});
    p->applyEvent(-5);
    p->applyEvent(-6);
    EXPECT_EQ(levelsOf(p), (Levels{0, 0, 1, 0, 1, 1, 0, 1})) << "levels 2 and 5 lost their point at 0";

    // Form and levels never leave their ranges, whatever the codes.
    for (const jint code : {1, 1, 1, 1, 1, 1, 1, 1, 1, -2, -2, -2, -2, -2, -2, -1, -1, 1, -5, -6, -3, 1}) {
        p->applyEvent(code);
        EXPECT_GE(p->formLevel, -7);
        EXPECT_LE(p->formLevel, 7);
        for (const jint level : levelsOf(p)) {
            EXPECT_GE(level, 0);
            EXPECT_LE(level, 7);
        }
    }
}

TEST_F(MatchRatingsTest, SpeedsAndReachFollowTheLevels) {
    struct Case {
        const char* what;
        jint slot;
        jint entrySkill;  // every skill byte of the entry (99: derived levels 0; 40: 7)
        jint sprintLevel; // skillLevels[2]
        jint keeperLevel; // skillLevels[1]
        jint style;
        jint flags;
        jint sprint, ballSprint, side, reach, tackle;
    };
    const Case cases[] = {
        {"sprint level 0, handicap 0", 4, 99, 0, 0, 2, 0, 1128, 1108, 278, 256, 7424},
        {"sprint level 7, handicap 7", 4, 40, 7, 0, 1, 0, 905, 745, 278, 5632, 5888},
        {"style as the team takes tactic4", 4, 99, 3, 0, 3, 0, 1023, 1003, 278, 256, 4352},
        {"keeper at level 2", 0, 99, 0, 2, 1, 0, 1128, 1108, 668, 3584, 128},
        {"keeper at level 2 with flag 128", 0, 99, 0, 2, 1, 128, 1128, 1108, 668, 3968, 128},
        {"keeper at level 7", 0, 99, 0, 7, 1, 0, 1128, 1108, 668, 1664, -192},
    };
    team(0)->tactic4 = 0;
    for (const Case& c : cases) {
        setRecord(0, c.slot, defenderMask(), c.entrySkill);
        CPlayer* p = player(0, c.slot);
        setLevels(p, {0, c.keeperLevel, c.sprintLevel, 0, 0, 0, 0, 4});
        p->formLevel = 0;
        p->styleSetting = c.style;
        p->flags = c.flags;
        p->applyEvent(0);
        EXPECT_EQ((std::array<jint, 3>{p->runSpeed, p->ballRunSpeed, p->reactionTime}),
                  (std::array<jint, 3>{835, 707, 5}))
            << c.what;
        EXPECT_EQ((std::array<jint, 5>{p->sprintSpeed, p->ballSprintSpeed, p->sideSpeed, p->reachValue,
                                       p->tackleReach}),
                  (std::array<jint, 5>{c.sprint, c.ballSprint, c.side, c.reach, c.tackle}))
            << c.what;
    }

    // An unavailable player cannot sprint.
    setRecord(0, 4, defenderMask(), 99, 5);
    CPlayer* p = player(0, 4);
    setLevels(p, {0, 0, 0, 0, 0, 0, 0, 0});
    p->applyEvent(0);
    EXPECT_EQ(p->sprintSpeed, 835);
    EXPECT_EQ(p->ballSprintSpeed, 707);
}

TEST_F(MatchRatingsTest, LoadingFillsTheLevelsAndSendsTheConditionAndFitEvents) {
    // Skill bytes in level order: 56 and 57 are the edges of the bottom levels, 98 and 99 the top.
    const Levels bytes = {56, 57, 63, 92, 98, 99, 64, 0};
    const Levels levels = {7, 6, 6, 1, 1, 0, 5, 7};
    struct Case {
        const char* what;
        jint condition;
        jint mask;
        jboolean teamOrder;
        Levels levels;
        jint form, eventA, eventB;
        jboolean unfit;
    };
    const Case cases[] = {
        {"condition 2, fit 0", 2, defenderMask(), 0, levels, 0, 0, 0, 0},
        {"condition 0: one better", 0, defenderMask(), 0, {6, 5, 5, 0, 0, 0, 4, 6}, -1, 0, 0, 0},
        {"condition 1", 1, defenderMask(), 0, levels, 0, 0, -1, 0},
        {"condition 3", 3, defenderMask(), 0, levels, 0, 0, 1, 0},
        {"condition 4: one worse", 4, defenderMask(), 0, {7, 7, 7, 2, 2, 1, 6, 7}, 1, 0, 0, 0},
        {"condition 5: unfit, all 7", 5, defenderMask(), 0, {7, 7, 7, 7, 7, 7, 7, 7}, 7, 0, 0, 1},
        {"team-order boost", 2, defenderMask(), 1, {7, 6, 5, 1, 0, 0, 5, 6}, 0, -1, 0, 0},
        {"fit grade 3: three worse", 2, kAttackOnlyMask, 0, {7, 7, 7, 4, 4, 3, 7, 7}, 3, 0, 0, 0},
        {"fit grade 7: all 7", 2, kKeeperOnlyMask, 0, {7, 7, 7, 7, 7, 7, 7, 7}, 7, 0, 0, 0},
    };
    for (const Case& c : cases) {
        for (const jint slot : {5, 14}) {
            setRecord(1, slot, c.mask, 0, c.condition, 0, 0, 0x8234);
            setSkillBytes(1, slot, bytes);
            recordByte(1, slot, 20) = static_cast<jbyte>(250);
            recordByte(1, slot, 21) = 30;
            statics()->teamOrderFlag = c.teamOrder;
            CPlayer* p = player(1, slot);
            p->formationSlot = kDefenderFormationSlot;
            p->formLevel = 3;
            p->eventLevelA = 2;
            p->eventLevelB = 2;
            p->conditionDecay = 9;
            p->conditionBase = 9;
            p->loadMatchRatings();
            EXPECT_EQ(levelsOf(p), c.levels) << c.what;
            EXPECT_EQ((std::array<jint, 4>{p->formLevel, p->eventLevelA, p->eventLevelB, p->eventState}),
                      (std::array<jint, 4>{c.form, c.eventA, c.eventB, 3}))
                << c.what;
            EXPECT_EQ(p->unfit, c.unfit) << c.what;
            EXPECT_EQ(p->hasPlayed, slot < 11 ? 1 : 0) << c.what;
            EXPECT_EQ((std::array<jint, 3>{p->extraRating1, p->extraRating2, p->flags}),
                      (std::array<jint, 3>{60, 200, 0x8234}))
                << c.what;
            EXPECT_EQ((std::array<jint, 6>{p->conditionElapsed, p->conditionDecay, p->conditionCount,
                                           p->conditionLastTime, p->conditionStart, p->conditionBase}),
                      (std::array<jint, 6>{6, 0, 0, 0, 0, 0}))
                << c.what;
            for (jint k = 0; k < 5; ++k) {
                EXPECT_EQ(p->savedSkillLevels[k], p->skillLevels[k]) << c.what << " level " << k;
            }
        }
    }
    statics()->teamOrderFlag = 0;
}

TEST_F(MatchRatingsTest, LoadingReadsTheEntryOfThePlayerNowInTheSlot) {
    setSkillBytes(0, 6, {99, 99, 99, 99, 99, 99, 99, 99});
    setSkillBytes(0, 12, {40, 40, 40, 40, 40, 40, 40, 40});
    setRecord(0, 12, defenderMask(), 40, 5);
    CPlayer* p = player(0, 6);
    p->formationSlot = kDefenderFormationSlot;
    p->loadMatchRatings();
    EXPECT_EQ(levelsOf(p), (Levels{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(p->unfit, 0);
    std::swap((*row(statics()->lineup, 0))[6], (*row(statics()->lineup, 0))[12]);
    p->loadMatchRatings();
    EXPECT_EQ(levelsOf(p), (Levels{7, 7, 7, 7, 7, 7, 7, 7})) << "entry 12 now stands in slot 6";
    EXPECT_EQ(p->unfit, 1);
    EXPECT_EQ(p->sprintSpeed, p->runSpeed) << "the unavailable player in the slot cannot sprint";
}

TEST_F(MatchRatingsTest, ConditionRollsStayWithinZeroToFourAndOnlyChangesSendEvents) {
    for (const jboolean recover : {jboolean{0}, jboolean{1}}) {
        for (jint t = 0; t < 30; ++t) {
            // Conditions 0..4 over the squad; stamina spread so that most rolls move the byte.
            recordByte(1, t, 4) = static_cast<jbyte>(t % 5);
            const jint stamina = t * 99 / 29;
            recordByte(1, t, 17) = static_cast<jbyte>(recover != 0 ? 99 - stamina : stamina);
        }
        team(1)->referenceSlot = 2;
        for (jint round = 0; round < 20; ++round) {
            std::vector<jint> before;
            for (jint i = 0; i < 18; ++i) {
                before.push_back(recordByte(1, i, 4));
                player(1, i)->eventState = 40 + i;
            }
            team(1)->rollConditions(recover);
            for (jint i = 0; i < 18; ++i) {
                const jint after = recordByte(1, i, 4);
                EXPECT_GE(after, 0);
                EXPECT_LE(after, 4);
                EXPECT_LE(std::abs(after - before[i]), 1);
                EXPECT_TRUE(recover != 0 ? after <= before[i] : after >= before[i]);
                if (after == before[i]) {
                    EXPECT_EQ(player(1, i)->eventState, 40 + i) << "no change sends no event";
                } else if (after == 0 || after == 4) {
                    EXPECT_EQ(player(1, i)->eventState, 5) << "conditions 0 and 4 send a form event";
                }
            }
        }
        jint atEnd = 0;
        for (jint i = 0; i < 18; ++i) {
            atEnd += recordByte(1, i, 4) == (recover != 0 ? 0 : 4) ? 1 : 0;
        }
        EXPECT_GT(atEnd, 9) << "twenty rolls move most of the squad to the end";
        for (jint i = 18; i < 30; ++i) {
            EXPECT_EQ(recordByte(1, i, 4), i % 5) << "entries beyond the eighteen stay";
        }
    }
}

} // namespace
} // namespace game::testing
