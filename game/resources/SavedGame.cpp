// The saved game's main store and the pass over all of the game's stores (see SavedGame.h).
#include "game/resources/SavedGame.h"

#include "game/core/GameStatics.h"
#include "game/core/services/InfoScreenServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/match/CPlayer.h"
#include "game/resources/DataSetStore.h"
#include "game/resources/DataSets.h"
#include "game/resources/SavedTactics.h"
#include "game/season/SaveRecord.h"
#include "profile/RecordStore.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"

namespace game::resources {

namespace {

using datasets::Store;
using runtime::jint;

constexpr jint kEveryDay = 0;
constexpr jint kOddDays = 1;
constexpr jint kLastDayOfWeek = 2;
constexpr jint kDaysPerWeek = 8;

GameStatics* s() {
    return statics();
}

// Closes the main store and drops the record buffer however the routine ends.
class MainStoreGuard {
public:
    MainStoreGuard() = default;
    MainStoreGuard(const MainStoreGuard&) = delete;
    MainStoreGuard& operator=(const MainStoreGuard&) = delete;
    ~MainStoreGuard() {
        s()->saveRecordBuffer = nullptr;
        if (store != nullptr) {
            store->closeRecordStore();
            datasets::failed();
        }
    }
    Store* store = nullptr;
};

// Deletes every record of the store, the last first.
void deleteAllRecords(Store* const store) {
    for (jint id = store->nextRecordId; id >= datasets::kDataSetRecord; --id) {
        store->deleteRecord(id);
    }
}

// A new game's record, from the new-game set-up, as record 1.
void writeNewGameRecord(Store* const store) {
    core::infoScreenServices().resetCareer();
    if (datasets::failed()) {
        return;
    }
    season::packSaveRecord();
    datasets::writeRecord(store, s()->saveRecordBuffer, season::kSaveRecordSize);
}

} // namespace

void saveOrLoadGameRecord(const jboolean save) {
    MainStoreGuard guard;
    runtime::String* const name = s()->gameRecordStoreName;
    guard.store = datasets::openStore(name);
    if (guard.store == nullptr) {
        return;
    }
    s()->saveRecordBuffer = runtime::newByteArray(season::kSaveRecordSize);
    if (save != 0) {
        season::packSaveRecord();
        datasets::writeRecord(guard.store, s()->saveRecordBuffer, season::kSaveRecordSize);
        return;
    }
    if (guard.store->contains(datasets::kDataSetRecord) != 0) {
        const jint size = guard.store->getRecordSize(datasets::kDataSetRecord);
        if (datasets::failed()) {
            return;
        }
        if (size != season::kSaveRecordSize) {
            runtime::log("saved game: record %d of store %s holds %d bytes, not %d; a new game replaces it",
                         datasets::kDataSetRecord, datasets::storeText(name).c_str(), size,
                         season::kSaveRecordSize);
            guard.store->closeRecordStore();
            deleteAllRecords(guard.store);
            if (datasets::failed()) {
                return;
            }
            guard.store = datasets::openStore(name);
            if (guard.store == nullptr) {
                return;
            }
        }
    }
    if (guard.store->contains(datasets::kDataSetRecord) == 0) {
        writeNewGameRecord(guard.store);
        return;
    }
    guard.store->getRecord(datasets::kDataSetRecord, s()->saveRecordBuffer, 0);
    if (datasets::failed()) {
        return;
    }
    if (const char* const fault = season::saveRecordFault(*s()->saveRecordBuffer)) {
        runtime::log("saved game: store %s cannot be loaded (%s); a new game replaces it",
                     datasets::storeText(name).c_str(), fault);
        writeNewGameRecord(guard.store);
        return;
    }
    season::unpackSaveRecord();
}

void saveOrLoadGame(const jboolean save) {
    if (save == 0) {
        s()->fixturesReady = 0;
    }
    persistCompositeRecord(save);
    persistStateRecord(save);
    saveOrLoadGameRecord(save);
    persistTeamByteTable(save);
    persistTable4608(save);
    persistTable1110(save);
    persistTable6342(save);
    persistManagerProfile(save, 0);
    persistTeamRecords(save);
    persistSetupRecord(save);
    persistPlayerRecords(save);
    persistThreeByteTable(save);
    persistInbox(save);
    persistEightByteTable(save);
    if (save != 0) {
        return;
    }
    applySavedTactics();
    runtime::ObjectArray* const teams = s()->matchTeams;
    if (auto* const team =
            teams != nullptr && teams->length > 0 ? static_cast<match::CTeam*>((*teams)[0]) : nullptr) {
        team->setFormation(s()->formationIndex);
    }
    core::seasonScreenServices().prepareTeamSide(0, s()->userTeam, 0);
}

void autoSave() {
    const jint mode = s()->autoSaveMode;
    const jint day = s()->matchDayIndex;
    if (mode == kEveryDay || (mode == kOddDays && (day & 1) != 0) ||
        (mode == kLastDayOfWeek && day % kDaysPerWeek == kDaysPerWeek - 1)) {
        saveOrLoadGame(1);
    }
}

} // namespace game::resources
