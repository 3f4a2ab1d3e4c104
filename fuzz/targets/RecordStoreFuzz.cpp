// Fuzz target "record_store": a record store's files as a damaged disk could leave them. Byte 0
// is the length of the index file, bytes 1-4 those of the files of records 1-4 (255: no such
// file); the files' bytes follow in that order, cut where the input ends.
//
// The store is opened as the game opens its stores, every listed record is read, one is added
// and one deleted, and the store is opened again. Reads must give exactly the files' bytes (or
// nothing), ids must never be handed out twice, and the index must read back as it was written.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/FuzzRuntime.h"
#include "profile/RecordStore.h"
#include "runtime/Application.h"
#include "runtime/Exceptions.h"
#include "runtime/NumberWrappers.h"
#include "runtime/String.h"
#include "runtime/Throwable.h"
#include "runtime/Vector.h"

namespace {

using profile::RecordStore;
using runtime::ByteArray;
using runtime::jint;

constexpr std::size_t kRecordFiles = 4;
constexpr std::uint8_t kNoFile = 255;
// Reading a record costs a few file operations; the first ones show all there is to see.
constexpr std::size_t kRecordsRead = 16;
constexpr char kStoreName[] = "fz";
constexpr std::uint8_t kAdded[] = {'n', 'e', 'w'};

// The ids the store lists, in order.
std::vector<jint> listedIds(RecordStore* store) {
    std::vector<jint> ids;
    for (jint i = 0; i < store->recordIds->size(); ++i) {
        ids.push_back(static_cast<runtime::java_lang_Integer*>(store->recordIds->elementAt(i))->value);
    }
    return ids;
}

jint takePendingException() {
    runtime::Object* pending = runtime::getPendingException();
    fuzzing::application().pendingException = nullptr;
    return pending != nullptr ? pending->classId : -1;
}

// Reads record id whole, with room before it, and checks what came against the file's bytes
// (expected is null when the record has no file).
void readRecord(RecordStore* store, const jint id, const std::vector<std::uint8_t>* expected) {
    const jint size = store->getRecordSize(id);
    if (takePendingException() >= 0) {
        fuzzing::fail("listed record %d raised on getRecordSize", id);
    }
    const jint expectedSize = expected != nullptr ? static_cast<jint>(expected->size()) : 0;
    if (size != expectedSize) {
        fuzzing::fail("record %d has size %d, its file %d", id, size, expectedSize);
    }
    ByteArray* buffer = runtime::newByteArray(size + 2);
    const jint read = store->getRecord(id, buffer, 2);
    if (takePendingException() >= 0 || read != expectedSize ||
        (expected != nullptr && !std::equal(expected->begin(), expected->end(),
                                            reinterpret_cast<const std::uint8_t*>(buffer->data()) + 2))) {
        fuzzing::fail("record %d does not read as its file", id);
    }
    if (size > 0 && store->getRecord(id, runtime::newByteArray(size - 1), 0) != 0) {
        fuzzing::fail("record %d was read into a buffer too small for it", id);
    }
    takePendingException();
}

void fuzzRecordStore(const std::uint8_t* data, const std::size_t size) {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(fuzzing::programsFolder()) / "Brenvale", ignored);
    if (size < 1 + kRecordFiles) {
        return;
    }
    std::size_t at = 1 + kRecordFiles;
    const auto take = [&](const std::uint8_t length) {
        const std::size_t n = std::min<std::size_t>(length, size - at);
        std::vector<std::uint8_t> bytes(data + at, data + at + n);
        at += n;
        return bytes;
    };
    runtime::String* name = runtime::newStringFromCString(kStoreName);
    if (data[0] != kNoFile) {
        const std::vector<std::uint8_t> index = take(data[0]);
        fuzzing::writeHandsetFile(RecordStore::indexPathFor(name, nullptr, nullptr), index.data(),
                                  index.size());
    }
    RecordStore* store = RecordStore::openRecordStore(name, 0);
    if (store == nullptr) {
        if (data[0] != kNoFile || takePendingException() != runtime::kRecordStoreNotFoundException) {
            fuzzing::fail("a store did not open, or a missing one raised no RecordStoreNotFoundException");
        }
        return;
    }
    std::vector<std::vector<std::uint8_t>> files(kRecordFiles);
    for (std::size_t i = 0; i < kRecordFiles; ++i) {
        if (data[1 + i] != kNoFile) {
            files[i] = take(data[1 + i]);
            fuzzing::writeHandsetFile(store->recordFile(static_cast<jint>(i + 1))->path, files[i].data(),
                                      files[i].size());
        }
    }

    const std::vector<jint> ids = listedIds(store);
    for (const jint id : ids) {
        if (id > store->nextRecordId) {
            fuzzing::fail("listed id %d lies beyond the last id handed out, %d", id, store->nextRecordId);
        }
    }
    store->getSize();
    takePendingException();
    for (std::size_t i = 0; i < std::min(ids.size(), kRecordsRead); ++i) {
        const jint id = ids[i];
        const bool hasFile = id >= 1 && id <= static_cast<jint>(kRecordFiles) && data[id] != kNoFile;
        readRecord(store, id, hasFile ? &files[static_cast<std::size_t>(id - 1)] : nullptr);
    }
    const jint unlisted = ids.empty() ? 1 : *std::max_element(ids.begin(), ids.end()) + 1;
    if (std::find(ids.begin(), ids.end(), unlisted) == ids.end()) {
        store->getRecord(unlisted, runtime::newByteArray(8), 0);
        if (takePendingException() != runtime::kInvalidRecordIDException) {
            fuzzing::fail("reading unlisted record %d raised no InvalidRecordIDException", unlisted);
        }
    }

    // One record added and the first listed one deleted, then the store read again from disk.
    // Ids handed out are fresh and positive; after the largest id there is none left to give.
    std::vector<jint> expectedIds = ids;
    const bool idsLeft = store->nextRecordId != std::numeric_limits<jint>::max();
    ByteArray* added = fuzzing::byteArrayOf(kAdded, sizeof kAdded);
    const jint addedId = store->addRecord(added, 0, static_cast<jint>(sizeof kAdded));
    const jint raised = takePendingException();
    if (idsLeft) {
        if (raised >= 0 || addedId < 1 || std::find(ids.begin(), ids.end(), addedId) != ids.end()) {
            fuzzing::fail("record id %d was handed out after %d (raised %d)", addedId, store->nextRecordId,
                          raised);
        }
        expectedIds.push_back(addedId);
        const std::vector<std::uint8_t> addedBytes(std::begin(kAdded), std::end(kAdded));
        readRecord(store, addedId, &addedBytes);
    } else if (raised != runtime::kRecordStoreFullException) {
        fuzzing::fail("a store without ids left raised %d, not RecordStoreFullException", raised);
    }
    if (!ids.empty()) {
        store->deleteRecord(ids.front());
        if (takePendingException() >= 0) {
            fuzzing::fail("record %d could not be deleted", ids.front());
        }
        expectedIds.erase(std::find(expectedIds.rbegin(), expectedIds.rend(), ids.front()).base() - 1);
    }
    store->closeRecordStore();
    const jint lastId = store->nextRecordId;
    RecordStore* again = RecordStore::openRecordStore(name, 0);
    if (takePendingException() >= 0 || again == nullptr || listedIds(again) != expectedIds ||
        again->nextRecordId != lastId) {
        fuzzing::fail("the store does not read back as it was written");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runInput(data, size, &fuzzRecordStore);
}
