// The saved-game record's packing: the layout covers the 5,736 bytes exactly, every static lands
// at its offset in its encoding (low-byte truncation, the year byte, the swapped counters, the
// inverted flags, the week carry of byte 0), byte 9 stays 0, and a missing or short buffer is
// refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "game/season/SaveRecord.h"
#include "tests/runtime/LogCapture.h"
#include "tests/support/GameRuntime.h"

namespace game::season {

namespace {

using runtime::jbyte;

class SaveRecordTest : public testing_support::GameRuntimeTest {
protected:
    void SetUp() override {
        GameRuntimeTest::SetUp();
        GameStatics* const s = statics();
        s->savedByteBlock = runtime::newByteArray(5);
        s->competitionLastResult = runtime::newByteArray(3);
        s->competitionLastRound = runtime::newByteArray(3);
        s->competitionActive = runtime::newByteArray(3);
        s->saveRecordBuffer = runtime::newByteArray(kSaveRecordSize);
    }
    jint byteAt(const jint offset) const { return (*statics()->saveRecordBuffer)[offset] & 0xFF; }
    jint shortAt(const jint offset) const {
        return static_cast<jshort>((byteAt(offset) << 8) | byteAt(offset + 1));
    }
    jint intAt(const jint offset) const {
        return static_cast<jint>((static_cast<unsigned>(byteAt(offset)) << 24) | (byteAt(offset + 1) << 16) |
                                 (byteAt(offset + 2) << 8) | byteAt(offset + 3));
    }
    void fillBuffer(const jint value) const {
        runtime::ByteArray* const record = statics()->saveRecordBuffer;
        std::fill_n(record->data(), record->length, static_cast<jbyte>(value));
    }
};

TEST_F(SaveRecordTest, LayoutCoversTheRecordWithoutGapOrOverlap) {
    std::vector<SaveRecordRow> rows(saveRecordLayout().begin(), saveRecordLayout().end());
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.offset < b.offset; });
    jint next = 0;
    for (const SaveRecordRow& row : rows) {
        EXPECT_EQ(row.offset, next) << row.name;
        EXPECT_GT(row.width, 0) << row.name;
        next = row.offset + row.width;
    }
    EXPECT_EQ(next, kSaveRecordSize);
}

// Each scalar static set to a value, and the bytes it gives at its offset.
struct ScalarCase {
    const char* name;
    std::function<void(GameStatics*)> set;
    jint offset;
    std::vector<jint> bytes;
};

