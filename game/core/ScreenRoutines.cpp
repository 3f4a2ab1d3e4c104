// Screen and number routines.
#include "game/core/ScreenRoutines.h"

#include "game/core/GameStatics.h"
#include "profile/Graphics.h"

namespace game::core {

namespace {

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;

// The loading bar: a dark track, the orange fill over it, a grey outline around both.
constexpr jint kBarTrackColour = 0x172056;
constexpr jint kBarFillColour = 0xFF7700;
constexpr jint kBarOutlineColour = 0xCCCCCC;
constexpr jint kBarTop = 2;        // track and fill start this far below y
constexpr jint kBarHeight = 2;     // track and fill height
constexpr jint kOutlineLeft = 2;   // the outline starts this far left of x
constexpr jint kOutlineExtra = 3;  // the outline's width argument is w + this
constexpr jint kOutlineHeight = 5; // the outline's height argument

// Group of each position number -1..24 (index position + 1).
constexpr jint kGroupOfPosition[] = {
    0,                  // -1
    2,                  // 0
    1,  1,  1,          // 1-3
    3,                  // 4
    4,                  // 5
    6,  6,  6,          // 6-8
    5,                  // 9
    8,                  // 10
    7,  7,  7,          // 11-13
    9,                  // 14
    11,                 // 15
    10, 10, 10,         // 16-18
    12,                 // 19
    13, 13, 13, 13, 13, // 20-24
};
constexpr jint kFirstPosition = -1;
constexpr jint kPositionCount = static_cast<jint>(sizeof(kGroupOfPosition) / sizeof(kGroupOfPosition[0]));

// The order in which firstGroupInMask tests the group bits.
constexpr jint kGroupOrder[] = {13, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 0};

} // namespace

void clearScreen(const jint colour) {
    profile::Graphics* const g = statics()->currentGraphics;
    if (g == nullptr) {
        return;
    }
    g->setClip(0, 0, kScreenWidth, kScreenHeight);
    g->setColor(colour);
    g->fillRect(0, 0, kScreenWidth, kScreenHeight);
}

void paintLoadingBar(const jint x, const jint y, const jint w, const jint value, const jint max) {
    GameStatics* const s = statics();
    profile::Graphics* const g = s->currentGraphics;
    // A max of 0 gives no proportion to draw.
    if (s->loadingBarVisible == 0 || g == nullptr || max == 0) {
        return;
    }
    g->setClip(0, 0, kScreenWidth, kScreenHeight);
    g->setColor(kBarTrackColour);
    g->fillRect(x, y + kBarTop, w - 1, kBarHeight);
    const jint shown = value < max ? value : max;
    g->setColor(kBarFillColour);
    g->fillRect(x, y + kBarTop, runtime::idiv((shown + 1) * w, max), kBarHeight);
    g->setColor(kBarOutlineColour);
    g->drawRect(x - kOutlineLeft, y, w + kOutlineExtra, kOutlineHeight);
}

jint clamp(const jint v, const jint lo, const jint hi) {
    if (v > hi) {
        return hi;
    }
    return v >= lo ? v : lo;
}

jint positionGroup(const jint position) {
    if (position < kFirstPosition || position >= kFirstPosition + kPositionCount) {
        return -1;
    }
    return kGroupOfPosition[position - kFirstPosition];
}

jint firstGroupInMask(const jint mask) {
    for (const jint group : kGroupOrder) {
        if ((mask & (1 << group)) != 0) {
            return group;
        }
    }
    return -1;
}

} // namespace game::core
