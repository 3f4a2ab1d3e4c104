// Record stores on files: opening and the index, raw record files, and the record operations.
#include "profile/RecordStore.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "runtime/ClassTable.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/Log.h"
#include "runtime/NumberWrappers.h"
#include "runtime/ObjectManager.h"
#include "runtime/StreamsData.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"
#include "runtime/System.h"
#include "runtime/Vector.h"

namespace profile {

using runtime::catchException;
using runtime::java_lang_Integer;
using runtime::java_util_Vector;
using runtime::jboolean;
using runtime::newObject;
using runtime::Object;

namespace {

// Constant strings of the store's paths and messages.
constexpr jint kStoreFullText = 71;
constexpr jint kPathSeparatorText = 72; // "\"
constexpr jint kStorePrefixText = 73;   // "rms_"
constexpr jint kFileEndingText = 74;    // ".rms"
constexpr jint kIndexNotWrittenText = 75;
constexpr jint kRecordIdPrefixText = 76; // between the index path and a record id

constexpr jint kPathCapacity = 16;
constexpr jint kIdVectorCapacity = 10;
constexpr jint kIdVectorIncrement = 0;

// Characters a file name cannot hold on the handset.
constexpr char16_t kReplacedCharacters[] = u"/:*?<>|";

template <typename Exception> void raise(String* message) {
    runtime::throwException(newObject<Exception>(message));
}

void raiseInvalidRecordId(const jint recordId) {
    raise<runtime::javax_microedition_rms_InvalidRecordIDException>(String::valueOfInt(recordId));
}

void raiseIndexNotWritten() {
    raise<runtime::javax_microedition_rms_RecordStoreException>(
        runtime::getConstantString(kIndexNotWrittenText));
}

jint idAt(java_util_Vector* ids, const jint i) {
    return static_cast<java_lang_Integer*>(ids->elementAt(i))->value;
}

// Puts element back at index of the vector, moving the later elements up by one.
void insertAt(java_util_Vector* vector, Object* element, const jint index) {
    vector->addElement(element);
    const jint moved = vector->elementCount - 1 - index;
    if (moved > 0) {
        runtime::System::arraycopy(vector->elementData, index, vector->elementData, index + 1, moved);
    }
    vector->setElementAt(element, index);
}

// Where the file name starts in an index path: after its last separator.
jint fileNameStart(String* const indexPath) {
    const runtime::jchar separator = runtime::getConstantString(kPathSeparatorText)->charAt(0);
    for (jint i = indexPath->length() - 1; i >= 0; --i) {
        if (indexPath->charAt(i) == separator) {
            return i + 1;
        }
    }
    return 0;
}

std::string lowerCase(const std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

// The id in a record file's lower-case name (prefix, decimal digits, ending), or 0 when the name
// is not one of this store's record files.
jint recordIdOf(const std::string_view name, const std::string_view prefix, const std::string_view ending) {
    if (name.size() <= prefix.size() + ending.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - ending.size()) != ending) {
        return 0;
    }
    const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - ending.size());
    std::int64_t id = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9' || id > std::numeric_limits<jint>::max() / 10) {
            return 0;
        }
        id = id * 10 + (c - '0');
    }
    return id <= std::numeric_limits<jint>::max() ? static_cast<jint>(id) : 0;
}

} // namespace

javax_microedition_rms_RecordStore::javax_microedition_rms_RecordStore(String* const indexPath,
                                                                       const jboolean exists, const jint id)
    : Object(id) {
    runtime::registerRefFields(this, &path, &recordIds);
    path = indexPath;
    recordIds = newObject<java_util_Vector>(kIdVectorCapacity, kIdVectorIncrement);
    open = 1;
    nextRecordId = 0;
    const bool indexWhole = exists != 0 && readIndex();
    removeLeftoverFiles(indexWhole);
    indexCurrent = indexWhole;
}

