// The match results board (see ResultsBoard.h).
#include "game/framework/ResultsBoard.h"

#include "game/core/GameStatics.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/SpriteServices.h"
#include "game/match/FrameRecordFormat.h"
#include "profile/Graphics.h"

namespace game::framework {

using namespace game::core;

namespace {

using runtime::jint;

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;

// The event: its kind in the top three bits of element 2, the attempt count in bits 8-14 of
// element 1, whose low nibble is clear.
constexpr jint kCountElement = match::frame::kPhaseWord;
constexpr jint kKindElement = match::frame::kClockWord;
constexpr jint kKindMask = match::frame::kThreeBits << match::frame::kPeriodShift;
constexpr jint kBoardKind = 5 << match::frame::kPeriodShift; // the shoot-out period
constexpr jint kCountShift = match::frame::kKicksShift;
constexpr jint kCountMask = match::frame::kKicksMask;
constexpr jint kLowNibble = match::frame::kStepMask;

// The box and its grid: two rows of five columns of 36 pixels, badges on the left.
constexpr jint kBoxX = 124;
constexpr jint kBoxY = 509;
constexpr jint kBoxWidth = 232;
constexpr jint kBoxHeight = 72;
constexpr jint kBoxColour = 0x666666;
constexpr jint kBoxCut = 0;
constexpr jint kBoxStyle = 1;
constexpr jint kGridColour = 0x333333;
constexpr jint kGridLeft = 176;
constexpr jint kGridRight = 355;
constexpr jint kGridMiddle = 545;
constexpr jint kGridTop = 510;
constexpr jint kGridBottom = 580;
constexpr jint kCell = 36;
constexpr jint kColumnLines = 5;
constexpr jint kBadgeX = 132;
constexpr jint kBadgeY[] = {515, 549};

// The icons: ten places, attempt i in column i / 2 of row i % 2.
constexpr jint kPlaces = 10;
constexpr jint kRows = 2;
constexpr jint kIconX = 194;
constexpr jint kIconY = 527;
constexpr jint kFailedAnimation = 4;
constexpr jint kSucceededAnimation = 5;
constexpr jint kNoLoop = 0;

// The attempt count of the current event when it is one the board shows, else 0.
jint boardAttempts(const runtime::ShortArray* event) {
    if (event == nullptr || event->length <= kKindElement) {
        return 0;
    }
    const jint count = (*event)[kCountElement];
    const jint kind = (*event)[kKindElement];
    if ((kind & kKindMask) != kBoardKind || (count & kLowNibble) != 0) {
        return 0;
    }
    return (count >> kCountShift) & kCountMask;
}

} // namespace

void paintResultsBoard() {
    GameStatics* block = statics();
    const jint attempts = boardAttempts(block->frameRecord);
    if (attempts == 0) {
        return;
    }
    profile::Graphics* g = block->currentGraphics;
    ManagementServices& screens = managementServices();
    g->setClip(0, 0, kScreenWidth, kScreenHeight);
    screens.paintCutCornerPanel(kBoxX, kBoxY, kBoxWidth, kBoxHeight, kBoxCut, kBoxColour, kBoxStyle);
    g->setClip(0, 0, kScreenWidth, kScreenHeight);
    g->setColor(kGridColour);
    g->drawLine(kGridLeft, kGridMiddle, kGridRight, kGridMiddle);
    for (jint i = 0; i < kColumnLines; ++i) {
        const jint x = kGridLeft + kCell * i;
        g->drawLine(x, kGridTop, x, kGridBottom);
    }
    for (jint team = 0; team < kRows; ++team) {
        screens.paintFixtureBadge(team, kBadgeX, kBadgeY[team]);
        screens.paintCellOutline(g, team, kBadgeX, kBadgeY[team]);
    }

    const jint shown = (attempts - 1) % kPlaces + 1;
    sprites::ASpriteInstance* icon = block->boardIcon;
    const runtime::ByteArray* results = block->attemptResults;
    if (icon == nullptr) {
        return;
    }
    // Attempts the results array does not hold are not painted.
    const jint known = results != nullptr ? results->length : 0;
    SpriteServices& sprites = spriteServices();
    for (jint i = 0; i < shown && i < known; ++i) {
        sprites.setAnim(icon, (*results)[i] == 0 ? kFailedAnimation : kSucceededAnimation, kNoLoop);
        sprites.paintOn(icon, g, kIconX + kCell * (i / kRows), kIconY + kCell * (i % kRows), 0, 0, 0, 0);
    }
}

} // namespace game::framework