TEST_F(SaveRecordTest, ScalarsLandAtTheirOffsetsInTheirEncodings) {
    const std::vector<ScalarCase> cases = {
        {"userLeague", [](GameStatics* s) { s->userLeague = 11; }, 1, {11}},
        {"userCompetitionSlot none", [](GameStatics* s) { s->userCompetitionSlot = -1; }, 2, {0xFF}},
        {"leagueStarted", [](GameStatics* s) { s->leagueStarted = 3; }, 3, {3}},
        {"userTeam", [](GameStatics* s) { s->userTeam = 0x1234; }, 4, {0x12, 0x34}},
        {"dayStarted", [](GameStatics* s) { s->dayStarted = 1; }, 6, {1}},
        {"cupEntryFlag", [](GameStatics* s) { s->cupEntryFlag = 1; }, 7, {1}},
        {"year 2009", [](GameStatics* s) { s->seasonYear = 2009; }, 8, {0}},
        {"year 2264", [](GameStatics* s) { s->seasonYear = 2264; }, 8, {255}},
        {"year 2136", [](GameStatics* s) { s->seasonYear = 2136; }, 8, {127}},
        {"competitionEntryByte", [](GameStatics* s) { s->competitionEntryByte = -2; }, 10, {0xFE}},
        {"early cup flag 1 and table flag of the cup",
         [](GameStatics* s) {
             s->earlyCupFlag1 = 1;
             s->roundFlagCup = 1;
         },
         11,
         {0x42}},
        {"all option bits",
         [](GameStatics* s) {
             s->earlyCupFlag0 = s->earlyCupFlag1 = s->earlyCupFlag2 = 1;
             s->inCountryPair = s->roundFlagContinental = s->roundFlagLeague = s->roundFlagCup = 1;
         },
         11,
         {0x7F}},
        {"country pair and continental table flag",
         [](GameStatics* s) {
             s->inCountryPair = 1;
             s->roundFlagContinental = 1;
         },
         11,
         {0x18}},
        {"userInCup", [](GameStatics* s) { s->userInCup = 1; }, 12, {1}},
        {"currentRound 300", [](GameStatics* s) { s->currentRound = 300; }, 13, {44}},
        {"trainingLevel", [](GameStatics* s) { s->trainingLevel = 4; }, 2271, {4}},
        {"userRating", [](GameStatics* s) { s->userRating = -2; }, 2280, {0xFF, 0xFE}},
        {"userClubLevel", [](GameStatics* s) { s->userClubLevel = 17; }, 2282, {17}},
        {"userLeagueExpectation", [](GameStatics* s) { s->userLeagueExpectation = 300; }, 2283, {44}},
        {"userCupExpectation", [](GameStatics* s) { s->userCupExpectation = 5; }, 2284, {5}},
        {"userContinentalExpectation", [](GameStatics* s) { s->userContinentalExpectation = 3; }, 2285, {3}},
        {"userFundsIn", [](GameStatics* s) { s->userFundsIn = 0x01020304; }, 2286, {1, 2, 3, 4}},
        {"userFundsOut", [](GameStatics* s) { s->userFundsOut = -1; }, 2290, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"userWageTotal", [](GameStatics* s) { s->userWageTotal = 0x7F000080; }, 2294, {0x7F, 0, 0, 0x80}},
        {"seasonOpeningFlag", [](GameStatics* s) { s->seasonOpeningFlag = 1; }, 2319, {1}},
        {"ratioNumeratorIndex", [](GameStatics* s) { s->ratioNumeratorIndex = 6; }, 2320, {6}},
        {"contractNoticeIndex", [](GameStatics* s) { s->contractNoticeIndex = 258; }, 2321, {2}},
        {"managerProfileValueA",
         [](GameStatics* s) { s->managerProfileValueA = 0x0A0B0C0D; },
         2370,
         {10, 11, 12, 13}},
        {"managerProfileValueB", [](GameStatics* s) { s->managerProfileValueB = 77; }, 2374, {0, 0, 0, 77}},
        {"stateEntryFlag", [](GameStatics* s) { s->stateEntryFlag = 9; }, 2378, {9}},
        {"seasonYearOffset", [](GameStatics* s) { s->seasonYearOffset = 2; }, 2429, {2}},
        {"gameOverPending set", [](GameStatics* s) { s->gameOverPending = 1; }, 2586, {0}},
        {"gameOverPending clear", [](GameStatics* s) { s->gameOverPending = 0; }, 2586, {1}},
        {"pendingTeam", [](GameStatics* s) { s->pendingTeam = 259; }, 2587, {1, 3}},
        {"historyCount", [](GameStatics* s) { s->historyCount = 12; }, 2993, {12}},
        {"eventSearchOff", [](GameStatics* s) { s->eventSearchOff = 1; }, 5706, {1}},
        {"entry2Forced", [](GameStatics* s) { s->entry2Forced = 1; }, 5716, {1}},
        {"reservedFlag", [](GameStatics* s) { s->reservedFlag = 1; }, 5717, {1}},
        {"userTeamSetting", [](GameStatics* s) { s->userTeamSetting = 511; }, 5718, {0xFF}},
        {"counters in the order 1, 3, 2, 4, 5, 7, 6, 8",
         [](GameStatics* s) {
             s->matchCounter1 = 1;
             s->matchCounter2 = 2;
             s->matchCounter3 = 3;
             s->matchCounter4 = 4;
             s->matchCounter5 = 5;
             s->matchCounter6 = 6;
             s->matchCounter7 = 7;
             s->matchCounter8 = 264;
         },
         5719,
         {1, 3, 2, 4, 5, 7, 6, 8}},
        {"userFundsBase", [](GameStatics* s) { s->userFundsBase = 1000000; }, 5727, {0x00, 0x0F, 0x42, 0x40}},
        {"promotion flags both clear",
         [](GameStatics* s) {
             s->promotionVisited = 0;
             s->promotionFlag2 = 0;
         },
         5734,
         {17}},
        {"promotion flags: the first set", [](GameStatics* s) { s->promotionFlag2 = 0; }, 5734, {16}},
        {"promotion flags: the second set", [](GameStatics* s) { s->promotionVisited = 0; }, 5734, {1}},
        {"promotion flags both set",
         [](GameStatics* s) {
             s->promotionVisited = 1;
             s->promotionFlag2 = 1;
         },
         5734,
         {0}},
        {"guideStep", [](GameStatics* s) { s->guideStep = 7; }, 5735, {7}},
        {"calendar: month 4, week 3, day done",
         [](GameStatics* s) {
             s->monthIndex = 4;
             s->matchDayIndex = 3;
             s->dayFixtureReady = 1;
         },
         0,
         {35}},
        {"calendar: the open day counts as the next one",
         [](GameStatics* s) {
             s->monthIndex = 4;
             s->matchDayIndex = 3;
             s->dayFixtureReady = 0;
         },
         0,
         {36}},
        {"calendar: week 7 not done carries into the next month",
         [](GameStatics* s) {
             s->monthIndex = 3;
             s->matchDayIndex = 7;
             s->dayFixtureReady = 0;
         },
         0,
         {32}},
    };
    for (const ScalarCase& c : cases) {
        SCOPED_TRACE(c.name);
        GameStatics* const s = statics();
        s->dayFixtureReady = 1;
        s->promotionVisited = 1;
        s->promotionFlag2 = 1;
        s->earlyCupFlag0 = s->earlyCupFlag1 = s->earlyCupFlag2 = 0;
        s->inCountryPair = s->roundFlagContinental = s->roundFlagLeague = s->roundFlagCup = 0;
        c.set(s);
        fillBuffer(0);
        packSaveRecord();
        for (size_t i = 0; i < c.bytes.size(); ++i) {
            EXPECT_EQ(byteAt(c.offset + static_cast<jint>(i)), c.bytes[i]) << "byte " << c.offset + i;
        }
    }
}

