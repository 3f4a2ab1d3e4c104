// The database tables from the database pack.
#include "game/resources/DatabaseTables.h"

#include <algorithm>

#include "game/club/DatabaseFormat.h"
#include "game/club/DatabaseLookups.h"
#include "game/core/GameStatics.h"
#include "game/core/TextPackage.h"
#include "game/core/WriteBuffer.h"
#include "game/core/services/FrameworkServices.h"
#include "game/core/services/InfoScreenServices.h"
#include "game/sprites/ResourcePack.h"
#include "game/sprites/SharedRoutines.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/Random.h"
#include "runtime/String.h"

namespace game::resources {

using namespace game::sprites;
using namespace game::club;
using namespace game::core;

using runtime::ByteArray;
using runtime::jbyte;
using runtime::String;

namespace {

constexpr jint kEmptyTextConstant = 1;
constexpr jint kFirstLeagueNameText = 178;
constexpr jint kNoTeamText = 689;
constexpr jint kNoTeam = -1;
constexpr jint kNoTeamUnsigned = 0xFFFF;
// Menu states that show custom team labels.
constexpr jint kInboxMenuState = 133;
constexpr jint kMessageMenuState = 1030;
constexpr jint kByteMask = 0xFF;

// The first-run player record: the contract end of a team's player is day 30 of month 6 of his
// contract-end year; fitness 100; no birth-year code yet; 14 season bytes of 0; a form nibble
// under a random status draw of 0..4.
constexpr jint kContractEndDayMonth = (6 << kBirthMonthShift) | 30;
constexpr jint kNoValue = -1;
constexpr jint kInitialFitness = 100;
constexpr jint kSeasonBytes = 14;
constexpr jint kStatusDraws = 5;
constexpr jint kStatusShift = 4;
constexpr jint kFormMask = 0x0F;

String* constantString(const jint n) {
    return runtime::getConstantString(n);
}

bool pending() {
    return runtime::getPendingException() != nullptr;
}

// Entry entry of the open pack as a new array of exactly its length; null when the read raised
// (left pending).
ByteArray* readEntry(const jint entry) {
    const jint size = openPackEntry(entry);
    if (pending()) {
        return nullptr;
    }
    ByteArray* bytes = runtime::newByteArray(size);
    readPack(bytes, 0, size);
    return pending() ? nullptr : bytes;
}

// Reads entry into field; false when the read raised: the pack is then closed and the exception
// left pending.
bool loadEntry(runtime::StaticRef<ByteArray>& field, const jint entry) {
    ByteArray* bytes = readEntry(entry);
    if (bytes == nullptr) {
        closePack();
        return false;
    }
    field = bytes;
    return true;
}

bool openDatabasePack() {
    openPack(constantString(kDatabasePackConstant));
    return !pending();
}

// Logs when playerInfoRecords cannot give every player his first-run record; the number of
// players it holds whole.
jint playersWithInformation() {
    GameStatics* s = statics();
    const ByteArray* info = s->playerInfoRecords;
    const jint available = info != nullptr ? info->length / kPlayerInfoBytes : 0;
    if (available < s->playerCount) {
        runtime::log("database: player information holds %d of %d players; the others keep empty records",
                     available, s->playerCount);
    }
    return available;
}

// Every league without teams: what a team information table that cannot be trusted gives.
void clearLeagueCounts() {
    GameStatics* s = statics();
    for (jint i = 0; i < kLeagueCount; ++i) {
        (*s->badgeFirstIds)[i] = 0;
        (*s->leagueSizes)[i] = 0;
    }
}

} // namespace

void loadDatabaseTables() {
    GameStatics* s = statics();
    if (!openDatabasePack() || !loadEntry(s->teamInfoRecords, kTeamInfoEntry) ||
        !loadEntry(s->nameBytes, kNameBytesEntry)) {
        return;
    }
    if (s->teamNameTable == nullptr) {
        loadTeamNameTable();
        if (pending()) {
            return;
        }
    }
    setupLeagueTables();
    if (!loadEntry(s->playerInfoRecords, kPlayerInfoEntry)) {
        return;
    }
    playersWithInformation();
    if (s->databaseEntry11 == nullptr && !loadEntry(s->databaseEntry11, kReservedEntry)) {
        return;
    }
    buildTeamCodes();
    if (s->nameTableStrided == nullptr && !loadEntry(s->nameTableStrided, kNewsTemplateEntry)) {
        return;
    }
    if (!loadEntry(s->extraNameTable, kScoutEntry) || !loadEntry(s->setUpRecords, kCoachEntry)) {
        return;
    }
    closePack();
}

void loadExtraTables() {
    GameStatics* s = statics();
    if (!openDatabasePack() || !loadEntry(s->formationTable, kFormationEntry)) {
        return;
    }
    s->formationTableLength = s->formationTable->length;
    if (!loadEntry(s->formationSlots, kFormationSlotsEntry)) {
        return;
    }
    s->formationSlotsLength = s->formationSlots->length;
    closePack();
}

void loadTeamNameTable() {
    GameStatics* s = statics();
    if (s->teamNameTable != nullptr) {
        return;
    }
    if (!openDatabasePack() || !loadEntry(s->teamNameTable, kTeamNameTableEntry)) {
        return;
    }
    closePack();
}

String* getTeamNameFromTable(const jint i) {
    GameStatics* s = statics();
    if (s->teamNameTable == nullptr) {
        loadTeamNameTable();
        if (runtime::catchException(runtime::kException) != 0 || pending()) {
            return constantString(kEmptyTextConstant);
        }
    }
    ByteArray* table = s->teamNameTable;
    const jint entry = kTeamNameEntryBytes * i;
    if (table == nullptr || i < 0 || i >= kMaxTeams || entry + kTeamNameEntryBytes > table->length) {
        return constantString(kEmptyTextConstant);
    }
    const jint offset = (((*table)[entry] & kByteMask) << 8) | ((*table)[entry + 1] & kByteMask);
    const jint length = (*table)[entry + 2] & kByteMask;
    String* name = club::decodeName(table, kTeamNameDirectoryBytes + offset, length);
    if (runtime::catchException(runtime::kException) != 0 || name == nullptr) {
        return constantString(kEmptyTextConstant);
    }
    return name;
}

String* getTeamDisplayName(const jint id) {
    if (id == kNoTeam || id == kNoTeamUnsigned) {
        return core::getText(kNoTeamText);
    }
    GameStatics* s = statics();
    if ((s->menuState == kMessageMenuState || s->menuState == kInboxMenuState) &&
        s->messageLinksBlocked == 0) {
        return infoScreenServices().getTeamLabel(id);
    }
    return club::nameOf(id, club::kTeamName);
}

void setupLeagueTables() {
    GameStatics* s = statics();
    s->teamCount = 0;
    s->playerCount = 0;
    if (s->leagueNames == nullptr) {
        s->leagueNames = runtime::newObjectArray(kLeagueCount);
    }
    if (s->leagueSizes == nullptr) {
        s->leagueSizes = runtime::newIntArray(kLeagueCount);
    }
    if (s->badgeFirstIds == nullptr) {
        s->badgeFirstIds = runtime::newIntArray(kLeagueCount);
    }
    ByteArray* table = s->teamInfoRecords;
    const bool leaguesPresent = table != nullptr && table->length >= kLeagueEntryBytes * kLeagueCount;
    if (!leaguesPresent) {
        runtime::log("database: the team information table holds %d bytes, too few for %d leagues",
                     table != nullptr ? table->length : -1, kLeagueCount);
    }
    jint teams = 0;
    for (jint i = 0; i < kLeagueCount; ++i) {
        String* name = core::getText(kFirstLeagueNameText + i);
        (*s->leagueNames)[i] = name;
        const jint entry = kLeagueEntryBytes * i;
        const jint first = leaguesPresent ? (*table)[entry + kLeagueBadgeFirstId] & kByteMask : 0;
        const jint count = leaguesPresent ? (*table)[entry + kLeagueTeamCount] & kByteMask : 0;
        (*s->badgeFirstIds)[i] = first;
        (*s->leagueSizes)[i] = count;
        teams += count;
    }
    if (teams > kMaxTeams) {
        runtime::log("database: the leagues hold %d teams, more than the %d the game has room for", teams,
                     kMaxTeams);
        clearLeagueCounts();
        teams = 0;
    } else if (leaguesPresent && table->length < teamInfoBytes(teams)) {
        runtime::log("database: the team information table holds %d bytes, %d teams need %d", table->length,
                     teams, teamInfoBytes(teams));
        clearLeagueCounts();
        teams = 0;
    }
    s->teamCount = teams;
    s->basePlayerCount = kPlayersPerTeam * teams;
    s->playerCount = s->basePlayerCount + kFreePlayers;
    if (s->teamRecords == nullptr) {
        s->teamRecords = runtime::newByteArray(kTeamRecordBytes * s->teamCount);
    }
    if (s->playerRecords == nullptr) {
        s->playerRecords = runtime::newByteArray(kPlayerRecordBytes * s->playerCount);
    }
}

void buildDefaultPlayerRecords() {
    GameStatics* s = statics();
    ByteArray* records = s->playerRecords;
    ByteArray* info = s->playerInfoRecords;
    if (records == nullptr) {
        runtime::log("database: no player records to fill");
        return;
    }
    jint count = s->playerCount;
    if (records->length < kPlayerRecordBytes * count) {
        runtime::log("database: player records hold %d bytes, %d players need %d", records->length, count,
                     kPlayerRecordBytes * count);
        count = records->length / kPlayerRecordBytes;
    }
    const jint available = playersWithInformation();
    const jint teamPlayers = s->playerCount - kFreePlayers;
    FrameworkServices& framework = frameworkServices();
    s->writeBuffer = records;
    s->writePos = 0;
    for (jint i = 0; i < count; ++i) {
        const jint start = kPlayerRecordBytes * i;
        s->writePos = start;
        if (i >= available) {
            std::fill_n(records->data() + start, kPlayerRecordBytes, jbyte{0});
            continue;
        }
        const jint e = kPlayerInfoBytes * i;
        const bool ofTeam = i < teamPlayers;
        core::writeShortBE(ofTeam ? runtime::ishl((*info)[e + kPlayerContractYear], kBirthYearShift) |
                                        kContractEndDayMonth
                                  : kNoValue);
        core::writeShortBE(0);
        for (jint k = 0; k <= kPlayerSkillCount; ++k) {
            core::queueByte((*info)[e + kPlayerSkills + k]);
        }
        core::queueByte(0);
        const jint draw = s->gameRandom != nullptr ? s->gameRandom->nextInt() : 0;
        const jint status = runtime::irem(draw < 0 ? -draw : draw, kStatusDraws);
        core::queueByte(((*info)[e + kPlayerForm] & kFormMask) + runtime::ishl(status, kStatusShift));
        core::queueByte(kInitialFitness);
        core::queueByte(kNoValue);
        core::writeShortBE(ofTeam ? i / kPlayersPerTeam : kNoValue);
        for (jint k = 0; k < kSeasonBytes; ++k) {
            core::queueByte(0);
        }
        writeIntBigEndian(framework.getPlayerValue(i, 0));
        // The wage is computed from the finished record, then written over bytes 2-3.
        const jint end = s->writePos;
        s->writePos = start + 2;
        core::writeShortBE(framework.getPlayerValue(i, 1));
        s->writePos = end;
    }
    s->writePos = kPlayerRecordBytes * count;
}

void buildTeamCodes() {
    GameStatics* s = statics();
    s->teamCodes = runtime::newObjectArray(s->teamCount);
    for (jint t = 0; t < s->teamCount; ++t) {
        String* code = runtime::newObject<String>();
        code->initBytes(s->teamInfoRecords, kTeamCodeBase + kTeamStride * t, kTeamCodeLength);
        (*s->teamCodes)[t] = code;
    }
}

} // namespace game::resources