bool javax_microedition_rms_RecordStore::readIndex() {
    const std::string name = narrowPath(path);
    runtime::java_io_DataInputStream* const in =
        newObject<runtime::java_io_DataInputStream>(openFileInputStream(path));
    nextRecordId = in->readInt();
    jint count = 0;
    if (runtime::getPendingException() == nullptr) {
        count = in->readInt();
    }
    bool whole = count >= 0;
    jint read = 0;
    while (read < count && runtime::getPendingException() == nullptr) {
        const jint recordId = in->readInt();
        if (runtime::getPendingException() == nullptr) {
            recordIds->addElement(newObject<java_lang_Integer>(recordId));
            ++read;
        }
    }
    if (catchException(runtime::kException)) {
        runtime::log("RecordStore: index %s cut short, %d ids read", name.c_str(), static_cast<int>(read));
        whole = false;
    } else if (const jint extra = in->available(); whole && extra > 0) {
        // A count damaged downwards leaves ids behind it that the list no longer holds.
        runtime::log("RecordStore: index %s has %d bytes after its %d ids", name.c_str(),
                     static_cast<int>(extra), static_cast<int>(read));
        whole = false;
    }
    catchException(runtime::kException);
    in->close();
    catchException(runtime::kException);
    // Ids handed out must stay positive: a damaged negative counter starts again from 0.
    if (nextRecordId < 0) {
        whole = false;
        runtime::log("RecordStore: index %s has a negative last id %d; counting from 0", name.c_str(),
                     static_cast<int>(nextRecordId));
        nextRecordId = 0;
    }
    // A damaged counter below a listed id would hand that id out again and overwrite its record.
    for (jint i = 0; i < recordIds->size(); ++i) {
        const jint recordId = idAt(recordIds, i);
        if (recordId > nextRecordId) {
            whole = false;
            runtime::log("RecordStore: index %s lists id %d beyond its last id %d", name.c_str(),
                         static_cast<int>(recordId), static_cast<int>(nextRecordId));
            nextRecordId = recordId;
        }
    }
    return whole;
}

void javax_microedition_rms_RecordStore::removeLeftoverFiles(const bool indexWhole) {
    const std::string indexPath = narrowPath(path);
    const std::size_t nameStart = static_cast<std::size_t>(fileNameStart(path));
    const std::string folder = indexPath.substr(0, nameStart);
    const std::string indexName = lowerCase(indexPath.substr(nameStart));
    const std::string recordPrefix = indexName + narrowPath(runtime::getConstantString(kRecordIdPrefixText));
    const std::string ending = narrowPath(runtime::getConstantString(kFileEndingText));
    std::vector<jint> restored;
    for (const std::string& name : platform::regularFilesIn(folder)) {
        const std::string_view replaced = platform::FileReplacement::replacedName(name);
        const std::string own = lowerCase(replaced.empty() ? std::string_view(name) : replaced);
        const jint recordId = recordIdOf(own, recordPrefix, ending);
        if (own != indexName && recordId <= 0) {
            continue;
        }
        // A write cut short (the program killed mid-write) leaves its temporary file behind.
        if (!replaced.empty()) {
            runtime::log("RecordStore: removing %s, left by an interrupted write", name.c_str());
            platform::removeFile(folder + name);
            continue;
        }
        // The index is the commit point: a record it does not list was added or deleted only
        // part-way. A damaged index may have lost ids, so then every record file stays, listed
        // again, and the repaired index is written with the store's next write.
        if (recordId > 0 && contains(recordId) == 0) {
            if (indexWhole) {
                runtime::log("RecordStore: removing %s, which the index does not list", name.c_str());
                platform::removeFile(folder + name);
            } else {
                restored.push_back(recordId);
            }
        }
    }
    std::sort(restored.begin(), restored.end());
    for (const jint recordId : restored) {
        runtime::log("RecordStore: %s lists record %d again, which its damaged index lost", indexPath.c_str(),
                     static_cast<int>(recordId));
        recordIds->addElement(newObject<java_lang_Integer>(recordId));
        nextRecordId = std::max(nextRecordId, recordId);
    }
}

