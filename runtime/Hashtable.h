// java_util_Hashtable (57): the class library's chained hash map from object keys to object
// values, with its entries (java_util_HashtableEntry, 58) and its enumerator
// (java_util_Hashtable_HashtableEnumerator, 56).
//
// Keys hash and compare through their own hashCode and equals slots, so String and Integer keys
// match by content and other objects by identity. The table rehashes to capacity × 2 + 1 when an
// insertion finds it 75 percent full. Enumerations walk the buckets from the last to the first,
// each chain newest first. Keys are never null; a null value raises NullPointerException.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/Enumeration.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct java_util_Hashtable_HashtableEnumerator;

struct java_util_HashtableEntry : Object {
    static constexpr jint kClassId = kHashtableEntry;

    java_util_HashtableEntry(jint keyHash, Object* entryKey, Object* entryValue,
                             java_util_HashtableEntry* nextEntry, jint id = kClassId);

    jint hash = 0; // the key's hashCode when the entry was made
    Object* key = nullptr;
    Object* value = nullptr; // never null
    java_util_HashtableEntry* next = nullptr;
};

struct java_util_Hashtable : Object {
    static constexpr jint kClassId = kHashtable;
    static constexpr jint kDefaultCapacity = 11;

    // An empty table of capacity buckets; a capacity below 1 is taken as 1.
    explicit java_util_Hashtable(jint capacity = kDefaultCapacity, jint id = kClassId);

    // "{key=value, key=value}" with the pool's texts, entries in enumeration order.
    String* toString() override;
    // Own slots.
    virtual jint size();
    virtual jint isEmpty();
    // 1 when some entry's value equals value; a null value raises NullPointerException.
    virtual jint contains(Object* value);
    // Empties every bucket; the capacity stays.
    virtual void clear();

    // The value stored for key, or null (the lookup, get).
    Object* findValue(Object* key);
    // Stores value for key and returns the previous value, or null. A null value raises
    // NullPointerException and changes nothing.
    Object* put(Object* key, Object* value);
    // Grows the bucket array to capacity × 2 + 1 and moves every entry (called by put).
    void rehash();
    // A new enumerator over the keys or over the values of the current bucket array.
    java_util_Hashtable_HashtableEnumerator* keys();
    java_util_Hashtable_HashtableEnumerator* elements();

    ObjectArray* table = nullptr; // bucket heads; its length is the capacity
    jint count = 0;
    jint threshold = 0; // capacity × 75 / 100: the count at which put rehashes first
};

struct java_util_Hashtable_HashtableEnumerator : Object, java_util_Enumeration {
    static constexpr jint kClassId = kHashtableEnumerator;

    java_util_Hashtable_HashtableEnumerator(java_util_Hashtable* owner, jboolean enumerateKeys,
                                            jint id = kClassId);

    // The Enumeration view for class 54.
    void* getInterface(jint interfaceClassId) override;
    jint hasMoreElements() override;
    // The next key or value; past the end raises NoSuchElementException and gives null.
    Object* nextElement() override;

    jboolean keys = 0; // 1: hands out keys, 0: values
    jint index = 0;    // buckets below this one are still to be visited
    ObjectArray* table = nullptr;
    java_util_HashtableEntry* entry = nullptr; // the next entry to hand out
    java_util_Hashtable* hashtable = nullptr;  // keeps the table reachable

private:
    // Moves down to the next non-empty bucket; false when none is left.
    bool advanceToNextBucket();
};

} // namespace runtime
