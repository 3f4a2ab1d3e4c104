// Sprites loaded from resource packs (see SpriteLoading.h).
#include "game/sprites/SpriteLoading.h"

#include <string>

#include "game/core/GameStatics.h"
#include "game/core/services/FrameworkServices.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ResourcePack.h"
#include "profile/Files.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/String.h"
#include "runtime/System.h"

namespace game::sprites {

using namespace game::core;

namespace {

// The sprite kinds with follow-ups of their own.
constexpr jint kBaseSpriteKind = 0;   // the players: kit-coloured through the composed palettes
constexpr jint kKeeperSpriteKind = 1; // the goalkeepers: also kit-coloured, no palettes of their own
constexpr jint kNetSpriteKind = 3;    // builds the images of palette kind3Palette only
// Sprites whose cached images are built for more palettes than the first.
struct ExtraPalettes {
    jint kind;
    jint lastPalette;
};
constexpr ExtraPalettes kExtraPalettes[] = {{2, 4}, {11, 3}};

// The kit palette rows that loading the kind-0 sprite composes from its template rows:
// composePalette(row, base, a, b, c, d, e, flagE, flagF, g, h).
struct LayoutRecord {
    jint row, base, a, b, c, d, e;
    jboolean flagE, flagF;
    jint g, h;
};
constexpr LayoutRecord kBaseSpriteLayoutRecords[] = {
    {0, 19, 0, 0, 0, 0, 0, 0, 1, 0, 0},       {1, 19, 4, 4, 4, 4, 0, 0, 1, 4, 0},
    {2, 6, 6, 6, 6, 6, 6, 0, 0, -1, 0},       {3, 6, 6, 6, 6, 6, 6, 0, 0, -1, 0},
    {4, 20, 20, 20, 20, 20, 20, 0, 0, -1, 0}, {5, 20, 20, 20, 20, 20, 20, 0, 0, -1, 0},
};

// Font 0's line height is 4/3 of its glyph height.
constexpr jint kLineHeightNumerator = 4;
constexpr jint kLineHeightDenominator = 3;

// The module images of a cached kind; afterwards the sprite paints from its images only.
void buildCachedImages(ASprite* sprite) {
    const jint kind = sprite->kind;
    sprite->buildModuleImages(kind == kNetSpriteKind ? statics()->kind3Palette : 0, 0, -1, -1);
    for (const ExtraPalettes& extra : kExtraPalettes) {
        for (jint palette = 1; extra.kind == kind && palette <= extra.lastPalette; ++palette) {
            sprite->buildModuleImages(palette, 0, -1, -1);
        }
    }
    if (rebuildsImagesOnPaletteChange(kind)) {
        return;
    }
    sprite->pixelData = nullptr;
    sprite->moduleDataOffsets = nullptr;
    runtime::System::gc();
}

} // namespace

runtime::ByteArray* readPackEntryBytes(const jint entry) {
    const jint size = openPackEntry(entry);
    if (runtime::getPendingException() != nullptr) {
        return nullptr;
    }
    runtime::ByteArray* bytes = runtime::newByteArray(size);
    if (readPack(bytes, 0, size) != size || runtime::getPendingException() != nullptr) {
        return nullptr;
    }
    return bytes;
}

jboolean loadSpriteFromPack(ASprite* sprite, runtime::String* packName, const jint entry) {
    const std::string where = "pack " +
                              (packName != nullptr ? profile::narrowPath(packName) : std::string("(none)")) +
                              " entry " + std::to_string(entry);
    if (sprite == nullptr) {
        runtime::log("sprite of %s: no sprite to load it into", where.c_str());
        return 0;
    }
    GameStatics* s = statics();
    const bool keepOpen = s->packKeepOpen != 0;
    if (!keepOpen) {
        openPack(packName);
    }
    runtime::ByteArray* bytes =
        runtime::getPendingException() == nullptr ? readPackEntryBytes(entry) : nullptr;
    if (!keepOpen) {
        closePack();
    }
    if (bytes == nullptr) {
        runtime::catchException(runtime::kException);
        runtime::log("sprite of kind %d from %s is not loaded: the pack entry cannot be read", sprite->kind,
                     where.c_str());
        return 0;
    }

    const jint kind = sprite->kind;
    s->doubleAnimDurations = kind == kBaseSpriteKind || kind == kKeeperSpriteKind ? 1 : 0;
    const jboolean loaded = sprite->load(bytes, 0);
    s->doubleAnimDurations = 0;
    if (loaded == 0) {
        runtime::log("sprite of kind %d from %s is not loaded", kind, where.c_str());
        return 0;
    }
    if (kind == kBaseSpriteKind) {
        s->baseSprite = sprite;
        FrameworkServices& framework = frameworkServices();
        for (const LayoutRecord& r : kBaseSpriteLayoutRecords) {
            framework.composePalette(r.row, r.base, r.a, r.b, r.c, r.d, r.e, r.flagE, r.flagF, r.g, r.h);
        }
    } else if (kind != kKeeperSpriteKind && cachesModuleImages(kind)) {
        buildCachedImages(sprite);
    }
    return 1;
}

void loadSpriteSetEntry(const jint i) {
    runtime::ObjectArray* table = statics()->sprites;
    if (table == nullptr || !table->inBounds(i) || (*table)[i] == nullptr) {
        runtime::log("sprite table: no sprite %d to load", i);
        return;
    }
    auto* sprite = static_cast<ASprite*>((*table)[i]);
    if (loadSpriteFromPack(sprite, runtime::getConstantString(kSpritePackConstant), i) == 0 ||
        i != kFirstFontSprite || sprite->moduleCount < 1) {
        return;
    }
    GameStatics* s = statics();
    if (s->fontLineHeights == nullptr || s->fontLeading == nullptr) {
        s->fontLineHeights = runtime::newByteArray(kFontCount);
        s->fontLeading = runtime::newByteArray(kFontCount);
    }
    const jint glyphHeight = (*sprite->moduleHeight)[0] & 0xFF;
    const jint lineHeight = kLineHeightNumerator * glyphHeight / kLineHeightDenominator;
    (*s->fontLineHeights)[0] = static_cast<runtime::jbyte>(lineHeight);
    (*s->fontLeading)[0] = static_cast<runtime::jbyte>(lineHeight - glyphHeight);
}

} // namespace game::sprites