String* javax_microedition_rms_RecordStore::indexPathFor(String* const name, String* const vendor,
                                                         String* const suite) {
    const bool vendorForm =
        vendor != nullptr && suite != nullptr && vendor->length() != 1 && suite->length() != 1;
    runtime::StringBuffer* const text = runtime::newStringBuffer(kPathCapacity);
    String* const separator = runtime::getConstantString(kPathSeparatorText);
    text->append(vendorForm ? getProgramsFolder() : getGameFolder());
    // The folder is this machine's; only what the store adds is made safe for a file name.
    const jint folderLength = text->length();
    text->append(separator);
    if (vendorForm) {
        text->append(vendor);
        text->append(separator);
        text->append(suite);
        text->append(separator);
    }
    text->append(runtime::getConstantString(kStorePrefixText));
    text->append(name);
    text->append(runtime::getConstantString(kFileEndingText));
    for (jint i = folderLength; i < text->length(); ++i) {
        for (const char16_t replaced : kReplacedCharacters) {
            if (replaced != 0 && text->chars[i] == replaced) {
                text->setCharAt(i, u'_');
            }
        }
    }
    return text->toString();
}

javax_microedition_rms_RecordStore* javax_microedition_rms_RecordStore::openRecordStoreFor(
    String* const name, String* const vendor, String* const suite, const jboolean createIfNecessary) {
    String* const indexPath = indexPathFor(name, vendor, suite);
    const jint exists = fileExists(indexPath);
    if (exists == 0 && createIfNecessary == 0) {
        raise<runtime::javax_microedition_rms_RecordStoreNotFoundException>(indexPath);
        return nullptr;
    }
    return newObject<javax_microedition_rms_RecordStore>(indexPath, static_cast<jboolean>(exists));
}

javax_microedition_rms_RecordStore*
javax_microedition_rms_RecordStore::openRecordStore(String* const name, const jboolean createIfNecessary,
                                                    jint /*authmode*/, jboolean /*writable*/) {
    // The game's stores always live in its own folder, where the installer looks for "rms_".
    return openRecordStoreFor(name, nullptr, nullptr, createIfNecessary);
}

javax_microedition_rms_RecordStore*
javax_microedition_rms_RecordStore::openRecordStore(String* const name, const jboolean createIfNecessary) {
    return openRecordStore(name, createIfNecessary, 0, 1);
}

FileInputStream* javax_microedition_rms_RecordStore::openFileInputStream(String* const filePath) {
    return FileInputStream::open(newObject<File>(filePath));
}

jint javax_microedition_rms_RecordStore::fileExists(String* const filePath) {
    return File::exists(newObject<File>(filePath));
}

File* javax_microedition_rms_RecordStore::recordFile(const jint recordId) {
    // Beside the index, in the very folder it lies in: only what the store adds to that folder is
    // lower-cased, so a folder whose name differs only in case never takes the records.
    const jint nameStart = fileNameStart(path);
    runtime::StringBuffer* const text = runtime::newStringBuffer(kPathCapacity);
    text->append(path->substring(0, nameStart));
    text->append(path->substring(nameStart)->toLowerCase());
    text->append(runtime::getConstantString(kRecordIdPrefixText));
    text->appendInt(recordId);
    text->append(runtime::getConstantString(kFileEndingText));
    return newObject<File>(text->toString());
}

jint javax_microedition_rms_RecordStore::getSizeAvailable() {
    return kSizeAvailable;
}

