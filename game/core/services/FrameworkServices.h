// What the sprite and resource code uses of the game framework's routines that are built later;
// an interim implementation stands in until then (game/interim/InterimFrameworkServices.h).
// Framework routines that exist already (the pack reader, the maths and screen routines, the
// text package, the database look-ups and the write buffer) are called directly.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct String;
}

namespace game::core {

using runtime::jboolean;
using runtime::jchar;
using runtime::jint;

class FrameworkServices {
public:
    virtual ~FrameworkServices() = default;
    // Builds entries 0-31 of row `row` of composedPalettes from rows of sharedPalettes (the
    // layout records a kind-0 sprite load composes). This and getPlayerValue are built
    // (game/sprites/Palettes.h, game/club/PlayerValue.h; the default service answers with them); they
    // stay here so sprite tests can script them.
    virtual void composePalette(jint row, jint base, jint a, jint b, jint c, jint d, jint e, jboolean flagE,
                                jboolean flagF, jint g, jint h) = 0;
    // The glyph frame of a character in a sprite font, -1 for none (charToFrame). This and
    // getStringWidth are built (game/sprites/TextLayout.h; the default service answers with
    // them); they stay here so sprite tests can script a font's glyphs.
    virtual jint getGlyphIndex(jchar c) = 0;
    // Width in pixels of text drawn in sprite font `font`.
    virtual jint getStringWidth(runtime::String* text, jint font) = 0;
    // Unpacks the club database into the game's tables.
    virtual void loadGameDatabase() = 0;
    // True when the formation diagram shows preferred positions.
    virtual jboolean positionViewOn() = 0;
    // Fills the setup record with its first-run contents.
    virtual void resetSetupRecord(jboolean flag) = 0;
    // The player's price in thousands computed from his record; baseOnly gives the base form
    // (the wage he asks) instead of his market value.
    virtual jint getPlayerValue(jint player, jboolean baseOnly) = 0;
};

FrameworkServices& frameworkServices();
// Installs service (null restores the interim one); returns the previous one.
FrameworkServices* installFrameworkServices(FrameworkServices* service);

} // namespace game::core
