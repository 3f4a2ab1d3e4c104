// Element storage, release and allocation of the nine array classes, the fills of array
// literals, and multi-dimensional arrays.
#include "runtime/Arrays.h"

#include <cstdarg>
#include <cstdlib>

#include "runtime/Application.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"

namespace runtime {

void Array::allocateStorage(const jint elementBytes) {
    if (length < 0) {
        log("length of array should be >= 0");
        dumpStackTrace();
        length = 0;
    }
    if (length < 1) {
        elements = nullptr;
        return;
    }
    elements =
        allocateZeroedBuffer(static_cast<std::size_t>(length) * static_cast<std::size_t>(elementBytes));
    // Registered before anything else can allocate, so a compaction always finds the owner.
    registerBufferOwner(&elements);
}

void Array::release() {
    if (elements == nullptr) {
        return;
    }
    zrl_free(elements);
    elements = nullptr;
}

void checkArrayIndex(const Array* array, const jint index) {
    if (array == nullptr) {
        log("array index %d on a null array", index);
        dumpStackTrace();
        std::abort();
    }
    if (index < 0 || index >= array->length) {
        log("array index %d out of bounds, length %d", index, array->length);
        dumpStackTrace();
        std::abort();
    }
}

String* CharArray::toString() {
    jint n = 0;
    while (n < length && data()[n] != 0) {
        ++n;
    }
    // initChars reads the elements after its own allocation, which may move them.
    String* text = newObject<String>();
    text->initChars(this, 0, n);
    return text;
}

ObjectArray* newObjectArray(const jint length, jint /*elementClassId*/) {
    return newObject<ObjectArray>(length);
}
BoolArray* newBoolArray(const jint length) {
    return newObject<BoolArray>(length);
}
ByteArray* newByteArray(const jint length) {
    return newObject<ByteArray>(length);
}
CharArray* newCharArray(const jint length) {
    return newObject<CharArray>(length);
}
ShortArray* newShortArray(const jint length) {
    return newObject<ShortArray>(length);
}
IntArray* newIntArray(const jint length) {
    return newObject<IntArray>(length);
}
Long64Array* newLongArray(const jint length) {
    return newObject<Long64Array>(length);
}
FloatArray* newFloatArray(const jint length) {
    return newObject<FloatArray>(length);
}
DoubleArray* newDoubleArray(const jint length) {
    return newObject<DoubleArray>(length);
}

namespace {

// Stores up to count int arguments into the array, each truncated to the element type.
template <typename ArrayType>
ArrayType* fillFromArguments(const char* name, ArrayType* array, jint count, va_list values) {
    if (array == nullptr) {
        log("%s array=null", name);
        dumpStackTrace();
        return nullptr;
    }
    if (count > array->length) {
        // The literal is longer than its array: keep what fits rather than write past it.
        log("%s count=%d > length=%d", name, count, array->length);
        dumpStackTrace();
        count = array->length;
    }
    typename ArrayType::ElementType* data = array->data();
    for (jint i = 0; i < count; ++i) {
        data[i] = static_cast<typename ArrayType::ElementType>(va_arg(values, jint));
    }
    return array;
}

// Fills every element of array with new arrays for the remaining dimensions. descriptor is the
// array's own descriptor ("[[I"), counts the counts of the levels below it.
void fillLevel(ObjectArray* array, const char* descriptor, const jint* counts, const jint remaining) {
    if (remaining < 1) {
        return; // a partly specified array: the elements stay null
    }
    const char* elementDescriptor = descriptor[0] == '[' ? descriptor + 1 : descriptor;
    for (jint i = 0; i < array->length; ++i) {
        if (remaining == 1) {
            const char type = elementDescriptor[0] == '[' ? elementDescriptor[1] : '\0';
            Array* child = newArrayOfType(type, counts[0]);
            array->data()[i] = child;
            continue;
        }
        ObjectArray* child = newObjectArray(counts[0]);
        // Stored before it is filled, so it stays reachable while its own children are made.
        array->data()[i] = child;
        fillLevel(child, elementDescriptor, counts + 1, remaining - 1);
    }
}

} // namespace

IntArray* newIntArrayOf(IntArray* array, const jint count, ...) {
    va_list values;
    va_start(values, count);
    IntArray* result = fillFromArguments("newIntArrayOf", array, count, values);
    va_end(values);
    return result;
}

ByteArray* newByteArrayOf(ByteArray* array, const jint count, ...) {
    va_list values;
    va_start(values, count);
    ByteArray* result = fillFromArguments("newByteArrayOf", array, count, values);
    va_end(values);
    return result;
}

ShortArray* newShortArrayOf(ShortArray* array, const jint count, ...) {
    va_list values;
    va_start(values, count);
    ShortArray* result = fillFromArguments("newShortArrayOf", array, count, values);
    va_end(values);
    return result;
}

Array* newArrayOfType(const char descriptorType, const jint length) {
    switch (descriptorType) {
    case 'B':
        return newByteArray(length);
    case 'C':
        return newCharArray(length);
    case 'D':
        return newDoubleArray(length);
    case 'F':
        return newFloatArray(length);
    case 'I':
        return newIntArray(length);
    case 'J':
        return newLongArray(length);
    case 'S':
        return newShortArray(length);
    case 'Z':
        return newBoolArray(length);
    default:
        return newObjectArray(length);
    }
}

ObjectArray* newMultiArray(const char* descriptor, const jint* counts, const jint dimensions) {
    if (descriptor == nullptr || counts == nullptr || dimensions < 1) {
        log("newMultiArray dimensions=%d", dimensions);
        dumpStackTrace();
        return nullptr;
    }
    ObjectArray* outer = newObjectArray(counts[0]);
    fillLevel(outer, descriptor, counts + 1, dimensions - 1);
    return outer;
}

} // namespace runtime
