// The club home screen (see HomeScreen.h).
#include "game/screens/menus/HomeScreen.h"

#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/Sound.h"
#include "game/core/TextPackage.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/MenuStateServices.h"
#include "game/resources/SavedGame.h"
#include "game/screens/info/KeyTouchOperations.h"
#include "game/screens/menus/DayAdvance.h"
#include "game/screens/menus/MenuToolkit.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/TextBoxes.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace game::menus {

namespace {

using runtime::ByteArray;
using runtime::jbyte;
using runtime::String;

// Menu states the home screen enters.
constexpr jint kMainMenuState = 32;
constexpr jint kAdvanceState = 136;
constexpr jint kHomeState = 134;
constexpr jint kPreMatchState = 256;
constexpr jint kInboxState = 1030;

// Keys.
constexpr jint kKeyUp = 1;
constexpr jint kKeyRight = 4;
constexpr jint kKeyDown = 16;
constexpr jint kKeyLeft = 64;
constexpr jint kKeyDirections = 85;
constexpr jint kKeyFire = 256;
constexpr jint kKeyBack = 4096;
constexpr jint kKeyLeftSoft = 8192;

// Entries: 1..9 placed, 10 (the exit question) only in the list view.
constexpr jint kPlacedEntries = 9;
constexpr jint kExitEntry = 10;
constexpr jint kEntriesPerPage = 5;
constexpr jint kPages = 2;
constexpr jint kGuideSteps = 9;

// The bit values of an entry's progressFlags byte.
constexpr jint kOpen = 1;
constexpr jint kNoticePending = 2;
constexpr jint kNewItem = 4;
constexpr jint kSpecialNotice = 8;

// The glide: four frames of a quarter of the way each.
constexpr jint kGlideShift = 2;
constexpr jint kGlideSteps = 3;

// Drawing.
constexpr jint kNameOffsetX = -50;
constexpr jint kNameOffsetY = 50;
constexpr jint kCentred = 2;
constexpr jint kListX = 240;
constexpr jint kRowPitch = 70;
constexpr jint kNameY = 156;
constexpr jint kMarkerX = 403;
constexpr jint kMarkerY = 158;
constexpr jint kRowFrame = 122;
constexpr jint kHighlightFrame = 123;
constexpr jint kPreviousArrow = 149;
constexpr jint kNextArrow = 151;
constexpr jint kPreviousArrowY = 70;
constexpr jint kNextArrowY = 490;
constexpr jint kBlinkPeriod = 10;
constexpr jint kBlinkOn = 5;
constexpr jint kTouchAnimation = 18;
constexpr jint kPointerAnimation = 15;
constexpr jint kToMenus = 8;

// The list view's touch rows: the previous arrow, five rows, the next arrow.
constexpr jint kListTouchX = 42;
constexpr jint kListTouchY = 62;
constexpr jint kListTouchWidth = 396;
constexpr jint kListTouchRows = 7;
constexpr jint kPreviousArea = 1;
constexpr jint kNextArea = 7;

// Questions.
constexpr jint kContinueQuestion = 196; // constant string
constexpr jint kExitQuestion = 953;
constexpr jint kGuideJoin = 125; // constant string
constexpr jint kGuideHint = 966;
constexpr jint kTwoButtons = 2;
constexpr jint kThreeButtons = 4;
constexpr jint kSaveAndQuit = 0;
constexpr jint kQuit = 1;
constexpr jint kCancel = 2;
constexpr jint kNo = 1;
constexpr jint kButtonX = 194;
constexpr jint kButtonWidth = 92;
constexpr jint kButtonHeight = 80;

// The squad orders the continue rule puts back in slot order.
constexpr jint kSquadRows = 30;

GameStatics* s() {
    return statics();
}

void setMenuState(const jint state) {
    core::menuStateServices().setMenuState(state);
}

jint flagsOf(const jint entry) {
    ByteArray* const flags = s()->progressFlags;
    if (flags == nullptr || entry < 1 || entry > flags->length) {
        return 0;
    }
    return (*flags)[entry - 1] & 0xFF;
}

void setFlagsOf(const jint entry, const jint value) {
    ByteArray* const flags = s()->progressFlags;
    if (flags != nullptr && entry >= 1 && entry <= flags->length) {
        (*flags)[entry - 1] = static_cast<jbyte>(value);
    }
}

bool hasFlag(const jint entry, const jint bit) {
    return (flagsOf(entry) & bit) != 0;
}

jint tableEntry(const runtime::IntArray* const table, const jint index) {
    return table != nullptr && table->inBounds(index) ? (*table)[index] : 0;
}

jint positionOf(const jint entry, const jint axis) {
    const runtime::ShortArray* const positions = s()->menuPointerPositions;
    const jint at = 2 * (entry - 1) + axis;
    return positions != nullptr && entry >= 1 && positions->inBounds(at) ? (*positions)[at] : 0;
}

void startTransition() {
    if (sprites::ASpriteInstance* const transition = s()->transitionSprite) {
        transition->setAnim(kToMenus, 1);
    }
}

void takeEntryTexts(const jint entry) {
    GameStatics* const block = s();
    block->homeEntryNameText = tableEntry(block->homeEntryTexts, entry - 1);
    block->guideNoticeText = tableEntry(block->homeGuideTexts, entry - 1);
}

void moveHighlight(const jint entry) {
    GameStatics* const block = s();
    const jint old = block->menuSelection;
    block->homePreviousEntry = old;
    block->menuSelection = entry;
    block->homeCursorMoving = old == kExitEntry ? 0 : 1;
    block->homeCursorStep = 0;
    setMenuAnimation(entry, 0);
    block->popupActive = 0;
    takeEntryTexts(entry);
}

// The cursor glides to the entry the guide leads to. From the guide's last step on there is
// no such entry: the cursor stays.
void glideToGuideEntry() {
    GameStatics* const block = s();
    if (block->guideStep < 0 || block->guideStep >= kGuideSteps) {
        return;
    }
    block->homePreviousEntry = block->menuSelection;
    block->homeCursorMoving = 1;
    block->homeCursorStep = 0;
    block->menuSelection = tableEntry(block->guideEntryByStep, block->guideStep);
    setMenuAnimation(block->menuSelection, 0);
    block->selectionAnimating = 0;
}

void updateCursor() {
    GameStatics* const block = s();
    const jint entry = block->menuSelection;
    if (entry >= kExitEntry) {
        return;
    }
    if (block->homeCursorMoving == 0) {
        takeEntryTexts(entry);
        block->homeCursorStep = 0;
        block->homeCursorX = positionOf(entry, 0);
        block->homeCursorY = positionOf(entry, 1);
        return;
    }
    const jint from = block->homePreviousEntry;
    block->homeCursorX += (positionOf(entry, 0) - positionOf(from, 0)) >> kGlideShift;
    block->homeCursorY += (positionOf(entry, 1) - positionOf(from, 1)) >> kGlideShift;
    ++block->homeCursorStep;
    if (block->homeCursorStep > kGlideSteps) {
        block->homeCursorMoving = 0;
    }
}

void drawText(String* const text, const jint x, const jint y, const jint palette) {
    if (text != nullptr && s()->currentGraphics != nullptr) {
        sprites::drawFontLine(text, 0, text->length(), x, y, kCentred, 0, palette);
    }
}

void paintFrame(sprites::ASprite* const sprite, const jint frame, const jint x, const jint y) {
    if (sprite != nullptr && s()->currentGraphics != nullptr) {
        sprite->paintFrame(s()->currentGraphics, frame, x, y, 0, 0, 0);
    }
}

void paintInstance(sprites::ASpriteInstance* const instance) {
    if (instance == nullptr) {
        return;
    }
    if (s()->currentGraphics != nullptr) {
        instance->paintAt(s()->currentGraphics);
    }
    instance->update();
}

void paintListView() {
    GameStatics* const block = s();
    block->homeListPage = (block->menuSelection - 1) / kEntriesPerPage;
    const jint first = block->homeListPage * kEntriesPerPage;
    for (jint i = first; i < first + kEntriesPerPage && i < kExitEntry; ++i) {
        const jint row = i % kEntriesPerPage;
        const jint y = (row + 2) * kRowPitch;
        const bool highlighted = i == block->menuSelection - 1;
        if (highlighted && block->selectionAnimating != 0) {
            paintInstance(block->selectionSprite);
        } else {
            paintFrame(block->menuElementsSprite, highlighted ? kHighlightFrame : kRowFrame, kListX, y);
        }
        drawText(core::getText(tableEntry(block->homeEntryTexts, i)), kListX, kNameY + row * kRowPitch,
                 highlighted ? 1 : 0);
        const bool marked = i != kExitEntry - 1 && (flagsOf(i + 1) & (kNoticePending | kNewItem)) != 0;
        const bool blinkOn = block->menuState != kHomeState || block->frameCount % kBlinkPeriod < kBlinkOn;
        if (marked && blinkOn) {
            paintFrame(block->markerSprite, 0, kMarkerX, kMarkerY + row * kRowPitch);
        }
    }
}

void paintScreen() {
    GameStatics* const block = s();
    core::managementServices().paintAnimatedBanner();
    if (block->secondPopupActive == 0 && block->menuSelection < kExitEntry) {
        paintInstance(block->menuPointerSprite);
        if (block->homeCursorMoving == 0) {
            drawText(core::getText(block->homeEntryNameText), block->homeCursorX + kNameOffsetX,
                     block->homeCursorY + kNameOffsetY, 0);
        }
        if (sprites::ASpriteInstance* const cursor = block->homeCursorSprite) {
            cursor->x = block->homeCursorX;
            cursor->y = block->homeCursorY;
        }
        paintInstance(block->homeCursorSprite);
    }
    if (flagsOf(6) != kOpen) {
        runtime::StringBuffer* const hint = runtime::newStringBuffer();
        hint->append(core::getText(block->guideNoticeText));
        hint->append(runtime::getConstantString(kGuideJoin));
        hint->append(core::getText(kGuideHint));
        core::managementServices().updateHintPopup(hint->toString());
    }
    if (block->homeEntriesShown != 0) {
        paintListView();
    }
}

// The button under the touch of a question, with the highlight's move and the touch's arming.
void trackQuestionTouch(const jint touched) {
    GameStatics* const block = s();
    if (block->questionTouched != 0 && block->menuChoiceMoving != 0) {
        block->touchListHit = -1;
        return;
    }
    block->touchListHit = touched;
    if (touched >= 0 && touched != block->menuChoice) {
        block->menuChoice = touched;
        block->menuChoiceMoving = 1;
    }
    if (touched >= 0 && block->touchReleased != 0) {
        block->questionTouched = 1;
    }
}

// Fire, or an armed touch once the highlight has stopped, confirms the question.
bool questionConfirmed() {
    GameStatics* const block = s();
    if (!core::isKeyPressed(kKeyFire) && !(block->questionTouched != 0 && block->menuChoiceMoving == 0)) {
        return false;
    }
    block->questionTouched = 0;
    block->selectionAnimating = 0;
    return true;
}

void updateContinueQuestion() {
    GameStatics* const block = s();
    core::managementServices().paintMessageBox(runtime::getConstantString(kContinueQuestion), 0, 0, -1,
                                               kTwoButtons, 1);
    trackQuestionTouch(
        info::pickOfTwoAreas(104, kButtonWidth, 286, kButtonWidth, block->touchListRow, kButtonHeight));
    if (!questionConfirmed()) {
        return;
    }
    if (block->menuChoice == kNo) {
        block->advanceUntilEvent = 0;
        block->advanceRequested = 1;
        block->popupActive = 0;
        takeEntryTexts(block->menuSelection);
        return;
    }
    core::stopAllSounds();
    if (block->userEventNow == 0 || block->autoAdvance != 0) {
        if (block->autoAdvance != 0) {
            finishDay();
        } else {
            setMenuState(kAdvanceState);
        }
        return;
    }
    setMenuState(kPreMatchState);
    startTransition();
}

void updateExitQuestion() {
    GameStatics* const block = s();
    core::managementServices().paintMessageBox(core::getText(kExitQuestion), 0, 0, -1, kThreeButtons, 1);
    trackQuestionTouch(core::informationScreenServices().pickOfThreeAreas(
        66, kButtonWidth, 166, kButtonWidth, 264, 132, block->touchListRow, kButtonHeight));
    if (!questionConfirmed()) {
        return;
    }
    const jint choice = block->menuChoice;
    block->menuChoice = 1;
    switch (choice) {
    case kSaveAndQuit:
        resources::saveOrLoadGame(1);
        [[fallthrough]];
    case kQuit:
        setMenuState(kMainMenuState);
        block->fixturesReady = 0;
        break;
    case kCancel:
        block->secondPopupActive = 0;
        break;
    default:
        runtime::log("updateHomeScreen: exit question choice %d", choice);
        block->secondPopupActive = 0;
        break;
    }
}

void updateGuideNotice() {
    GameStatics* const block = s();
    core::managementServices().paintMessageBoxSimple(core::getText(block->guideNoticeText), 1, 5, 1);
    const bool released = block->touchReleased != 0 &&
                          core::pointStrictlyInside(block->pointerReleaseX, block->pointerReleaseY, kButtonX,
                                                    block->touchListRow, kButtonWidth, kButtonHeight);
    if (!core::isKeyPressed(kKeyFire) && !released) {
        return;
    }
    block->selectionAnimating = 0;
    block->noticeActive = 0;
    startTransition();
    if (block->pendingHomeState != kPreMatchState) {
        setMenuState(block->pendingHomeState);
        return;
    }
    if (block->userEventNow != 0 && block->autoAdvance == 0) {
        setMenuState(kPreMatchState);
    } else if (block->autoAdvance != 0) {
        finishDay();
    } else {
        setMenuState(kAdvanceState);
    }
}

// The placed entry whose touch rectangle holds the pending press or release; 0 for none.
jint touchedPlacedEntry() {
    GameStatics* const block = s();
    const runtime::IntArray* const areas = block->touchAreaTable;
    if (areas == nullptr || (block->touchDown == 0 && block->touchReleased == 0)) {
        return 0;
    }
    for (jint i = 0; i < kPlacedEntries && 4 * i + 3 < areas->length; ++i) {
        if (core::pointerInRect((*areas)[4 * i], (*areas)[4 * i + 1], (*areas)[4 * i + 2],
                                (*areas)[4 * i + 3])) {
            return i + 1;
        }
    }
    return 0;
}

// The list view's touch: its page arrows and rows. Answers the touched area.
jint touchListView() {
    GameStatics* const block = s();
    jint area = 0;
    if (block->selectionAnimating == 0) {
        area = core::informationScreenServices().listRowAtPointerSimple(
                   kListTouchX, kListTouchY, kListTouchWidth, kRowPitch, kRowPitch, kListTouchRows, 0) +
               1;
    }
    const jint page = block->homeListPage;
    const bool released = block->touchReleased != 0;
    if (page > 0) {
        paintFrame(block->menuElementsSprite, area == kPreviousArea ? kPreviousArrow + 1 : kPreviousArrow,
                   kListX, kPreviousArrowY);
        if (area == kPreviousArea && released) {
            moveHighlight((page - 1) * kEntriesPerPage + 1);
        }
    }
    if (page < kPages - 1) {
        paintFrame(block->menuElementsSprite, area == kNextArea ? kNextArrow + 1 : kNextArrow, kListX,
                   kNextArrowY);
        if (area == kNextArea && released) {
            moveHighlight((page + 1) * kEntriesPerPage + 1);
        }
    }
    if (area > kPreviousArea && area < kNextArea && released && block->selectionAnimating == 0) {
        if (sprites::ASpriteInstance* const selection = block->selectionSprite) {
            selection->setAnim(kTouchAnimation);
            selection->y = area * kRowPitch;
            paintInstance(selection);
        }
        block->selectionAnimating = 1;
        moveHighlight(page * kEntriesPerPage + area - 1);
    }
    return area;
}

bool directionKey() {
    GameStatics* const block = s();
    if (!core::isKeyPressed(kKeyDirections)) {
        return false;
    }
    if (block->homeEntriesShown != 0) {
        if (core::isKeyPressed(kKeyUp)) {
            moveHighlight(block->menuSelection <= 1 ? kExitEntry : block->menuSelection - 1);
        } else if (core::isKeyPressed(kKeyDown)) {
            moveHighlight(block->menuSelection >= kExitEntry ? 1 : block->menuSelection + 1);
        }
        return true;
    }
    const runtime::ShortArray* const words = block->homeEntryNeighbours;
    const jint entry = block->menuSelection;
    if (words == nullptr || entry < 1 || entry > words->length) {
        return true;
    }
    const jint word = (*words)[entry - 1] & 0xFFFF;
    const jint keys[] = {kKeyUp, kKeyDown, kKeyLeft, kKeyRight};
    const jint shifts[] = {12, 8, 4, 0};
    for (jint k = 0; k < 4; ++k) {
        const jint next = (word >> shifts[k]) & 0xF;
        if (core::isKeyPressed(keys[k]) && next != 0) {
            moveHighlight(next);
            break;
        }
    }
    return true;
}

// An entry's guide notice: the bit values are cleared, the entry's state waits for the notice.
void showGuideNotice(const jint entry, const jint clearedBits, const jint state) {
    GameStatics* const block = s();
    setFlagsOf(entry, flagsOf(entry) & ~clearedBits);
    block->pendingHomeState = state;
    block->noticeActive = 1;
    block->selectionAnimating = 0;
}

// A guide step: the entry's notice, the next entry opened with its notice pending, the next step.
void guideOn(const jint entry, const jint state, const jint nextEntry, const jint nextStep) {
    showGuideNotice(entry, kNoticePending, state);
    if (nextEntry != 0) {
        setFlagsOf(nextEntry, flagsOf(nextEntry) | kOpen | kNoticePending);
    }
    s()->guideStep = nextStep;
}

void enterEntryState(const jint state) {
    startTransition();
    setMenuState(state);
}

// The competition table of the league menu: the user's place among its 32 teams.
void prepareCompetitionTable() {
    GameStatics* const block = s();
    block->userTablePosition = -1;
    const runtime::ShortArray* const teams = block->competitionTeams;
    for (jint k = 0; teams != nullptr && k < 32 && k < teams->length; ++k) {
        if (((*teams)[k] & 0xFFFF) == block->userTeam) {
            block->userTablePosition = k;
            return;
        }
    }
}

void chooseEntry(const bool leftSoftKey) {
    GameStatics* const block = s();
    jint entry = block->menuSelection;
    if (entry < kExitEntry && !hasFlag(entry, kOpen)) {
        glideToGuideEntry();
        return;
    }
    if (leftSoftKey && hasFlag(1, kOpen) && hasFlag(3, kOpen)) {
        block->advanceRequested = 1;
        entry = 1;
    }
    const jint step = block->guideStep;
    switch (entry) {
    case 1:
        if (hasFlag(1, kSpecialNotice) && step == 3) {
            showGuideNotice(1, kNoticePending | kSpecialNotice, kPreMatchState);
            return;
        }
        continueToNextDay(core::isKeyPressed(kKeyFire) ? 1 : 0);
        return;
    case 2:
        if (hasFlag(2, kSpecialNotice)) {
            showGuideNotice(2, kSpecialNotice, 1030);
            return;
        }
        setFlagsOf(2, flagsOf(2) & ~kNewItem);
        enterEntryState(kInboxState);
        return;
    case 3:
        if (hasFlag(3, kNoticePending) && step == 1) {
            guideOn(3, 512, 9, 2);
            return;
        }
        enterEntryState(512);
        return;
    case 4:
        if (hasFlag(4, kNoticePending) && step == 7) {
            guideOn(4, 520, 6, 8);
            return;
        }
        enterEntryState(520);
        return;
    case 5:
        if (hasFlag(5, kNoticePending) && step == 6) {
            guideOn(5, 1037, 4, 7);
            return;
        }
        enterEntryState(1037);
        return;
    case 6:
        if (hasFlag(6, kNoticePending) && step == 8) {
            guideOn(6, 8200, 0, 9);
            return;
        }
        enterEntryState(8200);
        return;
    case 7:
        setFlagsOf(7, flagsOf(7) & ~kNewItem);
        if (hasFlag(7, kNoticePending) && step == 0) {
            guideOn(7, 8192, 3, 1);
            return;
        }
        enterEntryState(8192);
        return;
    case 8:
        if (hasFlag(8, kNoticePending) && step == 5) {
            guideOn(8, 2055, 5, 6);
            return;
        }
        prepareCompetitionTable();
        enterEntryState(2055);
        return;
    case 9:
        if (hasFlag(9, kNoticePending) && step == 2) {
            guideOn(9, 16384, 1, 3);
            return;
        }
        enterEntryState(16384);
        return;
    case kExitEntry:
        block->menuChoice = 2;
        block->secondPopupActive = 1;
        block->redrawAll = 0;
        block->selectionAnimating = 0;
        return;
    default:
        runtime::log("updateHomeScreen: no entry %d", entry);
        return;
    }
}

void leftSoftKey() {
    GameStatics* const block = s();
    const jint entry = block->menuSelection;
    if (entry < kExitEntry && !hasFlag(entry, kOpen)) {
        glideToGuideEntry();
        return;
    }
    if (hasFlag(1, kOpen) && hasFlag(3, kOpen)) {
        block->advanceRequested = 1;
        continueToNextDay(0);
        return;
    }
    if (entry == 1) {
        continueToNextDay(0);
    }
}

void resetSquadOrders() {
    GameStatics* const block = s();
    runtime::ObjectArray* const tables[] = {block->lineup, block->lineupAtKickOff, block->squadSlotOfPlayer};
    for (runtime::ObjectArray* const table : tables) {
        for (jint side = 0; table != nullptr && side < 2 && side < table->length; ++side) {
            auto* const rows = static_cast<ByteArray*>((*table)[side]);
            for (jint k = 0; rows != nullptr && k < kSquadRows && k < rows->length; ++k) {
                (*rows)[k] = static_cast<jbyte>(k);
            }
        }
    }
}

} // namespace