// A pattern distinct per table and entry.
jint pattern(const jint table, const jint i) {
    return table * 1000 + i * 7 + 1;
}

TEST_F(SaveRecordTest, TablesLandEntryByEntryInTheirEncodings) {
    GameStatics* const s = statics();
    struct ShortTable {
        runtime::ShortArray* table;
        jint offset;
        jint count;
        bool lowByte;
    };
    const std::vector<ShortTable> shorts = {
        {s->fixtureTable, 14, 96, false},       {s->leagueTeamOrder, 206, 260, false},
        {s->layoutRows, 726, 160, false},       {s->cupResults, 1046, 160, false},
        {s->countryPairTeams, 1366, 16, false}, {s->cupRoundPairsA, 1403, 6, false},
        {s->cupRoundPairsB, 1415, 2, false},    {s->groupTableA, 1419, 20, true},
        {s->groupTableB, 1439, 32, true},       {s->groupTableC, 1471, 14, true},
        {s->calendarMarks, 1485, 384, false},   {s->matchStatistics, 2253, 9, false},
        {s->careerHistory, 2593, 200, false},   {s->teamRatings, 2994, 260, false},
        {s->teamRanking, 3514, 520, false},
    };
    struct ByteTable {
        runtime::ByteArray* table;
        jint offset;
        jint count;
    };
    const std::vector<ByteTable> bytes = {
        {s->savedByteBlock, 1398, 5},
        {s->clubRecordBytes, 2272, 8},
        {s->competitionStateBytes, 2298, 21},
        {s->seasonPositionSeries, 2322, 48},
        {s->leaguePositionHistory, 2379, 50},
        {s->nationalCupHistory, 2430, 50},
        {s->continentalCupHistory, 2480, 50},
        {s->otherFinalHistory, 2530, 50},
        {s->competitionLastResult, 2580, 3},
        {s->competitionLastRound, 2583, 3},
        {s->cupStatus, 2589, 4},
        {s->progressFlags, 5707, 9},
        {s->competitionActive, 5731, 3},
    };
    struct IntTable {
        runtime::IntArray* table;
        jint offset;
    };
    const std::vector<IntTable> ints = {
        {s->userBalance, 4554}, {s->userFundsSummary, 4938}, {s->userProjection, 5322}};
    jint t = 0;
    for (const ShortTable& table : shorts) {
        for (jint i = 0; i < table.table->length; ++i) {
            (*table.table)[i] = static_cast<jshort>(pattern(t, i));
        }
        ++t;
    }
    for (const ByteTable& table : bytes) {
        for (jint i = 0; i < table.table->length; ++i) {
            (*table.table)[i] = static_cast<jbyte>(pattern(t, i));
        }
        ++t;
    }
    for (const IntTable& table : ints) {
        for (jint i = 0; i < 96; ++i) {
            (*table.table)[i] = pattern(t, i) * 100003;
        }
        ++t;
    }
    packSaveRecord();
    t = 0;
    for (const ShortTable& table : shorts) {
        ASSERT_EQ(table.table->length, table.count);
        for (jint i = 0; i < table.count; ++i) {
            if (table.lowByte) {
                EXPECT_EQ(byteAt(table.offset + i), pattern(t, i) & 0xFF) << table.offset;
            } else {
                EXPECT_EQ(shortAt(table.offset + 2 * i), static_cast<jshort>(pattern(t, i))) << table.offset;
            }
        }
        ++t;
    }
    for (const ByteTable& table : bytes) {
        for (jint i = 0; i < table.count; ++i) {
            EXPECT_EQ(byteAt(table.offset + i), pattern(t, i) & 0xFF) << table.offset;
        }
        ++t;
    }
    for (const IntTable& table : ints) {
        for (jint i = 0; i < 96; ++i) {
            EXPECT_EQ(intAt(table.offset + 4 * i), pattern(t, i) * 100003) << table.offset;
        }
        ++t;
    }
}

