// The menu handlers' shared helpers (see MenuToolkit.h).
#include "game/screens/menus/MenuToolkit.h"

#include <cstdint>
#include <iterator>
#include <limits>

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseLookups.h"
#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/RecordBytes.h"
#include "game/core/Sound.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/screens/info/KeyTouchOperations.h"
#include "game/season/CalendarEvents.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/loading/StartupLoading.h"
#include "profile/Graphics.h"
#include "runtime/Log.h"
#include "runtime/StringBuffer.h"

namespace game::menus {

namespace {

using runtime::jshort;

// The arrow controls.
constexpr jint kArrowSquare = 80;
constexpr jint kPointHalfWidth = 28;
constexpr jint kPointHalfHeight = 36;
constexpr jint kSquareWidth = 48;
constexpr jint kSquareAbove = 8;
constexpr jint kSquareBelow = 28;

// The pop-up buttons: two (yes, no) or one, on the row at touchListRow.
constexpr jint kYesButtonX = 104;
constexpr jint kNoButtonX = 286;
constexpr jint kOkButtonX = 194;
constexpr jint kButtonWidth = 92;
constexpr jint kButtonHeight = 80;
constexpr jint kNoticeCloseKeys = 0x2100;

// The soft keys' masks.
constexpr jint kLeftSoftKey = 0x2000;
constexpr jint kLeftSoftKeyAlt = 0x2100;
constexpr jint kRightSoftKey = 0x1000;

// The separator line's three colours, top to bottom as drawn.
constexpr jint kSeparatorShadow = 0x292929;
constexpr jint kSeparatorLight = 0xCACCCB;
constexpr jint kSeparatorMid = 0xA3A7A7;

// Teams, squads and the ranking.
constexpr jint kTeams = 260;
constexpr jint kSquadSlots = 30;
constexpr jint kSquadListCapacity = 5500;
constexpr jint kBudgetShare = 5;
constexpr jint kStrengthWeight = 3;
constexpr jint kMonths = 12;
constexpr jint kMoneyUnit = 10;

// The inbox scan: message bytes and kinds.
constexpr jint kRing = 100;
constexpr jint kKind = 0;
constexpr jint kOutcome = 9;
constexpr jint kRole = 10;
constexpr jint kStage = 15;
constexpr jint kReplied = 16;
constexpr jint kAnswer = 20;
constexpr jint kTeamAt = 23;
constexpr jint kAnswerOpen = 0xFF;
constexpr jint kMessageBytes = 27;

// The entry queue and mask.
constexpr jint kQueueEntries = 11;
constexpr jint kQueueWidth = 2;
constexpr jint kForcedEntry2State = 8192;
constexpr jint kForcedEntry4State = 0x100000;

// The front-end background: the animation and its repeat field for kinds 1..9, and the pointer.
struct Animation {
    jint animation;
    jint loops;
};
constexpr Animation kBackgroundAnimations[] = {{5, -1},  {0, -1}, {1, -1}, {2, 0}, {3, 0},
                                               {11, -1}, {4, -1}, {6, 0},  {7, 0}};
constexpr jint kPointerAnimation = 15;
constexpr jint kPointerLoops = 0;
constexpr jint kPointerDrop = 50;
constexpr jint kLastListedItem = 9;
constexpr jint kTenthItem = 10;
constexpr jint kTenthItemX = 384;
constexpr jint kTenthItemY = 534;

constexpr jint kFamilyBits[] = {0x400,    0x40000,  0x80000,   0x100000,  0x200000,
                                0x400000, 0x800000, 0x1000000, 0x2000000, 0x4000000};
constexpr jint kNoFamily = -2;

GameStatics* s() {
    return statics();
}

bool inputLocked() {
    return s()->touchRepeatCounter != 0;
}

bool inSquare(const jint px, const jint py, const jint x, const jint y) {
    return core::pointStrictlyInside(px, py, x, y, kArrowSquare, kArrowSquare);
}

// The release point lies within the arrow around (x, y): a box of half sizes across and up.
bool releasedNear(const jint x, const jint y) {
    const GameStatics* const block = s();
    return block->touchReleased != 0 &&
           core::pointStrictlyInside(block->pointerReleaseX, block->pointerReleaseY, x - kPointHalfWidth,
                                     y - kPointHalfHeight, 2 * kPointHalfWidth, 2 * kPointHalfHeight);
}

bool releasedOnSquare(const jint x, const jint y) {
    const GameStatics* const block = s();
    return block->touchReleased != 0 &&
           core::pointStrictlyInside(block->pointerReleaseX, block->pointerReleaseY, x, y - kSquareAbove,
                                     kSquareWidth, kSquareAbove + kSquareBelow);
}

void markRedraw(const jboolean markRedraw) {
    s()->redrawAll = s()->redrawAll != 0 || markRedraw != 0;
}

// Steps value by -1 for the left arrow or +1 for the right one, when its test holds.
template <typename Hit>
jint stepByRelease(const jint leftX, const jint rightX, const jint y, const jint value, const jint count,
                   const jboolean redraw, Hit hit) {
    if (inputLocked() || count <= 0) {
        return value;
    }
    for (const jint step : {-1, 1}) {
        if (hit(step < 0 ? leftX : rightX, y)) {
            markRedraw(redraw);
            return (value + count + step) % count;
        }
    }
    return value;
}

// The inbox message awaits an answer of the user.
bool awaitsAnswer(const runtime::ByteArray& message) {
    if ((message[kAnswer] & 0xFF) != kAnswerOpen) {
        return false;
    }
    switch (message[kKind]) {
    case 2:
        return message[kOutcome] >= 0 &&
               !((message[kOutcome] == 1 || message[kOutcome] == 99) && message[kRole] == 2);
    case 3:
        return message[kStage] == 2;
    case 4:
        return message[kReplied] == 0 && core::readShortBE(&message, kTeamAt) == s()->userTeam;
    case 5:
    case 116:
        return message[kOutcome] >= 0;
    case 8:
    case 10:
        return true;
    default:
        return false;
    }
}

} // namespace

jint testArrowButtonsTouch(const jint leftX, const jint rightX, const jint y, jint value, const jint count,
                           const jboolean markRedrawFlag, const jboolean clamped) {
    GameStatics* const block = s();
    if (inputLocked()) {
        return value;
    }
    block->touchGestureFlags[0] = 0;
    block->touchGestureFlags[1] = 0;
    const bool leftAllowed = clamped == 0 || value >= 1;
    const bool rightAllowed = clamped == 0 || value < count - 1;
    if (leftAllowed && inSquare(block->pointerPressX, block->pointerPressY, leftX, y)) {
        block->touchGestureFlags[0] = 1;
    } else if (rightAllowed && inSquare(block->pointerPressX, block->pointerPressY, rightX, y)) {
        block->touchGestureFlags[1] = 1;
    }
    if (block->touchReleased != 0) {
        if (leftAllowed && inSquare(block->pointerReleaseX, block->pointerReleaseY, leftX, y)) {
            --value;
        } else if (rightAllowed && inSquare(block->pointerReleaseX, block->pointerReleaseY, rightX, y)) {
            ++value;
        }
    }
    markRedraw(markRedrawFlag);
    return count > 0 ? (value + count) % count : value;
}

jint testArrowButtonsTouchClamped(const jint leftX, const jint rightX, const jint y, const jint value,
                                  const jint count, const jboolean markRedrawFlag) {
    return testArrowButtonsTouch(leftX, rightX, y, value, count, markRedrawFlag, 1);
}

jint testArrowPointsTouch(const jint leftX, const jint rightX, const jint y, const jint value,
                          const jint count, const jboolean markRedrawFlag) {
    return stepByRelease(leftX, rightX, y, value, count, markRedrawFlag, &releasedNear);
}

jint testArrowSquaresTouch(const jint leftX, const jint rightX, const jint y, const jint value,
                           const jint count, const jboolean markRedrawFlag) {
    return stepByRelease(leftX, rightX, y, value, count, markRedrawFlag, &releasedOnSquare);
}

jboolean pointerPressedInRect(const jint x, const jint y, const jint w, const jint h) {
    return !inputLocked() && core::pointStrictlyInside(s()->pointerPressX, s()->pointerPressY, x, y, w, h);
}

jboolean isKeyPressedSimple(const jint mask) {
    GameStatics* const block = s();
    if ((mask == kLeftSoftKey || mask == kLeftSoftKeyAlt) && block->touchReleased != 0 &&
        core::pointerInLeftSoftKey()) {
        return 1;
    }
    if (mask == kRightSoftKey && block->touchReleased != 0 && core::pointerInRightSoftKey()) {
        block->rightSoftKeyTaken = 1;
        return 1;
    }
    if (block->touchDown == 0 && block->touchReleased == 0) {
        return (block->pressedKeys & mask) != 0;
    }
    return 0;
}

jint divideBy10Rounded(const jint n) {
    const jint quotient = n / 10;
    return n - 10 * quotient >= 5 ? quotient + 1 : quotient;
}

jint computeRoundedRatio(const jint factor) {
    const GameStatics* const block = s();
    const runtime::IntArray* const rates = block->ratioTable;
    const jint shown = block->ratioNumeratorIndex;
    const jint reference = block->ratioDenominatorIndex;
    if (rates == nullptr || !rates->inBounds(shown) || !rates->inBounds(reference) ||
        (*rates)[reference] == 0) {
        runtime::log("computeRoundedRatio: no currency entries %d and %d; the amount is kept", shown,
                     reference);
        return factor;
    }
    const std::int64_t quotient = static_cast<std::int64_t>((*rates)[shown]) * factor * 10 /
                                  static_cast<std::int64_t>((*rates)[reference]);
    constexpr std::int64_t kHighest = std::numeric_limits<jint>::max();
    constexpr std::int64_t kLowest = std::numeric_limits<jint>::min();
    return divideBy10Rounded(static_cast<jint>(quotient > kHighest  ? kHighest
                                               : quotient < kLowest ? kLowest
                                                                    : quotient));
}

void drawSeparatorLine(profile::Graphics* const g, const jint x1, const jint x2, const jint y) {
    g->setColor(kSeparatorShadow);
    g->drawLine(x1, y + 1, x2, y + 1);
    g->setColor(kSeparatorLight);
    g->drawLine(x1, y, x2, y);
    g->setColor(kSeparatorMid);
    g->drawLine(x1, y + 2, x2, y + 2);
}

jboolean startSeasonPlay() {
    GameStatics* const block = s();
    block->rowScroll = 0;
    block->menuSelection = 0;
    block->selectedRow = 0;
    block->rowOffset = 0;
    block->advanceUntilEvent = 0;
    core::informationScreenServices().resetSquadView();
    season::startSeasonCalendar();
    return 1;
}

void listTeamSquad(const jint team) {
    GameStatics* const block = s();
    jint count = 0;
    for (jint slot = 0; slot < kSquadSlots && count < kSquadListCapacity; ++slot) {
        const jint player = club::getTeamPlayerId(team, slot);
        if (player >= 0 && block->squadList != nullptr && block->squadList->inBounds(count)) {
            (*block->squadList)[count++] = player;
        }
    }
    block->squadListCount = count;
    block->rowScroll = 0;
}

void initTeamAttributeTable() {
    GameStatics* const block = s();
    if (block->teamRatings == nullptr || block->teamRatings->length < kTeams) {
        runtime::log("initTeamAttributeTable: no rating table of %d teams", kTeams);
        return;
    }
    for (jint team = 0; team < kTeams; ++team) {
        const jint rating =
            club::getTeamField60(team) / kBudgetShare + kStrengthWeight * club::getTeamStrength(team, 0);
        (*block->teamRatings)[team] = runtime::i2s(rating);
    }
    const jint user = block->userTeam;
    const jint budgetLeft = club::getTeamField60(user) - block->userWageTotal;
    const jint funds = club::getTeamFunds(user);
    if (block->userBalance != nullptr && block->userFundsSummary != nullptr &&
        block->userProjection != nullptr) {
        (*block->userBalance)[0] = budgetLeft;
        (*block->userFundsSummary)[0] = funds / kMoneyUnit;
        (*block->userProjection)[0] =
            (budgetLeft * kMonths - block->projectionCosts + block->projectionIncome + funds) / kMoneyUnit;
    }
}

void rankTeamsByRating() {
    GameStatics* const block = s();
    runtime::ShortArray* const ratings = block->teamRatings;
    runtime::ShortArray* const ranking = block->teamRanking;
    if (ratings == nullptr || ranking == nullptr || ratings->length < kTeams ||
        ranking->length < 2 * kTeams) {
        runtime::log("rankTeamsByRating: no rating and ranking tables of %d teams", kTeams);
        return;
    }
    if (ratings->inBounds(block->userTeam)) {
        (*ratings)[block->userTeam] = runtime::i2s(block->userRating);
    }
    runtime::ShortArray* const work = runtime::newShortArray(kTeams);
    for (jint k = 0; k < kTeams; ++k) {
        (*work)[k] = (*block->teamRatings)[k];
        (*block->teamRanking)[2 * k + 1] = (*block->teamRanking)[2 * k];
        (*block->teamRanking)[2 * k] = runtime::i2s(k);
    }
    runtime::ShortArray& rank = *block->teamRanking;
    for (jint i = 0; i < kTeams - 1; ++i) {
        for (jint j = i; j < kTeams; ++j) {
            if ((*work)[j] > (*work)[i]) {
                const jshort rating = (*work)[i];
                (*work)[i] = (*work)[j];
                (*work)[j] = rating;
                const jshort team = rank[2 * i];
                rank[2 * i] = rank[2 * j];
                rank[2 * j] = team;
            }
        }
    }
}

void findPendingInboxMessage() {
    GameStatics* const block = s();
    block->pendingMessageFound = 0;
    const runtime::ByteArray* const offsets = block->inboxListOffsets;
    const runtime::ObjectArray* const ring = block->inboxRing;
    if (block->inboxCount <= 0 || offsets == nullptr || ring == nullptr) {
        return;
    }
    for (jint i = block->inboxListCount - 1; i >= 0; --i) {
        if (!offsets->inBounds(i) || (*offsets)[i] == -1) {
            continue;
        }
        const jint slot = (((*offsets)[i] + block->inboxStart) % kRing + kRing) % kRing;
        runtime::Object* const element = ring->inBounds(slot) ? (*ring)[slot] : nullptr;
        if (element == nullptr || element->classId != runtime::ByteArray::kClassId ||
            !core::holds(static_cast<runtime::ByteArray*>(element), 0, kMessageBytes) ||
            !awaitsAnswer(*static_cast<runtime::ByteArray*>(element))) {
            continue;
        }
        block->pendingMessageFound = 1;
        block->pendingMessageIndex = i;
        block->pendingMessageTop = i > 0 ? i - 1 : 0;
        block->pendingMessageListCount = block->inboxListCount;
        return;
    }
}

void initEntryQueue() {
    GameStatics* const block = s();
    block->entryQueueWidth = kQueueWidth;
    block->entryQueueCount = 0;
    block->entryQueueEnabled = 1;
    block->entryQueueCapacity = kQueueEntries;
    block->entryQueueLength = kQueueEntries * kQueueWidth;
    runtime::IntArray* const queue = runtime::newIntArray(kQueueEntries * kQueueWidth);
    for (jint i = 0; i < queue->length; ++i) {
        (*queue)[i] = -1;
    }
    block->entryQueue = queue;
}

jint buildEntryMask(runtime::IntArray* const flags) {
    const GameStatics* const block = s();
    jint mask = 0;
    for (jint i = 0; flags != nullptr && i < flags->length && i < 32; ++i) {
        if ((*flags)[i] == 1) {
            mask |= 1 << i;
        }
    }
    if (block->menuState == kForcedEntry2State && block->entry2Forced != 0) {
        mask |= 1 << 2;
    }
    if (block->menuState == kForcedEntry4State && block->entry4Forced != 0) {
        mask |= 1 << 4;
    }
    return mask;
}

void setMenuAnimation(const jint kind, const jboolean force) {
    GameStatics* const block = s();
    if (kind == block->menuAnimationKind && force == 0) {
        return;
    }
    block->menuAnimationKind = kind;
    constexpr jint kKinds = static_cast<jint>(std::size(kBackgroundAnimations));
    if (kind >= 1 && kind <= kKinds) {
        if (sprites::ASpriteInstance* const background = block->menuSpriteInstance) {
            background->setAnim(kBackgroundAnimations[kind - 1].animation,
                                kBackgroundAnimations[kind - 1].loops);
        }
    } else {
        block->menuAnimationKind = -1;
    }
    sprites::ASpriteInstance* const pointer = block->menuPointerSprite;
    const jint item = block->menuSelection;
    if (pointer == nullptr || item < 1 || item > kTenthItem) {
        // Items outside the menu leave the pointer where it is.
        return;
    }
    const runtime::ShortArray* const positions = block->menuPointerPositions;
    if (item <= kLastListedItem && !core::holds(positions, 2 * (item - 1), 2)) {
        runtime::log("setMenuAnimation: no pointer position for item %d", item);
        return;
    }
    pointer->setAnim(kPointerAnimation, kPointerLoops);
    if (item <= kLastListedItem) {
        pointer->x = (*positions)[2 * (item - 1)];
        pointer->y = (*positions)[2 * (item - 1) + 1] + kPointerDrop;
    } else {
        pointer->x = kTenthItemX;
        pointer->y = kTenthItemY;
    }
}

jint familyListIndex(const jint menuFamilyBits) {
    constexpr jint kCount = static_cast<jint>(std::size(kFamilyBits));
    for (jint i = 0; i < kCount; ++i) {
        if ((menuFamilyBits & kFamilyBits[i]) != 0) {
            return i;
        }
    }
    return kNoFamily;
}

jint isPromotionContentAvailable() {
    return sprites::hasPromotionEntries() != 0 ? 0 : -1;
}

void quitGame() {
    core::stopAllSounds();
    s()->gameRunning = 0;
}

runtime::String* joinTexts(std::initializer_list<runtime::String*> texts) {
    runtime::StringBuffer* const buffer = runtime::newStringBuffer();
    for (runtime::String* text : texts) {
        buffer->append(text);
    }
    return buffer->toString();
}

jint answerTwoButtonQuestion(const jint confirmMask) {
    GameStatics* const block = s();
    block->touchListHit =
        info::pickOfTwoAreas(kYesButtonX, kButtonWidth, kNoButtonX, kButtonWidth, block->touchListRow, kButtonHeight);
    if (block->questionTouched != 0 && block->menuChoiceMoving != 0) {
        block->touchListHit = -1;
    }
    if (block->touchListHit >= 0) {
        if (block->touchListHit != block->menuChoice && block->menuChoiceMoving == 0) {
            block->menuChoice = block->touchListHit;
            block->menuChoiceMoving = 1;
        }
        if (block->touchReleased != 0) {
            block->questionTouched = 1;
            return -1;
        }
    }
    if (!core::isKeyPressed(confirmMask) && !(block->questionTouched != 0 && block->menuChoiceMoving == 0)) {
        return -1;
    }
    block->questionTouched = 0;
    return block->menuChoice;
}

jboolean oneButtonNoticeClosed() {
    GameStatics* const block = s();
    if (core::isKeyPressed(kNoticeCloseKeys)) {
        return 1;
    }
    return block->touchReleased != 0 &&
                   info::pointerInRectWithSound(kOkButtonX, block->touchListRow, kButtonWidth, kButtonHeight)
               ? 1
               : 0;
}

} // namespace game::menus
