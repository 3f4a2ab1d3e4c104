// Name decoding, name look-ups and the big-endian write buffer.
#include "game/club/DatabaseLookups.h"

#include "game/club/DatabaseFormat.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/services/ClubServices.h"
#include "game/season/LeagueTables.h"
#include "game/season/SeasonLookups.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace game::club {

using namespace game::season;
using namespace game::core;

using runtime::ByteArray;
using runtime::String;

namespace {

constexpr jint kNameBufferCapacity = 16;
constexpr jint kEmptyTextConstant = 1;
constexpr jint kByteMask = 0xFF;
constexpr jint kOneByteLimit = 0x80;
constexpr jint kTwoByteLimit = 0xE0;
constexpr jint kTwoByteLeadBits = 0x1F;
constexpr jint kContinuationBits = 0x3F;
constexpr jint kCharMask = 0xFFFF;

// Staff records of extraNameTable: 10 bytes each, their names from byte 200 on.
constexpr jint kStaffRecordBytes = 10;
constexpr jint kStaffNameBase = 200;
// Bytes 17-26 of a team's 27-byte record: five big-endian values.
constexpr jint kTeamRecordValuesBase = kTeamNameBase + 17;
constexpr jint kTeamRecordValueCount = 5;
// Team records: 30 big-endian squad slots, then two more values; the signed one at byte 62.
constexpr jint kTeamRecordValueOffset = 62;
constexpr jint kEmptySlot = -1;
constexpr jint kFlaggedSlot = 0x8000;
// Player record fields read whole: the wage and the market value.
constexpr jint kWageOffset = 2;
constexpr jint kMarketValueOffset = 33;
// The keyed three-byte table: a big-endian key, then one byte; key -1 ends the used part.
constexpr jint kKeyedEntryBytes = 3;
constexpr jint kKeyedTableEnd = -1;
// Match records (kMatchRecordBytes each): byte 12 names a squad slot of the user's team.
constexpr jint kMatchRecordSlot = 12;
constexpr jint kNoPlayer = -1;
constexpr jint kNoClubShort = -1;
constexpr jint kNoClubUnsigned = 0xFFFF;
// Countries 0-4 play in two divisions (leagues 2c and 2c + 1), countries 5-7 in one (league c + 5).
constexpr jint kTwoDivisionCountries = 5;
constexpr jint kCountryCount = 8;
constexpr jint kSingleDivisionLeagueOffset = 5;

void raiseOutside(const jint index) {
    runtime::throwException(runtime::newArrayIndexOutOfBoundsException(index));
}

// The unsigned big-endian 16-bit value at offset of table.
jint unsignedShortAt(ByteArray* const table, const jint offset) {
    return (((*table)[offset] & kByteMask) << 8) | ((*table)[offset + 1] & kByteMask);
}

// Where kind's name reference of index lies in its directory, and which directory; null when
// the kind is unknown.
ByteArray* nameDirectory(const jint index, const jint kind, jint& reference) {
    GameStatics* s = statics();
    switch (kind) {
    case kTeamName:
        reference = kTeamNameBase + kTeamStride * index;
        return s->teamInfoRecords;
    case kPlayerName:
        reference = kPlayerInfoBytes * index + kPlayerNameOffset;
        return s->playerInfoRecords;
    case kLeagueName:
        reference = kLeagueEntryBytes * index + kLeagueNameOffset;
        return s->teamInfoRecords;
    case kNationalityName:
        reference = kPlayerInfoBytes * index + kPlayerNationalityOffset;
        return s->playerInfoRecords;
    default:
        return nullptr;
    }
}

// The offset of record index (stride bytes each, from base) when size bytes of it lie inside
// table; -1 otherwise (no table, a negative index, or one past the end).
jint recordOffset(const runtime::Array* const table, const jint index, const jint stride, const jint base,
                  const jint size) {
    if (table == nullptr || index < 0) {
        return -1;
    }
    const runtime::jlong offset = static_cast<runtime::jlong>(stride) * index + base;
    if (offset + size > table->length) {
        return -1;
    }
    return static_cast<jint>(offset);
}

// The signed big-endian 16-bit value at byte at of record index (stride bytes each) of table; 0,
// logged for routine what, when the record lies outside (kind names the records in the log).
jint recordShortOrZero(ByteArray* const table, const jint index, const jint stride, const jint at,
                       const char* const what, const char* const kind) {
    const jint offset = recordOffset(table, index, stride, at, 2);
    if (offset < 0) {
        runtime::log("%s: %s %d lies outside the %s records", what, kind, index, kind);
        return 0;
    }
    return readShortBE(table, offset);
}

// Decodes length name bytes from offset of data; constant string 1 when they reach outside it.
String* nameOrEmpty(ByteArray* const data, const jint offset, const jint length) {
    String* name = decodeName(data, offset, length);
    if (runtime::catchException(runtime::kException) != 0 || name == nullptr) {
        return runtime::getConstantString(kEmptyTextConstant);
    }
    return name;
}

} // namespace