TEST_F(SaveRecordTest, ShortTableEntriesAreTruncatedToTheirLowByte) {
    (*statics()->groupTableA)[0] = 300;
    (*statics()->groupTableC)[13] = -1;
    packSaveRecord();
    EXPECT_EQ(byteAt(1419), 44);
    EXPECT_EQ(byteAt(1471 + 13), 0xFF);
}

TEST_F(SaveRecordTest, EveryByteButNineIsWrittenAndNineStaysZero) {
    fillBuffer(0);
    packSaveRecord();
    std::vector<jint> fromZero;
    for (jint i = 0; i < kSaveRecordSize; ++i) {
        fromZero.push_back(byteAt(i));
    }
    fillBuffer(0xA5);
    packSaveRecord();
    for (jint i = 0; i < kSaveRecordSize; ++i) {
        if (i == 9) {
            EXPECT_EQ(fromZero[i], 0);
            EXPECT_EQ(byteAt(i), 0xA5);
            continue;
        }
        EXPECT_EQ(byteAt(i), fromZero[i]) << "byte " << i << " is not written";
    }
}

TEST_F(SaveRecordTest, MissingOrShortBufferIsRefused) {
    statics()->userLeague = 7;
    statics()->saveRecordBuffer = runtime::newByteArray(kSaveRecordSize - 1);
    runtime::LogCapture log;
    packSaveRecord();
    EXPECT_TRUE(log.contains("packSaveRecord: the record buffer holds 5735 of 5736 bytes; nothing packed"));
    EXPECT_EQ(byteAt(1), 0);
    statics()->saveRecordBuffer = nullptr;
    packSaveRecord();
    EXPECT_TRUE(log.contains("packSaveRecord: the record buffer holds 0 of 5736 bytes; nothing packed"));
}

