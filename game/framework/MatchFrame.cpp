// The match state's frame (see MatchFrame.h).
#include "game/framework/MatchFrame.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/KeyMasks.h"
#include "game/core/Sound.h"
#include "game/core/TopStates.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/MatchServices.h"
#include "game/core/services/MenuServices.h"
#include "game/framework/MenuStates.h"
#include "game/framework/ResultsBoard.h"
#include "game/match/view/MatchCamera.h"
#include "game/match/view/MatchPanelViews.h"
#include "game/match/view/MatchStatsPanel.h"
#include "game/screens/info/KeyTouchOperations.h"
#include "profile/Graphics.h"
#include "runtime/Exceptions.h"

namespace game::framework {

using namespace game::info;
using namespace game::match;
using namespace game::core;

namespace {

// The random crowd sound: every 100 frames of open play, one chance in two, not in a shoot-out.
constexpr jint kCrowdSoundFrames = 100;
constexpr jint kCrowdSound = 1;
constexpr jint kOpenPlayPhase = 0;
constexpr jint kShootoutPeriod = 5;

// The touch buttons under the pitch (x, y, w, h) and the commands they show as pressed.
constexpr jint kButtonY = 598;
constexpr jint kButtonHeight = 50;
constexpr jint kSlowerButtonX = 14;
constexpr jint kSlowerButtonWidth = 49;
constexpr jint kHaltButtonX = 63;
constexpr jint kHaltButtonWidth = 52;
constexpr jint kFasterButtonX = 115;
constexpr jint kFasterButtonWidth = 53;
constexpr jint kCommandFaster = 158;
constexpr jint kCommandHalt = 159;
constexpr jint kCommandSlower = 160;
constexpr jint kCommandResume = 162;
constexpr jint kNoCommand = -1;
constexpr jint kTopSpeedLevel = 3;

// The pause menu: the match-day family's menu state; not while the match is in phase 12.
constexpr jint kPauseMenuState = 0x800000;
constexpr jint kPhaseNoPause = 12;

// View modes: 0 pitch with panels, 1 radar, 2 event panel.
constexpr jint kViewModes = 3;
constexpr jint kEventPanelMode = 2;
constexpr jint kRadarMode = 1;
constexpr jint kPanelBox = 1;
// The score line's painter step and the score line itself.
constexpr jint kClockPanelMode = 0;
constexpr jint kScoreLineMode = 1;

// A match day played through stops its ticks at multiples of this, or at the match's end.
constexpr runtime::jlong kMatchDayTickBlock = 100;
constexpr jint kMatchOver = 106;
// The kick-off of a period (a new period after the first sets halfTimeStop).
constexpr jint kKickOffPhase = 2;
constexpr jint kFirstPeriod = 1;

// A touch pressed in this frame inside a button.
bool buttonPressed(const jint x, const jint w) {
    return statics()->touchPressedNow && info::pointerInRectWithSound(x, kButtonY, w, kButtonHeight);
}

// Halt and resume: fire or the middle button, unless a match day plays through or a replay runs.
void updateHaltButton(GameStatics* block) {
    if (isKeyPressed(kKeyFire) || buttonPressed(kHaltButtonX, kHaltButtonWidth)) {
        if (!block->matchDayMode && !block->matchViewLock) {
            block->matchHalted = block->matchHalted ? 0 : 1;
            block->matchCommand = block->matchHalted ? kCommandHalt : kCommandResume;
        }
    } else if (isKeyReleased(kKeyFire)) {
        block->matchCommand = kNoCommand;
    }
}

// The left soft key leaves the match for the pause menu.
void updatePauseMenu(GameStatics* block) {
    if (!info::isKeyPressedWithSound(kKeyLeftSoft) || block->matchDayMode ||
        block->matchPhase == kPhaseNoPause) {
        return;
    }
    setTopState(kTopStateMenus);
    block->menuSelection = 0;
    setMenuState(kPauseMenuState);
    if (runtime::exceptionPending()) {
        return;
    }
    block->matchInterrupted = 1;
    menuServices().updateEventList(block->eventList);
    matchServices().clearEventListFlag();
}

// '*' or the right soft key (key or touch) cycles the view mode.
void updateViewMode(GameStatics* block) {
    if (!(isKeyPressed(kKeyStar) || isKeyPressed(kKeyRightSoft)) || block->matchDayMode) {
        return;
    }
    if (block->matchViewMode == kEventPanelMode) {
        block->matchViewLock = 0;
    }
    block->matchViewMode = runtime::irem(block->matchViewMode + 1, kViewModes);
    if (block->matchViewMode == kEventPanelMode) {
        matchServices().setViewRefresh();
    }
}

// Left and right (or the outer buttons) change the speed, while nothing holds the match.
void updateSpeedButtons(GameStatics* block) {
    if (block->matchViewLock || block->matchDayMode || block->matchHalted) {
        return;
    }
    if (isKeyPressed(kKeyLeft) || buttonPressed(kSlowerButtonX, kSlowerButtonWidth)) {
        if (block->matchSpeedLevel > 0) {
            --block->matchSpeedLevel;
            block->matchCommand = kCommandSlower;
        }
    } else if (isKeyPressed(kKeyRight) || buttonPressed(kFasterButtonX, kFasterButtonWidth)) {
        if (block->matchSpeedLevel < kTopSpeedLevel) {
            ++block->matchSpeedLevel;
            block->matchCommand = kCommandFaster;
        }
    } else if (isKeyReleased(kKeyLeft | kKeyRight)) {
        block->matchCommand = kNoCommand;
    }
}

// One simulation tick: clock, engine, camera, the view recorded with inMatchTick set. False when
// a step raised.
bool runTick(GameStatics* block) {
    ++block->matchTicks;
    MatchServices& match = matchServices();
    match.updateMatchClock();
    if (runtime::exceptionPending()) {
        return false;
    }
    match.updateMatch();
    if (runtime::exceptionPending()) {
        return false;
    }
    updateMatchCamera();
    match.copyViewRefresh();
    block->inMatchTick = 1;
    match.paintMatchView();
    // The shared routines have no work after a tick's view.
    block->inMatchTick = 0;
    return !runtime::exceptionPending();
}

void runTicks(GameStatics* block) {
    if (!block->matchDayMode) {
        block->matchSpeedUsed =
            !block->matchViewLock && block->topState == kTopStateMatch ? block->matchSpeedLevel : 0;
        const jint ticks =
            matchTicksPerFrame(block->matchSpeedBase, block->matchSpeedUsed, block->matchSpeedDoubled);
        for (jint i = 0; i < ticks; ++i) {
            if (block->matchHalted || block->topState != kTopStateMatch) {
                return;
            }
            if (!runTick(block)) {
                return;
            }
        }
        return;
    }
    // A match day played through: at least one tick, up to the next hundred or the match's end.
    do {
        if (!runTick(block)) {
            return;
        }
        block->matchViewMode = 0;
        // The shared routines have no work after a played-through tick either.
        if (block->matchPhase == kKickOffPhase && block->lastMatchPhase != kKickOffPhase &&
            block->matchPeriod > kFirstPeriod) {
            block->halfTimeStop = 1;
        }
    } while (block->matchTicks % kMatchDayTickBlock != 0 && block->matchEndMarker != kMatchOver);
}

void paintViewPanels(GameStatics* block) {
    ManagementServices& screens = managementServices();
    if (block->matchViewMode == 0 && !block->matchViewLock) {
        screens.paintScreenHeader(kPanelBox);
        screens.paintPopupBox(kPanelBox);
        paintMatchStats();
        if (block->matchHalted) {
            paintPauseSymbol();
        }
        return;
    }
    matchServices().updateMatchExit();
    if (runtime::exceptionPending()) {
        return;
    }
    paintResultsBoard();
    // The panel view draws its own pause bars: the shared routines add nothing here.
    if (block->matchViewMode == kRadarMode) {
        screens.paintPopupBox(kPanelBox);
    }
}

} // namespace

jint matchTicksPerFrame(const jint base, const jint level, const bool doubled) {
    return runtime::ishl(base, runtime::ishl(level, doubled ? 1 : 0));
}

void updateMatchLogic() {
    GameStatics* block = statics();
    MatchServices& match = matchServices();
    if (block->matchInterrupted) {
        match.advanceOrderEndTimes();
    }
    if (block->matchPhase == kOpenPlayPhase && runtime::irem(block->framesInState, kCrowdSoundFrames) == 0 &&
        randomRange(0, 1) == 0 && block->matchPeriod != kShootoutPeriod) {
        playSound(kCrowdSound);
        if (runtime::exceptionPending()) {
            return;
        }
    }
    updateHaltButton(block);
    if (runtime::exceptionPending()) {
        return;
    }
    updatePauseMenu(block);
    if (runtime::exceptionPending()) {
        return;
    }
    match.updateMentality(block->firstTeam);
    if (runtime::exceptionPending()) {
        return;
    }
    updateViewMode(block);
    updateSpeedButtons(block);
    runTicks(block);
    if (runtime::exceptionPending()) {
        return;
    }
    match.updateMatchPlayback();
    if (runtime::exceptionPending()) {
        return;
    }
    match.copyShownScore();
    match.endSkippedPeriod();
    if (runtime::exceptionPending()) {
        return;
    }
    ++block->menuFrames;
}

void paintMatchScreen() {
    GameStatics* block = statics();
    MatchServices& match = matchServices();
    match.paintMatchOverlay();
    if (runtime::exceptionPending()) {
        return;
    }
    paintViewPanels(block);
    if (runtime::exceptionPending()) {
        return;
    }
    managementServices().paintClockPanel(kClockPanelMode);
    managementServices().paintScoreLine(block->currentGraphics, kScoreLineMode);
    // No replay-marker step: the match's one marker is the restart marker of the restartMarker statics.
    match.updateAddedTimeBoard();
}

void updateMatchFrame() {
    updateMatchLogic();
    if (runtime::exceptionPending()) {
        return;
    }
    paintMatchScreen();
}

} // namespace game::framework
