// String: the runtime's immutable text of 16-bit characters.
//
// Up to 15 characters live inside the object; longer texts live in a secondary-heap buffer that
// the chars field owns, so a compaction may move the buffer and rewrite the field: read `chars`
// again after anything that can allocate. count is the length + 1; the unit at index length is
// always 0.
//
// A String is created with newObject<String>() (an empty text) and filled by one of the init
// routines, or in one step by newStringFromCString / newStringFromWide. Bad indexes are logged
// with the stack trace and never reach memory outside the objects; nothing raises.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct ByteArray;
struct CharArray;
struct StringBuffer;

inline constexpr jint kStringInlineUnits = 16;

struct String : Object {
    static constexpr jint kClassId = kString;

    jchar inlineChars[kStringInlineUnits] = {};
    jchar* chars = inlineChars; // inlineChars when count <= 16, else an owned secondary-heap buffer
    jint count = 1;             // length + 1; the unit at index length is always 0

    explicit String(const jint id = kClassId) : Object(id) {}

    // Creation: each fills this (freshly created) string; an earlier text is given back first.
    // n characters of a CharArray from offset.
    void initChars(CharArray* array, jint offset, jint n);
    void initCharArray(CharArray* array);
    void initStringBuffer(StringBuffer* buffer);
    // n bytes from offset decoded by the named encoding: UTF-8, ISO-8859-1 or SJIS, chosen by
    // prefix ("", "UTF" and "utf8" select UTF-8); no encoding means ISO-8859-1. An unsupported
    // name is logged and gives the empty text.
    void initBytes(ByteArray* bytes, jint offset, jint n, String* encoding);
    void initBytes(ByteArray* bytes, jint offset, jint n);
    void initBytes(ByteArray* bytes);
    // One character per byte of a NUL-terminated 8-bit text.
    void fromCString(const char* text);
    // The units of a NUL-terminated 16-bit text.
    void initWide(const jchar* text);
    // n units of a plain buffer; it must not live in the secondary heap (it could move).
    void initUnits(const jchar* units, jint n);

    // The decimal text of value ("%d").
    static String* valueOfInt(jint value);
    // The object's toString; "null" for a null object.
    static String* valueOfObject(Object* object);

    jint length() const { return count - 1; }
    // Unit i; 0 (logged) outside the units 0..length.
    jchar charAt(jint i) const;

    // 1 for a String with the same units (compareTo gives 0).
    jint equals(Object* other) override;
    // Compares units 0..min(counts)-1, terminators included: at the first difference the
    // difference of the units, else the difference of the counts.
    jint compareTo(String* other) const;
    // 31 × h + unit over all count units (terminator included): 31 times the usual text hash.
    jint hashCode() override;
    String* toString() override { return this; }
    void release() override;

    // First index i >= from of the character, or -1.
    jint indexOf(jint ch, jint from = 0) const;
    // First index >= from where str occurs, or -1; an empty str matches at from.
    jint indexOf(String* str, jint from = 0) const;
    // Compares min(prefix length, length) units from toffset, so "ab" starts with "abc" and the
    // empty text starts with everything; 0 for toffset outside 0..length.
    jint startsWith(String* prefix, jint toffset = 0) const;
    jint endsWith(String* suffix) const;
    // Compares n units from each offset; the ranges are checked against the counts, so a
    // region may take in the terminator. ignoreCase folds 'a'-'z' and 'A'-'Z'.
    jint regionMatches(jboolean ignoreCase, jint toffset, String* other, jint ooffset, jint n) const;

    // New string of the units begin..end-1 (indexes outside the text are logged and clamped).
    String* substring(jint begin, jint end);
    String* substring(jint begin);
    // Copies units srcBegin..srcEnd-1 into dst from dstBegin; a failed check copies nothing.
    void getChars(jint srcBegin, jint srcEnd, CharArray* dst, jint dstBegin) const;
    CharArray* toCharArray();
    // One byte per character: its low 8 bits.
    ByteArray* getBytes();
    // This string itself when oldChar == newChar or oldChar does not occur.
    String* replace(jchar oldChar, jchar newChar);
    // Always new strings; only ASCII letters change.
    String* toLowerCase();
    String* toUpperCase();
    // Always a new string, without leading and trailing characters <= ' '.
    String* trim();

    // 1 when this string is empty or equals the first length characters of the text (so a
    // leading part of a name matches it); the second form folds ASCII case on both sides.
    jint matchesName(const char* text) const;
    jint matchesNameIgnoreCase(const char* text) const;

private:
    // Points chars at storage for n units plus the terminator and sets count; the text is the
    // empty one when n is unusable. Allocates for n >= 15, which may move any other buffer.
    // Returns the number of units to copy (n, or 0 after a failure).
    jint allocateStorage(jint n);
    void setEmpty();
    // New string of n units copied from this string at begin.
    String* copyRange(jint begin, jint n);
    // New string of this string's units with ASCII letters in [from, from + 25] shifted by delta.
    String* shiftLetters(jchar from, jint delta);
    // Decodes n bytes from offset into the Application's shared decoding buffer with decoder
    // (which writes at most one unit per byte and returns the count), then takes its text.
    using Decoder = jint (*)(const std::uint8_t* in, jint n, jchar* out);
    void decodeThroughSharedBuffer(ByteArray* bytes, jint offset, jint n, Decoder decoder);
};

// A new String of the bytes of a NUL-terminated 8-bit text, one character per byte.
String* newStringFromCString(const char* text);
// A new String of the units of a NUL-terminated 16-bit text.
String* newStringFromWide(const jchar* text);

} // namespace runtime