TEST_F(SaveRecordTest, MissingTableIsLoggedAndItsPlaceLeftAsItWas) {
    statics()->savedByteBlock = nullptr;
    (*statics()->clubRecordBytes)[0] = 9;
    fillBuffer(0x33);
    runtime::LogCapture log;
    packSaveRecord();
    EXPECT_TRUE(log.contains("packSaveRecord: savedByteBlock holds 0 of its 5 entries"));
    for (jint i = 1398; i < 1403; ++i) {
        EXPECT_EQ(byteAt(i), 0x33);
    }
    EXPECT_EQ(byteAt(2272), 9);
}

// A record every row of which holds a value other than the defaults, in the form packing gives
// it back: flags as 1, inverted flags and the promotion byte as 0 (set), every option bit set,
// the day byte without its carry.
std::vector<jint> nonDefaultRecord() {
    std::vector<jint> bytes(kSaveRecordSize);
    for (jint i = 0; i < kSaveRecordSize; ++i) {
        bytes[i] = (i * 73 + 11) & 0xFF;
    }
    for (const SaveRecordRow& row : saveRecordLayout()) {
        switch (row.encoding) {
        case SaveEncoding::flag:
            bytes[row.offset] = 1;
            break;
        case SaveEncoding::invertedFlag:
            bytes[row.offset] = 0;
            break;
        case SaveEncoding::unused:
            bytes[row.offset] = 0;
            break;
        default:
            break;
        }
    }
    bytes[0] = 5 * 8 + 3;
    bytes[11] = 0x7F;
    bytes[5734] = 0;
    bytes[2320] = 2; // written only: the static keeps its value
    bytes[4] = 0xFF; // userTeam -1: a 16-bit value read signed
    bytes[5] = 0xFF;
    return bytes;
}

TEST_F(SaveRecordTest, UnpackingThenPackingGivesBackEveryByte) {
    GameStatics* const s = statics();
    s->dayFixtureReady = 1;
    s->ratioNumeratorIndex = 2;
    s->ratioDenominatorIndex = 2;
    const std::vector<jint> record = nonDefaultRecord();
    for (jint i = 0; i < kSaveRecordSize; ++i) {
        (*s->saveRecordBuffer)[i] = static_cast<jbyte>(record[i]);
    }
    unpackSaveRecord();
    fillBuffer(0);
    packSaveRecord();
    for (const SaveRecordRow& row : saveRecordLayout()) {
        for (jint i = row.offset; i < row.offset + row.width; ++i) {
            ASSERT_EQ(byteAt(i), record[i]) << row.name << " byte " << i;
        }
    }
    EXPECT_EQ(s->userTeam, -1);
    EXPECT_EQ(s->monthIndex, 5);
    EXPECT_EQ(s->matchDayIndex, 3);
    EXPECT_EQ(s->ratioDenominatorIndex, 0) << "a load returns to the reference currency";
    EXPECT_EQ(s->promotionVisited, 1);
    EXPECT_EQ(s->promotionFlag2, 1);
    EXPECT_EQ(s->gameOverPending, 1);
}

