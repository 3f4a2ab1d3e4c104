// Builders of the initialisers' arrays (see StaticTables.h).
#include "game/core/StaticTables.h"

#include <algorithm>

#include "runtime/ConstantPool.h"
#include "runtime/String.h"

namespace game::core {

namespace {

using runtime::jint;

template <typename ArrayType> void fill(ArrayType* array, const IntList values) {
    using Element = typename ArrayType::ElementType;
    jint i = 0;
    for (const jint value : values) {
        array->data()[i++] = static_cast<Element>(value);
    }
}

jint lengthOf(const IntList values) {
    return static_cast<jint>(values.size());
}

template <typename ArrayType, ArrayType* (*allocate)(jint)> ArrayType* table(const IntList values) {
    ArrayType* array = allocate(lengthOf(values));
    fill(array, values);
    return array;
}

template <typename ArrayType, ArrayType* (*allocate)(jint)> runtime::ObjectArray* rows(const RowList list) {
    runtime::ObjectArray* outer = runtime::newObjectArray(static_cast<jint>(list.size()));
    jint i = 0;
    for (const IntList row : list) {
        ArrayType* inner = table<ArrayType, allocate>(row);
        outer->data()[i++] = inner;
    }
    return outer;
}

} // namespace

runtime::IntArray* intTable(const IntList values) {
    return table<runtime::IntArray, runtime::newIntArray>(values);
}

runtime::ByteArray* byteTable(const IntList values) {
    return table<runtime::ByteArray, runtime::newByteArray>(values);
}

runtime::ShortArray* shortTable(const IntList values) {
    return table<runtime::ShortArray, runtime::newShortArray>(values);
}

runtime::CharArray* charTable(const IntList values) {
    return table<runtime::CharArray, runtime::newCharArray>(values);
}

runtime::ObjectArray* intRows(const RowList list) {
    return rows<runtime::IntArray, runtime::newIntArray>(list);
}

runtime::ObjectArray* byteRows(const RowList list) {
    return rows<runtime::ByteArray, runtime::newByteArray>(list);
}

runtime::ObjectArray* charRows(const RowList list) {
    return rows<runtime::CharArray, runtime::newCharArray>(list);
}

runtime::ObjectArray* constantStringTable(const IntList indices) {
    runtime::ObjectArray* strings = runtime::newObjectArray(lengthOf(indices), runtime::kString);
    jint i = 0;
    for (const jint index : indices) {
        strings->data()[i++] = runtime::getConstantString(index);
    }
    return strings;
}

runtime::ObjectArray* multiArray(const char* const descriptor, const IntList counts) {
    return runtime::newMultiArray(descriptor, counts.begin(), lengthOf(counts));
}

void fillRow(runtime::ObjectArray* const table, const jint row, const jint value) {
    auto* ints = static_cast<runtime::IntArray*>((*table)[row]);
    std::fill(ints->data(), ints->data() + ints->length, value);
}

} // namespace game::core