void continueToNextDay(const jboolean viaFire) {
    GameStatics* const block = s();
    if (hasFlag(1, kSpecialNotice) && block->guideStep == 3) {
        setFlagsOf(1, flagsOf(1) & ~(kNoticePending | kSpecialNotice));
    }
    if (block->pendingMessageFound != 0 && block->holdAtHome == 0) {
        setMenuState(kInboxState);
        if (block->menuState != kAdvanceState) {
            block->inboxTop = block->pendingMessageTop;
            block->inboxCursor = block->pendingMessageIndex;
        }
        block->inboxListCount = block->pendingMessageListCount;
        return;
    }
    if (block->userEventNow == 0 || block->autoAdvance != 0 || block->pendingMessageFound != 0) {
        block->advanceUntilEvent = block->guideStep == 1 ? 1 : 0;
        if (viaFire != 0 && block->advanceRequested == 0) {
            block->advanceUntilEvent = 1;
        }
        if (block->userEventNow == 0 || block->autoAdvance != 0) {
            if (block->autoAdvance != 0) {
                finishDay();
            } else {
                setMenuState(kAdvanceState);
            }
        }
    } else {
        setMenuState(kPreMatchState);
        startTransition();
    }
    resetSquadOrders();
}

void updateHomeScreen() {
    GameStatics* const block = s();
    block->guideFirstDone =
        !hasFlag(3, kNoticePending) && !hasFlag(7, kNoticePending) && !hasFlag(9, kNoticePending);
    block->guideAllDone = block->guideFirstDone != 0 && !hasFlag(4, kNoticePending) &&
                          !hasFlag(5, kNoticePending) && !hasFlag(6, kNoticePending) &&
                          !hasFlag(8, kNoticePending);
    updateCursor();
    paintScreen();
    if (block->popupActive != 0) {
        updateContinueQuestion();
        return;
    }
    if (block->secondPopupActive != 0) {
        updateExitQuestion();
        return;
    }
    if (block->noticeActive != 0) {
        updateGuideNotice();
        return;
    }
    const bool listView = block->homeEntriesShown != 0;
    if (!listView && block->homeCursorMoving != 0) {
        return;
    }
    jint area = 0;
    if (listView) {
        area = touchListView();
    } else {
        area = touchedPlacedEntry();
        if (area > 0 && area != block->menuSelection) {
            moveHighlight(area);
        }
    }
    if (directionKey()) {
        return;
    }
    // Between the guide's first and second half the left soft key counts as not pressed.
    const bool leftSoftHeld = block->guideFirstDone == 0 || block->guideAllDone != 0;
    if (leftSoftHeld && core::isKeyPressed(kKeyLeftSoft)) {
        leftSoftKey();
        return;
    }
    bool animationDone = false;
    if (listView && block->selectionAnimating != 0 && block->selectionSprite != nullptr &&
        block->selectionSprite->ended != 0) {
        block->selectionSprite->setAnim(kTouchAnimation);
        animationDone = true;
    }
    const bool placedTouch = !listView && area >= 1 && block->touchReleased != 0;
    if (core::isKeyPressed(kKeyFire) || placedTouch || animationDone) {
        chooseEntry(false);
        return;
    }
    if (!core::isKeyPressed(kKeyBack)) {
        return;
    }
    if (listView && block->menuSelection > kPlacedEntries) {
        block->menuSelection = kPlacedEntries;
        if (sprites::ASpriteInstance* const pointer = block->menuPointerSprite) {
            pointer->setAnim(kPointerAnimation);
            pointer->x = positionOf(kPlacedEntries, 0);
            pointer->y = positionOf(kPlacedEntries, 1) + kNameOffsetY;
        }
    }
    block->homeEntriesShown = listView ? 0 : 1;
}

} // namespace game::menus
