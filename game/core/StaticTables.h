// Builders of the arrays the class initialisers create: literal tables, ragged tables of rows,
// tables of constant strings and rectangular arrays of arrays.
//
// Each builder allocates and fills in one step, so an initialiser reads as a list of tables. A row
// is stored into its table as soon as it exists, and the table is held by a local while the next
// row is allocated, so a collection in between keeps both.
#pragma once

#include <initializer_list>

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::core {

using IntList = std::initializer_list<runtime::jint>;
using RowList = std::initializer_list<IntList>;

// New arrays holding the values in order (each value truncated to the element width).
runtime::IntArray* intTable(IntList values);
runtime::ByteArray* byteTable(IntList values);
runtime::ShortArray* shortTable(IntList values);
runtime::CharArray* charTable(IntList values);

// A reference array with one new array per row; rows keep their own lengths (empty rows too).
runtime::ObjectArray* intRows(RowList rows);
runtime::ObjectArray* byteRows(RowList rows);
runtime::ObjectArray* charRows(RowList rows);

// A reference array holding constant strings n0, n1, ... of the pool.
runtime::ObjectArray* constantStringTable(IntList indices);

// A rectangular array of arrays for a descriptor such as "[[I" and its dimension counts, outer
// first; innermost elements are 0 or null.
runtime::ObjectArray* multiArray(const char* descriptor, IntList counts);

// Sets every element of row `row` of an int[][] to value.
void fillRow(runtime::ObjectArray* table, runtime::jint row, runtime::jint value);

} // namespace game::core
