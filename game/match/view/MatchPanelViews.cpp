// The match screen's panel views (see MatchPanelViews.h).
#include "game/match/view/MatchPanelViews.h"

#include <iterator>

#include "game/core/GameStatics.h"
#include "game/core/services/ManagementServices.h"
#include "game/match/FrameRecordFormat.h"
#include "game/match/view/MatchFramePainter.h"
#include "game/sprites/ASprite.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Arrays.h"
#include "runtime/Exceptions.h"

namespace game::match {

using namespace game::match::frame;

namespace {

constexpr jint kEventPanelMode = 2;
constexpr jint kEventHeader = 2;
constexpr jint kRadarHeader = 0;
constexpr jint kTopLeft = 0;
// The radar frame's pieces (images 2..7) and where they go.
constexpr jint kFirstFrameImage = 2;
constexpr jint kFramePieces[][2] = {{4, 380}, {44, 448}, {44, 476}, {4, 228}, {4, 256}, {46, 170}};
constexpr jint kDotImage[] = {0, 1};
constexpr jint kDotHalf = 3;
constexpr jint kBallHalf = 2;
constexpr jint kBallLow = 15;
constexpr jint kBallMiddle = 30;
constexpr jint kPlayersPerTeam = 11;
// The pause bars.
constexpr jint kPauseBarXs[] = {26, 42};
constexpr jint kPauseBarY = 74;
constexpr jint kPauseBarWidth = 10;
constexpr jint kPauseBarHeight = 30;

profile::Image* radarImage(const GameStatics* s, const jint index) {
    const runtime::ObjectArray* const images = s->radarImages;
    return images != nullptr && images->inBounds(index) ? static_cast<profile::Image*>((*images)[index])
                                                        : nullptr;
}

void drawImageIfLoaded(profile::Graphics* g, profile::Image* image, const jint x, const jint y) {
    if (image != nullptr) {
        g->drawImage(image, x, y, kTopLeft);
    }
}

void paintRadar(const GameStatics* s, profile::Graphics* g) {
    core::managementServices().paintScreenHeader(kRadarHeader);
    if (runtime::exceptionPending()) {
        return;
    }
    for (jint i = 0; i < static_cast<jint>(std::size(kFramePieces)); ++i) {
        drawImageIfLoaded(g, radarImage(s, kFirstFrameImage + i), kFramePieces[i][0], kFramePieces[i][1]);
    }
    const runtime::ShortArray* const record = s->frameRecord;
    if (record == nullptr || record->length <= kMarkerFlagsWord) {
        return;
    }
    for (jint i = kFirstPlayerWord; i < kMarkerFlagsWord - 1; i += 2) {
        const jint x = (*record)[i];
        const jint y = (*record)[i + 1];
        if (x == kAbsent && y == kAbsent) {
            continue;
        }
        const jint sx = radarX(y);
        const jint sy = radarY(x);
        if (i < kBallWord) {
            const jint team = (i - kFirstPlayerWord) / 2 < kPlayersPerTeam ? 0 : 1;
            drawImageIfLoaded(g, radarImage(s, kDotImage[team]), sx - kDotHalf, sy - kDotHalf);
        } else if (s->radarBallSprite != nullptr) {
            s->radarBallSprite->paintFrame(g, radarBallFrame((*record)[kBallWord + 2]), sx - kBallHalf,
                                           sy - kBallHalf, 0, 0, 0);
        }
    }
}

} // namespace

jint radarBallFrame(const jint height) {
    if (height < kBallLow) {
        return 11;
    }
    return height < kBallMiddle ? 10 : 9;
}

void updateMatchExit() {
    GameStatics* const s = statics();
    profile::Graphics* const g = s->currentGraphics;
    if (g == nullptr) {
        return;
    }
    if (s->matchViewLock != 0 || s->matchViewMode == kEventPanelMode) {
        paintMatchFrame(true);
        if (runtime::exceptionPending()) {
            return;
        }
        core::managementServices().paintScreenHeader(kEventHeader);
    } else {
        paintRadar(s, g);
    }
    if (runtime::exceptionPending()) {
        return;
    }
    if (s->matchHalted != 0) {
        paintPauseSymbol();
    }
}

void paintPauseSymbol() {
    profile::Graphics* const g = statics()->currentGraphics;
    if (g == nullptr) {
        return;
    }
    for (const jint x : kPauseBarXs) {
        g->setColor(0x000000);
        g->drawRect(x, kPauseBarY, kPauseBarWidth, kPauseBarHeight);
        g->setColor(0xFFFFFF);
        g->fillRect(x + 1, kPauseBarY + 1, kPauseBarWidth - 1, kPauseBarHeight - 1);
    }
}

} // namespace game::match
