// The three-byte table reset and the 32-bit writer.
#include "game/sprites/SharedRoutines.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/core/GameStatics.h"
#include "tests/support/GameRuntime.h"
#include "tests/support/RuntimeValues.h"

namespace game::sprites {
namespace {

using Bytes = std::vector<std::uint8_t>;

class SharedRoutinesTest : public testing_support::GameRuntimeTest {};

TEST_F(SharedRoutinesTest, TheThreeByteTableIsMadeOnceAndEveryEntryMarkedUnused) {
    GameStatics* s = statics();
    s->tripletCount = 4;
    clearThreeByteTable();
    ASSERT_NE(s->tripletTable.get(), nullptr);
    EXPECT_EQ(testing_support::bytesOf(s->tripletTable), Bytes(12, 0xFF));
    // An existing table keeps its size (and its object) whatever the count says now.
    runtime::ByteArray* table = s->tripletTable;
    (*table)[3] = 7;
    s->tripletCount = 9;
    clearThreeByteTable();
    EXPECT_EQ(s->tripletTable.get(), table);
    EXPECT_EQ(testing_support::bytesOf(table), Bytes(12, 0xFF));
}

TEST_F(SharedRoutinesTest, IntsAreWrittenMostSignificantByteFirst) {
    struct Case {
        runtime::jint value;
        Bytes bytes;
    };
    const Case cases[] = {
        {0x01020304, {1, 2, 3, 4}},
        {-1, {0xFF, 0xFF, 0xFF, 0xFF}},
        {static_cast<runtime::jint>(0x80000000u), {0x80, 0, 0, 0}},
        {255, {0, 0, 0, 0xFF}},
    };
    GameStatics* s = statics();
    for (const Case& c : cases) {
        s->writeBuffer = runtime::newByteArray(6);
        s->writePos = 1;
        writeIntBigEndian(c.value);
        EXPECT_EQ(s->writePos, 5);
        Bytes expected = {0};
        expected.insert(expected.end(), c.bytes.begin(), c.bytes.end());
        expected.push_back(0);
        EXPECT_EQ(testing_support::bytesOf(s->writeBuffer), expected);
    }
}

TEST_F(SharedRoutinesTest, AnIntReachingPastTheBufferWritesOnlyWhatFits) {
    GameStatics* s = statics();
    s->writeBuffer = runtime::newByteArray(3);
    s->writePos = 1;
    writeIntBigEndian(0x0A0B0C0D);
    EXPECT_EQ(testing_support::bytesOf(s->writeBuffer), (Bytes{0, 0x0A, 0x0B}));
    EXPECT_EQ(s->writePos, 5);
    EXPECT_EQ(log.count("write buffer: byte 3 outside a buffer of 3"), 1);
    EXPECT_EQ(log.count("write buffer: byte 4 outside a buffer of 3"), 1);
}

} // namespace
} // namespace game::sprites
