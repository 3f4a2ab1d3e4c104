// The saved-game record's layout and its packing (see SaveRecord.h).
#include "game/season/SaveRecord.h"

#include <algorithm>
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
    {"ratioNumeratorIndex", 2320, 1, E::lowByte, &G::ratioNumeratorIndex},
    {"contractNoticeIndex", 2321, 1, E::lowByte, &G::contractNoticeIndex},
    {"seasonPositionSeries", 2322, 48, E::byteTable, &G::seasonPositionSeries},
    {"managerProfileValueA", 2370, 4, E::intBE, &G::managerProfileValueA},
    {"managerProfileValueB", 2374, 4, E::intBE, &G::managerProfileValueB},
    {"stateEntryFlag", 2378, 1, E::lowByte, &G::stateEntryFlag},
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
    {"matchCounter1", 5719, 1, E::lowByte, &G::matchCounter1},
    {"matchCounter3", 5720, 1, E::lowByte, &G::matchCounter3},
    {"matchCounter2", 5721, 1, E::lowByte, &G::matchCounter2},
    {"matchCounter4", 5722, 1, E::lowByte, &G::matchCounter4},
    {"matchCounter5", 5723, 1, E::lowByte, &G::matchCounter5},
    {"matchCounter7", 5724, 1, E::lowByte, &G::matchCounter7},
    {"matchCounter6", 5725, 1, E::lowByte, &G::matchCounter6},
    {"matchCounter8", 5726, 1, E::lowByte, &G::matchCounter8},
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

} // namespace game::season
