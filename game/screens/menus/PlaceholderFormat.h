// Placeholders in screen texts: a marker string inside a text stands where a number, a name or
// another text belongs, and these routines put the value in its place.
#pragma once

#include <initializer_list>

namespace runtime {
struct String;
}

namespace game::menus {

// text with every occurrence of marker replaced by value (a null value inserts "null"); an
// occurrence that only forms where two pieces join after an earlier one is taken out counts too,
// and the value is not searched again. text itself when marker does not occur (or is empty).
runtime::String* formatWithValue(runtime::String* text, runtime::String* marker, runtime::String* value);
// formatWithValue with marker1 and value1, then with marker2 and value2 on the result; a marker
// that is the very object of constant string 1 (the empty text) skips its step.
runtime::String* formatWithTwoValues(runtime::String* text, runtime::String* marker1, runtime::String* value1,
                                     runtime::String* marker2, runtime::String* value2);
// The pieces joined in order in one StringBuffer of the default capacity (a null piece adds
// "null", as StringBuffer.append does).
runtime::String* joinTexts(std::initializer_list<runtime::String*> pieces);

} // namespace game::menus