jint javax_microedition_rms_RecordStore::readRecordFile(const jint recordId, ByteArray* const buffer,
                                                        const jint offset) {
    File* const file = recordFile(recordId);
    if (File::exists(file) == 0) {
        return 0;
    }
    const jint size = File::size(file);
    if (!runtime::arrayRangeValid(buffer, offset, size)) {
        runtime::log("RecordStore: record %d of %d bytes does not fit the buffer at offset %d",
                     static_cast<int>(recordId), static_cast<int>(size), static_cast<int>(offset));
        return 0;
    }
    FileInputStream* const stream = FileInputStream::open(file);
    if (stream == nullptr) {
        return 0;
    }
    runtime::java_io_DataInputStream* const in = newObject<runtime::java_io_DataInputStream>(stream);
    in->readFully(buffer, offset, size);
    const bool failed = catchException(runtime::kException);
    in->close();
    if (failed) {
        runtime::log("RecordStore: record %d could not be read", static_cast<int>(recordId));
        return 0;
    }
    return size;
}

jint javax_microedition_rms_RecordStore::writeRecordFile(const jint recordId, ByteArray* const data,
                                                         const jint offset, const jint length) {
    // A bad range would otherwise put an empty record in the old one's place.
    if (data != nullptr && !runtime::arrayRangeValid(data, offset, length)) {
        runtime::log("RecordStore: record %d not written: bad range %d+%d", static_cast<int>(recordId),
                     static_cast<int>(offset), static_cast<int>(length));
        return 0;
    }
    File* const file = recordFile(recordId);
    FileOutputStream* const stream = FileOutputStream::open(file);
    if (stream == nullptr) {
        return 0;
    }
    if (data != nullptr) {
        stream->write(data, offset, length);
    }
    const bool writeFailed = catchException(runtime::kException);
    // After a failed write the close drops the new version and raises once more.
    stream->close();
    const bool closeFailed = catchException(runtime::kException);
    if (writeFailed || closeFailed) {
        runtime::log("RecordStore: record %d not written, the old one is kept", static_cast<int>(recordId));
        return 0;
    }
    return 1;
}

jint javax_microedition_rms_RecordStore::contains(const jint recordId) {
    for (jint i = 0; i < recordIds->size(); ++i) {
        if (idAt(recordIds, i) == recordId) {
            return 1;
        }
    }
    return 0;
}

jint javax_microedition_rms_RecordStore::getRecordSize(const jint recordId) {
    if (contains(recordId) == 0) {
        raiseInvalidRecordId(recordId);
        return 0;
    }
    File* const file = recordFile(recordId);
    if (File::exists(file) == 0) {
        runtime::log("RecordStore: listed record %d has no file", static_cast<int>(recordId));
        return 0;
    }
    return File::size(file);
}

jint javax_microedition_rms_RecordStore::getSize() {
    jint total = 0;
    for (jint i = 0; i < recordIds->size(); ++i) {
        const jint recordId = idAt(recordIds, i);
        if (contains(recordId) == 0) {
            continue;
        }
        const jint size = getRecordSize(recordId);
        if (catchException(runtime::kInvalidRecordIDException) ||
            catchException(runtime::kRecordStoreException)) {
            continue;
        }
        if (catchException(runtime::kException)) {
            return 0;
        }
        total += size;
    }
    return total;
}

jint javax_microedition_rms_RecordStore::getRecord(const jint recordId, ByteArray* const buffer,
                                                   const jint offset) {
    if (contains(recordId) == 0) {
        raiseInvalidRecordId(recordId);
        return 0;
    }
    return readRecordFile(recordId, buffer, offset);
}

jint javax_microedition_rms_RecordStore::addRecord(ByteArray* const data, const jint offset,
                                                   const jint length) {
    if (getSizeAvailable() < length) {
        raise<runtime::javax_microedition_rms_RecordStoreFullException>(
            runtime::getConstantString(kStoreFullText));
        return 0;
    }
    // The last id was handed out: the next would wrap onto ids the store may still list.
    if (nextRecordId == std::numeric_limits<jint>::max()) {
        runtime::log("RecordStore: %s has no record ids left", narrowPath(path).c_str());
        raise<runtime::javax_microedition_rms_RecordStoreFullException>(
            runtime::getConstantString(kStoreFullText));
        return 0;
    }
    ++nextRecordId;
    const jint recordId = nextRecordId;
    recordIds->addElement(newObject<java_lang_Integer>(recordId));
    // The record first: until the index lists it, a crash leaves the store as it was.
    if (writeRecordFile(recordId, data, offset, length) == 0) {
        recordIds->removeElementAt(recordIds->size() - 1);
        raiseIndexNotWritten();
        return 0;
    }
    writeIndex();
    if (runtime::getPendingException() != nullptr) {
        // The index on disk does not list it, so neither does the store.
        recordIds->removeElementAt(recordIds->size() - 1);
        return 0;
    }
    return recordId;
}

