// The saved-game record's layout, its packing and its unpacking (see SaveRecord.h).
#include "game/season/SaveRecord.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "runtime/Log.h"

namespace game::season {

namespace {

using G = GameStatics;
using E = SaveEncoding;

// Byte 0 keeps the month above the week field.
constexpr jint kMonthShift = 3;
// Byte 8 holds the year counted from 2009: 2009 + 39 is a multiple of 256.
constexpr jint kYearBias = 39;
constexpr jint kByteMask = 0xFF;
constexpr jint kNibbleMask = 0x0F;
constexpr jint kDayMask = 7;
constexpr jint kLastMonth = 11;
constexpr jint kBaseYear = 2009;

// Byte 11: the early national-cup flags, the country pair and the per-kind table flags.
constexpr FlagBits kOptionBits{{{&G::earlyCupFlag0, 0, false},
                                {&G::earlyCupFlag1, 1, false},
                                {&G::earlyCupFlag2, 2, false},
                                {&G::inCountryPair, 3, false},
                                {&G::roundFlagContinental, 4, false},
                                {&G::roundFlagLeague, 5, false},
                                {&G::roundFlagCup, 6, false}},
                               7};
// Byte 5734: two flags stored as 1 and 16 while they are clear.
constexpr FlagBits kPromotionBits{{{&G::promotionVisited, 0, true}, {&G::promotionFlag2, 4, true}}, 2};

const SaveRecordRow kLayout[] = {
    {"calendar", 0, 1, E::calendarByte, {}},
    {"userLeague", 1, 1, E::lowByte, &G::userLeague},
    {"userCompetitionSlot", 2, 1, E::lowByte, &G::userCompetitionSlot},
    {"leagueStarted", 3, 1, E::lowByte, &G::leagueStarted},
    {"userTeam", 4, 2, E::shortBE, &G::userTeam},
    {"dayStarted", 6, 1, E::flag, &G::dayStarted},
    {"cupEntryFlag", 7, 1, E::flag, &G::cupEntryFlag},
    {"seasonYear", 8, 1, E::yearByte, &G::seasonYear},
    {"unused", 9, 1, E::unused, {}},
    {"competitionEntryByte", 10, 1, E::lowByte, &G::competitionEntryByte},
    {"optionBits", 11, 1, E::flagBits, kOptionBits},
    {"userInCup", 12, 1, E::flag, &G::userInCup},
    {"currentRound", 13, 1, E::lowByte, &G::currentRound},
    {"fixtureTable", 14, 192, E::shortTableBE, &G::fixtureTable},
    {"leagueTeamOrder", 206, 520, E::shortTableBE, &G::leagueTeamOrder},
    {"layoutRows", 726, 320, E::shortTableBE, &G::layoutRows},
    {"cupResults", 1046, 320, E::shortTableBE, &G::cupResults},
    {"countryPairTeams", 1366, 32, E::shortTableBE, &G::countryPairTeams},
    {"savedByteBlock", 1398, 5, E::byteTable, &G::savedByteBlock},
    {"cupRoundPairsA", 1403, 12, E::shortTableBE, &G::cupRoundPairsA},
    {"cupRoundPairsB", 1415, 4, E::shortTableBE, &G::cupRoundPairsB},
    {"groupTableA", 1419, 20, E::shortTableLow, &G::groupTableA},
    {"groupTableB", 1439, 32, E::shortTableLow, &G::groupTableB},
    {"groupTableC", 1471, 14, E::shortTableLow, &G::groupTableC},
    {"calendarMarks", 1485, 768, E::shortTableBE, &G::calendarMarks},
    {"matchStatistics", 2253, 18, E::shortTableBE, &G::matchStatistics},
    {"trainingLevel", 2271, 1, E::lowByte, &G::trainingLevel},
    {"clubRecordBytes", 2272, 8, E::byteTable, &G::clubRecordBytes},
    {"userRating", 2280, 2, E::shortBE, &G::userRating},
    {"userClubLevel", 2282, 1, E::lowByte, &G::userClubLevel},
    {"userLeagueExpectation", 2283, 1, E::lowByte, &G::userLeagueExpectation},
    {"userCupExpectation", 2284, 1, E::lowByte, &G::userCupExpectation},
    {"userContinentalExpectation", 2285, 1, E::lowByte, &G::userContinentalExpectation},
    {"userFundsIn", 2286, 4, E::intBE, &G::userFundsIn},
    {"userFundsOut", 2290, 4, E::intBE, &G::userFundsOut},
    {"userWageTotal", 2294, 4, E::intBE, &G::userWageTotal},
    {"competitionStateBytes", 2298, 21, E::byteTable, &G::competitionStateBytes},
    {"seasonOpeningFlag", 2319, 1, E::flag, &G::seasonOpeningFlag},
    {"ratioNumeratorIndex", 2320, 1, E::writtenOnly, &G::ratioNumeratorIndex},
    {"contractNoticeIndex", 2321, 1, E::lowByte, &G::contractNoticeIndex},
    {"seasonPositionSeries", 2322, 48, E::byteTable, &G::seasonPositionSeries},
    {"managerProfileValueA", 2370, 4, E::intBE, &G::managerProfileValueA},
    {"managerProfileValueB", 2374, 4, E::intBE, &G::managerProfileValueB},
    {"stateEntryFlag", 2378, 1, E::unsignedByte, &G::stateEntryFlag},
    {"leaguePositionHistory", 2379, 50, E::byteTable, &G::leaguePositionHistory},
    {"seasonYearOffset", 2429, 1, E::lowByte, &G::seasonYearOffset},
    {"nationalCupHistory", 2430, 50, E::byteTable, &G::nationalCupHistory},
    {"continentalCupHistory", 2480, 50, E::byteTable, &G::continentalCupHistory},
    {"otherFinalHistory", 2530, 50, E::byteTable, &G::otherFinalHistory},
    {"competitionLastResult", 2580, 3, E::byteTable, &G::competitionLastResult},
    {"competitionLastRound", 2583, 3, E::byteTable, &G::competitionLastRound},
    {"gameOverPending", 2586, 1, E::invertedFlag, &G::gameOverPending},
    {"pendingTeam", 2587, 2, E::shortBE, &G::pendingTeam},
    {"cupStatus", 2589, 4, E::byteTable, &G::cupStatus},
    {"careerHistory", 2593, 400, E::shortTableBE, &G::careerHistory},
    {"historyCount", 2993, 1, E::lowByte, &G::historyCount},
    {"teamRatings", 2994, 520, E::shortTableBE, &G::teamRatings},
    {"teamRanking", 3514, 1040, E::shortTableBE, &G::teamRanking},
    {"userBalance", 4554, 384, E::intTableBE, &G::userBalance},
    {"userFundsSummary", 4938, 384, E::intTableBE, &G::userFundsSummary},
    {"userProjection", 5322, 384, E::intTableBE, &G::userProjection},
    {"eventSearchOff", 5706, 1, E::flag, &G::eventSearchOff},
    {"progressFlags", 5707, 9, E::byteTable, &G::progressFlags},
    {"entry2Forced", 5716, 1, E::flag, &G::entry2Forced},
    {"reservedFlag", 5717, 1, E::flag, &G::reservedFlag},
    {"userTeamSetting", 5718, 1, E::lowByte, &G::userTeamSetting},
    // The second and third, and the sixth and seventh counters change places.
    {"matchCounter1", 5719, 1, E::unsignedByte, &G::matchCounter1},
    {"matchCounter3", 5720, 1, E::unsignedByte, &G::matchCounter3},
    {"matchCounter2", 5721, 1, E::unsignedByte, &G::matchCounter2},
    {"matchCounter4", 5722, 1, E::unsignedByte, &G::matchCounter4},
    {"matchCounter5", 5723, 1, E::unsignedByte, &G::matchCounter5},
    {"matchCounter7", 5724, 1, E::unsignedByte, &G::matchCounter7},
    {"matchCounter6", 5725, 1, E::unsignedByte, &G::matchCounter6},
    {"matchCounter8", 5726, 1, E::unsignedByte, &G::matchCounter8},
    {"userFundsBase", 5727, 4, E::intBE, &G::userFundsBase},
    {"competitionActive", 5731, 3, E::byteTable, &G::competitionActive},
    {"promotionFlags", 5734, 1, E::flagBits, kPromotionBits},
    {"guideStep", 5735, 1, E::lowByte, &G::guideStep},
};

void putBE(runtime::ByteArray& record, const jint offset, const jint value, const jint bytes) {
    for (jint i = 0; i < bytes; ++i) {
        record[offset + i] = static_cast<jbyte>(value >> (8 * (bytes - 1 - i)));
    }
}

// The value of an integer or flag static; 0 for a row without one.
jint scalarOf(const GameStatics* const s, const SaveField& field) {
    return std::visit(
        [s](const auto& member) -> jint {
            using M = std::decay_t<decltype(member)>;
            if constexpr (std::is_same_v<M, jint G::*> || std::is_same_v<M, jshort G::*> ||
                          std::is_same_v<M, jbyte G::*> || std::is_same_v<M, jboolean G::*>) {
                return s->*member;
            } else {
                return 0;
            }
        },
        field);
}

jint flagBitsOf(const GameStatics* const s, const FlagBits& bits) {
    jint value = 0;
    for (jint i = 0; i < bits.count; ++i) {
        const FlagBit& b = bits.bits[i];
        if ((s->*b.flag != 0) != b.inverted) {
            value |= 1 << b.bit;
        }
    }
    return value;
}

// The table's entries of the row's kind, each written as bytesPerEntry bytes.
template <typename ArrayT>
void putTable(const GameStatics* const s, runtime::ByteArray& record, const SaveRecordRow& row,
              const jint bytesPerEntry) {
    const auto* const member = std::get_if<StaticRef<ArrayT> G::*>(&row.field);
    const ArrayT* const table = member != nullptr ? (s->**member).get() : nullptr;
    const jint count = row.width / bytesPerEntry;
    if (table == nullptr || table->length < count) {
        runtime::log("packSaveRecord: %s holds %d of its %d entries", row.name,
                     table == nullptr ? 0 : table->length, count);
    }
    const jint available = table == nullptr ? 0 : std::min(count, table->length);
    for (jint i = 0; i < available; ++i) {
        putBE(record, row.offset + i * bytesPerEntry, (*table)[i], bytesPerEntry);
    }
}

void packRow(const GameStatics* const s, runtime::ByteArray& record, const SaveRecordRow& row) {
    switch (row.encoding) {
    case E::calendarByte:
        record[row.offset] = static_cast<jbyte>((s->monthIndex << kMonthShift) + s->matchDayIndex +
                                                (s->dayFixtureReady != 0 ? 0 : 1));
        return;
    case E::yearByte:
        record[row.offset] = static_cast<jbyte>((scalarOf(s, row.field) + kYearBias) & kByteMask);
        return;
    case E::unused:
        return;
    case E::lowByte:
    case E::unsignedByte:
    case E::writtenOnly:
        record[row.offset] = static_cast<jbyte>(scalarOf(s, row.field));
        return;
    case E::flag:
        record[row.offset] = scalarOf(s, row.field) != 0 ? 1 : 0;
        return;
    case E::invertedFlag:
        record[row.offset] = scalarOf(s, row.field) != 0 ? 0 : 1;
        return;
    case E::flagBits:
        record[row.offset] = static_cast<jbyte>(flagBitsOf(s, std::get<FlagBits>(row.field)));
        return;
    case E::shortBE:
        putBE(record, row.offset, scalarOf(s, row.field), 2);
        return;
    case E::intBE:
        putBE(record, row.offset, scalarOf(s, row.field), 4);
        return;
    case E::byteTable:
        putTable<runtime::ByteArray>(s, record, row, 1);
        return;
    case E::shortTableBE:
        putTable<runtime::ShortArray>(s, record, row, 2);
        return;
    case E::shortTableLow:
        putTable<runtime::ShortArray>(s, record, row, 1);
        return;
    case E::intTableBE:
        putTable<runtime::IntArray>(s, record, row, 4);
        return;
    }
}

jint getBE(const runtime::ByteArray& record, const jint offset, const jint bytes) {
    std::uint32_t value = 0;
    for (jint i = 0; i < bytes; ++i) {
        value = (value << 8) | static_cast<std::uint32_t>(record[offset + i] & kByteMask);
    }
    return static_cast<jint>(value);
}

// Stores value into an integer or flag static (narrowed to its width as Java would).
void setScalar(GameStatics* const s, const SaveField& field, const jint value) {
    std::visit(
        [s, value](const auto& member) {
            using M = std::decay_t<decltype(member)>;
            if constexpr (std::is_same_v<M, jint G::*>) {
                s->*member = value;
            } else if constexpr (std::is_same_v<M, jshort G::*>) {
                s->*member = runtime::i2s(value);
            } else if constexpr (std::is_same_v<M, jbyte G::*> || std::is_same_v<M, jboolean G::*>) {
                s->*member = runtime::i2b(value);
            }
        },
        field);
}

void setFlagBits(GameStatics* const s, const FlagBits& bits, const jint value) {
    for (jint i = 0; i < bits.count; ++i) {
        const FlagBit& b = bits.bits[i];
        s->*b.flag = b.inverted ? ((value >> b.bit) & kNibbleMask) == 0 : ((value >> b.bit) & 1) != 0;
    }
}

// The table's entries read back, each from bytesPerEntry bytes; narrow entries of wider tables
// read unsigned, 16-bit entries signed (0xFFFF is -1).
template <typename ArrayT>
void getTable(GameStatics* const s, const runtime::ByteArray& record, const SaveRecordRow& row,
              const jint bytesPerEntry) {
    const auto* const member = std::get_if<StaticRef<ArrayT> G::*>(&row.field);
    ArrayT* const table = member != nullptr ? (s->**member).get() : nullptr;
    const jint count = row.width / bytesPerEntry;
    if (table == nullptr || table->length < count) {
        runtime::log("unpackSaveRecord: %s holds %d of its %d entries", row.name,
                     table == nullptr ? 0 : table->length, count);
    }
    const jint available = table == nullptr ? 0 : std::min(count, table->length);
    for (jint i = 0; i < available; ++i) {
        const jint value = getBE(record, row.offset + i * bytesPerEntry, bytesPerEntry);
        if constexpr (std::is_same_v<ArrayT, runtime::ByteArray>) {
            (*table)[i] = runtime::i2b(value);
        } else if constexpr (std::is_same_v<ArrayT, runtime::ShortArray>) {
            (*table)[i] = runtime::i2s(value);
        } else {
            (*table)[i] = value;
        }
    }
}

void unpackRow(GameStatics* const s, const runtime::ByteArray& record, const SaveRecordRow& row) {
    const jint unsignedByte = record[row.offset] & kByteMask;
    switch (row.encoding) {
    case E::calendarByte: {
        jint month = unsignedByte >> kMonthShift;
        jint day = unsignedByte & kDayMask;
        if (month > kLastMonth) {
            // The next-day carry of the season's last day: resume on that day.
            runtime::log("unpackSaveRecord: day byte %d lies beyond month %d; loaded as month %d, day %d",
                         unsignedByte, kLastMonth, kLastMonth, kDayMask);
            month = kLastMonth;
            day = kDayMask;
        }
        s->monthIndex = month;
        s->matchDayIndex = day;
        return;
    }
    case E::yearByte:
        setScalar(s, row.field, kBaseYear + runtime::i2b(unsignedByte));
        return;
    case E::unused:
    case E::writtenOnly:
        return;
    case E::lowByte:
        setScalar(s, row.field, runtime::i2b(unsignedByte));
        return;
    case E::unsignedByte:
        setScalar(s, row.field, unsignedByte);
        return;
    case E::flag:
        setScalar(s, row.field, unsignedByte == 1 ? 1 : 0);
        return;
    case E::invertedFlag:
        setScalar(s, row.field, unsignedByte == 0 ? 1 : 0);
        return;
    case E::flagBits:
        setFlagBits(s, std::get<FlagBits>(row.field), unsignedByte);
        return;
    case E::shortBE:
        setScalar(s, row.field, runtime::i2s(getBE(record, row.offset, 2)));
        return;
    case E::intBE:
        setScalar(s, row.field, getBE(record, row.offset, 4));
        return;
    case E::byteTable:
        getTable<runtime::ByteArray>(s, record, row, 1);
        return;
    case E::shortTableBE:
        getTable<runtime::ShortArray>(s, record, row, 2);
        return;
    case E::shortTableLow:
        getTable<runtime::ShortArray>(s, record, row, 1);
        return;
    case E::intTableBE:
        getTable<runtime::IntArray>(s, record, row, 4);
        return;
    }
}

const SaveRecordRow* rowNamed(const char* const name) {
    for (const SaveRecordRow& row : kLayout) {
        if (std::strcmp(row.name, name) == 0) {
            return &row;
        }
    }
    return nullptr;
}

// A value the record gives a static, with the range it must lie in (none: -1 allowed besides).
struct RangeCheck {
    const char* row;
    jint low;
    jint high; // kTeamCountBound: below teamCount
    bool noneAllowed;
    const char* fault;
};
constexpr jint kTeamCountBound = -2;
constexpr RangeCheck kRangeChecks[] = {
    {"userTeam", 0, kTeamCountBound, true, "the user's team is not a team of the database"},
    {"userLeague", 0, 12, true, "the user's league lies outside 0..12"},
    {"userCompetitionSlot", 0, 31, true, "the user's competition slot lies outside -1..31"},
    {"userClubLevel", 0, 31, true, "the user's table place lies outside -1..31"},
    {"historyCount", 0, 99, false, "the career history count lies outside 0..99"},
    {"seasonYearOffset", 0, 49, false, "the history season count lies outside 0..49"},
    {"guideStep", 0, 9, false, "the guide step lies outside 0..9"},
};

// The value unpackRow gives the row's static.
jint scalarInRecord(const runtime::ByteArray& record, const SaveRecordRow& row) {
    switch (row.encoding) {
    case E::shortBE:
        return runtime::i2s(getBE(record, row.offset, 2));
    case E::unsignedByte:
        return record[row.offset] & kByteMask;
    default:
        return record[row.offset];
    }
}

} // namespace

std::span<const SaveRecordRow> saveRecordLayout() {
    return kLayout;
}

void packSaveRecord() {
    const GameStatics* const s = statics();
    runtime::ByteArray* const record = s->saveRecordBuffer;
    if (record == nullptr || record->length < kSaveRecordSize) {
        runtime::log("packSaveRecord: the record buffer holds %d of %d bytes; nothing packed",
                     record == nullptr ? 0 : record->length, kSaveRecordSize);
        return;
    }
    for (const SaveRecordRow& row : kLayout) {
        packRow(s, *record, row);
    }
}

void unpackSaveRecord() {
    GameStatics* const s = statics();
    runtime::ByteArray* const record = s->saveRecordBuffer;
    if (record == nullptr || record->length < kSaveRecordSize) {
        runtime::log("unpackSaveRecord: the record buffer holds %d of %d bytes; nothing unpacked",
                     record == nullptr ? 0 : record->length, kSaveRecordSize);
        return;
    }
    for (const SaveRecordRow& row : kLayout) {
        unpackRow(s, *record, row);
    }
    s->ratioDenominatorIndex = 0;
}

const char* saveRecordFault(const runtime::ByteArray& record) {
    if (record.length < kSaveRecordSize) {
        return "the record is shorter than the saved game";
    }
    for (const RangeCheck& check : kRangeChecks) {
        const SaveRecordRow* const row = rowNamed(check.row);
        const jint value = scalarInRecord(record, *row);
        const jint high = check.high == kTeamCountBound ? statics()->teamCount - 1 : check.high;
        if (!(check.noneAllowed && value == -1) && (value < check.low || value > high)) {
            return check.fault;
        }
    }
    return nullptr;
}

} // namespace game::season
