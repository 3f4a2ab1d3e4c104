// Fuzz target "data_sets": a data set's store as a damaged disk could leave it. Byte 0 picks the
// data set, byte 1 the state of its index (whole; a count damaged downwards; cut short; missing;
// or listing another record than 1); the rest is the bytes of its record 1.
//
// The data set is loaded as a start loads it, saved, and loaded again. Afterwards the store lists
// record 1 and holds no record file its index does not list: a store that lost record 1 gets it
// back instead of one more unread record at every start.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <vector>

#include "fuzz/FuzzRuntime.h"
#include "game/core/GameStatics.h"
#include "game/resources/DataSets.h"
#include "profile/RecordStore.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/String.h"
#include "runtime/Vector.h"

namespace {

using runtime::jint;

struct DataSet {
    void (*persist)(runtime::jboolean save);
    runtime::String* (*storeName)();
};

runtime::String* constantName(const jint n) {
    return runtime::getConstantString(n);
}

const DataSet kDataSets[] = {
    {&game::resources::persistThreeStatics, [] { return game::statics()->threeStaticsStoreName.get(); }},
    {&game::resources::persistEightByteTable, [] { return constantName(83); }},
    {&game::resources::persistSetupRecord, [] { return constantName(156); }},
    {[](runtime::jboolean save) { game::resources::persistManagerProfile(save, 0); },
     [] { return constantName(180); }},
    {&game::resources::persistInbox, [] { return game::statics()->inboxStoreName.get(); }},
    {&game::resources::persistTeamByteTable, [] { return constantName(179); }},
    {&game::resources::persistStateRecord, [] { return constantName(178); }},
    {&game::resources::persistCompositeRecord, [] { return constantName(155); }},
    {&game::resources::persistTable1110, [] { return game::statics()->table1110StoreName.get(); }},
    {&game::resources::persistThreeByteTable, [] { return constantName(80); }},
};

enum IndexState { kWhole, kCountDamaged, kCutShort, kMissing, kOtherRecord, kIndexStates };

std::vector<std::uint8_t> bigEndian(const std::vector<jint>& values) {
    std::vector<std::uint8_t> bytes;
    for (const jint value : values) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
        }
    }
    return bytes;
}

std::vector<std::uint8_t> indexBytes(const jint state) {
    switch (state) {
    case kWhole:
        return bigEndian({1, 1, 1});
    case kCountDamaged:
        return bigEndian({1, 0, 1});
    case kCutShort:
        return bigEndian({1, 1});
    case kOtherRecord:
        return bigEndian({2, 1, 2});
    default:
        return {};
    }
}

void fuzzDataSets(const std::uint8_t* data, const std::size_t size) {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(fuzzing::programsFolder()) / "Brenvale", ignored);
    if (size < 2) {
        return;
    }
    game::GameStatics* s = game::statics();
    if (s->inboxStoreName == nullptr) {
        s->inboxStoreName = runtime::newStringFromCString("fzinbox");
    }
    const DataSet& set = kDataSets[data[0] % std::size(kDataSets)];
    const jint state = data[1] % kIndexStates;
    runtime::String* name = set.storeName();
    if (state != kMissing) {
        const std::vector<std::uint8_t> index = indexBytes(state);
        fuzzing::writeHandsetFile(profile::RecordStore::indexPathFor(name, nullptr, nullptr), index.data(),
                                  index.size());
    }
    // The store's record files are named after its index, wherever it is.
    profile::RecordStore* files = profile::RecordStore::openRecordStore(name, 1);
    fuzzing::writeHandsetFile(files->recordFile(1)->path, data + 2, size - 2);

    set.persist(0);
    runtime::catchException(runtime::kException);
    set.persist(1);
    runtime::catchException(runtime::kException);
    set.persist(0);
    runtime::catchException(runtime::kException);

    profile::RecordStore* store = profile::RecordStore::openRecordStore(name, 0);
    if (runtime::getPendingException() != nullptr || store == nullptr || store->contains(1) == 0) {
        fuzzing::fail("data set %d (index state %d): its store lists no record 1", data[0], state);
    }
    for (jint id = 2; id <= store->nextRecordId + 1 && id < 8; ++id) {
        if (store->contains(id) == 0 && profile::RecordStore::fileExists(store->recordFile(id)->path) != 0) {
            fuzzing::fail("data set %d (index state %d): record file %d is not listed", data[0], state, id);
        }
    }
    if (state != kOtherRecord && store->recordIds->size() != 1) {
        fuzzing::fail("data set %d (index state %d): %d records", data[0], state, store->recordIds->size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runGameInput(data, size, &fuzzDataSets);
}
