// String creation, byte decoding and operations.
#include "runtime/String.h"

#include <algorithm>
#include <cstring>

#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/CheckFailed.h"
#include "runtime/Numbers.h"
#include "runtime/ObjectManager.h"
#include "runtime/StringBuffer.h"

namespace runtime {

namespace {

// Capacity of the shared decoding buffer when it is first made.
constexpr jint kDecodingBufferCapacity = 256;
// Longest text whose buffer size (count × 2 bytes) still fits a jint.
constexpr jint kMaxStringLength = 0x3FFFFFFE;

// True when [offset, offset + n) lies within 0..length.
bool rangeInside(const jint offset, const jint n, const jint length) {
    return offset >= 0 && n >= 0 && static_cast<jlong>(offset) + n <= length;
}

jchar foldToLower(const jchar c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<jchar>(c + 32) : c;
}
jchar foldToUpper(const jchar c) {
    return (c >= 'a' && c <= 'z') ? static_cast<jchar>(c - 32) : c;
}

jint matchesNameFolded(const String* s, const char* text, jchar (*fold)(jchar)) {
    if (text == nullptr) {
        return s->length() < 1 ? 1 : 0;
    }
    for (jint i = 0; i < s->length(); ++i) {
        const jchar t = static_cast<unsigned char>(text[i]);
        if (t == 0 || fold(s->chars[i]) != fold(t)) {
            return 0;
        }
    }
    return 1;
}

jchar identity(const jchar c) {
    return c;
}

// The Application's shared decoding buffer, made on first use.
StringBuffer* decodingBuffer() {
    Application* application = Application::getInstance();
    if (application == nullptr) {
        return newStringBuffer(kDecodingBufferCapacity);
    }
    if (application->decodingBuffer == nullptr) {
        application->decodingBuffer = newStringBuffer(kDecodingBufferCapacity);
    }
    return application->decodingBuffer;
}

// Decoders write at most one character per byte into out and return how many they wrote.

jint decodeUtf8Units(const std::uint8_t* in, const jint n, jchar* out) {
    jint k = 0;
    jint i = 0;
    while (i < n) {
        const jint b = in[i];
        if (b < 0x80) {
            out[k++] = static_cast<jchar>(b);
            ++i;
            continue;
        }
        const jint extra = (b >= 0xC0 && b <= 0xDF) ? 1 : (b >= 0xE0 && b <= 0xEF) ? 2 : 0;
        if (extra == 0) {
            // Not a lead byte: skip it and go on.
            checkFailed("UTFDataFormatException");
            ++i;
            continue;
        }
        if (i + extra >= n) {
            // A truncated sequence at the end: nothing after it can be decoded.
            checkFailed("UTFDataFormatException");
            break;
        }
        jint c = b & (extra == 1 ? 0x1F : 0x0F);
        for (jint j = 1; j <= extra; ++j) {
            const jint next = in[i + j];
            if ((next & 0xC0) != 0x80) {
                checkFailed("UTFDataFormatException");
            }
            c = (c << 6) | (next & 0x3F);
        }
        out[k++] = static_cast<jchar>(c);
        i += extra + 1;
    }
    return k;
}

jint decodeSjisUnits(const std::uint8_t* in, const jint n, jchar* out) {
    jint k = 0;
    jint i = 0;
    while (i < n) {
        const jint b = in[i];
        if (b > 127 && (b < 160 || b > 223)) {
            if (i + 1 >= n) {
                checkFailed("SJISDataFormatException");
                break;
            }
            // The two bytes stay one raw 16-bit code; no other character set is involved.
            out[k++] = static_cast<jchar>((b << 8) | in[i + 1]);
            i += 2;
            continue;
        }
        out[k++] = static_cast<jchar>(b);
        ++i;
    }
    return k;
}

} // namespace

// ---- storage

jint String::allocateStorage(const jint n) {
    if (chars != inlineChars && chars != nullptr) {
        zrl_free(chars);
    }
    chars = inlineChars;
    count = 1;
    inlineChars[0] = 0;
    if (n < 0 || n > kMaxStringLength) {
        checkFailed("String length");
        return 0;
    }
    if (n < kStringInlineUnits) {
        count = n + 1;
        chars[n] = 0;
        return n;
    }
    auto* buffer = static_cast<jchar*>(zrl_malloc((n + 1) * static_cast<jint>(sizeof(jchar))));
    if (buffer == nullptr) {
        return 0;
    }
    chars = buffer;
    registerBufferOwner(reinterpret_cast<void**>(&chars));
    count = n + 1;
    chars[n] = 0;
    return n;
}

void String::setEmpty() {
    allocateStorage(0);
}

void String::release() {
    if (chars != inlineChars && chars != nullptr) {
        zrl_free(chars);
    }
    chars = nullptr;
    count = 0;
}

// ---- creation

void String::initChars(CharArray* array, const jint offset, const jint n) {
    if (array == nullptr) {
        checkFailed("String::init ca=null");
        setEmpty();
        return;
    }
    if (!rangeInside(offset, n, array->length)) {
        checkFailed("String::init chars index");
        setEmpty();
        return;
    }
    const jint units = allocateStorage(n);
    // Read the elements only now: the allocation may have moved them.
    if (units > 0) {
        std::memcpy(chars, array->data() + offset, units * sizeof(jchar));
    }
}

void String::initCharArray(CharArray* array) {
    if (array == nullptr) {
        checkFailed("String::init ca=null");
        setEmpty();
        return;
    }
    initChars(array, 0, array->length);
}

void String::initStringBuffer(StringBuffer* buffer) {
    if (buffer == nullptr) {
        checkFailed("String::_init_ sb=null");
        setEmpty();
        return;
    }
    const jint n = buffer->chars == nullptr ? 0 : buffer->currentLength;
    const jint units = allocateStorage(n);
    if (units > 0) {
        std::memcpy(chars, buffer->chars, units * sizeof(jchar));
    }
}

void String::initBytes(ByteArray* bytes, const jint offset, const jint n, String* encoding) {
    if (bytes == nullptr) {
        checkFailed("String::init ba=null");
        setEmpty();
        return;
    }
    if (!rangeInside(offset, n, bytes->length) || n > kMaxStringLength) {
        checkFailed("String::init bytes index");
        setEmpty();
        return;
    }
    if (encoding == nullptr) {
        initBytes(bytes, offset, n);
        return;
    }
    if (encoding->matchesNameIgnoreCase("UTF-8") || encoding->matchesNameIgnoreCase("UTF8")) {
        decodeThroughSharedBuffer(bytes, offset, n, decodeUtf8Units);
        return;
    }
    if (encoding->matchesName("ISO-8859-1")) {
        initBytes(bytes, offset, n);
        return;
    }
    if (encoding->matchesName("SJIS")) {
        decodeThroughSharedBuffer(bytes, offset, n, decodeSjisUnits);
        return;
    }
    checkFailed("encoding not supported");
    setEmpty();
}

void String::initBytes(ByteArray* bytes, const jint offset, const jint n) {
    if (bytes == nullptr) {
        checkFailed("String::init ba=null");
        setEmpty();
        return;
    }
    if (!rangeInside(offset, n, bytes->length)) {
        checkFailed("String::init bytes index");
        setEmpty();
        return;
    }
    const jint units = allocateStorage(n);
    if (units < 1) {
        return;
    }
    const jbyte* source = bytes->data() + offset; // after the allocation, which may move it
    for (jint i = 0; i < units; ++i) {
        chars[i] = static_cast<std::uint8_t>(source[i]);
    }
}

void String::initBytes(ByteArray* bytes) {
    if (bytes == nullptr) {
        checkFailed("String::init ba=null");
        setEmpty();
        return;
    }
    initBytes(bytes, 0, bytes->length);
}

void String::fromCString(const char* text) {
    if (text == nullptr) {
        checkFailed("String::init text=null");
        setEmpty();
        return;
    }
    const jint units =
        allocateStorage(static_cast<jint>(std::min<std::size_t>(std::strlen(text), kMaxStringLength + 1u)));
    for (jint i = 0; i < units; ++i) {
        chars[i] = static_cast<unsigned char>(text[i]);
    }
}

void String::initWide(const jchar* text) {
    if (text == nullptr) {
        checkFailed("String::init text=null");
        setEmpty();
        return;
    }
    jint n = 0;
    while (text[n] != 0 && n <= kMaxStringLength) {
        ++n;
    }
    initUnits(text, n);
}

void String::initUnits(const jchar* units, const jint n) {
    if (units == nullptr && n > 0) {
        checkFailed("String::init units=null");
        setEmpty();
        return;
    }
    const jint copied = allocateStorage(n);
    if (copied > 0) {
        std::memcpy(chars, units, copied * sizeof(jchar));
    }
}

String* String::valueOfInt(const jint value) {
    char text[kMaxDecimalLength + 1];
    text[formatDecimal(value, text)] = '\0';
    return newStringFromCString(text);
}

String* String::valueOfObject(Object* object) {
    String* text = object == nullptr ? nullptr : object->toString();
    return text != nullptr ? text : newStringFromCString("null");
}

String* newStringFromCString(const char* text) {
    String* s = newObject<String>();
    s->fromCString(text);
    return s;
}

String* newStringFromWide(const jchar* text) {
    String* s = newObject<String>();
    s->initWide(text);
    return s;
}

// ---- decoding through the shared buffer

void String::decodeThroughSharedBuffer(ByteArray* bytes, const jint offset, const jint n,
                                       const Decoder decoder) {
    if (n < 1) {
        setEmpty();
        return;
    }
    StringBuffer* buffer = decodingBuffer();
    buffer->setLength(0);
    // With room for one character per byte made first, nothing allocates while decoding, so
    // the raw element and character pointers stay valid throughout.
    buffer->ensureCapacity(n + 1);
    const auto* in = reinterpret_cast<const std::uint8_t*>(bytes->data() + offset);
    // The decoded units are in place: take them as the buffer's text (setLength would clear them).
    const jint decoded = decoder(in, n, buffer->chars);
    buffer->currentLength = decoded;
    buffer->chars[decoded] = 0;
    initStringBuffer(buffer);
}

// ---- operations

jchar String::charAt(const jint i) const {
    if (i < 0 || i >= count) {
        checkFailed("charAt index");
        return 0;
    }
    return chars[i];
}

jint String::equals(Object* other) {
    if (other == nullptr || other->classId != kString) {
        return 0;
    }
    if (other == this) {
        return 1;
    }
    return compareTo(static_cast<String*>(other)) == 0 ? 1 : 0;
}

jint String::compareTo(String* other) const {
    if (other == nullptr) {
        checkFailed("compareTo null");
        return count;
    }
    const jint n = std::min(count, other->count);
    for (jint i = 0; i < n; ++i) {
        if (chars[i] != other->chars[i]) {
            return static_cast<jint>(chars[i]) - static_cast<jint>(other->chars[i]);
        }
    }
    return count - other->count;
}

jint String::hashCode() {
    std::uint32_t h = 0;
    for (jint i = 0; i < count; ++i) {
        h = 31u * h + chars[i];
    }
    return static_cast<jint>(h);
}

jint String::indexOf(const jint ch, const jint from) const {
    for (jint i = std::max(from, 0); i < length(); ++i) {
        if (chars[i] == ch) {
            return i;
        }
    }
    return -1;
}

jint String::indexOf(String* str, jint from) const {
    if (str == nullptr) {
        checkFailed("indexOf null");
        return -1;
    }
    if (str->length() == 1) {
        return indexOf(str->chars[0], from);
    }
    from = std::max(from, 0);
    const jint last = count - str->length() - 1;
    const jint n = std::min(length(), str->length());
    for (jint p = from; p <= last; ++p) {
        if (std::memcmp(chars + p, str->chars, n * sizeof(jchar)) == 0) {
            return p;
        }
    }
    return -1;
}

jint String::startsWith(String* prefix, const jint toffset) const {
    if (prefix == nullptr) {
        checkFailed("startsWith null");
        return 0;
    }
    if (toffset < 0 || toffset >= count) {
        return 0;
    }
    const jint n = std::min(prefix->length(), length());
    if (n < 1) {
        return 1;
    }
    if (toffset + n > length()) {
        return 0;
    }
    return std::memcmp(chars + toffset, prefix->chars, n * sizeof(jchar)) == 0 ? 1 : 0;
}

jint String::endsWith(String* suffix) const {
    if (suffix == nullptr) {
        checkFailed("endsWith null");
        return 0;
    }
    if (suffix->length() > length()) {
        return 0;
    }
    return startsWith(suffix, length() - suffix->length());
}

jint String::regionMatches(const jboolean ignoreCase, const jint toffset, String* other, const jint ooffset,
                           const jint n) const {
    if (other == nullptr) {
        checkFailed("regionMatches null");
        return 0;
    }
    if (toffset < 0 || ooffset < 0 || toffset > static_cast<jlong>(count) - n ||
        ooffset > static_cast<jlong>(other->count) - n) {
        return 0;
    }
    for (jint i = 0; i < n; ++i) {
        const jchar a = chars[toffset + i];
        const jchar b = other->chars[ooffset + i];
        if (a == b) {
            continue;
        }
        if (ignoreCase && (foldToUpper(a) == foldToUpper(b) || foldToLower(a) == foldToLower(b))) {
            continue;
        }
        return 0;
    }
    return 1;
}

String* String::copyRange(const jint begin, const jint n) {
    String* result = newObject<String>();
    const jint units = result->allocateStorage(n);
    // This string's buffer is read only now: the allocations may have moved it.
    if (units > 0) {
        std::memcpy(result->chars, chars + begin, units * sizeof(jchar));
    }
    return result;
}

String* String::substring(jint begin, jint end) {
    if (begin < 0 || end > length() || begin > end) {
        checkFailed("substring index");
        begin = std::clamp(begin, 0, length());
        end = std::clamp(end, begin, length());
    }
    return copyRange(begin, end - begin);
}

String* String::substring(const jint begin) {
    return substring(begin, length());
}

void String::getChars(const jint srcBegin, const jint srcEnd, CharArray* dst, const jint dstBegin) const {
    if (srcBegin < 0) {
        checkFailed("getChars srcBegin >= 0");
        return;
    }
    if (srcEnd > count) {
        checkFailed("getChars srcEnd <= m_count");
        return;
    }
    if (srcBegin > srcEnd) {
        checkFailed("srcBegin <= srcEnd");
        return;
    }
    if (dst == nullptr) {
        checkFailed("getChars dst=null");
        return;
    }
    const jint n = srcEnd - srcBegin;
    if (dstBegin < 0 || static_cast<jlong>(dstBegin) + n > dst->length) {
        checkFailed("dstBegin + count <= dst->length");
        return;
    }
    if (n > 0) {
        std::memcpy(dst->data() + dstBegin, chars + srcBegin, n * sizeof(jchar));
    }
}

CharArray* String::toCharArray() {
    CharArray* array = newCharArray(length());
    getChars(0, length(), array, 0);
    return array;
}

ByteArray* String::getBytes() {
    ByteArray* array = newByteArray(length());
    jbyte* out = array->data();
    for (jint i = 0; i < array->length; ++i) {
        out[i] = static_cast<jbyte>(chars[i]);
    }
    return array;
}

String* String::replace(const jchar oldChar, const jchar newChar) {
    if (oldChar == newChar) {
        return this;
    }
    const jint first = indexOf(oldChar, 0);
    if (first < 0) {
        return this;
    }
    String* result = copyRange(0, length());
    for (jint i = first; i < result->length(); ++i) {
        if (result->chars[i] == oldChar) {
            result->chars[i] = newChar;
        }
    }
    return result;
}

String* String::shiftLetters(const jchar from, const jint delta) {
    String* result = copyRange(0, length());
    for (jint i = 0; i < result->length(); ++i) {
        const jchar c = result->chars[i];
        if (c >= from && c <= from + 25) {
            result->chars[i] = static_cast<jchar>(c + delta);
        }
    }
    return result;
}

String* String::toLowerCase() {
    return shiftLetters('A', 32);
}

String* String::toUpperCase() {
    return shiftLetters('a', -32);
}

String* String::trim() {
    jint begin = 0;
    jint end = length();
    while (begin < end && chars[begin] <= ' ') {
        ++begin;
    }
    while (end > begin && chars[end - 1] <= ' ') {
        --end;
    }
    return copyRange(begin, end - begin);
}

jint String::matchesName(const char* text) const {
    return matchesNameFolded(this, text, identity);
}

jint String::matchesNameIgnoreCase(const char* text) const {
    return matchesNameFolded(this, text, foldToLower);
}

} // namespace runtime
