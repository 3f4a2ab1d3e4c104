// The scrolling pitch background (see PitchBackground.h).
#include "game/match/view/PitchBackground.h"

#include "game/core/GameStatics.h"
#include "game/match/MatchView.h"
#include "profile/Graphics.h"

namespace game::match {

namespace {

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;
constexpr jint kTileShift = 4;

PitchTilePainter tilePainter = nullptr;

void paintTiles(const jint x0, const jint y0, const jint x1, const jint y1) {
    if (tilePainter != nullptr) {
        tilePainter(x0, y0, x1, y1);
        return;
    }
    paintPitchTiles(x0, y0, x1, y1);
}

} // namespace

PitchTilePainter setPitchTilePainter(const PitchTilePainter painter) {
    const PitchTilePainter previous = tilePainter;
    tilePainter = painter;
    return previous;
}

jint pitchViewPieces(const jint x, const jint y, PitchViewPiece pieces[kMaxPitchViewPieces]) {
    const jint bx0 = x % kPitchBufferWidth;
    const jint bx1 = (x + kScreenWidth) % kPitchBufferWidth;
    const jint by0 = y % kPitchBufferHeight;
    const jint by1 = (y + kScreenHeight) % kPitchBufferHeight;
    const jint w1 = kPitchBufferWidth - bx0;
    const jint h1 = kPitchBufferHeight - by0;
    const bool columnsWrap = bx1 <= bx0;
    const bool rowsWrap = by1 <= by0;
    if (!columnsWrap && !rowsWrap) {
        pieces[0] = {bx0, by0, kScreenWidth, kScreenHeight, 0, 0};
        return 1;
    }
    if (!columnsWrap) {
        pieces[0] = {bx0, by0, kScreenWidth, h1, 0, 0};
        pieces[1] = {bx0, 0, kScreenWidth, by1, 0, h1};
        return 2;
    }
    if (!rowsWrap) {
        pieces[0] = {bx0, by0, w1, kScreenHeight, 0, 0};
        pieces[1] = {0, by0, bx1, kScreenHeight, w1, 0};
        return 2;
    }
    pieces[0] = {bx0, by0, w1, h1, 0, 0};
    pieces[1] = {bx0, 0, w1, by1, 0, h1};
    pieces[2] = {0, by0, bx1, h1, w1, 0};
    pieces[3] = {0, 0, bx1, by1, w1, h1};
    return kMaxPitchViewPieces;
}

void drawPitchBackground(const jint x, const jint y) {
    GameStatics* const s = statics();
    const jint tx0 = x >> kTileShift;
    const jint tx1 = (x + kScreenWidth) >> kTileShift;
    const jint ty0 = y >> kTileShift;
    const jint ty1 = (y + kScreenHeight) >> kTileShift;
    if (s->backgroundForceRedraw != 0) {
        s->backgroundForceRedraw = 0;
        paintTiles(tx0, ty0, tx1, ty1);
        s->backgroundTileX0 = tx0;
        s->backgroundTileX1 = tx1;
        s->backgroundTileY0 = ty0;
        s->backgroundTileY1 = ty1;
    } else {
        if (tx0 != s->backgroundTileX0 || tx1 != s->backgroundTileX1) {
            if (tx0 <= s->backgroundTileX0 && s->backgroundTileX1 >= tx1) {
                paintTiles(tx0, ty0, s->backgroundTileX0 - 1, ty1);
            } else {
                paintTiles(s->backgroundTileX1 + 1, ty0, tx1, ty1);
            }
            s->backgroundTileX0 = tx0;
            s->backgroundTileX1 = tx1;
        }
        if (ty0 != s->backgroundTileY0 || ty1 != s->backgroundTileY1) {
            if (ty0 <= s->backgroundTileY0 && s->backgroundTileY1 >= ty1) {
                paintTiles(tx0, ty0, tx1, s->backgroundTileY0 - 1);
            } else {
                paintTiles(tx0, s->backgroundTileY1 + 1, tx1, ty1);
            }
            s->backgroundTileY0 = ty0;
            s->backgroundTileY1 = ty1;
        }
    }
    PitchViewPiece pieces[kMaxPitchViewPieces];
    const jint count = pitchViewPieces(x, y, pieces);
    for (jint i = 0; i < count; ++i) {
        const PitchViewPiece& p = pieces[i];
        blitPitchView(p.srcX, p.srcY, p.w, p.h, p.dstX, p.dstY);
    }
    profile::Graphics* const g = s->currentGraphics;
    if (g != nullptr) {
        g->setClip(0, 0, kScreenWidth, kScreenHeight);
    }
}

} // namespace game::match
