// Text package access: every text the game shows is an entry of the text package, fetched by
// its identifier. The package is held in the statics textCount, textOffsets (textCount + 1 end
// offsets, element 0 is 0) and textBytes (the coded characters, TextCodeFormat.h), filled by the
// loader (game/sprites/TextPackageLoader.h).
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::core {

// A new String of the decoded characters of text id, or null for an empty text. An id outside
// the package (or no package) is logged and gives null; a character cut off by the end of its
// text is dropped, so nothing past the text is ever read.
runtime::String* getText(runtime::jint id);

} // namespace game::core