String* decodeName(ByteArray* const data, const jint offset, const jint length) {
    if (data == nullptr) {
        runtime::throwException(runtime::newObject<runtime::java_lang_NullPointerException>());
        return nullptr;
    }
    if (length > 0 && offset < 0) {
        raiseOutside(offset);
        return nullptr;
    }
    auto* buffer = runtime::newObject<runtime::StringBuffer>();
    buffer->init(kNameBufferCapacity);
    jint i = 0;
    while (i < length) {
        if (offset + i >= data->length) {
            raiseOutside(offset + i);
            return nullptr;
        }
        const jint b0 = (*data)[offset + i] & kByteMask;
        const jint size = b0 < kOneByteLimit ? 1 : b0 < kTwoByteLimit ? 2 : 3;
        const jint last = offset + i + size - 1;
        if (last >= data->length) {
            raiseOutside(last);
            return nullptr;
        }
        if (size == 1) {
            buffer->appendChar(static_cast<runtime::jchar>(b0));
        } else if (size == 2) {
            const jint b1 = (*data)[offset + i + 1];
            buffer->appendChar(
                static_cast<runtime::jchar>(((b0 & kTwoByteLeadBits) << 6) | (b1 & kContinuationBits)));
        } else {
            const jint b1 = (*data)[offset + i + 1];
            // b2 is signed: only its low four bits reach the character.
            const jint b2 = (*data)[offset + i + 2] & kByteMask;
            buffer->appendChar(static_cast<runtime::jchar>(
                ((b2 << 12) | ((b1 & kContinuationBits) << 6) | (b0 & kContinuationBits)) & kCharMask));
        }
        i += size;
    }
    return buffer->toString();
}

String* nameOf(const jint index, const jint kind) {
    jint reference = 0;
    ByteArray* directory = nameDirectory(index, kind, reference);
    if (directory == nullptr || index < 0 || reference < 0 ||
        reference > directory->length - kNameReferenceBytes) {
        return runtime::getConstantString(kEmptyTextConstant);
    }
    const jint offset = unsignedShortAt(directory, reference);
    const jint length = (*directory)[reference + 2] & kByteMask;
    return nameOrEmpty(statics()->nameBytes, offset, length);
}

String* extraName(const jint index) {
    ByteArray* const table = statics()->extraNameTable;
    const jint entry = recordOffset(table, index, kStaffRecordBytes, 0, kNameReferenceBytes);
    if (entry < 0) {
        return runtime::getConstantString(kEmptyTextConstant);
    }
    const jint offset = unsignedShortAt(table, entry) + kStaffNameBase;
    const jint length = (*table)[entry + 2] & kByteMask;
    return nameOrEmpty(table, offset, length);
}

runtime::ShortArray* nameRecordValues(const jint index) {
    runtime::ShortArray* values = runtime::newShortArray(kTeamRecordValueCount);
    ByteArray* const table = statics()->teamInfoRecords;
    const jint offset =
        recordOffset(table, index, kTeamStride, kTeamRecordValuesBase, 2 * kTeamRecordValueCount);
    if (offset < 0) {
        runtime::log("nameRecordValues: team %d lies outside the team information", index);
        return values;
    }
    for (jint i = 0; i < kTeamRecordValueCount; ++i) {
        (*values)[i] = runtime::i2s(readShortBE(table, offset + 2 * i));
    }
    return values;
}

jint teamRecordValue(const jint team) {
    return recordShortOrZero(statics()->teamRecords, team, kTeamRecordBytes, kTeamRecordValueOffset,
                             "teamRecordValue", "team");
}

