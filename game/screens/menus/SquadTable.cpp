// The squad table (see SquadTable.h).
#include "game/screens/menus/SquadTable.h"

#include "game/club/ClubRecords.h"
#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/RecordBytes.h"
#include "game/core/ScreenRoutines.h"
#include "game/core/TextPackage.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/MenuStateServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/match/team/MatchSide.h"
#include "game/screens/menus/MenuToolkit.h"
#include "game/screens/menus/PlaceholderFormat.h"
#include "game/season/CalendarEvents.h"
#include "game/season/PlayerComparison.h"
#include "game/season/SeasonLookups.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/MenuDrawing.h"
#include "game/sprites/SpriteText.h"
#include "game/sprites/TextBoxes.h"
#include "game/sprites/widgets/Widgets.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/String.h"

namespace game::menus {

namespace {

using runtime::jbyte;
using runtime::String;

// The states that run the table, and those it enters.
constexpr jint kStateSeasonReset = 68;
constexpr jint kStateSeasonList = 72;
constexpr jint kStateSortWait = 75;
constexpr jint kStateShortlist = 1033;
constexpr jint kStateScoutFinds = 1035;
constexpr jint kStateTransfers = 1036;
constexpr jint kStateStaffTask = 1038;
constexpr jint kStateSquadTable = 1048586;
constexpr jint kStatePlayerScreen = 1048582;
constexpr jint kStateSortByColumn = 1048593;
constexpr jint kStateScoutMenu = 524288;

// Keys.
constexpr jint kKeyUp = 1;
constexpr jint kKeyDown = 16;
constexpr jint kKeyLeft = 64;
constexpr jint kKeyRight = 4;
constexpr jint kAnyDirection = 85;
constexpr jint kKeyFire = 256;
constexpr jint kKeySelect = 8448;
constexpr jint kKeyBack = 4096;
constexpr jint kKeyStaff = 1024;
constexpr jint kKeyShortlist = 512;
constexpr jint kStaffButton = 1;
constexpr jint kShortlistButton = 8;

// Page geometry: row i's baseline at 96 + 32 i; its touch band x 13..467, y 93 + 32 i .. 125 + 32 i,
// both exclusive.
constexpr jint kFirstRowY = 96;
constexpr jint kRowPitch = 32;
constexpr jint kBandX = 13;
constexpr jint kBandWidth = 454;
constexpr jint kBandAbove = 3;
constexpr jint kHeaderY = 66;
constexpr jint kPageLabelX = 240;
constexpr jint kPageLabelY = 654;
constexpr jint kPageArrowsY = 650;
constexpr jint kPageArrowsSpan = 130;
constexpr jint kArrowTouchY = 634;
constexpr jint kArrowTouchSize = 80;
constexpr jint kNextPageX = 265;
constexpr jint kPreviousPageX = 135;
constexpr jint kHighlightSlideFrames = 18;

// Columns: header texts and x, the name's row x and its cut and marquee.
constexpr jint kColumns = 5;
constexpr jint kHeaderTexts[kColumns] = {23, 414, 417, 928, 908};
constexpr jint kHeaderX[kColumns] = {70, 196, 260, 322, 410};
constexpr jint kNameX = 18;
constexpr jint kNameCut = 7;
constexpr jint kMarqueeWidth = 146;
constexpr jint kMarqueeHeight = 16;
constexpr jint kMarqueeTicker = 1;
constexpr jint kAgeX = 196;
constexpr jint kPositionX = 260;
constexpr jint kRatingX = 322;
constexpr jint kValueX = 410;

constexpr jint kLeftAligned = 1;
constexpr jint kCentred = 2;
constexpr jint kPlain = 0;
constexpr jint kHighlighted = 1;
constexpr jint kTopRating = 3;
constexpr jint kGoodRatingFrom = 70;
constexpr jint kTopRatingFrom = 90;

// Texts and constant strings.
constexpr jint kEmpty = 1;
constexpr jint kPageOf = 97;
constexpr jint kThousands = 98;
constexpr jint kHintJoin = 125;
constexpr jint kNoPosition = 209;
constexpr jint kFirstPositionText = 807;
constexpr jint kHintTexts[] = {393, 1090, 1073, 391};
constexpr jint kSeasonListHint = 1073;
constexpr jint kRemoveQuestion = 423;
constexpr jint kAddQuestion = 424;

// Sprites: frame 0 of the menu background, frame 8 of the interface sprite.
constexpr jint kBackgroundFrame = 0;
constexpr jint kTableFrame = 8;

// Player record bytes: byte 4 bit 7 shortlisted, byte 5 bit 7 found by the scouts; the value.
constexpr jint kShortlistedByte = 4;
constexpr jint kScoutedByte = 5;
constexpr jint kMarkBit = 0x80;
constexpr jint kValueByte = 33;

// Club plan bytes: the two scout slots, -1 in the first byte when empty.
constexpr jint kStaffSlots[] = {592, 598};

// Soft-key layouts.
constexpr jint kLayoutSeasonReset = 4;
constexpr jint kLayoutSeasonList = 0;
constexpr jint kLayoutPending = 1;
constexpr jint kLayoutScoutFinds = 8;
constexpr jint kLayoutDefault = 9;

String* constant(const jint n) {
    return runtime::getConstantString(n);
}

void drawText(String* const text, const jint x, const jint y, const jint anchor, const jint palette) {
    if (text != nullptr) {
        sprites::drawFontLine(text, 0, text->length(), x, y, anchor, 0, palette);
    }
}

bool isPlayer(const GameStatics* const s, const jint p) {
    return s->playerRecords != nullptr && p >= 0 && p < s->playerCount;
}

// The player of squadList entry `index`, -1 outside the list.
jint listEntry(const GameStatics* const s, const jint index) {
    if (s->squadList == nullptr || index < 0 || index >= s->squadListCount || index >= s->squadList->length) {
        return -1;
    }
    return (*s->squadList)[index];
}

jint recordByte(const jint p, const jint b) {
    return (*statics()->playerRecords)[p * season::kPlayerRecordBytes + b];
}

void setRecordByte(const jint p, const jint b, const jint value) {
    (*statics()->playerRecords)[p * season::kPlayerRecordBytes + b] = static_cast<jbyte>(value);
}

jint ratingPalette(const jint rating) {
    if (rating >= kTopRatingFrom) {
        return kTopRating;
    }
    return rating >= kGoodRatingFrom ? kHighlighted : kPlain;
}

String* positionText(const GameStatics* const s, const jint p) {
    if (s->searchPosition != 0) {
        const runtime::IntArray* const texts = s->searchPositionTexts;
        if (texts != nullptr && texts->inBounds(s->searchPosition)) {
            return core::getText((*texts)[s->searchPosition]);
        }
        runtime::log("updateSquadTable: no text for search position %d", s->searchPosition);
        return constant(kEmpty);
    }
    const jint position = core::firstGroupInMask(club::readRecord28Int(p));
    return position < 0 ? constant(kNoPosition) : core::getText(kFirstPositionText + position);
}

jint pageCount(const jint count) {
    return count / kSquadTableRows + (count % kSquadTableRows != 0 ? 1 : 0);
}

// The touch point, unless touch input is locked.
bool unlockedTouch(jint& x, jint& y) {
    return statics()->touchRepeatCounter == 0 && core::touchPoint(x, y);
}

bool releasedIn(const jint x, const jint y, const jint w, const jint h) {
    return statics()->touchReleased != 0 && core::pointerInRect(x, y, w, h);
}

void paintRow(GameStatics* const s, const jint i, const jint p) {
    const jint y = kFirstRowY + kRowPitch * i;
    const bool highlighted = s->menuSelection == i;
    String* name = core::seasonScreenServices().getPlayerLabel(p);
    if (name != nullptr && name->length() > kNameCut && highlighted) {
        sprites::drawTicker(name, kNameX, y, kMarqueeWidth, kMarqueeHeight, kHighlighted, 0, kMarqueeTicker);
    } else {
        if (name != nullptr && name->length() > kNameCut) {
            name = name->substring(0, kNameCut);
        }
        drawText(name, kNameX, y, kLeftAligned, highlighted ? kHighlighted : kPlain);
    }
    drawText(String::valueOfInt(club::getPlayerAge(p)), kAgeX, y, kCentred, kPlain);
    drawText(positionText(s, p), kPositionX, y, kCentred, kPlain);
    const jint rating = season::getPlayerSkillMean(p);
    drawText(String::valueOfInt(rating), kRatingX, y, kCentred, ratingPalette(rating));
    const jint value = core::readIntBE(s->playerRecords, p * season::kPlayerRecordBytes + kValueByte);
    drawText(formatThousands(computeRoundedRatio(value)), kValueX, y, kCentred, kPlain);
}

jint softKeyLayout(const GameStatics* const s) {
    switch (s->menuState) {
    case kStateSeasonReset:
        return kLayoutSeasonReset;
    case kStateSeasonList:
        return kLayoutSeasonList;
    default:
        break;
    }
    if (s->pendingMenuState != 0) {
        return kLayoutPending;
    }
    return s->menuState == kStateScoutFinds ? kLayoutScoutFinds : kLayoutDefault;
}

String* hintLine(const GameStatics* const s) {
    if (s->menuState == kStateSeasonList) {
        return core::getText(kSeasonListHint);
    }
    String* const joint = constant(kHintJoin);
    return joinTexts({core::getText(kHintTexts[0]), joint, core::getText(kHintTexts[1]), joint,
                      core::getText(kHintTexts[2]), joint, core::getText(kHintTexts[3])});
}

void paintTable(GameStatics* const s) {
    profile::Graphics* const g = s->currentGraphics;
    if (g != nullptr && s->backgroundSprite != nullptr) {
        s->backgroundSprite->paintFrame(g, kBackgroundFrame, 0, 0, 0, 0, 0);
    }
    if (g != nullptr && s->interfaceSprite != nullptr) {
        s->interfaceSprite->paintFrame(g, kTableFrame, 0, 0, 0, 0, 0);
    }
    for (jint c = 0; c < kColumns; ++c) {
        const bool chosen = s->menuSelection == -1 && s->sortColumn == c;
        drawText(core::getText(kHeaderTexts[c]), kHeaderX[c], kHeaderY, kCentred, chosen ? kHighlighted : kPlain);
    }
    const jint count = s->squadListCount;
    if (count > kSquadTableRows) {
        drawText(joinTexts({String::valueOfInt(s->listPage + 1), constant(kPageOf),
                            String::valueOfInt(pageCount(count))}),
                 kPageLabelX, kPageLabelY, kCentred, kPlain);
        sprites::drawValueArrows(kPageLabelX, kPageArrowsY, kPageArrowsSpan, 1);
    }
    s->touchListHit = -1;
    const bool touchTaken = s->noStaffMessagePending == 0 && s->secondPopupActive == 0;
    for (jint i = 0; i < kSquadTableRows && s->rowScroll + i < count; ++i) {
        const jint p = listEntry(s, s->rowScroll + i);
        if (p == -1) {
            break;
        }
        jint x = 0;
        jint y = 0;
        if (touchTaken && unlockedTouch(x, y) &&
            core::pointStrictlyInside(x, y, kBandX, kFirstRowY - kBandAbove + kRowPitch * i, kBandWidth,
                                      kRowPitch)) {
            s->touchListHit = i;
            s->menuSelection = i;
        }
        if (!isPlayer(s, p)) {
            runtime::log("updateSquadTable: list entry %d is no player (%d); row left empty", s->rowScroll + i, p);
            continue;
        }
        paintRow(s, i, p);
    }
    if (s->noStaffMessagePending == 0) {
        s->actionButtonSet = softKeyLayout(s);
    }
    sprites::paintKeyIconRow(s->actionButtonSet);
    core::managementServices().updateHintPopup(hintLine(s));
}

// Rows on the shown page: the remainder on the last page, else a whole page.
jint rowsOnPage(const GameStatics* const s) {
    const jint count = s->squadListCount;
    if (s->rowScroll / kSquadTableRows == count / kSquadTableRows) {
        return (count - s->rowScroll) % kSquadTableRows;
    }
    return kSquadTableRows;
}

void moveHighlight(GameStatics* const s) {
    if (core::isKeyPressed(kAnyDirection)) {
        s->highlightSlideFrom = s->menuSelection;
        s->highlightSlideFrames = kHighlightSlideFrames;
    }
    const jint rows = rowsOnPage(s);
    if (core::isKeyPressed(kKeyUp)) {
        s->menuSelection = s->menuSelection <= 0 ? rows - 1 : s->menuSelection - 1;
    } else if (core::isKeyPressed(kKeyDown)) {
        s->menuSelection = s->menuSelection >= rows - 1 ? 0 : s->menuSelection + 1;
    }
}

void turnPage(GameStatics* const s) {
    const jint count = s->squadListCount;
    if (s->menuSelection >= 0 && count > kSquadTableRows) {
        jint scroll = s->rowScroll;
        bool turned = false;
        if (core::isKeyPressed(kKeyRight) ||
            releasedIn(kNextPageX, kArrowTouchY, kArrowTouchSize, kArrowTouchSize)) {
            scroll = scroll + kSquadTableRows < count ? scroll + kSquadTableRows : 0;
            turned = true;
        } else if (core::isKeyPressed(kKeyLeft) ||
                   releasedIn(kPreviousPageX, kArrowTouchY, kArrowTouchSize, kArrowTouchSize)) {
            if (scroll > 0 && scroll < kSquadTableRows) {
                scroll = 0;
            } else if (scroll == 0) {
                const jint rest = count % kSquadTableRows;
                scroll = rest == 0 ? count - kSquadTableRows : count - rest;
            } else {
                scroll -= kSquadTableRows;
            }
            turned = true;
        }
        if (turned) {
            s->rowScroll = scroll;
            s->menuSelection = 0;
            s->listPage = scroll / kSquadTableRows;
        }
    }
    s->selectedRow = s->rowScroll + s->menuSelection;
}

bool staffSlotsEmpty(const GameStatics* const s) {
    const runtime::ByteArray* const plan = s->selectionTable;
    for (const jint slot : kStaffSlots) {
        if (plan != nullptr && plan->inBounds(slot) && (*plan)[slot] != -1) {
            return false;
        }
    }
    return true;
}

// The staff key: -1 when not pressed, else what updateSquadTable returns.
jint staffKey(GameStatics* const s) {
    if (s->menuState == kStateSeasonList) {
        return -1;
    }
    const bool pressed = core::isKeyPressed(kKeyStaff) ||
                         core::informationScreenServices().isActionButtonTouched(s->actionButtonSet, kStaffButton);
    if (!pressed || (s->menuSelection == -1 && s->squadViewMode == 0)) {
        return -1;
    }
    if (staffSlotsEmpty(s)) {
        s->noStaffMessagePending = 1;
        return 0;
    }
    const jint p = listEntry(s, s->selectedRow);
    if (p < 0) {
        runtime::log("updateSquadTable: no player at list row %d for the staff", s->selectedRow);
        return -1;
    }
    s->chosenPlayer = p;
    match::setUpMatchSide(0, s->userTeam);
    core::menuStateServices().setMenuState(kStateStaffTask);
    return 1;
}

jint confirm(GameStatics* const s) {
    const jint state = s->menuState;
    if (s->menuSelection == -1) {
        if (state == kStateSeasonReset) {
            core::menuStateServices().setMenuState(kStateSortWait);
        } else {
            core::menuStateServices().setMenuState(s->squadListCount == 0 ? kStateTransfers : kStateSortByColumn);
        }
        return 1;
    }
    if (state == kStateSeasonReset || state == kStateSeasonList || s->squadListCount == 0) {
        return 1;
    }
    const jint p = listEntry(s, s->selectedRow);
    if (p < 0) {
        runtime::log("updateSquadTable: no player at list row %d; the player screen stays shut", s->selectedRow);
        return 1;
    }
    s->playerScreenOrigin = 2;
    s->chosenPlayer = p;
    core::menuStateServices().setMenuState(kStatePlayerScreen);
    return 1;
}

// Where in the shortlist the player stands, -1 when he is not in it.
jint shortlistPlace(const GameStatics* const s, const jint p) {
    const runtime::IntArray* const list = s->shortlist;
    for (jint i = 0; list != nullptr && i < s->shortlistCount && i < list->length; ++i) {
        if ((*list)[i] == p) {
            return i;
        }
    }
    return -1;
}

void removeFromShortlist(GameStatics* const s, const jint p) {
    runtime::IntArray* const list = s->shortlist;
    const jint place = shortlistPlace(s, p);
    if (place >= 0) {
        jint i = place;
        while (i + 1 < list->length && (*list)[i + 1] != -1) {
            (*list)[i] = (*list)[i + 1];
            ++i;
        }
        (*list)[i] = -1;
        --s->shortlistCount;
    }
    setRecordByte(p, kShortlistedByte, recordByte(p, kShortlistedByte) & ~kMarkBit);
}

void answerShortlist(GameStatics* const s, const jint p) {
    s->chosenPlayer = p;
    switch (s->menuState) {
    case kStateShortlist:
        removeFromShortlist(s, p);
        core::menuStateServices().setMenuState(kStateShortlist);
        return;
    case kStateScoutFinds:
        setRecordByte(p, kScoutedByte, recordByte(p, kScoutedByte) & ~kMarkBit);
        core::menuStateServices().setMenuState(kStateScoutFinds);
        return;
    default:
        break;
    }
    if (s->shortlist == nullptr || s->shortlistCount >= s->shortlist->length) {
        runtime::log("toggleShortlist: the shortlist is full; player %d not added", p);
        return;
    }
    (*s->shortlist)[s->shortlistCount++] = p;
    setRecordByte(p, kShortlistedByte, recordByte(p, kShortlistedByte) | kMarkBit);
}

} // namespace

String* formatThousands(const jint n) {
    String* const digits = String::valueOfInt(n);
    if (n <= 1000) {
        return joinTexts({constant(kEmpty), digits});
    }
    return joinTexts({String::valueOfInt(n / 1000), constant(kThousands), digits->substring(digits->length() - 3)});
}

jint toggleShortlist() {
    GameStatics* const s = statics();
    const jint state = s->menuState;
    if (state == kStateSeasonReset || state == kStateSeasonList) {
        return 0;
    }
    const bool removing = state == kStateShortlist || state == kStateScoutFinds;
    const jint p = listEntry(s, s->selectedRow);
    if (s->secondPopupActive == 0) {
        const bool asked = core::isKeyPressed(kKeyShortlist) ||
                           core::informationScreenServices().isActionButtonTouched(s->actionButtonSet, kShortlistButton);
        if (!asked || s->pendingMenuState != 0 || (s->menuSelection < 0 && s->squadViewMode != 1)) {
            return 0;
        }
        if (!isPlayer(s, p)) {
            runtime::log("toggleShortlist: no player at list row %d", s->selectedRow);
            return 0;
        }
        if (!removing && shortlistPlace(s, p) >= 0) {
            return 0;
        }
        if (!removing && (s->shortlist == nullptr || s->shortlistCount >= s->shortlist->length)) {
            runtime::log("toggleShortlist: the shortlist holds %d players already; player %d not asked about",
                         s->shortlistCount, p);
            return 0;
        }
        s->secondPopupActive = 1;
    }
    core::managementServices().paintMessageBoxSimple(
        joinTexts({constant(kEmpty), core::getText(removing ? kRemoveQuestion : kAddQuestion)}), -1, 2, 1);
    const jint answer = answerTwoButtonQuestion(kKeyFire);
    if (answer < 0) {
        return 1;
    }
    s->secondPopupActive = 0;
    if (answer == 0) {
        if (isPlayer(s, p)) {
            answerShortlist(s, p);
        } else {
            runtime::log("toggleShortlist: no player at list row %d; nothing changed", s->selectedRow);
        }
    }
    s->menuChoice = 1;
    return 1;
}

jint updateSquadTable() {
    GameStatics* const s = statics();
    paintTable(s);
    if (s->noStaffMessagePending != 0 || toggleShortlist() == 1) {
        return 1;
    }
    const jint state = s->menuState;
    if (state == kStateSeasonReset) {
        s->rowScroll = 0;
        s->menuSelection = 0;
        s->selectedRow = 0;
        s->rowOffset = 0;
        s->advanceUntilEvent = 0;
        core::informationScreenServices().resetSquadView();
        season::startSeasonCalendar();
        return 1;
    }
    moveHighlight(s);
    turnPage(s);
    const jint staff = staffKey(s);
    if (staff >= 0) {
        return staff;
    }
    if (s->touchListHit >= 0 && s->touchListHit != s->lastTouchedRow && s->touchReleased != 0) {
        return 0;
    }
    const jint confirmMask = state == kStateSquadTable ? kKeyFire : kKeySelect;
    const bool confirmed = core::isKeyPressed(confirmMask) ||
                           (s->touchReleased != 0 && s->touchListHit >= 0 && s->touchListHit == s->lastTouchedRow);
    if (confirmed) {
        return confirm(s);
    }
    if (state != kStateSeasonList && core::isKeyPressed(kKeyBack)) {
        core::menuStateServices().setMenuState(state == kStateSquadTable ? kStateTransfers : kStateScoutMenu);
        return 1;
    }
    return 0;
}

} // namespace game::menus
