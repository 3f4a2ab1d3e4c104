// The label of a value shown on a screen, and four distinct random choices out of 36 that avoid
// the four choices the selection table already holds.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::club {

using runtime::jboolean;
using runtime::jint;

// Text 167, value, constant string 96, then the suffix: with withSuffix, text 166 for kind 1 when
// value reads as a decimal above 0, text 234 for kind 2; otherwise constant string 1 (empty).
runtime::String* formatValueLabel(runtime::String* value, jint kind, jboolean withSuffix);
// randomPicks := four distinct choices 0..35 drawn from gameRandom, none of them one of
// selectionTable[588..591]; each is copied to selectionTable[796 + i]; randomPickCount := 4.
void pickFourChoices();

} // namespace game::club
