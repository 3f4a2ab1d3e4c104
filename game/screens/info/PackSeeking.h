// Moving the open pack's cursor within its current part file (the pack reader is in
// game/sprites/ResourcePack.h). The cursor only moves forward in a file: going back reopens the
// part file and skips from its start.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::info {

using runtime::jint;

// Moves packStream to byte position of the current part file: nothing when it is there already;
// forward by skipping; backward (or with the part file closed) by reopening the part file and
// skipping from its start. A missing part file or a part that ends first is raised (constant
// string 107).
void seekPack(jint position);
// Skips n bytes of the open pack: with packSkipBufferSize set, by reading chunks of at most that
// many bytes into packSkipBuffer (made on first use); else with the stream's skip. packPosition
// grows by the bytes skipped; a part that ends first is raised (constant string 107).
void skipPack(jint n);

} // namespace game::info
