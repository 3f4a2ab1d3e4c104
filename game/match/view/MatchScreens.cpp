// The added-time board, the pre-match screen and the match loader's progress (see
// MatchScreens.h).
#include "game/match/view/MatchScreens.h"

#include "game/core/DateText.h"
#include "game/core/GameStatics.h"
#include "game/core/ScreenRoutines.h"
#include "game/core/TextPackage.h"
#include "game/core/services/InfoScreenServices.h"
#include "game/core/services/ManagementServices.h"
#include "game/match/FrameRecordFormat.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Arrays.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/String.h"
#include "runtime/System.h"

namespace game::match {

using namespace game::match::frame;
using runtime::jint;

namespace {

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;
constexpr jint kBlack = 0x000000;
constexpr jint kTopLeft = profile::kAnchorTop | profile::kAnchorLeft;
constexpr jint kSecondsPerMinute = 60;
// The board: shown from minute 45 of period 1 (90 of the others), sliding 2 pixels a frame into
// a 30-pixel window at the top right; at once while skipping.
constexpr jint kFirstHalfMinute = 45;
constexpr jint kLaterMinute = 90;
constexpr jint kBoardStep = 2;
constexpr jint kBoardDepth = 30;
constexpr jint kBoardClipX = 397;
constexpr jint kBoardClipBottom = 63;
constexpr jint kBoardClipWidth = 81;
constexpr jint kBoardX = 398;
constexpr jint kBoardY = 3;
// The kick-off pop-up: text 47 for the first frames of the match state in phase 2.
constexpr jint kPhaseKickOff = 2;
constexpr jint kPopupStartFrames = 2;
constexpr jint kPopupFrames = 4;
constexpr jint kKickOffText = 47;
// The pre-match screen.
constexpr jint kIntroBackdropFrame = 0;
constexpr jint kIntroFrameFrame = 2;
constexpr jint kIntroSideFrame = 14;
constexpr jint kHeaderImageX = 4;
constexpr jint kHeaderImageY = 4;
constexpr jint kHeaderImageWidth = 42;
constexpr jint kHeaderImageHeight = 28;
constexpr jint kHeaderTextX = 176;
constexpr jint kHeaderTextY = 10;
constexpr jint kDateX = 240;
constexpr jint kDateY = 400;
constexpr jint kSideXs[] = {26, 256};
constexpr jint kSideY = 92;
constexpr jint kSideWidth = 198;
constexpr jint kSideHeight = 42;
constexpr jint kSideNameGap = 8;
constexpr jint kAnimationY = 576;
constexpr jint kFont = 0;
constexpr jint kPalette = 0;
constexpr jint kCentred = 2;
// The month index counts from July; the date shows months 1..12.
constexpr jint kMonthShift = 6;
constexpr jint kMonths = 12;
// The loader's bar: at (158, 600), 164 wide, 40 steps, starting 20 steps in.
constexpr jint kBarX = 158;
constexpr jint kBarY = 600;
constexpr jint kBarWidth = 164;
constexpr jint kBarStart = 20;
constexpr jint kBarMax = 40;

profile::Graphics* graphics() {
    return statics()->currentGraphics;
}

void fullClip(profile::Graphics* g) {
    g->setClip(0, 0, kScreenWidth, kScreenHeight);
}

void paintBoard(GameStatics* s, profile::Graphics* g, const jint minute, const jint period) {
    if (minute < (period == 1 ? kFirstHalfMinute : kLaterMinute)) {
        return;
    }
    s->boardSlide += kBoardStep;
    const jint k = s->matchDayMode != 0 || s->boardSlide > kBoardDepth ? kBoardDepth : s->boardSlide;
    profile::Image* const board = s->boardImage;
    if (g == nullptr || board == nullptr) {
        return;
    }
    g->setClip(kBoardClipX, kBoardClipBottom - k, kBoardClipWidth, kBoardDepth);
    g->drawImage(board, kBoardX, kBoardY, kTopLeft);
}

void paintKickOffPopup(GameStatics* s, profile::Graphics* g) {
    const bool starting = s->matchPhase == kPhaseKickOff && s->framesInState < kPopupStartFrames;
    if (starting) {
        s->periodIntroTime = runtime::System::currentTimeMillis();
        s->periodIntroTicks = 0;
    }
    if ((s->periodIntroTicks < kPopupFrames || starting) && s->matchDayMode == 0 && g != nullptr) {
        fullClip(g);
        core::managementServices().updateHintPopup(core::getText(kKickOffText));
    }
    if (s->periodIntroTicks < kPopupFrames) {
        ++s->periodIntroTicks;
    }
}

runtime::String* stringAt(const runtime::ObjectArray* array, const jint i) {
    return array != nullptr && array->inBounds(i) ? static_cast<runtime::String*>((*array)[i]) : nullptr;
}

void drawText(profile::Graphics* g, runtime::String* text, const jint x, const jint y) {
    if (text != nullptr) {
        sprites::ASprite::drawSubString(g, text, 0, text->length(), x, y, kCentred, kFont, kPalette);
    }
}

void paintHeaderImage(GameStatics* s, profile::Graphics* g) {
    if (s->badgeStrip == nullptr) {
        core::infoScreenServices().loadHeaderImage();
        if (runtime::exceptionPending()) {
            return;
        }
    }
    profile::Image* const image = s->badgeStrip;
    if (image == nullptr) {
        return;
    }
    g->setClip(kHeaderImageX, kHeaderImageY, kHeaderImageWidth, kHeaderImageHeight);
    g->drawImage(image, kHeaderImageX, kHeaderImageY, kTopLeft);
    fullClip(g);
}

// The match day's date: its day of the month, the month (July first in the season) and the year.
runtime::String* matchDate(const GameStatics* s) {
    const runtime::IntArray* const days = s->matchDayTable;
    const jint day = days != nullptr && days->inBounds(s->matchDayIndex) ? (*days)[s->matchDayIndex] : 1;
    const jint month = runtime::irem(s->monthIndex + kMonthShift, kMonths) + 1;
    return core::formatDateText(runtime::String::valueOfInt(day), runtime::String::valueOfInt(month),
                                runtime::String::valueOfInt(s->seasonYear));
}

// The two sides: a frame of the intro frames behind each and its name under its place (no side
// image is held anywhere yet).
void paintSides(GameStatics* s, profile::Graphics* g) {
    sprites::ASprite* const frames = s->interfaceSprite;
    for (jint side = 0; side < 2; ++side) {
        const jint x = kSideXs[side];
        if (frames != nullptr) {
            frames->paintFrame(g, kIntroSideFrame, x, kSideY, 0, 0, 0);
        }
        drawText(g, stringAt(s->matchTeamNames, side), x + kSideWidth / 2,
                 kSideY + kSideHeight + kSideNameGap);
    }
}

} // namespace

void updateAddedTimeBoard() {
    GameStatics* const s = statics();
    profile::Graphics* const g = graphics();
    const runtime::ShortArray* const record = s->frameRecord;
    if (record != nullptr && record->length > kClockWord) {
        const jint clock = (*record)[kClockWord];
        paintBoard(s, g, timeOf(clock) / kSecondsPerMinute, periodOf(clock));
    }
    paintKickOffPopup(s, g);
}

void paintMatchIntro() {
    GameStatics* const s = statics();
    profile::Graphics* const g = graphics();
    if (g == nullptr) {
        return;
    }
    fullClip(g);
    g->setColor(kBlack);
    g->fillRect(0, 0, kScreenWidth, kScreenHeight);
    if (s->framesInState < 1) {
        return;
    }
    if (sprites::ASprite* const backdrop = s->backgroundSprite) {
        backdrop->paintFrame(g, kIntroBackdropFrame, 0, 0, 0, 0, 0);
    }
    if (sprites::ASprite* const frames = s->interfaceSprite) {
        frames->paintFrame(g, kIntroFrameFrame, 0, 0, 0, 0, 0);
    }
    paintHeaderImage(s, g);
    if (runtime::exceptionPending()) {
        return;
    }
    drawText(g, stringAt(s->leagueNames, s->userLeague), kHeaderTextX, kHeaderTextY);
    drawText(g, matchDate(s), kDateX, kDateY);
    paintSides(s, g);
    core::managementServices().paintMatchReport();
    if (runtime::exceptionPending()) {
        return;
    }
    if (sprites::ASpriteInstance* const animation = s->introAnimation) {
        fullClip(g);
        animation->y = kAnimationY;
        animation->paintAt(g);
        animation->update();
    }
}

void paintLoadingProgress() {
    GameStatics* const s = statics();
    profile::Graphics* const g = graphics();
    if (s->framesInState < 1 || g == nullptr) {
        return;
    }
    fullClip(g);
    if (s->loadingBarVisible != 0) {
        core::paintLoadingBar(kBarX, kBarY, kBarWidth, s->framesInState + kBarStart, kBarMax);
        return;
    }
    if (s->loadingClearPending != 0) {
        core::clearScreen(kBlack);
        s->loadingClearPending = 0;
    }
    if (sprites::ASpriteInstance* const animation = s->loadingAnimation) {
        animation->y = kAnimationY;
        animation->paintAt(g);
        animation->update();
    }
}

} // namespace game::match
