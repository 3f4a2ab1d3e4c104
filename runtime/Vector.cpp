// The growable object vector.
#include "runtime/Vector.h"

#include "runtime/ClassTable.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/System.h"

namespace runtime {

namespace {

// Constant string 280: the message of a negative initial capacity.
constexpr jint kIllegalCapacityText = 280;

void raiseIndexOutOfBounds(const jint index) {
    throwException(newArrayIndexOutOfBoundsException(index));
}

} // namespace

java_util_Vector::java_util_Vector(const jint initialCapacity, const jint increment, const jint id)
    : Object(id) {
    registerRefFields(this, &elementData);
    if (initialCapacity < 0) {
        throwException(
            newObject<java_lang_IllegalArgumentException>(getConstantString(kIllegalCapacityText)));
        return;
    }
    elementData = newObjectArray(initialCapacity);
    capacityIncrement = increment;
}

jint java_util_Vector::size() {
    return elementCount;
}

jint java_util_Vector::isEmpty() {
    return elementCount == 0 ? 1 : 0;
}

jint java_util_Vector::contains(Object* const obj) {
    return indexOf(obj, 0) >= 0 ? 1 : 0;
}

void java_util_Vector::removeAllElements() {
    for (jint i = 0; i < elementCount; ++i) {
        (*elementData)[i] = nullptr;
    }
    elementCount = 0;
}

void java_util_Vector::growCapacity(const jint minCapacity) {
    const jint oldCapacity = capacity();
    jint newCapacity = capacityIncrement > 0 ? oldCapacity + capacityIncrement : oldCapacity * 2;
    if (newCapacity < minCapacity) {
        newCapacity = minCapacity;
    }
    ObjectArray* const grown = newObjectArray(newCapacity);
    if (elementCount > 0) {
        System::arraycopy(elementData, 0, grown, 0, elementCount);
    }
    elementData = grown;
}

void java_util_Vector::addElement(Object* const obj) {
    if (elementCount + 1 > capacity()) {
        growCapacity(elementCount + 1);
    }
    (*elementData)[elementCount] = obj;
    ++elementCount;
}

Object* java_util_Vector::elementAt(const jint index) {
    if (index < 0 || index >= elementCount) {
        raiseIndexOutOfBounds(index);
        return nullptr;
    }
    return (*elementData)[index];
}

void java_util_Vector::setElementAt(Object* const obj, const jint index) {
    if (index < 0 || index >= elementCount) {
        raiseIndexOutOfBounds(index);
        return;
    }
    (*elementData)[index] = obj;
}

void java_util_Vector::removeElementAt(const jint index) {
    if (index < 0 || index >= elementCount) {
        raiseIndexOutOfBounds(index);
        return;
    }
    const jint moved = elementCount - index - 1;
    if (moved > 0) {
        System::arraycopy(elementData, index + 1, elementData, index, moved);
    }
    --elementCount;
    (*elementData)[elementCount] = nullptr;
}

jint java_util_Vector::indexOf(Object* const obj, const jint start) {
    // A negative start would read before the first element.
    for (jint i = start < 0 ? 0 : start; i < elementCount; ++i) {
        Object* const element = (*elementData)[i];
        if (obj == nullptr ? element == nullptr : obj->equals(element) != 0) {
            return i;
        }
    }
    return -1;
}

} // namespace runtime
