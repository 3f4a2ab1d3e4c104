// Date text: numeric date fields joined by the date separator, the first two with two digits.
#pragma once

namespace runtime {
struct String;
}

namespace game::core {

// first, second and third joined by constant string 97. first is filled to two characters and
// second once when shorter, each fill being constant string 13; third is left out when it is
// the empty-text constant itself (constant string 1, compared by identity: another empty
// String still brings its separator). A null field counts as the empty text. Always a new
// String.
runtime::String* formatDateText(runtime::String* first, runtime::String* second, runtime::String* third);

} // namespace game::core
