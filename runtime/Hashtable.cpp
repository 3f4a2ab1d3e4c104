// The hash table, its entries and its enumerator.
#include "runtime/Hashtable.h"

#include "runtime/CheckFailed.h"
#include "runtime/ClassTable.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace runtime {

namespace {

// Constant strings of the table's text and of the enumerator's exception.
constexpr jint kKeyValueSeparatorText = 14; // between a key and its value
constexpr jint kEntrySeparatorText = 191;   // between two entries
constexpr jint kOpeningText = 296;
constexpr jint kClosingText = 297;
constexpr jint kNoMoreElementsText = 298;

constexpr jint kLoadPercent = 75;
constexpr jint kTextCapacity = 16;

jint thresholdFor(const jint capacity) {
    return idiv(capacity * kLoadPercent, 100);
}

// The bucket of a hash: the sign bit is dropped, so a negative hash still lands inside the table.
jint bucketOf(const jint hash, const jint capacity) {
    return irem(hash & 0x7FFFFFFF, capacity);
}

java_util_HashtableEntry* headOf(ObjectArray* table, const jint bucket) {
    return static_cast<java_util_HashtableEntry*>((*table)[bucket]);
}

void raiseNullPointer() {
    throwException(newObject<java_lang_NullPointerException>());
}

} // namespace

java_util_HashtableEntry::java_util_HashtableEntry(const jint keyHash, Object* const entryKey,
                                                   Object* const entryValue,
                                                   java_util_HashtableEntry* const nextEntry, const jint id)
    : Object(id), hash(keyHash), key(entryKey), value(entryValue), next(nextEntry) {
    registerRefFields(this, &key, &value, &next);
}

java_util_Hashtable::java_util_Hashtable(jint capacity, const jint id) : Object(id) {
    registerRefFields(this, &table);
    // A table of no buckets would have no bucket to put a key in (and 0 would divide by zero).
    if (capacity < 0) {
        checkFailed("Hashtable capacity below 0: taken as 1");
    }
    if (capacity < 1) {
        capacity = 1;
    }
    table = newObjectArray(capacity);
    count = 0;
    threshold = thresholdFor(capacity);
}

jint java_util_Hashtable::size() {
    return count;
}

jint java_util_Hashtable::isEmpty() {
    return count == 0 ? 1 : 0;
}

Object* java_util_Hashtable::findValue(Object* const key) {
    if (key == nullptr) {
        return nullptr;
    }
    const jint hash = key->hashCode();
    for (java_util_HashtableEntry* entry = headOf(table, bucketOf(hash, table->length)); entry != nullptr;
         entry = entry->next) {
        if (entry->hash == hash && entry->key->equals(key) != 0) {
            return entry->value;
        }
    }
    return nullptr;
}

Object* java_util_Hashtable::put(Object* const key, Object* const value) {
    // A null key could not be hashed; it is refused like a null value.
    if (value == nullptr || key == nullptr) {
        raiseNullPointer();
        return nullptr;
    }
    const jint hash = key->hashCode();
    for (;;) {
        const jint bucket = bucketOf(hash, table->length);
        java_util_HashtableEntry* const head = headOf(table, bucket);
        for (java_util_HashtableEntry* entry = head; entry != nullptr; entry = entry->next) {
            if (entry->hash == hash && entry->key->equals(key) != 0) {
                Object* const previous = entry->value;
                entry->value = value;
                return previous;
            }
        }
        if (count >= threshold) {
            rehash();
            continue;
        }
        java_util_HashtableEntry* const added = newObject<java_util_HashtableEntry>(hash, key, value, head);
        (*table)[bucket] = added; // the element storage may have moved: index it afresh
        ++count;
        return nullptr;
    }
}

void java_util_Hashtable::rehash() {
    ObjectArray* const oldTable = table;
    const jint oldCapacity = oldTable->length;
    const jint newCapacity = oldCapacity * 2 + 1;
    ObjectArray* const newTable = newObjectArray(newCapacity);
    threshold = thresholdFor(newCapacity);
    table = newTable;
    for (jint i = oldCapacity - 1; i >= 0; --i) {
        java_util_HashtableEntry* entry = headOf(oldTable, i);
        while (entry != nullptr) {
            java_util_HashtableEntry* const next = entry->next;
            const jint bucket = bucketOf(entry->hash, newCapacity);
            entry->next = headOf(newTable, bucket);
            (*newTable)[bucket] = entry;
            entry = next;
        }
    }
}

