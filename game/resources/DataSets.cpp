// The persisting routines of the plain tables, their shared record-store steps, the first-run
// tables and resetDataSets. The records with a layout of their own are in DataSetRecords.cpp.
#include "game/resources/DataSets.h"

#include <algorithm>

#include "game/club/DatabaseFormat.h"
#include "game/club/DatabaseLookups.h"
#include "game/core/GameStatics.h"
#include "game/core/WriteBuffer.h"
#include "game/core/services/FrameworkServices.h"
#include "game/core/services/InfoScreenServices.h"
#include "game/resources/DataSetStore.h"
#include "game/resources/DatabaseTables.h"
#include "game/season/SaveRecord.h"
#include "game/sprites/SharedRoutines.h"
#include "profile/RecordStore.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/String.h"

namespace game::resources {

using namespace game::sprites;
using namespace game::club;
using namespace game::season;
using namespace game::core;

using runtime::ByteArray;
using runtime::String;

namespace datasets {

std::string storeText(String* const name) {
    std::string text;
    for (jint i = 0; name != nullptr && i < name->length(); ++i) {
        text += static_cast<char>(name->charAt(i));
    }
    return text;
}

bool failed() {
    if (runtime::getPendingException() == nullptr) {
        return false;
    }
    runtime::catchException(runtime::kException);
    return true;
}

Store* openStore(String* const name) {
    if (name == nullptr) {
        runtime::log("data sets: a store without a name is not opened");
        return nullptr;
    }
    Store* store = Store::openRecordStore(name, 1);
    return failed() ? nullptr : store;
}

bool writeRecord(Store* const store, ByteArray* const table, const jint length) {
    if (store->contains(kDataSetRecord) != 0) {
        store->setRecord(kDataSetRecord, table, 0, length);
    } else if (store->nextRecordId >= kDataSetRecord) {
        // Record 1 was handed out and lost: a new record would get another id and never be read,
        // one more file at every start. The table goes back into record 1.
        runtime::log("store %s: record %d is gone (its last id is %d); it is made again",
                     storeText(store->path).c_str(), kDataSetRecord, store->nextRecordId);
        store->restoreRecord(kDataSetRecord, table, 0, length);
    } else {
        store->addRecord(table, 0, length);
    }
    return !failed();
}

namespace {

// Builds the defaults and stores them as record 1; false after a failure.
bool storeFirstRun(Store* const store, const TableOf& table, const jint length, const Defaults& defaults) {
    if (defaults) {
        defaults();
    }
    ByteArray* built = table();
    if (built == nullptr || built->length < length) {
        runtime::log("store %s: the first-run table holds %d bytes, the record needs %d",
                     storeText(store->path).c_str(), built != nullptr ? built->length : -1, length);
        return false;
    }
    return writeRecord(store, built, length);
}

} // namespace

Outcome persistTable(String* const name, const bool save, const TableOf& table, const jint length,
                     const Defaults& defaults, Store** const keep) {
    Store* store = openStore(name);
    if (store == nullptr) {
        return Outcome::Failed;
    }
    if (keep != nullptr) {
        *keep = store;
    }
    Outcome outcome = Outcome::Failed;
    ByteArray* current = table();
    if (save) {
        if (current == nullptr || current->length < length) {
            runtime::log("store %s: the table holds %d bytes, the record needs %d; nothing is saved",
                         storeText(name).c_str(), current != nullptr ? current->length : -1, length);
            return Outcome::Failed;
        }
        if (!writeRecord(store, current, length)) {
            return Outcome::Failed;
        }
        outcome = Outcome::Saved;
    } else if (store->contains(kDataSetRecord) == 0) {
        if (!storeFirstRun(store, table, length, defaults)) {
            return Outcome::Failed;
        }
        outcome = Outcome::FirstRun;
    } else {
        const jint size = store->getRecordSize(kDataSetRecord);
        if (failed()) {
            return Outcome::Failed;
        }
        if (size != length || current == nullptr || current->length < length) {
            runtime::log(
                "store %s: record %d holds %d bytes, the table needs %d; it is treated as a first run",
                storeText(name).c_str(), kDataSetRecord, size, length);
            if (!storeFirstRun(store, table, length, defaults)) {
                return Outcome::Failed;
            }
            outcome = Outcome::FirstRun;
        } else {
            store->getRecord(kDataSetRecord, current, 0);
            if (failed()) {
                return Outcome::Failed;
            }
            outcome = Outcome::Read;
        }
    }
    // Finishing with the store writes its index only when it changed: a start that only reads
    // costs no write, so a full disk does not keep the settings from being used.
    store->writeIndexIfChanged();
    return failed() ? Outcome::Failed : outcome;
}

} // namespace datasets

namespace {

using namespace datasets;

// selectionTable byte that holds the user's formation.
constexpr jint kFormationIndexByte = 604;
constexpr jint kUnusedByte = 0xFF;
constexpr jint kEmptySlot = -1;
constexpr jint kByteMask = 0xFF;

String* constantString(const jint n) {
    return runtime::getConstantString(n);
}

GameStatics* s() {
    return statics();
}

// Makes field a zeroed array of length bytes when it is missing.
void ensureTable(runtime::StaticRef<ByteArray>& field, const jint length) {
    if (field == nullptr) {
        field = runtime::newByteArray(length);
    }
}

void buildThreeStatics() {
    ensureTable(s()->threeStatics, kThreeStaticsBytes);
    ByteArray* table = s()->threeStatics;
    (*table)[0] = s()->autoSaveMode;
    (*table)[1] = runtime::i2b(s()->currencyFrameBase);
    (*table)[2] = runtime::i2b(s()->storedByte2);
}

// One step of resetDataSets: when the store called name holds record 1, table() (after make)
// replaces it; false when a step failed, which ends the sequence.
bool resetStore(String* const name, void (*make)(), const datasets::TableOf& table, const jint length) {
    datasets::Store* store = datasets::openStore(name);
    if (store == nullptr) {
        return false;
    }
    if (store->contains(datasets::kDataSetRecord) == 0) {
        return true;
    }
    if (make != nullptr) {
        make();
    }
    ByteArray* fresh = table();
    if (fresh == nullptr || fresh->length < length) {
        runtime::log("store %s: no table of %d bytes to start a new game with",
                     datasets::storeText(name).c_str(), length);
        return false;
    }
    store->setRecord(datasets::kDataSetRecord, fresh, 0, length);
    if (datasets::failed()) {
        return false;
    }
    store->writeIndex();
    return !datasets::failed();
}

} // namespace

void buildDefaultTeamRecords() {
    GameStatics* block = s();
    ByteArray* records = block->teamRecords;
    ByteArray* info = block->teamInfoRecords;
    if (records == nullptr || info == nullptr) {
        runtime::log("database: no team records to fill");
        return;
    }
    const jint teams = std::min(block->teamCount, records->length / kTeamRecordBytes);
    if (info->length < teamInfoBytes(teams)) {
        runtime::log("database: the team information table holds %d bytes, %d teams need %d", info->length,
                     teams, teamInfoBytes(teams));
        return;
    }
    block->writeBuffer = records;
    block->writePos = 0;
    for (jint t = 0; t < teams; ++t) {
        for (jint slot = 0; slot < kSquadSlots; ++slot) {
            core::writeShortBE(slot < kPlayersPerTeam ? kPlayersPerTeam * t + slot : kEmptySlot);
        }
        for (jint k = 0; k < kTeamValuesLength; ++k) {
            core::queueByte((*info)[kTeamValuesBase + kTeamStride * t + k]);
        }
    }
}

void buildDefaultEightByteTable() {
    ensureTable(s()->transferHistory, kTransferTableBytes);
    ByteArray* table = s()->transferHistory;
    (*table)[0] = 0;
    std::fill_n(table->data() + 1, std::min(table->length, kTransferTableBytes) - 1,
                runtime::i2b(kUnusedByte));
}

void persistThreeByteTable(const jboolean save) {
    // The table is made first, so that a stored record has somewhere to be read into.
    const jint length = std::max(0, kTripletEntryBytes * s()->tripletCount);
    ensureTable(s()->tripletTable, length);
    datasets::persistTable(
        constantString(kTripletStore), save != 0, [] { return s()->tripletTable.get(); }, length,
        &clearThreeByteTable);
}

void persistTeamRecords(const jboolean save) {
    datasets::persistTable(
        constantString(kTeamStore), save != 0, [] { return s()->teamRecords.get(); },
        kTeamRecordBytes * s()->teamCount, &buildDefaultTeamRecords);
}

void persistPlayerRecords(const jboolean save) {
    datasets::persistTable(
        constantString(kPlayerStore), save != 0, [] { return s()->playerRecords.get(); },
        kPlayerRecordBytes * s()->playerCount, &buildDefaultPlayerRecords);
}

void persistEightByteTable(const jboolean save) {
    datasets::Store* store = nullptr;
    const Outcome outcome = datasets::persistTable(
        constantString(kTransferStore), save != 0, [] { return s()->transferHistory.get(); },
        kTransferTableBytes, &buildDefaultEightByteTable, &store);
    s()->eightByteTableStore = store;
    // The count follows the table whether it was read or built afresh.
    if (outcome != Outcome::Read && outcome != Outcome::FirstRun) {
        return;
    }
    const jint count = (*s()->transferHistory)[0] & kByteMask;
    if (count > kTransferEntries) {
        runtime::log("store %s: %d transfer entries, at most %d fit; %d are used",
                     datasets::storeText(constantString(kTransferStore)).c_str(), count, kTransferEntries,
                     kTransferEntries);
    }
    s()->transferHistoryCount = std::min(count, kTransferEntries);
}

void persistThreeStatics(const jboolean save) {
    if (save != 0) {
        buildThreeStatics();
    }
    const Outcome outcome = datasets::persistTable(
        s()->threeStaticsStoreName, save != 0,
        [] {
            ensureTable(s()->threeStatics, kThreeStaticsBytes);
            return s()->threeStatics.get();
        },
        kThreeStaticsBytes, &buildThreeStatics);
    if (outcome != Outcome::Read) {
        return;
    }
    ByteArray* table = s()->threeStatics;
    s()->autoSaveMode = (*table)[0];
    s()->currencyFrameBase = (*table)[1];
    s()->storedByte2 = (*table)[2];
}

void persistTable4608(const jboolean save) {
    ensureTable(s()->fixtureStore, kTable4608Bytes);
    datasets::persistTable(
        constantString(kTable4608Store), save != 0, [] { return s()->fixtureStore.get(); }, kTable4608Bytes);
}

void persistTable1110(const jboolean save) {
    ensureTable(s()->competitionRecords, kTable1110Bytes);
    datasets::persistTable(
        s()->table1110StoreName, save != 0, [] { return s()->competitionRecords.get(); },
        s()->competitionRecords->length);
}

void persistTable6342(const jboolean save) {
    ensureTable(s()->table6342, kTable6342Bytes);
    datasets::persistTable(
        constantString(kTable6342Store), save != 0, [] { return s()->table6342.get(); },
        s()->table6342->length);
}

void persistSetupRecord(const jboolean save) {
    ensureTable(s()->selectionTable, kSetupRecordBytes);
    const Outcome outcome = datasets::persistTable(
        constantString(kSetupStore), save != 0, [] { return s()->selectionTable.get(); }, kSetupRecordBytes,
        [] { frameworkServices().resetSetupRecord(1); });
    if (outcome == Outcome::Read) {
        s()->formationIndex = (*s()->selectionTable)[kFormationIndexByte];
    }
}

void persistTeamByteTable(const jboolean save) {
    ensureTable(s()->teamByteTable, kTeamByteTableBytes);
    const jint place = 2 * s()->userTeam;
    const bool userPlace = s()->teamByteTable->inBounds(place);
    if (save != 0 && userPlace) {
        (*s()->teamByteTable)[place] = s()->currentTeamByte;
    }
    const Outcome outcome = datasets::persistTable(
        constantString(kTeamByteStore), save != 0, [] { return s()->teamByteTable.get(); },
        kTeamByteTableBytes);
    if (outcome == Outcome::Read && userPlace) {
        s()->currentTeamByte = (*s()->teamByteTable)[place];
    }
}

void persistStateRecord(const jboolean save) {
    ensureTable(s()->stateRecord, s()->stateRecordLength);
    if (save != 0) {
        packStateRecord();
    }
    const Outcome outcome = datasets::persistTable(
        constantString(kStateStore), save != 0, [] { return s()->stateRecord.get(); },
        s()->stateRecord->length);
    if (outcome == Outcome::Read) {
        unpackStateRecord();
    }
}

namespace {

// A new game's first saved-game record, packed from the statics after the new-game set-up.
void addFirstSavedGame() {
    datasets::persistTable(
        s()->gameRecordStoreName, false, [] { return s()->saveRecordBuffer.get(); }, kSavedGameBytes,
        [] {
            infoScreenServices().resetCareer();
            s()->saveRecordBuffer = runtime::newByteArray(kSavedGameBytes);
            season::packSaveRecord();
        });
    s()->saveRecordBuffer = nullptr;
}

// The game's stores, in the order a new game rewrites them: the store's name; for resetDataSets
// what makes the new table (nothing: the table as it stands), the table and the record's length;
// for createRecordStores what stores the first record of an empty store.
struct GameStore {
    String* (*name)();
    void (*make)();
    ByteArray* (*table)();
    jint (*length)();
    void (*firstRun)();
};
constexpr GameStore kGameStores[] = {
    {[] { return constantString(kStateStore); },
     [] { s()->stateRecord = runtime::newByteArray(s()->stateRecordLength); },
     [] { return s()->stateRecord.get(); }, [] { return s()->stateRecordLength; },
     [] { persistStateRecord(0); }},
    {[] { return constantString(kTeamByteStore); },
     [] { s()->teamByteTable = runtime::newByteArray(kTeamByteTableBytes); },
     [] { return s()->teamByteTable.get(); }, [] { return kTeamByteTableBytes; },
     [] { persistTeamByteTable(0); }},
    {[] { return s()->gameRecordStoreName.get(); },
     [] {
         infoScreenServices().resetCareer();
         s()->saveRecordBuffer = runtime::newByteArray(kSavedGameBytes);
         frameworkServices().loadGameDatabase();
     },
     [] { return s()->saveRecordBuffer.get(); }, [] { return kSavedGameBytes; }, &addFirstSavedGame},
    {[] { return s()->table1110StoreName.get(); },
     [] { s()->competitionRecords = runtime::newByteArray(kTable1110Bytes); },
     [] { return s()->competitionRecords.get(); }, [] { return kTable1110Bytes; },
     [] { persistTable1110(0); }},
    {[] { return constantString(kTable4608Store); },
     [] { s()->fixtureStore = runtime::newByteArray(kTable4608Bytes); },
     [] { return s()->fixtureStore.get(); }, [] { return kTable4608Bytes; }, [] { persistTable4608(0); }},
    {[] { return constantString(kTable6342Store); },
     [] { s()->table6342 = runtime::newByteArray(kTable6342Bytes); }, [] { return s()->table6342.get(); },
     [] { return kTable6342Bytes; }, [] { persistTable6342(0); }},
    {[] { return constantString(kSetupStore); },
     [] {
         // The table keeps its room beyond the record for the random picks.
         const jint length = s()->selectionTable != nullptr ? s()->selectionTable->length : 0;
         s()->selectionTable = runtime::newByteArray(std::max(length, kSetupRecordBytes));
     },
     [] { return s()->selectionTable.get(); }, [] { return kSetupRecordBytes; },
     [] { persistSetupRecord(0); }},
    {[] { return constantString(kTeamStore); }, nullptr, [] { return s()->teamRecords.get(); },
     [] { return kTeamRecordBytes * s()->teamCount; }, [] { persistTeamRecords(0); }},
    {[] { return constantString(kPlayerStore); }, nullptr, [] { return s()->playerRecords.get(); },
     [] { return kPlayerRecordBytes * s()->playerCount; }, [] { persistPlayerRecords(0); }},
    {[] { return s()->inboxStoreName.get(); }, nullptr,
     [] { return runtime::newByteArray(kInboxRecordBytes); }, [] { return kInboxRecordBytes; },
     [] { persistInbox(0); }},
    {[] { return constantString(kTripletStore); }, &clearThreeByteTable,
     [] { return s()->tripletTable.get(); }, [] { return kTripletEntryBytes * s()->tripletCount; },
     [] { persistThreeByteTable(0); }},
    {[] { return constantString(kProfileStore); }, nullptr,
     [] { return runtime::newByteArray(kManagerProfileBytes); }, [] { return kManagerProfileBytes; },
     [] { persistManagerProfile(0, 0); }},
    {[] { return constantString(kTransferStore); },
     [] { s()->transferHistory = runtime::newByteArray(kTransferTableBytes); },
     [] { return s()->transferHistory.get(); }, [] { return kTransferTableBytes; },
     [] { persistEightByteTable(0); }},
};

// True when the store called name opens and holds no record 1 (a store that cannot be opened is
// left alone).
bool needsFirstRecord(String* const name) {
    datasets::Store* const store = datasets::openStore(name);
    return store != nullptr && store->contains(datasets::kDataSetRecord) == 0;
}

} // namespace

void resetDataSets() {
    for (const GameStore& store : kGameStores) {
        if (!resetStore(store.name(), store.make, store.table, store.length())) {
            break;
        }
    }
    s()->saveRecordBuffer = nullptr;
}

void createRecordStores() {
    for (const GameStore& store : kGameStores) {
        if (needsFirstRecord(store.name())) {
            store.firstRun();
        }
    }
}

} // namespace game::resources
