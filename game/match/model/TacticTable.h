// The tactic table the team model reads: handed over by the match load, kept while it holds
// every row and group (layout: TacticTableFormat.h).
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// tacticTable := bytes when it holds at least every formation row and the nine position groups;
// otherwise logs and keeps the table it had. Returns whether it was kept.
bool setTacticTable(runtime::ByteArray* bytes);
// The position group 0..8 of a formation position code (-1 the goalkeeper); -1 for a code no
// group holds.
jint tacticGroupOf(jint positionCode);
// Where formation row `row` starts in tacticTable; -1 when there is no table or no such row.
jint tacticRowOffset(jint row);
// Where position group `group` starts in tacticTable; -1 when there is no table or no such group.
jint positionGroupOffset(jint group);

} // namespace game::match
