// Shared support of the record-store tests: a runtime with the sample constant pool, a temporary
// programs folder with the game folder in it, and the store's files as plain bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "profile/RecordStore.h"
#include "runtime/NumberWrappers.h"
#include "runtime/Vector.h"
#include "tests/runtime/SamplePoolFixture.h"
#include "tests/support/RuntimeValues.h"
#include "tests/support/TemporaryRoot.h"

namespace profile {

using Bytes = std::vector<std::uint8_t>;

// Big-endian 32-bit values, as the index file holds them.
inline Bytes bigEndian(const std::vector<std::int32_t>& values) {
    Bytes bytes;
    bytes.reserve(values.size() * 4);
    for (const std::int32_t value : values) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
        }
    }
    return bytes;
}

class RecordStoreFixture : public runtime::SamplePoolFixture {
protected:
    using SamplePoolFixture::SamplePoolFixture;

    void SetUp() override {
        SamplePoolFixture::SetUp();
        std::filesystem::create_directories(gameFolder());
    }

    std::filesystem::path gameFolder() const { return root.path() / "Brenvale" / "Tarnwick"; }
    // The files of store name in the game folder.
    std::filesystem::path indexFile(const std::string& name) const {
        return gameFolder() / ("rms_" + name + ".rms");
    }
    std::filesystem::path recordFileOf(const std::string& name, const jint id) const {
        return gameFolder() / ("rms_" + name + ".rms_r" + std::to_string(id) + ".rms");
    }

    static Bytes readBytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void writeBytes(const std::filesystem::path& file, const Bytes& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    static RecordStore* open(const std::string& name, const bool create = true) {
        return RecordStore::openRecordStore(runtime::newStringFromCString(name.c_str()), create ? 1 : 0);
    }
    static std::vector<jint> idsOf(RecordStore* store) {
        std::vector<jint> ids;
        for (jint i = 0; i < store->recordIds->size(); ++i) {
            ids.push_back(static_cast<runtime::java_lang_Integer*>(store->recordIds->elementAt(i))->value);
        }
        return ids;
    }
    // The record's bytes through getRecord.
    static Bytes recordOf(RecordStore* store, const jint id, const jint bufferSize = 8192) {
        runtime::ByteArray* buffer = runtime::newByteArray(bufferSize);
        const jint n = store->getRecord(id, buffer, 0);
        return testing_support::bytesOf(buffer, n);
    }
    static jint add(RecordStore* store, const Bytes& bytes) {
        return store->addRecord(testing_support::byteArrayOf(bytes), 0, static_cast<jint>(bytes.size()));
    }
    static void set(RecordStore* store, const jint id, const Bytes& bytes) {
        store->setRecord(id, testing_support::byteArrayOf(bytes), 0, static_cast<jint>(bytes.size()));
    }

    testing_support::TemporaryRoot root;
};

} // namespace profile
