// ASprite's painters: animation frames, frames, placed modules and modules, the pixel
// transforms, and the painting helpers of SpritePainting.h.
#include "game/sprites/SpritePainting.h"

#include "game/core/GameStatics.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Log.h"

namespace game::sprites {

namespace {

using runtime::IntArray;
using runtime::ObjectArray;

constexpr jint kByteMask = 0xFF;
constexpr jint kPlacedModuleShorts = 4; // module byte, x, y, flag byte
constexpr jint kPlacedX = 1;
constexpr jint kPlacedY = 2;
constexpr jint kPlacedFlags = 3;
constexpr jint kTransformBits = 7; // flip x, flip y, rotate
// Bit 6 of currentPalette: leave out module 74 of the kind-1 sprite in the next paintFrame.
constexpr jint kHideModuleRequest = 64;
constexpr jint kHiddenModule = 74;
// The kit-coloured player sprites and their stand-in modules.
constexpr jint kPlayerSpriteKind = 0;
constexpr jint kKitSpriteKind = 1;
constexpr jint kTrailModule = 331;
constexpr jint kStandInImage = 74;
constexpr jint kFirstTrailCondition = 1;
constexpr jint kLastTrailCondition = 2;
// Sprites of kinds up to this one cull vertically against the match view's band, in the match.
constexpr jint kLastMatchViewKind = 8;
constexpr jint kMatchViewTop = 18;
constexpr jint kMatchTopState = 4;
// Sprites of kinds up to this one take the palette of paintFrameFlipped.
constexpr jint kLastPaletteKind = 3;
constexpr jint kAnchorTopLeft = 20;
// drawRegion code of transforms 0..7 (0 is drawn with drawImage).
constexpr jint kRegionCodes[8] = {0, 2, 1, 3, 5, 7, 4, 6};
// drawRegion code of the flips alone (rotation ignored).
constexpr jint kFlipCodes[4] = {0, 2, 1, 3};

template <typename T> T* element(ObjectArray* array, const jint index) {
    return array != nullptr && array->inBounds(index) ? static_cast<T*>((*array)[index]) : nullptr;
}

} // namespace

void resetClip(profile::Graphics* const g) {
    if (g != nullptr) {
        g->setClip(0, 0, kScreenWidth, kScreenHeight);
    }
}

jint ASprite::paletteIndex() const {
    return currentPalette & ~kHideModuleRequest;
}

void ASprite::paintAnimFrame(profile::Graphics* g, const jint anim, const jint aframe, const jint x,
                             const jint y, const jint transform, const jint hx, const jint hy) {
    if (anim < 0 || anim >= animationCount() || aframe < 0 ||
        aframe >= ((*animFrameCount)[anim] & kByteMask)) {
        runtime::log("sprite of kind %d: no frame %d of animation %d to paint", kind, aframe, anim);
        return;
    }
    const jint r = ((*animFirstFrame)[anim] + aframe) * animFrameStride;
    const jint f = (*animFrames)[r + animFrameStride - 1] & kByteMask;
    const jint frame = referenceNumber((*animFrames)[r + kAnimFrameNumberByte] & kByteMask, f);
    jint ox = 0;
    jint oy = 0;
    if (animFrameStride == kAnimFrameStrideWide) {
        ox =
            static_cast<jshort>(((*animFrames)[r + 2] & kByteMask) | ((*animFrames)[r + 3] & kByteMask) << 8);
        oy =
            static_cast<jshort>(((*animFrames)[r + 4] & kByteMask) | ((*animFrames)[r + 5] & kByteMask) << 8);
    } else {
        ox = (*animFrames)[r + kAnimFrameOffsetsByte];
        oy = (*animFrames)[r + kAnimFrameOffsetsByte + 1];
    }
    const jint dx = (transform & kTransformFlipX) != 0 ? ox + hx : hx - ox;
    const jint dy = (transform & kTransformFlipY) != 0 ? oy + hy : hy - oy;
    paintFrame(g, frame, x - dx, y - dy, (f & kTransformMask) ^ transform, dx, dy);
}

void ASprite::paintFrame(profile::Graphics* g, const jint frame, const jint x, const jint y,
                         const jint transform, const jint hx, const jint hy) {
    if (frame < 0 || frame >= frameCount()) {
        runtime::log("sprite of kind %d: no frame %d to paint", kind, frame);
        return;
    }
    const jint n = (*frameModuleCount)[frame] & kByteMask;
    const bool hideModule = (currentPalette & kHideModuleRequest) != 0;
    if (hideModule) {
        currentPalette &= ~kHideModuleRequest;
    }
    const jint first = (*frameFirstModule)[frame];
    for (jint i = 0; i < n; ++i) {
        if (hideModule && kind == kKitSpriteKind &&
            ((*frameModules)[(first + i) * kPlacedModuleShorts] & kByteMask) == kHiddenModule) {
            continue;
        }
        paintFrameModule(g, frame, i, x, y, transform, hx, hy);
    }
}

void ASprite::paintFrameModule(profile::Graphics* g, const jint frame, const jint i, const jint x,
                               const jint y, const jint transform, const jint hx, const jint hy) {
    if (frame < 0 || frame >= frameCount() || i < 0 || i >= ((*frameModuleCount)[frame] & kByteMask)) {
        runtime::log("sprite of kind %d: no placed module %d in frame %d to paint", kind, i, frame);
        return;
    }
    const jint r = (*frameFirstModule)[frame] + i;
    const jint base = r * kPlacedModuleShorts;
    const jint b = (*frameModules)[base];
    const jint ox = (*frameModules)[base + kPlacedX];
    const jint oy = (*frameModules)[base + kPlacedY];
    const jint f = (*frameModules)[base + kPlacedFlags] & kByteMask;
    const jint m = referenceNumber(b & kByteMask, f);
    jint px = (transform & kTransformFlipX) != 0 ? x - ox : x + ox;
    jint py = (transform & kTransformFlipY) != 0 ? y - oy : y + oy;
    if ((flags & kFlagModulePalettes) != 0 && frameModulePalette != nullptr &&
        frameModulePalette->inBounds(r)) {
        currentPalette = (*frameModulePalette)[r] & kByteMask;
    }
    if ((f & kPlacedNestedFrame) != 0) {
        paintFrame(g, m, px, py, (f & kTransformMask) ^ transform, hx, hy);
        return;
    }
    if (m >= moduleCount) {
        runtime::log("sprite of kind %d: no module %d to paint", kind, m);
        return;
    }
    if ((transform & kTransformFlipX) != 0) {
        px = x - ox - ((*moduleWidth)[m] & kByteMask);
    }
    if ((transform & kTransformFlipY) != 0) {
        py = y - oy - ((*moduleHeight)[m] & kByteMask);
    }
    paintModule(g, m, px, py, (f & kTransformMask) ^ transform);
}

void ASprite::paintModule(profile::Graphics* g, const jint m, const jint x, const jint y, jint t) {
    if (m < 0 || m >= moduleCount) {
        runtime::log("sprite of kind %d: no module %d to paint", kind, m);
        return;
    }
    jint w = (*moduleWidth)[m] & kByteMask;
    jint h = (*moduleHeight)[m] & kByteMask;
    const jint palette = paletteIndex();
    if ((flags & kFlagPngSheet) != 0) {
        auto* sheet = element<profile::Image>(element<ObjectArray>(moduleImages, palette), 0);
        if (g == nullptr || sheet == nullptr || moduleX == nullptr || moduleY == nullptr) {
            return;
        }
        const jint sheetX = (*moduleX)[m];
        const jint sheetY = (*moduleY)[m];
        g->setClip(x, y, w, h);
        if ((t & kTransformFlipX) != 0) {
            g->drawRegion(sheet, sheetX, sheetY, w, h, kRegionCodes[kTransformFlipX], x, y, 0);
        } else {
            g->drawImage(sheet, x - sheetX, y - sheetY, 0);
        }
        resetClip(g);
        return;
    }
    const jint moduleKindOf = (*moduleKind)[m];
    if (moduleKindOf == kModuleKindOutline) {
        if (g != nullptr) {
            g->setColor((*moduleColour)[m]);
            g->drawRect(x, y, w, h);
        }
        return;
    }
    if (moduleKindOf == kModuleKindFilled) {
        fillRectColoured(x, y, w, h, (*moduleColour)[m]);
        return;
    }
    if (w <= 0 || h <= 0 || x + w < 0 || x >= kScreenWidth) {
        return;
    }
    if (kind > kLastMatchViewKind) {
        if (y + h < 0 || y >= kScreenHeight) {
            return;
        }
    } else if (statics()->topState == kMatchTopState &&
               (y + h < kMatchViewTop || y >= kScreenHeight + kMatchViewTop)) {
        return;
    }
    if (g == nullptr) {
        return;
    }
    if (kind == kPlayerSpriteKind || kind == kKitSpriteKind) {
        const jint condition = statics()->pitchCondition;
        if ((kind == kKitSpriteKind && m == kHiddenModule) ||
            (kind == kPlayerSpriteKind && m == kTrailModule && condition >= kFirstTrailCondition &&
             condition <= kLastTrailCondition)) {
            // Before the match set-up there is no stand-in image: nothing to draw.
            if (auto* image = element<profile::Image>(statics()->specialModuleImages, kStandInImage)) {
                g->drawRegion(image, 0, 0, w, h, kFlipCodes[t & (kTransformFlipX | kTransformFlipY)], x, y,
                              0);
            }
            return;
        }
        IntArray* kit = element<IntArray>(statics()->composedPalettes, palette);
        if (IntArray* pixels = decodeModule(m, t, kit)) {
            g->drawRGB(pixels, 0, w, x, y, w, h, 1);
        }
        return;
    }
    if (auto* image = element<profile::Image>(element<ObjectArray>(moduleImages, palette), m)) {
        if ((t & kTransformBits) == 0) {
            g->drawImage(image, x, y, kAnchorTopLeft);
        } else {
            g->drawRegion(image, 0, 0, image->getWidth(), image->getHeight(),
                          kRegionCodes[t & kTransformBits], x, y, 0);
        }
        return;
    }
    IntArray* pixels = decodeModule(m, t, element<IntArray>(palettes, palette));
    if (pixels == nullptr) {
        return;
    }
    if ((t & kTransformFlipX) != 0 && (pixelFormat & 0xFFFF) == kPixelFormatIndexRuns) {
        t &= ~kTransformFlipX; // the decoder wrote the rows right to left already
    }
    if ((t & kTransformBits) != 0) {
        pixels = transformPixels(pixels, w, h, t);
        if ((t & kTransformRotate) != 0) {
            const jint swap = w;
            w = h;
            h = swap;
        }
    }
    g->drawRGB(pixels, 0, w, x, y, w, h, hasAlpha);
}

IntArray* ASprite::transformPixels(IntArray* src, const jint width, const jint height, const jint t) {
    const jint code = t & kTransformBits;
    if (code == 0 || src == nullptr) {
        return src;
    }
    IntArray* out = runtime::newIntArray(src->length);
    if (width <= 0 || height <= 0 || static_cast<runtime::jlong>(width) * height > src->length) {
        runtime::log("transformPixels: %d x %d pixels do not fit %d values", width, height, src->length);
        return out;
    }
    jint k = 0;
    if (code < kTransformRotate) {
        // Output row by output row, each of `width` pixels.
        for (jint row = 0; row < height; ++row) {
            const jint sourceRow = (code & kTransformFlipY) != 0 ? height - 1 - row : row;
            for (jint column = 0; column < width; ++column) {
                const jint sourceColumn = (code & kTransformFlipX) != 0 ? width - 1 - column : column;
                (*out)[k++] = (*src)[sourceRow * width + sourceColumn];
            }
        }
        return out;
    }
    // Rotations: output row c is a source column, `height` pixels long.
    const bool mirrored = (code & kTransformFlipX) != 0; // 5 and 7 read the columns right to left
    const bool downward = (code & kTransformFlipY) != 0; // 6 and 7 read each column top to bottom
    for (jint c = 0; c < width; ++c) {
        const jint sourceColumn = mirrored ? width - 1 - c : c;
        for (jint j = 0; j < height; ++j) {
            const jint sourceRow = downward ? j : height - 1 - j;
            (*out)[k++] = (*src)[sourceRow * width + sourceColumn];
        }
    }
    return out;
}

void paintFrameFlipped(ASprite* const sprite, profile::Graphics* const g, const jint x, const jint y,
                       const jboolean flipX, const jboolean flipY, const jint frame, const jint palette) {
    resetClip(g);
    if (sprite == nullptr) {
        return;
    }
    if (sprite->kind >= 0 && sprite->kind <= kLastPaletteKind) {
        sprite->currentPalette = palette;
    }
    sprite->paintFrame(g, frame, x, y, (flipX ? kTransformFlipX : 0) | (flipY ? kTransformFlipY : 0), 0, 0);
}

void paintAnimFrameWithPalette(ASprite* const sprite, profile::Graphics* const g, const jint anim,
                               const jint aframe, const jint x, const jint y, const jint transform,
                               const jint palette) {
    resetClip(g);
    if (sprite == nullptr) {
        return;
    }
    if (sprite->kind >= 0 && sprite->kind <= kLastPaletteKind) {
        sprite->currentPalette = palette;
    }
    sprite->paintAnimFrame(g, anim, aframe, x, y, transform, 0, 0);
}

void fillRectColoured(const jint x, const jint y, const jint w, const jint h, const jint colour) {
    profile::Graphics* g = statics()->currentGraphics;
    if (g == nullptr) {
        return;
    }
    g->setColor(colour);
    g->fillRect(x, y, w, h);
}

} // namespace game::sprites
