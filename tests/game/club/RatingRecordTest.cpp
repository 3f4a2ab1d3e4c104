// The player rating record: goalkeeper and outfield formulas from the database and from a match
// side's records, and the nibble rule of byte 18.
#include "game/club/RatingRecord.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game/core/GameStatics.h"
#include "tests/support/GameRuntime.h"

namespace game::club {

namespace {

using runtime::jint;
using Ints = std::vector<jint>;

constexpr jint kRatedUserTeam = 1;
constexpr jint kSlot = 3;
constexpr jint kPlayer = 7;
constexpr std::array<jint, 8> kRatedSkills = {40, 80, 60, 30, 50, 45, 70, 73};
constexpr jint kY = 190;
constexpr jint kX = 85;

// Skills 40, 80, 60, 30, 50, 45, 70, 73 with Y 190, X 85 and nibble 5, worked by hand:
// 8 s1; 9 t = (40 x 220) / 100 = 88, (88 + 80 + 50) / 3 = 72; 10 (30 x 3 + 140 + 190) / 6 = 70;
// 11 60 + 15; 12 (135 + 80) >> 2 = 53; 13 (20 + 40 + 11) >> 1 = 35; 14 (53 + 20) >> 1 = 36;
// 15 s7; 16 (60 + 70 - 85 + 150) / 3 = 65; 17 160 / 3 = 53; 18 50 + 3; 19 15 + 20; 20 270 / 7;
// 21 26 + 11.
const Ints kGoalkeeper = {40, 80, 60, 30, 50, 45, 70, 73, 80, 72, 70,
                          75, 53, 35, 36, 73, 65, 53, 53, 35, 38, 37};
// The same as an outfield player: 8 (120 + 90 + 50) / 6 = 43; 10 0; 11 (270 + 40 + 70) >> 3 = 47;
// 12 (135 + max(40, 80)) >> 2 = 53; 13 and 14 not halved.
const Ints kOutfield = {40, 80, 60, 30, 50, 45, 70, 73, 43, 72, 0,
                        47, 53, 71, 73, 73, 65, 53, 53, 35, 38, 37};

class RatingRecordTest : public testing_support::GameRuntimeTest {
protected:
    void SetUp() override {
        GameRuntimeTest::SetUp();
        GameStatics* s = statics();
        s->userTeam = kRatedUserTeam;
        s->teamRecords = runtime::newByteArray(2 * 64);
        for (jint i = 0; i < 2 * 64; ++i) {
            (*s->teamRecords)[i] = -1;
        }
        (*s->teamRecords)[64 + 2 * kSlot] = 0;
        (*s->teamRecords)[64 + 2 * kSlot + 1] = kPlayer;
        s->playerRecords = runtime::newByteArray(8 * 37);
        for (jint i = 0; i < 8; ++i) {
            // The top bit of a skill byte is not part of the skill.
            (*s->playerRecords)[37 * kPlayer + 4 + i] =
                runtime::i2b(kRatedSkills[static_cast<std::size_t>(i)] | (i % 2) << 7);
        }
        setNibble(0x35);
        s->playerInfoRecords = runtime::newByteArray(8 * 28);
        setInfo(1, kY, kX);
    }
    void setNibble(const jint value) const {
        (*statics()->playerRecords)[37 * kPlayer + 14] = runtime::i2b(value);
    }
    void setInfo(const jint mask, const jint y, const jint x) const {
        runtime::ByteArray* info = statics()->playerInfoRecords;
        for (jint i = 0; i < 4; ++i) {
            (*info)[28 * kPlayer + 11 + i] = runtime::i2b(mask >> (24 - 8 * i));
        }
        (*info)[28 * kPlayer + 24] = runtime::i2b(y);
        (*info)[28 * kPlayer + 25] = runtime::i2b(x);
    }
    static Ints bytes(const runtime::ByteArray* record) {
        return Ints(record->data(), record->data() + record->length);
    }
};

TEST_F(RatingRecordTest, ADatabaseGoalkeeperAndOutfieldPlayer) {
    EXPECT_EQ(bytes(buildRatingRecord(kSlot, -1)), kGoalkeeper);
    setInfo(2, kY, kX);
    EXPECT_EQ(bytes(buildRatingRecord(kSlot, -1)), kOutfield);
    // Any mask but exactly 1 is an outfield player.
    setInfo(3, kY, kX);
    EXPECT_EQ(bytes(buildRatingRecord(kSlot, -1)), kOutfield);
}

TEST_F(RatingRecordTest, AMatchSideReadsItsOwnRecordThirtyOnForSideOne) {
    GameStatics* s = statics();
    const jint pos = 4;
    const jint a = 9;
    (*static_cast<runtime::ByteArray*>((*s->lineup)[1]))[pos] = a;
    (*static_cast<runtime::ByteArray*>((*s->squadSlotOfPlayer)[1]))[a] = kSlot;
    // Record 30 + a holds the skills at the attribute offsets {2, 3, 0, 14, 15, 1, 16, 17}, the
    // mask at 8-11, Y at 20 and X at 21; record a (side 0's) holds other values.
    runtime::ByteArray* records = s->listRowRecords;
    const jint offsets[] = {2, 3, 0, 14, 15, 1, 16, 17};
    for (const jint record : {a, 30 + a}) {
        const bool mine = record == 30 + a;
        for (jint i = 0; i < 8; ++i) {
            (*records)[22 * record + offsets[i]] =
                runtime::i2b(mine ? kRatedSkills[static_cast<std::size_t>(i)] : 99);
        }
        (*records)[22 * record + 11] = runtime::i2b(mine ? 1 : 4);
        (*records)[22 * record + 20] = runtime::i2b(mine ? kY : 170);
        (*records)[22 * record + 21] = runtime::i2b(mine ? kX : 60);
    }
    setInfo(2, 0, 0); // the database's mask, Y and X are not read
    EXPECT_EQ(bytes(buildRatingRecord(pos, 1)), kGoalkeeper);
    (*records)[22 * (30 + a) + 11] = 2;
    EXPECT_EQ(bytes(buildRatingRecord(pos, 1)), kOutfield);
}

TEST_F(RatingRecordTest, Byte18PutsTheNibbleInPlaceOfTheTensDigitAndTenGives99) {
    const struct {
        jint nibbleByte;
        jint rating;
    } cases[] = {
        {0x00, 3},
        {0x05, 53},
        {0xF9, 93},
        {0x0A, 99},
        {0x3A, 99},
        {0x0B, 113},
        {0x0F, static_cast<runtime::jbyte>(153)},
    };
    for (const auto& c : cases) {
        setNibble(c.nibbleByte);
        EXPECT_EQ((*buildRatingRecord(kSlot, -1))[18], c.rating) << c.nibbleByte;
    }
}

TEST_F(RatingRecordTest, WhatCannotBeFoundGivesAnEmptyRecord) {
    GameStatics* s = statics();
    const Ints empty(22, 0);
    EXPECT_EQ(bytes(buildRatingRecord(kSlot + 1, -1)), empty) << "an empty slot";
    EXPECT_EQ(bytes(buildRatingRecord(30, -1)), empty);
    EXPECT_EQ(bytes(buildRatingRecord(0, 2)), empty);
    EXPECT_EQ(bytes(buildRatingRecord(30, 0)), empty) << "no line-up position 30";
    (*static_cast<runtime::ByteArray*>((*s->lineup)[0]))[0] = 40;
    EXPECT_EQ(bytes(buildRatingRecord(0, 0)), empty) << "no player index 40";
    s->userTeam = -1;
    EXPECT_EQ(bytes(buildRatingRecord(kSlot, -1)), empty);
    EXPECT_EQ(log.count("buildRatingRecord: player -1 has no record"), 1);
    EXPECT_EQ(log.count("buildRatingRecord: no match side 2"), 1);
}

} // namespace
} // namespace game::club
