// The players' colour palettes composed from the template rows of the players' sprite file, the
// two rating blends that mix a few player values, and the set-up of the palette statics.
#pragma once

#include "runtime/JavaTypes.h"

namespace game {
struct GameStatics;
}

namespace game::sprites {

using runtime::jboolean;
using runtime::jint;

// The level a rating blend is given when it is given no player record.
inline constexpr jint kNoRatingRecord = -1;

// Builds entries 0-31 of composedPalettes[row] from template rows T[k] of sharedPalettes: base -1
// opaque black and base -3 grey (entry 31 clear), base -2 three copied runs on a cleared row, any
// other base the ordered copy with the flag rules. Entries whose template row is missing or has
// fewer than 32 colours stay as they are (logged once per call).
void composePalette(jint row, jint base, jint a, jint b, jint c, jint d, jint e, jboolean flagE,
                    jboolean flagF, jint g, jint h);
// (3a + x) >> 2: x is b for a record whose level is 2 or more, c for a lower level, max(b, c)
// without a record (recordLevel kNoRatingRecord).
jint weightedRating(jint recordLevel, jint a, jint b, jint c);
// t = (b - 150) x 220 / 100; with a record (t + x + a) >> 2, x being c from level 2 on, else d;
// without one (t + max(c, d) + a) / 3.
jint combinedRating(jint recordLevel, jint a, jint b, jint c, jint d);
// The palette statics: the decode buffer, the kinds whose module images are cached, the composed
// palettes (int[66][44]), the two keys (-1) and the count (0).
void initPaletteStatics(GameStatics* block);

} // namespace game::sprites
