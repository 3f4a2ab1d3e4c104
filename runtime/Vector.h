// java_util_Vector (64): the class library's growable array of object references.
//
// Elements 0 .. elementCount - 1 are the contents; the rest of the array is null. The array grows
// by capacityIncrement, or doubles when that is 0 or less, and never shrinks. Index errors raise
// ArrayIndexOutOfBoundsException with the index and change nothing.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct java_util_Vector : Object {
    static constexpr jint kClassId = kVector;

    // Vector::init: an empty vector with room for initialCapacity elements. A negative capacity
    // raises IllegalArgumentException and leaves the vector without an array (capacity 0).
    java_util_Vector(jint initialCapacity, jint increment, jint id = kClassId);

    // Own slots.
    virtual jint size();
    virtual jint isEmpty();
    // 1 when indexOf(obj, 0) finds it.
    virtual jint contains(Object* obj);
    // Nulls every element; the capacity stays.
    virtual void removeAllElements();

    // Appends obj (null may be stored).
    void addElement(Object* obj);
    Object* elementAt(jint index);
    void setElementAt(Object* obj, jint index);
    // Removes the element and moves the later ones down by one.
    void removeElementAt(jint index);
    // The first index at or after start whose element matches (null finds a null element,
    // anything else by its equals slot), or -1. A negative start searches from 0.
    jint indexOf(Object* obj, jint start);
    // Grows the array to hold at least minCapacity elements.
    void growCapacity(jint minCapacity);

    jint capacity() const { return elementData != nullptr ? elementData->length : 0; }

    ObjectArray* elementData = nullptr;
    jint elementCount = 0;
    jint capacityIncrement = 0; // 0 or less: doubling
};

} // namespace runtime
