// StringBuffer: growth, insertion (the core of every append), deletion and conversion.
#include "runtime/StringBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "runtime/CheckFailed.h"
#include "runtime/Numbers.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"

namespace runtime {

namespace {

// Largest capacity whose buffer size in bytes still fits a jint.
constexpr jint kMaxCapacity = 0x3FFFFFFF;
// Inserted texts up to this many units are copied aside on the stack, longer ones on the heap.
constexpr jint kLocalCopyUnits = 64;

constexpr jchar kNullText[] = {'n', 'u', 'l', 'l'};

} // namespace

StringBuffer* newStringBuffer(const jint capacity) {
    StringBuffer* buffer = newObject<StringBuffer>();
    buffer->init(capacity);
    return buffer;
}

void StringBuffer::init(jint initialCapacity) {
    release();
    currentLength = 0;
    if (initialCapacity > kMaxCapacity) {
        checkFailed("StringBuffer capacity");
        initialCapacity = 0;
    }
    if (initialCapacity > 0) {
        grow(initialCapacity);
    }
    setLength(0);
}

void StringBuffer::initString(String* str) {
    if (str == nullptr) {
        checkFailed("StringBuffer init str=null");
        init(16);
        return;
    }
    init(str->count);
    insertString(0, str);
}

void StringBuffer::grow(const jint newCapacity) {
    auto* buffer = static_cast<jchar*>(zrl_malloc(newCapacity * static_cast<jint>(sizeof(jchar))));
    if (buffer == nullptr) {
        return;
    }
    // The old buffer is read only now: the allocation may have moved it.
    if (chars != nullptr) {
        std::memcpy(buffer, chars, capacity * sizeof(jchar));
        zrl_free(chars);
    }
    chars = buffer;
    registerBufferOwner(reinterpret_cast<void**>(&chars));
    capacity = newCapacity;
}

void StringBuffer::ensureCapacity(const jint minimum) {
    if (minimum <= capacity) {
        return;
    }
    if (minimum > kMaxCapacity) {
        checkFailed("StringBuffer capacity");
        return;
    }
    grow(static_cast<jint>(std::min<jlong>(std::max<jlong>(2LL * capacity, minimum), kMaxCapacity)));
}

void StringBuffer::setLength(const jint n) {
    if (n < 0) {
        checkFailed("StringBuffer setLength");
        return;
    }
    if (n == 0 && capacity == 0) {
        return;
    }
    if (n >= capacity) {
        if (n >= kMaxCapacity) {
            checkFailed("StringBuffer capacity");
            return;
        }
        ensureCapacity(n + 1);
        if (n >= capacity) {
            return;
        }
    }
    // Characters that come into use read 0, not whatever an earlier text left there.
    if (n > currentLength) {
        std::fill(chars + currentLength, chars + n, jchar{0});
    }
    currentLength = n;
    chars[n] = 0;
}

void StringBuffer::insert(const jint offset, const jchar* units, const jint n) {
    if (offset < 0 || offset > currentLength) {
        checkFailed("StringBuffer insert offset");
        return;
    }
    if (n < 0 || (units == nullptr && n > 0)) {
        checkFailed("StringBuffer insert length");
        return;
    }
    const jlong needed = static_cast<jlong>(currentLength) + n + 1;
    if (needed > kMaxCapacity) {
        checkFailed("StringBuffer capacity");
        return;
    }
    // Growing can compact the secondary heap and move the source (this buffer's own text
    // included), and shifting this buffer's units can overwrite it: take a copy first.
    const auto sourceAddress = reinterpret_cast<std::uintptr_t>(units);
    const auto ownAddress = reinterpret_cast<std::uintptr_t>(chars);
    const bool overlapsOwn = chars != nullptr && sourceAddress >= ownAddress &&
                             sourceAddress < ownAddress + capacity * sizeof(jchar);
    const bool mustGrow = needed > capacity;
    jchar localCopy[kLocalCopyUnits];
    std::unique_ptr<jchar[]> heapCopy;
    const jchar* source = units;
    if ((overlapsOwn || mustGrow) && n > 0) {
        jchar* copy = localCopy;
        if (n > kLocalCopyUnits) {
            heapCopy = std::make_unique_for_overwrite<jchar[]>(n);
            copy = heapCopy.get();
        }
        std::memcpy(copy, units, n * sizeof(jchar));
        source = copy;
    }
    if (mustGrow) {
        ensureCapacity(static_cast<jint>(needed));
        if (needed > capacity) {
            return;
        }
    }
    if (offset < currentLength) {
        std::memmove(chars + offset + n, chars + offset, (currentLength - offset) * sizeof(jchar));
    }
    if (n > 0) {
        std::memcpy(chars + offset, source, n * sizeof(jchar));
    }
    currentLength += n;
    chars[currentLength] = 0;
}

void StringBuffer::insertString(const jint offset, String* str) {
    if (str == nullptr) {
        insert(offset, kNullText, 4);
        return;
    }
    insert(offset, str->chars, str->length());
}

void StringBuffer::append(String* str) {
    insertString(currentLength, str);
}

void StringBuffer::appendObject(Object* object) {
    String* text = object == nullptr ? nullptr : object->toString();
    append(text);
}

void StringBuffer::appendBoolean(const jint value) {
    appendCString(value == 1 ? "true" : "false");
}

void StringBuffer::appendChar(const jchar c) {
    insert(currentLength, &c, 1);
}

void StringBuffer::appendInt(const jint value) {
    appendLong(value);
}

void StringBuffer::appendLong(const jlong value) {
    char text[kMaxDecimalLength + 1];
    text[formatDecimal(value, text)] = '\0';
    appendCString(text);
}

void StringBuffer::appendCString(const char* text) {
    jchar units[24];
    jint n = 0;
    while (text[n] != 0 && n < static_cast<jint>(std::size(units))) {
        units[n] = static_cast<unsigned char>(text[n]);
        ++n;
    }
    insert(currentLength, units, n);
}

void StringBuffer::deleteRange(const jint start, const jint end) {
    if (end < start) {
        checkFailed("StringBuffer::delete end >= start");
        return;
    }
    if (start < 0 || start > currentLength) {
        checkFailed("StringBuffer::delete start >= 0 && start <= currentLength");
        return;
    }
    const jint cut = std::min(end, currentLength);
    const jint k = cut - start;
    if (k > 0) {
        std::memmove(chars + start, chars + cut, (currentLength - cut) * sizeof(jchar));
    }
    setLength(currentLength - k);
}

void StringBuffer::deleteCharAt(const jint i) {
    deleteRange(i, i + 1);
}

void StringBuffer::setCharAt(const jint i, const jchar c) {
    if (i < 0 || i >= capacity) {
        checkFailed("setCharAt OOB");
        return;
    }
    chars[i] = c;
}

String* StringBuffer::toString() {
    String* text = newObject<String>();
    text->initStringBuffer(this);
    return text;
}

void StringBuffer::release() {
    if (chars != nullptr) {
        zrl_free(chars);
    }
    chars = nullptr;
    capacity = 0;
}

} // namespace runtime