// Values whose reading depends on the row: sign, the swapped counters, the nibbles of byte 5734,
// the 0xFFFF entries, the widened group tables and the day carry.
TEST_F(SaveRecordTest, UnpackingReadsEachEncodingAsItsRowSays) {
    GameStatics* const s = statics();
    runtime::ByteArray& record = *s->saveRecordBuffer;
    fillBuffer(0);
    record[0] = 96; // month 11, day 7 with the next-day carry
    record[8] = static_cast<jbyte>(0xFE);
    record[2] = static_cast<jbyte>(0xFF);
    record[2378] = static_cast<jbyte>(0xC8);
    record[5719] = static_cast<jbyte>(0xC8);
    record[5720] = 3; // matchCounter3
    record[5721] = 2; // matchCounter2
    record[5734] = 0x10;
    record[2586] = 1;
    record[14] = static_cast<jbyte>(0xFF);
    record[15] = static_cast<jbyte>(0xFF);
    record[1419] = static_cast<jbyte>(0xF0);
    record[2320] = 2;
    s->ratioNumeratorIndex = 1;
    runtime::LogCapture log;
    unpackSaveRecord();
    EXPECT_EQ(s->monthIndex, 11);
    EXPECT_EQ(s->matchDayIndex, 7);
    EXPECT_TRUE(
        log.contains("unpackSaveRecord: day byte 96 lies beyond month 11; loaded as month 11, day 7"));
    EXPECT_EQ(s->seasonYear, 2007);
    EXPECT_EQ(s->userCompetitionSlot, -1);
    EXPECT_EQ(s->matchCounter1, 200);
    EXPECT_EQ(s->matchCounter2, 2);
    EXPECT_EQ(s->matchCounter3, 3);
    EXPECT_EQ(s->promotionVisited, 1);
    EXPECT_EQ(s->promotionFlag2, 0);
    EXPECT_EQ(s->gameOverPending, 0);
    EXPECT_EQ((*s->fixtureTable)[0], -1);
    EXPECT_EQ((*s->groupTableA)[0], 0xF0);
    EXPECT_EQ(s->ratioNumeratorIndex, 1) << "byte 2320 is not read";
}

TEST_F(SaveRecordTest, UnpackingAMissingOrShortBufferChangesNothing) {
    GameStatics* const s = statics();
    s->userTeam = 7;
    s->saveRecordBuffer = runtime::newByteArray(kSaveRecordSize - 1);
    runtime::LogCapture log;
    unpackSaveRecord();
    EXPECT_EQ(s->userTeam, 7);
    EXPECT_TRUE(
        log.contains("unpackSaveRecord: the record buffer holds 5735 of 5736 bytes; nothing unpacked"));
}

// Values that would index outside their tables make the record unloadable; the edges load.
TEST_F(SaveRecordTest, ValuesOutsideTheirTablesMakeTheRecordUnloadable) {
    struct Case {
        const char* name;
        jint offset;
        std::vector<jint> bytes;
        bool loads;
    };
    statics()->teamCount = 260;
    const std::vector<Case> cases = {
        {"no user team", 4, {0xFF, 0xFF}, true},
        {"last team", 4, {0x01, 0x03}, true},
        {"team 260", 4, {0x01, 0x04}, false},
        {"team 300", 4, {0x01, 0x2C}, false},
        {"team -2", 4, {0xFF, 0xFE}, false},
        {"league 12", 1, {12}, true},
        {"league 13", 1, {13}, false},
        {"league -1", 1, {0xFF}, true},
        {"competition slot 31", 2, {31}, true},
        {"competition slot 32", 2, {32}, false},
        {"competition slot -2", 2, {0xFE}, false},
        {"table place 32", 2282, {32}, false},
        {"table place -1", 2282, {0xFF}, true},
        {"history count 99", 2993, {99}, true},
        {"history count 100", 2993, {100}, false},
        {"history count -1", 2993, {0xFF}, false},
        {"history seasons 49", 2429, {49}, true},
        {"history seasons 50", 2429, {50}, false},
        {"guide step 9", 5735, {9}, true},
        {"guide step 10", 5735, {10}, false},
        {"guide step -1", 5735, {0xFF}, false},
    };
    for (const Case& c : cases) {
        fillBuffer(0);
        for (std::size_t i = 0; i < c.bytes.size(); ++i) {
            (*statics()->saveRecordBuffer)[c.offset + static_cast<jint>(i)] = static_cast<jbyte>(c.bytes[i]);
        }
        EXPECT_EQ(saveRecordFault(*statics()->saveRecordBuffer) == nullptr, c.loads) << c.name;
    }
}

} // namespace
} // namespace game::season
