// Sprites loaded from resource packs: a pack entry read whole, then the follow-up of the sprite's
// kind (the kit palette rows of the kind-0 sprite, the module images of the kinds whose images
// are cached), and the entries of the sprite table with font 0's metrics.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::sprites {

struct ASprite;

using runtime::jboolean;
using runtime::jint;

// Constant string naming the sprite pack; the sprite table's entry i is the pack's entry i.
inline constexpr jint kSpritePackConstant = 117;
// Font f is the sprite table's entry kFirstFontSprite + f; the table holds kFontCount fonts.
inline constexpr jint kFirstFontSprite = 11;
inline constexpr jint kFontCount = 1;

// Entry `entry` of the open pack, read whole into a new array; null when the pack reader
// failed (its exception is left pending).
runtime::ByteArray* readPackEntryBytes(jint entry);

// Loads sprite from entry `entry` of pack packName (opening and closing the pack unless
// packKeepOpen is set), then runs the follow-up of its kind. False when the entry cannot be read
// or the file is damaged: the reason is logged with the pack and entry, the pack reader's
// exception is dropped and the sprite stays empty, so the game goes on without it.
jboolean loadSpriteFromPack(ASprite* sprite, runtime::String* packName, jint entry);

// Loads sprites[i] from the sprite pack; for font 0 (i = 11) sets its line height to 4/3 of
// the height of its module 0 and its leading to the difference.
void loadSpriteSetEntry(jint i);

} // namespace game::sprites
