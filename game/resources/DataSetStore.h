// The record-store steps every persisting routine of DataSets.h shares: opening a store, catching
// what it raises, and writing or reading a table as record 1.
#pragma once

#include <functional>
#include <string>

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace profile {
struct javax_microedition_rms_RecordStore;
}

namespace game::resources::datasets {

using runtime::jint;
using Store = profile::javax_microedition_rms_RecordStore;

// The record every data set lives in.
inline constexpr jint kDataSetRecord = 1;

// Constant strings that name the stores.
inline constexpr jint kTripletStore = 80;
inline constexpr jint kTeamStore = 81;
inline constexpr jint kPlayerStore = 82;
inline constexpr jint kTransferStore = 83;
inline constexpr jint kTeamSheetStore = 84;
inline constexpr jint kTable4608Store = 130;
inline constexpr jint kTable6342Store = 144;
inline constexpr jint kCompositeStore = 155;
inline constexpr jint kSetupStore = 156;
inline constexpr jint kStateStore = 178;
inline constexpr jint kTeamByteStore = 179;
inline constexpr jint kProfileStore = 180;

// What persistTable did.
enum class Outcome {
    Saved,    // the table was written as record 1
    Read,     // record 1 was read into the table
    FirstRun, // the defaults were built and stored as record 1
    Failed,   // a record store operation failed; the rest was skipped
};

// The store's name as plain text, for log lines.
std::string storeText(runtime::String* name);
// True when an exception is pending; one of the java_lang_Exception family is caught (cleared).
bool failed();
// Opens (creating) the store called name; null after a failure.
Store* openStore(runtime::String* name);
// Writes table[0..length) as record 1 (adding it to a store without one, or restoring it into a
// store that handed it out and lost it); false after a failure.
bool writeRecord(Store* store, runtime::ByteArray* table, jint length);

// The table of a data set, fetched after its defaults are built (they may create it).
using TableOf = std::function<runtime::ByteArray*()>;
// Builds a table's first-run contents; empty when the table as it stands is the first run's.
using Defaults = std::function<void()>;

// The common steps on record 1 of the store called name for table[0..length): saving writes it;
// loading reads it when it holds exactly length bytes, and otherwise (no record, or one of
// another length, which is logged) builds the defaults and stores them. The index is written at
// the end only when it changed. A table shorter than length is logged and nothing is stored. keep, when
// given, receives the open store.
Outcome persistTable(runtime::String* name, bool save, const TableOf& table, jint length,
                     const Defaults& defaults = {}, Store** keep = nullptr);

} // namespace game::resources::datasets
