// StringBuffer: the mutable text that translated code builds strings with.
//
// The characters live in a secondary-heap buffer owned by the chars field (null while the
// capacity is 0); a compaction may move it, so read `chars` again after anything that can
// allocate. The unit at index length is kept 0. Growth doubles the capacity (or takes what is
// needed when that is more); the buffer never shrinks. Bad offsets are logged with the stack
// trace and change nothing; nothing raises.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct String;

struct StringBuffer : Object {
    static constexpr jint kClassId = kStringBuffer;

    jchar* chars = nullptr; // owned secondary-heap buffer of capacity units
    jint capacity = 0;
    jint currentLength = 0;

    explicit StringBuffer(const jint id = kClassId) : Object(id) {}

    // An empty buffer with room for capacity units (none for capacity <= 0).
    void init(jint capacity);
    // A buffer holding str's characters, with room for one more unit.
    void initString(String* str);

    jint length() const { return currentLength; }
    // n < capacity: the length becomes n. Otherwise the buffer grows to hold n characters and
    // the new characters are 0 (setLength(0) on a buffer of capacity 0 changes nothing).
    void setLength(jint n);
    // Grows the buffer (by doubling, at least to minimum units) when it is smaller.
    void ensureCapacity(jint minimum);

    // Inserts n units at offset (0..length). Units that live in a secondary-heap buffer,
    // this buffer's own included, are copied before the buffer grows.
    void insert(jint offset, const jchar* units, jint n);
    // A null str inserts "null".
    void insertString(jint offset, String* str);
    void append(String* str);
    // Appends the object's toString; "null" for a null object.
    void appendObject(Object* object);
    // "true" for 1, "false" for anything else.
    void appendBoolean(jint value);
    void appendChar(jchar c);
    void appendInt(jint value);
    void appendLong(jlong value);

    // Removes the characters start..min(end, length)-1 (StringBuffer.delete).
    void deleteRange(jint start, jint end);
    void deleteCharAt(jint i);
    // Unit i = c, for 0 <= i < capacity.
    void setCharAt(jint i, jchar c);

    // A new String of the length characters.
    String* toString() override;
    void release() override;

private:
    // Moves the characters into a new buffer of newCapacity units.
    void grow(jint newCapacity);
    // Appends an 8-bit text, one character per byte.
    void appendCString(const char* text);
};

// A new StringBuffer with room for capacity units.
StringBuffer* newStringBuffer(jint capacity = 16);

} // namespace runtime
