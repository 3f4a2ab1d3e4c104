// javax_microedition_rms_RecordStore (100): the profile's record stores, kept as plain files in
// the game's folder: one index file per store and one file per record.
//
// Index file, big-endian: the last record id handed out, the number of ids n, then the n ids in
// list order. Record file: the record's bytes and nothing else. Index paths are the game folder,
// "\", "rms_", the store name and ".rms" (constant strings 72, 73, 74); a record's file lies in the
// index's folder and is named by the lower-cased index file name, constant string 76, the id in
// decimal and constant string 74, so every store file carries "rms_", which the installer spares
// when the player keeps the saved data.
//
// Saved data is never lost: every file is written aside and renamed over the old one when
// complete, a record before the index that lists it, so the index is the commit point. A write
// that fails is reported as RecordStoreException and leaves the store as it was on disk. Opening
// a store clears what interrupted writes left in its folder: temporary files of its own names, and
// record files that a whole index does not list (a damaged index lists them again instead).
#pragma once

#include "profile/Files.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {
struct java_util_Vector;
struct java_io_DataOutputStream;
} // namespace runtime

namespace profile {

struct javax_microedition_rms_RecordStore : runtime::Object {
    static constexpr jint kClassId = runtime::kRecordStore;
    static constexpr jint kSizeAvailable = 0x7FFFFFFF;

    // RecordStore::init: a store over the index file at indexPath, reading it when it exists.
    // An index cut short or unreadable is logged and gives the ids read before the damage.
    javax_microedition_rms_RecordStore(String* indexPath, runtime::jboolean exists, jint id = kClassId);

    // The game's own stores, in the game folder (authmode and writable are ignored). A missing
    // store without createIfNecessary raises RecordStoreNotFoundException (message: the path).
    static javax_microedition_rms_RecordStore* openRecordStore(String* name,
                                                               runtime::jboolean createIfNecessary,
                                                               jint authmode, runtime::jboolean writable);
    static javax_microedition_rms_RecordStore* openRecordStore(String* name,
                                                               runtime::jboolean createIfNecessary);
    // A store of another suite below the programs folder when vendor and suite are given and
    // neither is one character long; otherwise a store of the game's own.
    static javax_microedition_rms_RecordStore* openRecordStoreFor(String* name, String* vendor, String* suite,
                                                                  runtime::jboolean createIfNecessary);
    // The index path openRecordStoreFor uses; the characters / : * ? < > | of the name, vendor
    // and suite become '_'.
    static String* indexPathFor(String* name, String* vendor, String* suite);
    // A new file stream on path, or null.
    static FileInputStream* openFileInputStream(String* path);
    // 1 when the file at path opens for reading.
    static jint fileExists(String* path);

    // Own slot: the sum of the listed records' sizes.
    virtual jint getSize();

    // 1 when id is listed in recordIds.
    jint contains(jint recordId);
    // The record's length; an unlisted id raises InvalidRecordIDException (message: the id).
    jint getRecordSize(jint recordId);
    // Copies the record into buffer at offset and returns its length: 0 (nothing written) when
    // the file is missing or the record does not fit. An unlisted id raises.
    jint getRecord(jint recordId, ByteArray* buffer, jint offset);
    // Stores data[offset .. offset+length) as a new record and returns its id (ids start at 1
    // and are never reused).
    jint addRecord(ByteArray* data, jint offset, jint length);
    // Replaces a listed record's bytes; an unlisted id raises.
    void setRecord(jint recordId, ByteArray* data, jint offset, jint length);
    // Unlists the record and deletes its file; an unknown id does nothing.
    void deleteRecord(jint recordId);
    // Writes the index file; RecordStoreException (constant string 75) when it cannot.
    void writeIndex();
    // writeIndex unless the file holds the store's list already (read whole, or written since),
    // so finishing with an unchanged store writes nothing.
    void writeIndexIfChanged();
    // Lists again record recordId, an id handed out before and listed no more, with the bytes
    // data[offset .. offset+length), for a table that lives in a fixed record and lost it. An id
    // that is listed, not positive or never handed out raises InvalidRecordIDException; a write
    // that fails raises RecordStoreException and leaves the store as it was.
    void restoreRecord(jint recordId, ByteArray* data, jint offset, jint length);
    // The index fields to out, then closes out; stops at the first exception.
    void writeIndexTo(runtime::java_io_DataOutputStream* out);
    // The store's close: writes the index. The store stays usable.
    void closeRecordStore();
    // Always 0x7FFFFFFF.
    jint getSizeAvailable();

    // The file of one record.
    File* recordFile(jint recordId);
    // Raw read of a record file into buffer at offset, without the id check: its length, or 0
    // when it is missing, does not fit or cannot be read. Nothing raises.
    jint readRecordFile(jint recordId, ByteArray* buffer, jint offset);
    // Raw write of a record file (null data gives an empty file), without the id check and
    // without touching the index: 1 when the new bytes are in place, 0 (logged) when the old
    // file was kept. Nothing raises.
    jint writeRecordFile(jint recordId, ByteArray* data, jint offset, jint length);

    String* path = nullptr;                         // the index file's path
    runtime::java_util_Vector* recordIds = nullptr; // java_lang_Integer ids, in file order
    jint nextRecordId = 0;                          // the last id handed out (0 for a new store)
    jint open = 0;

private:
    // Reads the ids; true when the index was read whole and consistent, with nothing after its
    // ids.
    bool readIndex();
    // Deletes the leftovers of interrupted writes of this store (see the top of this file):
    // record files that the index does not list when it was read whole; after a damaged index
    // they are listed again instead, since the index may have lost them.
    void removeLeftoverFiles(bool indexWhole);

    // True while the index file holds exactly what the store lists.
    bool indexCurrent = false;
};
using RecordStore = javax_microedition_rms_RecordStore;

} // namespace profile
