// Loading the text package from its container (layout: PackFormat.h) into the statics that
// getText reads (game/core/TextPackage.h).
//
// A container that cannot be read whole (a negative count, decreasing offsets, texts that would
// run past the entry, a stream that ends or fails) is logged and leaves an empty package, so
// getText answers null instead of reading through a missing table.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
struct java_io_InputStream;
} // namespace runtime

namespace game::sprites {

using runtime::jint;

// Reads a text container of at most limit bytes from stream into textCount, textOffsets and
// textBytes: the bytes it took (the texts plus 4 x (count + 1)), or 0 after a failure.
jint loadTextPackage(runtime::java_io_InputStream* stream, jint limit);
// The same with the bytes the stream has left as the limit.
jint loadTextPackage(runtime::java_io_InputStream* stream);
// Drops the loaded texts (every textCache slot cleared, the cache dropped), then loads the
// package from entry entry of pack packName and closes the pack.
void loadTextPackageEntry(runtime::String* packName, jint entry);

} // namespace game::sprites
