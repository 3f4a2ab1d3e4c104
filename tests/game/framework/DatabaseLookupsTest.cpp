// Database name decoding and look-ups, and the big-endian write buffer.
#include "game/framework/DatabaseLookups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/framework/GameStatics.h"
#include "runtime/Exceptions.h"
#include "runtime/Throwable.h"
#include "tests/support/GameRuntime.h"
#include "tests/support/RuntimeValues.h"

namespace game::framework {
namespace {

using runtime::jint;
using Bytes = std::vector<std::uint8_t>;

class DatabaseLookupsTest : public testing_support::GameRuntimeTest {
protected:
    // The class of the pending exception (0 when none); clears it.
    jint takePending() {
        runtime::Object* pending = application.pendingException;
        application.pendingException = nullptr;
        return pending != nullptr ? pending->classId : 0;
    }
    static std::u16string units(runtime::String* text) {
        return text == nullptr ? u"<null>" : std::u16string(text->chars, text->chars + text->length());
    }
};

TEST_F(DatabaseLookupsTest, DecodesTheThreeFormsOfStoredNames) {
    struct Case {
        Bytes bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {{'a', 'b', 'c'}, u"abc"},
        {{0xC3, 0xA9}, u"\u00E9"},
        // The three-byte form keeps the high bits in its last byte.
        {{0xEC, 0x82, 0x02}, u"\u20AC"},
        {{'x', 0xC3, 0xA9, 0xEC, 0x82, 0x02, 'y'}, u"x\u00E9\u20ACy"},
        {{}, u""},
    };
    for (const Case& c : cases) {
        runtime::ByteArray* data = testing_support::byteArrayOf(c.bytes);
        EXPECT_EQ(units(decodeName(data, 0, data->length)), c.text);
        EXPECT_EQ(takePending(), 0);
    }
}

TEST_F(DatabaseLookupsTest, ANameRunningOutsideItsArrayIsRaisedNotRead) {
    struct Case {
        Bytes bytes;
        jint offset;
        jint length;
    };
    const Case cases[] = {
        {{'a', 'b'}, 1, 2},   // past the end
        {{'a', 'b'}, -1, 1},  // before the start
        {{'a', 0xC3}, 0, 2},  // a two-byte form cut by the end
        {{0xEC, 0xAA}, 0, 2}, // a three-byte form cut by the end
        {{'a'}, 5, 1},
    };
    for (const Case& c : cases) {
        runtime::ByteArray* data = testing_support::byteArrayOf(c.bytes);
        EXPECT_EQ(decodeName(data, c.offset, c.length), nullptr);
        EXPECT_EQ(takePending(), runtime::kArrayIndexOutOfBoundsException);
    }
    EXPECT_EQ(decodeName(nullptr, 0, 1), nullptr);
    EXPECT_EQ(takePending(), runtime::kNullPointerException);
}

TEST_F(DatabaseLookupsTest, NamesAreFoundThroughTheirReferencesAndBadOnesGiveTheEmptyText) {
    GameStatics* s = statics();
    s->nameBytes = testing_support::byteArrayOf(Bytes{'L', 'e', 'a', 'g', 'u', 'e', 'T', 'e', 'a', 'm',
                                                      'P', 'l', 'a', 'y', 'e', 'r', 'L', 'a', 'n', 'd'});
    // League 0's entry and team 0's reference (at 65), then one more team with a reference past
    // the name bytes.
    Bytes teams(65 + 27 * 2, 0);
    teams[0] = 0, teams[1] = 0, teams[2] = 6;
    teams[65] = 0, teams[66] = 6, teams[67] = 4;
    teams[92] = 0, teams[93] = 30, teams[94] = 4;
    s->teamInfoRecords = testing_support::byteArrayOf(teams);
    Bytes players(28, 0);
    players[0] = 0, players[1] = 10, players[2] = 6;
    players[3] = 0, players[4] = 16, players[5] = 4;
    s->playerInfoRecords = testing_support::byteArrayOf(players);
    struct Case {
        jint index;
        jint kind;
        const char* name;
    };
    const Case cases[] = {
        {0, kLeagueName, "League"},
        {0, kTeamName, "Team"},
        {0, kPlayerName, "Player"},
        {0, kNationalityName, "Land"},
        {1, kTeamName, ""}, // its bytes lie past the name bytes
        {2, kTeamName, ""}, // no such record
        {1, kPlayerName, ""},
        {-1, kTeamName, ""},
        {0, 7, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(testing_support::textOf(nameOf(c.index, c.kind)), c.name) << c.index << " kind " << c.kind;
        EXPECT_EQ(takePending(), 0);
    }
}

TEST_F(DatabaseLookupsTest, TheWriteBufferStoresBigEndianAndSkipsPositionsOutsideIt) {
    GameStatics* s = statics();
    s->writeBuffer = runtime::newByteArray(5);
    s->writePos = 0;
    writeShortBE(0x1234);
    queueByte(0x1FF);
    writeShortBE(-2);
    EXPECT_EQ(s->writePos, 5);
    EXPECT_EQ(testing_support::bytesOf(s->writeBuffer), (Bytes{0x12, 0x34, 0xFF, 0xFF, 0xFE}));
    writeShortBE(0x5555);
    EXPECT_EQ(s->writePos, 7);
    EXPECT_EQ(testing_support::bytesOf(s->writeBuffer), (Bytes{0x12, 0x34, 0xFF, 0xFF, 0xFE}));
    EXPECT_EQ(log.count("write buffer: byte 5 outside a buffer of 5"), 1);
}

} // namespace
} // namespace game::framework
