// CPlayer::updateRatings on one squad entry reached through the line-up: the worked example, the
// goalkeeper-only mask, form and each event level alone, as one table; a player without an entry.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game/match/CPlayer.h"
#include "game/match/model/DerivedRatings.h"
#include "tests/game/support/MatchSideFixture.h"
#include "tests/runtime/LogCapture.h"

namespace game::testing {
namespace {

// The player under test: team 1, slot 4, whose line-up entry is 9 (entry 39 of the records).
constexpr jint kRatedTeam = 1;
constexpr jint kRatedSlot = 4;
constexpr jint kRatedEntry = 9;

// Bytes of a squad entry that the derived ratings read.
struct DerivedEntry {
    jint e0, e1, e2, e3, e15, e16, e17, u20, u21, mask;
};
// Every skill 99, U20 200, U21 60: the worked example.
constexpr DerivedEntry kAll99 = {99, 99, 99, 99, 99, 99, 99, 200, 60, 2};
// Byte 2 above byte 3, and byte 3 above byte 2, each with a mask other than exactly 1.
constexpr DerivedEntry kHighByte2 = {80, 90, 70, 60, 75, 85, 65, 180, 80, 3};
constexpr DerivedEntry kHighByte3 = {80, 90, 60, 95, 75, 85, 65, 180, 80, 3};

DerivedEntry keeperOnly(DerivedEntry entry) {
    entry.mask = 1;
    return entry;
}

// 4th .. 13th, 17th, 18th.
using Twelve = std::array<jint, 12>;

class DerivedRatingsTest : public MatchSideFixture {
protected:
    void SetUp() override {
        MatchSideFixture::SetUp();
        team(0)->assignPlayers(0);
        team(1)->assignPlayers(1);
        (*row(statics()->lineup, kRatedTeam))[kRatedSlot] = static_cast<jbyte>(kRatedEntry);
    }
    static void writeEntry(const DerivedEntry& d) {
        const jint t = kRatedEntry;
        for (const auto& [at, v] : std::initializer_list<std::pair<jint, jint>>{{0, d.e0},
                                                                                {1, d.e1},
                                                                                {2, d.e2},
                                                                                {3, d.e3},
                                                                                {15, d.e15},
                                                                                {16, d.e16},
                                                                                {17, d.e17},
                                                                                {20, d.u20},
                                                                                {21, d.u21}}) {
            recordByte(kRatedTeam, t, at) = static_cast<jbyte>(v);
        }
        for (jint i = 0; i < 4; ++i) {
            recordByte(kRatedTeam, t, 8 + i) = static_cast<jbyte>(d.mask >> (24 - 8 * i));
        }
    }
    static Twelve ratingsOf(const CPlayer* p) {
        return {p->shotPower,     p->penaltyAimLevel, p->handicapLevel, p->extraRating7,
                p->accelRating,   p->aimLevel,        p->duelRating,    p->extraRating11,
                p->extraRating12, p->extraRating13,   p->saveSkill,     p->handlingLevel};
    }
};

TEST_F(DerivedRatingsTest, TheTwelveRatingsFollowTheEntryFormAndEventLevels) {
    struct Case {
        const char* what;
        DerivedEntry entry;
        jint form, eventA, eventB;
        Twelve expected;
    };
    const Case cases[] = {
        {"every skill 99", kAll99, 0, 0, 0, {0, 0, 0, 0, 1, 0, 0, 3, 0, 1, 1, 2}},
        {"byte 2 high", kHighByte2, 0, 0, 0, {2, 5, 2, 3, 3, 4, 5, 4, 4, 5, 5, 6}},
        {"byte 2 high, keeper-only mask",
         keeperOnly(kHighByte2),
         0,
         0,
         0,
         {3, 5, 3, 3, 3, 7, 7, 4, 4, 7, 5, 6}},
        {"byte 3 high", kHighByte3, 0, 0, 0, {2, 3, 2, 1, 3, 5, 2, 4, 4, 2, 2, 3}},
        {"byte 3 high, keeper-only mask",
         keeperOnly(kHighByte3),
         0,
         0,
         0,
         {2, 5, 3, 1, 3, 7, 7, 4, 4, 7, 2, 3}},
        {"form -7", kHighByte3, -7, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"form +7", kHighByte3, 7, 0, 0, {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
        {"form +1", kHighByte3, 1, 0, 0, {3, 4, 3, 2, 4, 6, 3, 5, 5, 3, 3, 4}},
        {"event level A alone", kHighByte3, 0, 1, 0, {2, 4, 2, 1, 4, 5, 2, 4, 5, 2, 2, 3}},
        {"event level B alone", kHighByte3, 0, 0, -1, {1, 2, 1, 1, 3, 4, 2, 3, 4, 2, 2, 3}},
        {"event level B at the floor", kAll99, 0, 0, -1, {0, 0, 0, 0, 1, 0, 0, 2, 0, 1, 1, 2}},
        {"both event levels", kHighByte3, 0, 2, 2, {4, 7, 4, 1, 5, 7, 2, 6, 6, 2, 2, 3}},
    };
    for (const Case& c : cases) {
        writeEntry(c.entry);
        CPlayer* p = player(kRatedTeam, kRatedSlot);
        p->formLevel = c.form;
        p->eventLevelA = c.eventA;
        p->eventLevelB = c.eventB;
        p->extraRating1 = 11;
        p->extraRating2 = 12;
        p->extraRating3 = 13;
        p->eventState = 19;
        p->updateRatings();
        EXPECT_EQ(ratingsOf(p), c.expected) << c.what;
        p->updateRatings();
        EXPECT_EQ(ratingsOf(p), c.expected) << c.what << ": a second call";
        EXPECT_EQ(std::vector<jint>({p->extraRating1, p->extraRating2, p->extraRating3, p->formLevel,
                                     p->eventLevelA, p->eventLevelB, p->eventState}),
                  std::vector<jint>({11, 12, 13, c.form, c.eventA, c.eventB, 19}))
            << c.what << ": the fields it reads or leaves";
    }
}

TEST_F(DerivedRatingsTest, TheDatabaseLevelSteps) {
    const std::vector<std::pair<jint, jint>> cases = {{-5, 7}, {0, 7},  {56, 7}, {57, 6}, {63, 6}, {64, 5},
                                                      {91, 2}, {92, 1}, {98, 1}, {99, 0}, {150, 0}};
    for (const auto& [value, level] : cases) {
        EXPECT_EQ(match::databaseLevel(value), level) << value;
    }
}

TEST_F(DerivedRatingsTest, APlayerWithoutASquadEntryKeepsHisRatings) {
    runtime::LogCapture log;
    (*row(statics()->lineup, kRatedTeam))[kRatedSlot] = -1;
    CPlayer* p = player(kRatedTeam, kRatedSlot);
    p->shotPower = 5;
    p->handlingLevel = 4;
    p->updateRatings();
    EXPECT_EQ(p->shotPower, 5);
    EXPECT_EQ(p->handlingLevel, 4);
    EXPECT_TRUE(log.contains("updateRatings: player 4 of team 1 has no squad entry"));
    EXPECT_EQ(match::squadEntryIndex(kRatedTeam, 3), 33) << "the line-up's entry plus 30 for team 1";
    EXPECT_EQ(match::squadEntryIndex(2, 0), -1);
    EXPECT_EQ(match::squadEntryIndex(0, 30), -1);
}

} // namespace
} // namespace game::testing