jint countSquad(const jint team) {
    ByteArray* const records = statics()->teamRecords;
    const jint offset = recordOffset(records, team, kTeamRecordBytes, 0, kTeamRecordBytes);
    if (offset < 0) {
        runtime::log("countSquad: team %d lies outside the team records", team);
        return 0;
    }
    jint count = 0;
    for (jint slot = 0; slot < kSquadSlots; ++slot) {
        const jint player = readShortBE(records, offset + 2 * slot);
        if (player != kEmptySlot && (player & kFlaggedSlot) == 0) {
            ++count;
        }
    }
    return count;
}

jint findKeyedEntry(const jint key) {
    GameStatics* const s = statics();
    ByteArray* const table = s->tripletTable;
    const jint count = s->tripletCount;
    const jint held = table == nullptr ? 0 : table->length / kKeyedEntryBytes;
    if (count > held) {
        runtime::log("findKeyedEntry: %d entries counted, the table holds %d", count, held);
    }
    for (jint i = 0; i < count && i < held; ++i) {
        const jint entryKey = readShortBE(table, kKeyedEntryBytes * i);
        if (entryKey == key || entryKey == kKeyedTableEnd) {
            return i;
        }
    }
    return count;
}

bool isNoClub(const jint team) {
    return team == kNoClubShort || team == kNoClubUnsigned;
}

void selectListPlayer() {
    GameStatics* const s = statics();
    ByteArray* const records = s->listRowRecords;
    const jint offset = recordOffset(records, s->currentListRow, kMatchRecordBytes, kMatchRecordSlot, 1);
    if (offset < 0) {
        runtime::log("selectListPlayer: match record %d lies outside the match records", s->currentListRow);
        s->selectedPlayer = kNoPlayer;
        return;
    }
    s->selectedPlayer = getTeamPlayerId(s->userTeam, (*records)[offset]);
}

jint getTeamPlayerId(const jint team, const jint slot) {
    ByteArray* const records = statics()->teamRecords;
    const jint offset = recordOffset(records, team, kTeamRecordBytes, 0, kTeamRecordBytes);
    if (offset < 0 || slot < 0 || slot >= kSquadSlots) {
        runtime::log("getTeamPlayerId: team %d slot %d lies outside the team records", team, slot);
        return kEmptySlot;
    }
    return readShortBE(records, offset + 2 * slot);
}

jint getPlayerField2(const jint player) {
    return recordShortOrZero(statics()->playerRecords, player, kPlayerRecordBytes, kWageOffset,
                             "getPlayerField2", "player");
}

jint getPlayerField33(const jint player) {
    ByteArray* const records = statics()->playerRecords;
    const jint offset = recordOffset(records, player, kPlayerRecordBytes, kMarketValueOffset, 4);
    if (offset < 0) {
        runtime::log("getPlayerField33: player %d lies outside the player records", player);
        return 0;
    }
    return readIntBE(records, offset);
}

jint teamStrengthBand(const jint team) {
    if (isNoClub(team)) {
        return 0;
    }
    return valueBracket(clubServices().getTeamStrength(team, 0));
}

void rateCountryTeams(const jint country) {
    GameStatics* const s = statics();
    const runtime::IntArray* const sizes = s->leagueSizes;
    const runtime::IntArray* const starts = s->leagueStarts;
    if (country < 0 || country >= kCountryCount) {
        runtime::log("rateCountryTeams: no country %d", country);
        return;
    }
    const jint league = country < kTwoDivisionCountries ? 2 * country : country + kSingleDivisionLeagueOffset;
    const jint leagues = country < kTwoDivisionCountries ? 2 : 1;
    if (!holds(sizes, league, leagues) || !holds(starts, league, 1)) {
        runtime::log("rateCountryTeams: the league tables do not hold league %d", league);
        return;
    }
    const jint count = (*sizes)[league] + (leagues == 2 ? (*sizes)[league + 1] : 0);
    const jint first = (*starts)[league];
    for (jint i = 0; i < count; ++i) {
        const jint team = first + i;
        const jint strength = clubServices().getTeamStrength(team, 0);
        runtime::ByteArray* const strengths = s->teamRankValues;
        runtime::ShortArray* const order = s->teamStrengthOrder;
        if (strengths == nullptr || !strengths->inBounds(team) || order == nullptr ||
            !order->inBounds(team)) {
            runtime::log("rateCountryTeams: team position %d lies outside the strength tables", team);
            return;
        }
        (*strengths)[team] = runtime::i2b(strength);
        (*order)[team] = runtime::i2s(team);
    }
}

} // namespace game::club
