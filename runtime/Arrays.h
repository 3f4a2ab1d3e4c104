// The nine array classes and their allocators.
//
// An array is a header, a length and a pointer to its element storage in the secondary heap.
// The elements field is the storage's registered owner, so compaction may move the storage and
// rewrite the field: never keep a raw element pointer across anything that can allocate; read
// it again from the array.
//
// Indexing is unchecked in release builds, as the translated code expects. Checked builds
// (TARNWICK_CHECKED) stop with a message on a null array or an index outside it, so an index
// taken from data cannot corrupt memory silently there.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct Array : Object {
    // Bytes per element: the array classes' seventh slot.
    virtual jint elementSize() const = 0;
    // Gives the element storage back to whichever heap (or the system allocator) owns it.
    void release() override;

    jint length = 0;
    void* elements = nullptr; // null when length is 0

protected:
    explicit Array(const jint id, const jint n) : Object(id), length(n) {}
    // Zeroed storage for length elements of elementBytes each, owned by the elements field. A
    // negative length is logged and becomes 0.
    void allocateStorage(jint elementBytes);
};

// Checked builds: logs and stops when array is null or index lies outside it.
void checkArrayIndex(const Array* array, jint index);

#if TARNWICK_CHECKED
#define TARNWICK_CHECK_INDEX(array, index) ::runtime::checkArrayIndex((array), (index))
#else
#define TARNWICK_CHECK_INDEX(array, index) ((void)0)
#endif

template <typename Element, jint Id> struct TypedArray : Array {
    static constexpr jint kClassId = Id;
    using ElementType = Element;

    explicit TypedArray(const jint n) : Array(Id, n) { allocateStorage(static_cast<jint>(sizeof(Element))); }
    jint elementSize() const override { return static_cast<jint>(sizeof(Element)); }

    Element* data() { return static_cast<Element*>(elements); }
    const Element* data() const { return static_cast<const Element*>(elements); }
    // Unchecked in release builds; checked builds stop on an index outside the array.
    Element& operator[](const jint index) {
        TARNWICK_CHECK_INDEX(this, index);
        return data()[index];
    }
    const Element& operator[](const jint index) const {
        TARNWICK_CHECK_INDEX(this, index);
        return data()[index];
    }
    bool inBounds(const jint index) const { return index >= 0 && index < length; }
};

struct ObjectArray : TypedArray<Object*, kObjectArray> {
    using TypedArray::TypedArray;
};
struct BoolArray : TypedArray<jboolean, kBoolArray> {
    using TypedArray::TypedArray;
};
struct ByteArray : TypedArray<jbyte, kByteArray> {
    using TypedArray::TypedArray;
};
struct CharArray : TypedArray<jchar, kCharArray> {
    using TypedArray::TypedArray;
    String* toString() override; // the characters up to the first 0
};
struct ShortArray : TypedArray<jshort, kShortArray> {
    using TypedArray::TypedArray;
};
struct IntArray : TypedArray<jint, kIntArray> {
    using TypedArray::TypedArray;
};
struct Long64Array : TypedArray<jlong, kLong64Array> {
    using TypedArray::TypedArray;
};
struct FloatArray : TypedArray<jfloat, kFloatArray> {
    using TypedArray::TypedArray;
};
struct DoubleArray : TypedArray<jdouble, kDoubleArray> {
    using TypedArray::TypedArray;
};

// A negative length logs "length of array should be >= 0" and gives an array of length 0.
// The element class of newObjectArray is not used.
ObjectArray* newObjectArray(jint length, jint elementClassId = kObject);
BoolArray* newBoolArray(jint length);
ByteArray* newByteArray(jint length);
CharArray* newCharArray(jint length);
ShortArray* newShortArray(jint length);
IntArray* newIntArray(jint length);
Long64Array* newLongArray(jint length);
FloatArray* newFloatArray(jint length);
DoubleArray* newDoubleArray(jint length);

// Store count values (passed as ints) into elements 0..count-1 of an existing array, truncated
// to the element width, and return the array. A count beyond the length is cut to the length.
IntArray* newIntArrayOf(IntArray* array, jint count, ...);
ByteArray* newByteArrayOf(ByteArray* array, jint count, ...);
ShortArray* newShortArrayOf(ShortArray* array, jint count, ...);

// Array of the primitive type named by a descriptor character ('B' 'C' 'D' 'F' 'I' 'J' 'S'
// 'Z'); any other character gives an ObjectArray.
Array* newArrayOfType(char descriptorType, jint length);
// Multi-dimensional array for a descriptor such as "[[I" and counts[0..dimensions-1], the
// first dimension first. Levels beyond the given counts stay null.
ObjectArray* newMultiArray(const char* descriptor, const jint* counts, jint dimensions);

} // namespace runtime
