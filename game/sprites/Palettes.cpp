// Palette composition, rating blends and the palette statics (see Palettes.h).
#include "game/sprites/Palettes.h"

#include <iterator>

#include "game/core/GameStatics.h"
#include "game/core/StaticTables.h"
#include "game/sprites/ASprite.h"
#include "runtime/Log.h"

namespace game::sprites {

using namespace game::core;

namespace {

using runtime::IntArray;
using runtime::ObjectArray;

// Composed palettes: 66 rows of 44 entries, of which composePalette fills 0-31.
constexpr jint kComposedRows = 66;
constexpr jint kComposedEntries = 44;
constexpr jint kComposedColours = 32;
constexpr jint kLastColour = 31;
// Template rows must hold every colour a composed palette takes from them.
constexpr jint kTemplateColours = 32;
constexpr jint kBlackBase = -1;
constexpr jint kClearedBase = -2;
constexpr jint kGreyBase = -3;
constexpr jint kOpaqueBlack = static_cast<jint>(0xFF000000u);
constexpr jint kOpaqueGrey = static_cast<jint>(0xFF555555u);
// Entries 21-23 come from this row plus paletteVariant.
constexpr jint kVariantRowBase = 3;

constexpr jint kNoPaletteKey = -1;
// By sprite kind: 1 where the kind's module images are cached after loading.
constexpr runtime::jboolean kCachedImageKinds[] = {1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 0, 1, 0,
                                                   1, 1, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1};
constexpr jint kSpriteKinds = static_cast<jint>(std::size(kCachedImageKinds));

// Rating blends.
constexpr jint kRecordLevelThreshold = 2;
constexpr jint kHeightBase = 150;
constexpr jint kHeightWeight = 220;
constexpr jint kPercent = 100;

// One composition: copies template colours into the target row, skipping (and logging once)
// those whose template row is missing or short.
class Composer {
public:
    Composer(IntArray* target, ObjectArray* templates, const jint row)
        : target(target), templates(templates), row(row) {}

    // target[to .. to + count - 1] := T[k][from .. from + count - 1].
    void copy(const jint to, const jint k, const jint from, const jint count) {
        const IntArray* source = templateRow(k);
        if (source == nullptr) {
            return;
        }
        for (jint i = 0; i < count; ++i) {
            (*target)[to + i] = (*source)[from + i];
        }
    }

private:
    const IntArray* templateRow(const jint k) {
        const IntArray* source = nullptr;
        if (templates != nullptr && templates->inBounds(k)) {
            source = static_cast<const IntArray*>((*templates)[k]);
        }
        if (source != nullptr && source->length >= kTemplateColours) {
            return source;
        }
        if (!logged) {
            logged = true;
            runtime::log("composePalette: palette %d needs template row %d, which the players' sprite file "
                         "does not hold with %d colours; its entries stay as they were",
                         row, k, kTemplateColours);
        }
        return nullptr;
    }

    IntArray* target;
    ObjectArray* templates;
    jint row;
    bool logged = false;
};

void fill(IntArray* target, const jint colour) {
    for (jint i = 0; i < kLastColour; ++i) {
        (*target)[i] = colour;
    }
    (*target)[kLastColour] = 0;
}

} // namespace

void composePalette(const jint row, const jint base, const jint a, const jint b, const jint c, const jint d,
                    const jint e, const jboolean flagE, const jboolean flagF, const jint g, const jint h) {
    GameStatics* const s = statics();
    ObjectArray* const composed = s->composedPalettes;
    IntArray* target = nullptr;
    if (composed != nullptr && composed->inBounds(row)) {
        target = static_cast<IntArray*>((*composed)[row]);
    }
    if (target == nullptr || target->length < kComposedColours) {
        runtime::log("composePalette: no composed palette %d", row);
        return;
    }
    if (base == kBlackBase || base == kGreyBase) {
        fill(target, base == kBlackBase ? kOpaqueBlack : kOpaqueGrey);
        return;
    }
    Composer t(target, s->sharedPalettes, row);
    if (base == kClearedBase) {
        for (jint i = 0; i < kComposedColours; ++i) {
            (*target)[i] = 0;
        }
        t.copy(2, a, 2, 8);
        t.copy(21, c, 21, 3);
        t.copy(24, b, 24, 6);
        return;
    }
    t.copy(20, h, 20, 1);
    t.copy(22, h, 22, 2);
    t.copy(15, h, 15, 1);
    t.copy(16, d, 16, 4);
    t.copy(12, e, 12, 3);
    t.copy(31, base, 31, 1);
    t.copy(1, a, 1, 4);
    t.copy(9, c, 9, 3);
    t.copy(5, b, 5, 4);
    if (flagE != 0) {
        t.copy(29, e, 14, 1);
        t.copy(30, e, 13, 1);
    } else {
        t.copy(30, base, 31, 1);
        t.copy(29, a, 4, 1);
    }
    if (flagF != 0) {
        if (g < 0) {
            t.copy(28, a, 4, 1);
            t.copy(24, a, 3, 2);
        } else {
            t.copy(28, g, 28, 1);
            t.copy(24, g, 24, 2);
        }
        t.copy(26, a, 2, 2);
    } else {
        t.copy(26, d, 17, 3);
        if (g < 0) {
            t.copy(24, a, 3, 2);
        } else {
            t.copy(24, g, 24, 2);
        }
    }
    t.copy(21, s->paletteVariant + kVariantRowBase, 21, 3);
    t.copy(0, d, 0, 1);
}

jint weightedRating(const jint recordLevel, const jint a, const jint b, const jint c) {
    jint x = b > c ? b : c;
    if (recordLevel != kNoRatingRecord) {
        x = recordLevel >= kRecordLevelThreshold ? b : c;
    }
    return (3 * a + x) >> 2;
}

jint combinedRating(const jint recordLevel, const jint a, const jint b, const jint c, const jint d) {
    const jint t = (b - kHeightBase) * kHeightWeight / kPercent;
    if (recordLevel != kNoRatingRecord) {
        const jint x = recordLevel >= kRecordLevelThreshold ? c : d;
        return (t + x + a) >> 2;
    }
    const jint x = c > d ? c : d;
    return (t + x + a) / 3;
}

void initPaletteStatics(GameStatics* const block) {
    block->paletteWork = runtime::newIntArray(sprites::kDecodeBufferSize);
    runtime::BoolArray* const mask = runtime::newBoolArray(kSpriteKinds);
    block->paletteSlotMask = mask;
    for (jint k = 0; k < kSpriteKinds; ++k) {
        (*mask)[k] = kCachedImageKinds[k];
    }
    block->paletteKeyA = kNoPaletteKey;
    block->paletteKeyB = kNoPaletteKey;
    block->paletteCount = 0;
    block->composedPalettes = multiArray("[[I", {kComposedRows, kComposedEntries});
}

} // namespace game::sprites