void javax_microedition_rms_RecordStore::setRecord(const jint recordId, ByteArray* const data,
                                                   const jint offset, const jint length) {
    if (contains(recordId) == 0) {
        raiseInvalidRecordId(recordId);
        return;
    }
    const jint old = getRecordSize(recordId);
    if (getSizeAvailable() < length - old) {
        raise<runtime::javax_microedition_rms_RecordStoreFullException>(
            runtime::getConstantString(kStoreFullText));
        return;
    }
    if (writeRecordFile(recordId, data, offset, length) == 0) {
        raiseIndexNotWritten();
        return;
    }
    writeIndex();
}

void javax_microedition_rms_RecordStore::deleteRecord(const jint recordId) {
    jint found = recordIds->size() - 1;
    while (found >= 0 && idAt(recordIds, found) != recordId) {
        --found;
    }
    if (found < 0) {
        return;
    }
    Object* const removed = recordIds->elementAt(found);
    recordIds->removeElementAt(found);
    // The index first: once it no longer lists the record, deleting the file cannot lose a
    // record that is still listed.
    writeIndex();
    if (runtime::getPendingException() != nullptr) {
        insertAt(recordIds, removed, found);
        return;
    }
    File* const file = recordFile(recordId);
    if (File::exists(file) != 0) {
        platform::removeFile(narrowPath(file->path));
    }
}

void javax_microedition_rms_RecordStore::writeIndex() {
    // Until the write succeeds the file may hold another list than the store.
    indexCurrent = false;
    FileOutputStream* const stream = FileOutputStream::open(newObject<File>(path));
    if (stream == nullptr) {
        raiseIndexNotWritten();
        return;
    }
    writeIndexTo(newObject<runtime::java_io_DataOutputStream>(stream));
    if (catchException(runtime::kException)) {
        // Drop the partial index: the old one stays in place.
        stream->failed = 1;
        stream->close();
        catchException(runtime::kException);
        raiseIndexNotWritten();
        return;
    }
    indexCurrent = true;
}

void javax_microedition_rms_RecordStore::writeIndexIfChanged() {
    if (!indexCurrent) {
        writeIndex();
    }
}

void javax_microedition_rms_RecordStore::restoreRecord(const jint recordId, ByteArray* const data,
                                                       const jint offset, const jint length) {
    if (recordId < 1 || recordId > nextRecordId || contains(recordId) != 0) {
        raiseInvalidRecordId(recordId);
        return;
    }
    // The record first, as addRecord does: until the index lists it, a crash loses nothing.
    if (writeRecordFile(recordId, data, offset, length) == 0) {
        raiseIndexNotWritten();
        return;
    }
    insertAt(recordIds, newObject<java_lang_Integer>(recordId), 0);
    writeIndex();
    if (runtime::getPendingException() != nullptr) {
        recordIds->removeElementAt(0);
    }
}

void javax_microedition_rms_RecordStore::writeIndexTo(runtime::java_io_DataOutputStream* const out) {
    out->writeInt(nextRecordId);
    if (runtime::getPendingException() != nullptr) {
        return;
    }
    const jint count = recordIds->size();
    out->writeInt(count);
    for (jint i = 0; i < count && runtime::getPendingException() == nullptr; ++i) {
        out->writeInt(idAt(recordIds, i));
    }
    if (runtime::getPendingException() != nullptr) {
        return;
    }
    out->close();
}

void javax_microedition_rms_RecordStore::closeRecordStore() {
    writeIndex();
}

} // namespace profile