jint java_util_Hashtable::contains(Object* const value) {
    if (value == nullptr) {
        raiseNullPointer();
        return 0;
    }
    for (jint i = table->length - 1; i >= 0; --i) {
        for (java_util_HashtableEntry* entry = headOf(table, i); entry != nullptr; entry = entry->next) {
            if (entry->value->equals(value) != 0) {
                return 1;
            }
        }
    }
    return 0;
}

void java_util_Hashtable::clear() {
    for (jint i = table->length - 1; i >= 0; --i) {
        (*table)[i] = nullptr;
    }
    count = 0;
}

java_util_Hashtable_HashtableEnumerator* java_util_Hashtable::keys() {
    return newObject<java_util_Hashtable_HashtableEnumerator>(this, jboolean{1});
}

java_util_Hashtable_HashtableEnumerator* java_util_Hashtable::elements() {
    return newObject<java_util_Hashtable_HashtableEnumerator>(this, jboolean{0});
}

String* java_util_Hashtable::toString() {
    const jint last = size() - 1;
    StringBuffer* const text = newStringBuffer(kTextCapacity);
    java_util_Hashtable_HashtableEnumerator* const keyEnumerator = keys();
    java_util_Hashtable_HashtableEnumerator* const valueEnumerator = elements();
    java_util_Enumeration* const keyView = keyEnumerator;
    java_util_Enumeration* const valueView = valueEnumerator;
    text->append(getConstantString(kOpeningText));
    for (jint i = 0; i <= last; ++i) {
        Object* const key = keyView->nextElement();
        Object* const value = valueView->nextElement();
        if (getPendingException() != nullptr) {
            return nullptr;
        }
        String* const keyText = key->toString();
        String* const valueText = value->toString();
        StringBuffer* const pair = newStringBuffer(kTextCapacity);
        pair->append(keyText);
        pair->append(getConstantString(kKeyValueSeparatorText));
        pair->append(valueText);
        text->append(pair->toString());
        if (i < last) {
            text->append(getConstantString(kEntrySeparatorText));
        }
    }
    text->append(getConstantString(kClosingText));
    return text->toString();
}

java_util_Hashtable_HashtableEnumerator::java_util_Hashtable_HashtableEnumerator(
    java_util_Hashtable* const owner, const jboolean enumerateKeys, const jint id)
    : Object(id), keys(enumerateKeys), index(owner->table->length), table(owner->table), entry(nullptr),
      hashtable(owner) {
    registerRefFields(this, &table, &entry, &hashtable);
}

void* java_util_Hashtable_HashtableEnumerator::getInterface(const jint interfaceClassId) {
    if (interfaceClassId == kEnumeration) {
        return static_cast<java_util_Enumeration*>(this);
    }
    return Object::getInterface(interfaceClassId);
}

bool java_util_Hashtable_HashtableEnumerator::advanceToNextBucket() {
    // The index stops at 0, so an exhausted enumerator stays exhausted however often it is asked.
    while (index > 0) {
        --index;
        entry = static_cast<java_util_HashtableEntry*>((*table)[index]);
        if (entry != nullptr) {
            return true;
        }
    }
    return false;
}

jint java_util_Hashtable_HashtableEnumerator::hasMoreElements() {
    if (entry != nullptr) {
        return 1;
    }
    return advanceToNextBucket() ? 1 : 0;
}

Object* java_util_Hashtable_HashtableEnumerator::nextElement() {
    if (entry == nullptr) {
        advanceToNextBucket();
    }
    if (entry == nullptr) {
        throwException(newObject<java_util_NoSuchElementException>(getConstantString(kNoMoreElementsText)));
        return nullptr;
    }
    java_util_HashtableEntry* const handed = entry;
    entry = handed->next;
    return keys != 0 ? handed->key : handed->value;
}

} // namespace runtime
