// The player actions menu and the profile page (see PlayerActionsMenu.h).
#include "game/screens/menus/PlayerActionsMenu.h"

#include "game/club/ClubRecords.h"
#include "game/club/DatabaseFormat.h"
#include "game/club/DatabaseLookups.h"
#include "game/club/InboxMessages.h"
#include "game/core/GameStatics.h"
#include "game/core/Input.h"
#include "game/core/RecordBytes.h"
#include "game/core/ScreenRoutines.h"
#include "game/core/TextPackage.h"
#include "game/core/services/InformationScreenServices.h"
#include "game/core/services/ManagementServices.h"
#include "game/core/services/MenuStateServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/match/CPlayer.h"
#include "game/match/PositionMasks.h"
#include "game/match/team/LineupChoice.h"
#include "game/match/team/LineupSwap.h"
#include "game/match/team/MatchSide.h"
#include "game/screens/info/KeyTouchOperations.h"
#include "game/screens/menus/MenuToolkit.h"
#include "game/screens/menus/PlaceholderFormat.h"
#include "game/screens/menus/PlayerActionResult.h"
#include "game/season/SeasonLookups.h"
#include "game/sprites/TextBoxes.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/String.h"

namespace game::menus {

namespace {

using runtime::ByteArray;
using runtime::jbyte;
using runtime::String;

constexpr jint kStateActions = 0x20000;
constexpr jint kStateSecondList = 0x20001;
constexpr jint kStateOffer = 0x20002;
constexpr jint kStateResult = 0x20003;
constexpr jint kStateTeamMenu = 513;
constexpr jint kStateLineupPreMatch = 257;

constexpr jint kKeyUp = 1;
constexpr jint kKeyDown = 16;
constexpr jint kKeyFire = 256;
constexpr jint kKeySelect = 8448;
constexpr jint kKeyBack = 4096;

// Player record bytes and bits.
constexpr jint kListedByte = 6;
constexpr jint kExtraByte = 7;
constexpr jint kStatusByte = 14;
constexpr jint kFormByte = 15;
constexpr jint kActionByte = 31;
constexpr jint kHighBit = 0x80;
constexpr jint kRowOneBit = 1;
constexpr jint kRowTwoBit = 2;
constexpr jint kLockedBit = 8;
constexpr jint kSwitchedOn = 0x90; // high nibble 9
constexpr jint kLowNibble = 0x0F;
constexpr jint kNoFormEffect = 99;
constexpr jint kListedStatus = 32; // status code 2

// Club plan bytes: the monthly action counter and the eight ids barred from action 1.
constexpr jint kActionCounter = 772;
constexpr jint kCounterCeiling = 127;
constexpr jint kActionLimit = 9;
constexpr jint kBarredIds = 773;
constexpr jint kBarredIdCount = 8;
constexpr jint kPlanEntries = 108;
constexpr jint kPlanEntryBytes = 16;
constexpr jint kPlanEntryCount = 30;
constexpr jint kPlanCompetitionColumn = 11;

// Match record bytes.
constexpr jint kRecordStatus = 4;
constexpr jint kRecordMask = 8;
constexpr jint kRecordFatigue = 19;
constexpr jint kBaseAttributes[] = {0, 1, 2, 3, 14, 15, 16, 17};
constexpr jint kUnavailableStatus = 4;
constexpr jint kGoalkeeperMask = 1;

constexpr jint kRetirementAge = 36;
constexpr jint kOfferMessageType = 7;
constexpr jint kSmallestReleasingSquad = 16;
constexpr jint kStarters = 11;
constexpr jint kMismatch = 7;
constexpr jint kNoTeamSlot = 0xFFFF;

constexpr jint kEmpty = 1; // constant strings
constexpr jint kJoin = 124;
constexpr jint kOnlyAction = 213;
constexpr jint kExtraAction = 214;
constexpr jint kRowMarker = 278;
constexpr jint kSecondListHint = 215;
constexpr jint kFirstActionHint = 309; // texts 309..313, one per row of the action list

constexpr jint kOneButton = 1;
constexpr jint kTwoButtons = 2;
constexpr jint kYes = 0;
constexpr jint kNo = 1;
constexpr jint kOkButtonX = 194;
constexpr jint kButtonWidth = 92;
constexpr jint kButtonHeight = 80;

String* constant(const jint n) {
    return runtime::getConstantString(n);
}

bool isPlayer(const GameStatics* const s, const jint p) {
    return s->playerRecords != nullptr && p >= 0 && p < s->playerCount;
}

jint recordByte(const jint p, const jint b) {
    return (*statics()->playerRecords)[p * season::kPlayerRecordBytes + b];
}

void setRecordByte(const jint p, const jint b, const jint value) {
    (*statics()->playerRecords)[p * season::kPlayerRecordBytes + b] = static_cast<jbyte>(value);
}

// Counts one action of the second list; the signed club plan byte stops at its ceiling so the
// limit cannot reopen by wrapping before the month clears it.
jint countAction(GameStatics* const s) {
    ByteArray* const plan = s->selectionTable;
    const jint counter = (*plan)[kActionCounter];
    if (counter < kCounterCeiling) {
        (*plan)[kActionCounter] = static_cast<jbyte>(counter + 1);
    }
    return (*plan)[kActionCounter];
}

bool selectPressed() {
    return core::isKeyPressed(kKeySelect);
}

// The one-button notice: painted, and closed (true) by the select key or a release on its button.
bool oneButtonNotice(String* const text) {
    core::managementServices().paintMessageBox(text, 0, 0, -1, kOneButton, 1);
    return oneButtonNoticeClosed() != 0;
}

// The squad slot of list row `row` of the user's side, -1 when there is none.
jint slotOfRow(const GameStatics* const s, const jint row) {
    runtime::ObjectArray* const sides = s->lineupAtKickOff;
    if (sides == nullptr || (*sides)[0] == nullptr) {
        return -1;
    }
    const auto* const rows = static_cast<const ByteArray*>((*sides)[0]);
    if (row < 0 || row >= rows->length) {
        return -1;
    }
    return (*rows)[row] & 0xFF;
}

// The player in the user's squad slot, -1 for an empty or flagged slot.
jint playerInSlot(const GameStatics* const s, const jint slot) {
    if (slot < 0 || slot >= club::kSquadSlots || s->teamRecords == nullptr) {
        return -1;
    }
    const jint id =
        core::readShortBE(s->teamRecords, s->userTeam * club::kTeamRecordBytes + 2 * slot) & 0xFFFF;
    return id == kNoTeamSlot || (id & 0x8000) != 0 ? -1 : id;
}

jint matchRecordAt(const jint slot) {
    return slot * core::kMatchRecordBytes;
}

jint squadSize(const GameStatics* const s) {
    return s->matchSquadCount != nullptr ? (*s->matchSquadCount)[0] : 0;
}

// The competition test of the release scoring: a player whose club plan entry bars him from the
// next match's competition scores nothing; one without an entry passes.
bool barredFromNextMatch(const GameStatics* const s, const jint player) {
    const jint competition = s->scheduleType;
    if (competition < 1 || competition > 3 || s->selectionTable == nullptr) {
        return false;
    }
    for (jint e = 0; e < kPlanEntryCount; ++e) {
        const jint at = kPlanEntries + e * kPlanEntryBytes;
        if ((core::readShortBE(s->selectionTable, at) & 0xFFFF) == player) {
            return (*s->selectionTable)[at + kPlanCompetitionColumn + competition] < 0;
        }
    }
    return false;
}

jint wantedGroupBit(const GameStatics* const s, const jint row) {
    auto* const team = static_cast<match::CTeam*>((*s->matchTeams)[0]);
    if (team == nullptr || team->players == nullptr || row < 0 || row >= team->players->length) {
        return 0;
    }
    const auto* const player = static_cast<const match::CPlayer*>((*team->players)[row]);
    const jint group = player != nullptr ? core::positionGroup(player->formationSlot) : -1;
    return group >= 0 ? 1 << group : 0;
}

void closeProfilePage(GameStatics* const s) {
    s->chosenPlayer = 0;
    s->squadOverlayActive = 0;
    s->squadMarkShown = 0;
    s->squadMarkedRow = -1;
}

// The release: a starter's place goes to the best substitute, then the player leaves the squad.
void releasePlayer(GameStatics* const s, const jint player, const jboolean fromProfile) {
    const jint row = s->selectedRow;
    if (row >= 0 && row < kStarters) {
        match::swapLineupPositions(0, row, bestSubstituteRow(row), squadSize(s));
    }
    for (jint slot = 0; slot < club::kSquadSlots; ++slot) {
        if (playerInSlot(s, slot) == player) {
            const jint at = s->userTeam * club::kTeamRecordBytes + 2 * slot;
            (*s->teamRecords)[at] = static_cast<jbyte>(0xFF);
            (*s->teamRecords)[at + 1] = static_cast<jbyte>(0xFF);
        }
    }
    match::setUpMatchSide(0, s->userTeam);
    if (core::menuStateServices().applyPendingMenuState()) {
        return;
    }
    if (fromProfile) {
        closeProfilePage(s);
        s->lastPlayerAction = 4;
        core::menuStateServices().setMenuState(kStateResult);
    }
}

// No contract offer can be made: the player's triplet entry is marked, or an offer message about
// him from the user's club is open.
bool offerBlocked(const GameStatics* const s, const jint p) {
    const jint entry = club::findKeyedEntry(p);
    const bool tripletMarked =
        entry >= 0 && core::holds(s->tripletTable, entry * 3, 3) && (*s->tripletTable)[entry * 3 + 2] == 1;
    return tripletMarked || club::findOfferMessage(p, s->userTeam, kOfferMessageType);
}

jint switchedState(const jint statusByte, const jint bit, const jboolean on) {
    const jint kept = statusByte & kLowNibble;
    return on ? (kept & ~bit) : (kept | bit | kSwitchedOn);
}

void closeQuestion(GameStatics* const s) {
    s->popupActive = 0;
    s->menuChoice = kNo;
}

} // namespace

jint bestSubstituteRow(const jint releasedRow) {
    const GameStatics* const s = statics();
    const jint wanted = wantedGroupBit(s, releasedRow);
    jint best = 0;
    jint chosen = kStarters;
    for (jint k = kStarters; k < squadSize(s); ++k) {
        const jint slot = slotOfRow(s, k);
        const jint player = playerInSlot(s, slot);
        if (player < 0 || !core::holds(s->listRowRecords, matchRecordAt(slot), core::kMatchRecordBytes)) {
            continue;
        }
        const jint at = matchRecordAt(slot);
        jint sum = 0;
        for (const jint b : kBaseAttributes) {
            sum += match::skillGrade((*s->listRowRecords)[at + b]);
        }
        const jint grade =
            match::comparePositionMasks(wanted, core::readIntBE(s->listRowRecords, at + kRecordMask));
        jint score = grade == 0 ? 2 * sum : grade == kMismatch ? 0 : sum >> grade;
        if ((*s->listRowRecords)[at + kRecordStatus] > kUnavailableStatus || barredFromNextMatch(s, player)) {
            score = 0;
        }
        if (score > best) {
            best = score;
            chosen = k;
        }
    }
    return chosen;
}

void setPlayerLevel(const jint level, const jint offset) {
    if (level < 1 || level > 4) {
        return;
    }
    ByteArray* const records = statics()->playerRecords;
    (*records)[offset] = static_cast<jbyte>(((*records)[offset] & kLowNibble) | ((level - 1) << 4));
}

void confirmPlayerAction(const jboolean rowOneState, const jboolean rowTwoState, const jint statusByte,
                         const jboolean fromProfile) {
    GameStatics* const s = statics();
    const jint player = playerInSlot(s, slotOfRow(s, s->selectedRow));
    const jint row = s->menuSelection;
    const bool canRelease = squadSize(s) > kSmallestReleasingSquad;
    jint text = 0;
    bool oneButton = false;
    if (s->noActionNotice != 0) {
        text = 873;
        oneButton = true;
    } else if (row == 1) {
        text = rowOneState != 0 ? 448 : 449;
    } else if (row == 2) {
        text = rowTwoState != 0 ? 448 : 449;
    } else if (row == 3) {
        text = canRelease ? 450 : 713;
        oneButton = !canRelease;
    } else {
        oneButton = true;
    }
    if (oneButton) {
        if (oneButtonNotice(core::getText(text))) {
            closeQuestion(s);
        }
        return;
    }
    core::managementServices().paintMessageBox(core::getText(text), 0, 0, -1, kTwoButtons, 1);
    const jint answer = answerTwoButtonQuestion(kKeySelect);
    if (answer < 0) {
        return;
    }
    const bool yes = answer == kYes;
    closeQuestion(s);
    if (!yes) {
        return;
    }
    if (player < 0) {
        runtime::log("confirmPlayerAction: no player in list row %d; nothing changed", s->selectedRow);
        return;
    }
    if (row == 1 || row == 2) {
        const jint bit = row == 1 ? kRowOneBit : kRowTwoBit;
        const jboolean on = row == 1 ? rowOneState : rowTwoState;
        setRecordByte(player, kActionByte, switchedState(statusByte, bit, on));
        return;
    }
    releasePlayer(s, player, fromProfile);
}

void updatePlayerActionsMenu() {
    GameStatics* const s = statics();
    const jint p = s->chosenPlayer;
    if (!isPlayer(s, p)) {
        runtime::log("updatePlayerActionsMenu: no player %d; back to the action list", p);
        core::menuStateServices().setMenuState(kStateActions);
        return;
    }
    const jint m = (recordByte(p, kStatusByte) >> 4) & kLowNibble;
    const bool extra = (recordByte(p, kExtraByte) & kHighBit) != 0;
    s->touchListHit = -1;
    String* const name = core::seasonScreenServices().getPlayerLabel(p);
    sprites::drawFontLine(name, 0, name != nullptr ? name->length() : 0, 240, 94, 2, 0, 0);
    core::ManagementServices& painter = core::managementServices();
    core::InformationScreenServices& input = core::informationScreenServices();
    if (m >= 5) {
        painter.paintListRows(constant(kOnlyAction), 80, 160, 1);
        s->menuSelection = 4;
        jint x = 0;
        jint y = 0;
        if (core::touchPoint(x, y) && s->touchRepeatCounter == 0 && x > 13 && x < 467 && y > 158 && y < 188) {
            s->touchListHit = 0;
        }
    } else {
        const jint rows = extra ? 4 : 3;
        const jint texts[] = {457, 458, 459};
        for (jint r = 0; r < 3; ++r) {
            painter.paintListRows(core::getText(texts[r]), 80, 160 + 40 * r, s->menuSelection == r ? 1 : 0);
        }
        if (extra) {
            painter.paintListRows(constant(kExtraAction), 80, 280, s->menuSelection == 3 ? 1 : 0);
        }
        s->menuSelection = input.cycleValueByKeys(kKeyUp, kKeyDown, s->menuSelection, rows, 1);
        s->touchListHit = input.listRowAtPointer(12, 153, 456, 32, 40, rows, -1, 0, 1);
        if (s->touchListHit >= 0 && s->touchListHit != s->menuSelection) {
            s->menuSelection = s->touchListHit;
        }
    }
    painter.updateHintPopup(constant(kSecondListHint));
    if (s->popupActive != 0) {
        if (oneButtonNotice(core::getText(s->menuSelection == 1 ? 460 : 461))) {
            closeQuestion(s);
        }
        return;
    }
    const bool chosen = selectPressed() || (s->touchListHit >= 0 && s->touchReleased != 0);
    if (!chosen) {
        if (core::isKeyPressed(kKeyBack)) {
            core::menuStateServices().setMenuState(kStateActions);
        }
        return;
    }
    const jint r = s->menuSelection;
    bool refused = false;
    if (r == 1) {
        for (jint i = 0; i < kBarredIdCount; ++i) {
            refused = refused || core::readShortBE(s->selectionTable, kBarredIds + 2 * i) == p;
        }
    } else if (r == 4) {
        refused = (recordByte(p, kListedByte) & kHighBit) != 0;
    }
    if (refused) {
        s->popupActive = 1;
        return;
    }
    s->lastPlayerAction = r;
    const jint counter = countAction(s);
    s->actionDone = 1;
    const jint status = recordByte(p, kStatusByte);
    if (r == 3) {
        season::setPlayerRecordByte(p, (status & kLowNibble) | kListedStatus, kStatusByte, 0);
        season::setPlayerRecordByte(p, recordByte(p, kExtraByte) & 0x7F, kExtraByte, 0);
        s->lastPlayerAction = 6;
    } else if (r == 4) {
        jint level = m;
        if (level - 5 > 2) {
            level -= 2;
        } else if (level - 5 == 2) {
            level -= 1;
        }
        setRecordByte(p, kStatusByte, (status & kLowNibble) + level * 16);
        setRecordByte(p, kListedByte, recordByte(p, kListedByte) | kHighBit);
        s->lastPlayerAction = 3;
    } else if (counter < kActionLimit && r == 0) {
        setPlayerLevel(m, p * season::kPlayerRecordBytes + kStatusByte);
    } else if (counter < kActionLimit && r == 2) {
        setRecordByte(p, kFormByte, kNoFormEffect);
    }
    core::menuStateServices().setMenuState(kStateResult);
    if (core::isKeyPressed(kKeyBack)) {
        core::menuStateServices().setMenuState(kStateActions);
    }
}

namespace {

// Choosing row r of the action list.
void chooseAction(GameStatics* const s, const jint r) {
    const jint p = s->chosenPlayer;
    // Only tab-0 row 1 of the profile page sets the last-goalkeeper notice; a stale one must
    // never replace a question of this list.
    s->noActionNotice = 0;
    if (r == 0) {
        core::menuStateServices().setMenuState(kStateSecondList);
        return;
    }
    if (r == 4) {
        if (club::getPlayerAge(p) >= kRetirementAge) {
            s->noticeActive = 1;
        } else if (offerBlocked(s, p)) {
            s->secondPopupActive = 1;
        } else {
            core::menuStateServices().setMenuState(kStateOffer);
        }
        return;
    }
    s->popupActive = 1;
}

void updateActionList(GameStatics* const s) {
    const jint p = s->chosenPlayer;
    if (!isPlayer(s, p)) {
        runtime::log("updateMenu131072: no player %d in the action list", p);
        return;
    }
    core::ManagementServices& painter = core::managementServices();
    painter.updateHintPopup(core::getText(kFirstActionHint + s->menuSelection));
    String* const title = joinTexts({constant(kEmpty), core::seasonScreenServices().getPlayerLabel(p)});
    sprites::drawFontLine(title, 0, title->length(), 240, 96, 2, 0, 0);
    const jint status = recordByte(p, kActionByte);
    const jint texts[] = {130, (status & kRowOneBit) != 0 ? 442 : 443, (status & kRowTwoBit) != 0 ? 444 : 445,
                          446, 447};
    for (jint r = 0; r < 5; ++r) {
        painter.paintListRows(core::getText(texts[r]), 64, 160 + 40 * r, s->menuSelection == r ? 1 : 0);
    }
    if (s->popupActive != 0) {
        confirmPlayerAction(status & kRowOneBit, (status & kRowTwoBit) != 0 ? 1 : 0, status, 0);
        return;
    }
    if (s->secondPopupActive != 0 || s->noticeActive != 0) {
        jbyte& flag = s->secondPopupActive != 0 ? s->secondPopupActive : s->noticeActive;
        painter.paintMessageBoxSimple(core::getText(s->secondPopupActive != 0 ? 451 : 452), -1, 1, 1);
        if (selectPressed()) {
            flag = 0;
        }
        return;
    }
    const jint rows = (status & kLockedBit) != 0 ? 1 : 5;
    core::InformationScreenServices& input = core::informationScreenServices();
    s->menuSelection = input.cycleValueByKeys(kKeyUp, kKeyDown, s->menuSelection, rows, 1);
    s->touchListHit = input.listRowAtPointerSimple(12, 153, 456, 32, 40, rows, 1);
    if (s->touchListHit >= 0 && s->touchListHit != s->menuSelection) {
        s->menuSelection = s->touchListHit;
    }
    if (selectPressed() || (s->touchListHit >= 0 && s->touchReleased != 0)) {
        chooseAction(s, s->menuSelection);
        return;
    }
    if (core::isKeyPressed(kKeyBack)) {
        if (s->returnMenuState == kStateTeamMenu) {
            // The squad screen of the team hub opens again at its top, with nothing selected or
            // marked.
            s->rowOffset = 0;
            s->selectedRow = -1;
            s->squadMarkShown = 0;
        }
        core::menuStateServices().setMenuState(s->returnMenuState);
        s->returnMenuState = 0;
    }
}

} // namespace

void updateMenu131072() {
    GameStatics* const s = statics();
    const jint state = s->menuState;
    if (state == kStateActions || state == kStateSecondList) {
        s->redrawAll = 1;
    }
    core::managementServices().paintScreenBase(0, 0);
    switch (state) {
    case kStateActions:
        updateActionList(s);
        break;
    case kStateSecondList:
        updatePlayerActionsMenu();
        break;
    case kStateOffer:
        core::informationScreenServices().updateContractOfferScreen();
        break;
    case kStateResult:
        showPlayerActionResult();
        break;
    default:
        break;
    }
}

namespace {

// The profile page: tab 0 the actions (six rows 41 apart from 182), tab 1 the two actions of the
// second list (three rows 83 apart from 160); in the pre-match line-up tab 0 hides its row 3.
constexpr jint kProfileRows[] = {6, 3};
constexpr jint kProfilePitch[] = {41, 83};
constexpr jint kProfileBase[] = {182, 160};
constexpr jint kProfileLineDrop[] = {28, 48};
constexpr jint kProfileRowX = 140;
constexpr jint kProfileTouchWidth = 200;
constexpr jint kLineLeft = 48;
constexpr jint kLineRight = 416;
constexpr jint kHiddenRow = 3;
constexpr jint kLockedRowTexts[] = {130, 171};
constexpr jint kStateOn = 759;
constexpr jint kStateOff = 758;
constexpr jint kRowOneName = 96;
constexpr jint kRowTwoName = 407;
constexpr jint kTitleOffset = -16;
constexpr jint kMatchSquadRecords = 30;
// The soft-key areas: back (right) and choose (left).
constexpr jint kBackAreaX = 380;
constexpr jint kChooseAreaX = 0;
constexpr jint kSoftAreaY = 766;
constexpr jint kSoftAreaWidth = 110;
constexpr jint kSoftAreaHeight = 42;

// The label of row r of the tab: its text with the placeholder filled (the row-1 and row-2 texts
// by their states).
String* profileLabel(const GameStatics* const s, const jint tab, const jint r, const bool a, const bool b) {
    jint text = 0;
    String* value = constant(kEmpty);
    if (tab == 0 && r == 1) {
        text = a ? kStateOn : kStateOff;
        value = core::getText(kRowOneName);
    } else if (tab == 0 && r == 2) {
        text = b ? kStateOn : kStateOff;
        value = core::getText(kRowTwoName);
    } else {
        const auto* const row = static_cast<const runtime::IntArray*>((*s->profileRowTexts)[tab]);
        text = (*row)[r];
    }
    return formatWithValue(core::getText(text), constant(kRowMarker), value);
}

void paintProfileRows(GameStatics* const s, const jint tab, const bool locked, const bool hidden, const bool a,
                      const bool b) {
    core::ManagementServices& painter = core::managementServices();
    const jint pitch = kProfilePitch[tab];
    const jint base = kProfileBase[tab];
    if (locked) {
        for (jint r = 0; r < 2; ++r) {
            painter.paintListRows(core::getText(kLockedRowTexts[r]), kProfileRowX, (r + 1) * pitch + base,
                                  s->menuSelection == r ? 1 : 0);
        }
        return;
    }
    const jint n = kProfileRows[tab];
    for (jint r = 0; r < n; ++r) {
        if (hidden && r == kHiddenRow) {
            continue;
        }
        const jint shift = hidden && r > kHiddenRow ? 1 : 0;
        const jint y = (r - shift + 1) * pitch + base;
        painter.paintListRows(profileLabel(s, tab, r, a, b), kProfileRowX, y, s->menuSelection == r ? 1 : 0);
        if (r < n - 1 && s->currentGraphics != nullptr) {
            drawSeparatorLine(s->currentGraphics, kLineLeft, kLineRight, y + kProfileLineDrop[tab]);
        }
    }
}

// The result notice of tab 1 (the second list's two actions), or text 451 on tab 0.
String* resultNoticeText(const GameStatics* const s, const jint tab) {
    if (tab == 0) {
        return core::getText(451);
    }
    const jint action = s->lastPlayerAction;
    if (action != 0 && action != 1) {
        return constant(kEmpty);
    }
    const bool done = s->actionDone != 0;
    const jint head = action == 0 ? 457 : 468;
    String* const line = joinTexts({core::getText(head), constant(kJoin), core::getText(done ? 464 : 465),
                                    constant(kJoin)});
    return done ? joinTexts({line, core::getText(action == 0 ? 466 : 469)}) : line;
}

String* noticeText(const GameStatics* const s, const jint tab) {
    if (tab == 0) {
        return core::getText(452);
    }
    if ((*s->selectionTable)[kActionCounter] < kActionLimit || s->actionDone == 0) {
        return core::getText(461);
    }
    return joinTexts({core::getText(472), constant(kJoin), core::getText(473)});
}

// The goalkeepers of the user's match squad: records of side 0 whose position mask is exactly 1.
jint squadGoalkeepers(const GameStatics* const s) {
    jint count = 0;
    for (jint slot = 0; slot < kMatchSquadRecords; ++slot) {
        const jint at = matchRecordAt(slot) + kRecordMask;
        if (core::holds(s->listRowRecords, at, 4) && core::readIntBE(s->listRowRecords, at) == kGoalkeeperMask) {
            ++count;
        }
    }
    return count;
}

void showTab(GameStatics* const s, const jint tab) {
    s->squadOverlayKind = tab;
    s->menuSelection = 0;
}

void chooseOnProfileTab0(GameStatics* const s, const jint p, const jint slot, const bool locked, const bool a,
                         const bool b) {
    const jint r = s->menuSelection;
    // Only row 1 sets the last-goalkeeper notice; a stale one must never replace another question.
    s->noActionNotice = 0;
    if (locked) {
        if (r == 0) {
            showTab(s, 1);
        } else if (r == 1) {
            closeProfilePage(s);
        }
        return;
    }
    switch (r) {
    case 0:
        showTab(s, 1);
        return;
    case 1: {
        const jint at = matchRecordAt(slot) + kRecordMask;
        const bool ownKeeper =
            core::holds(s->listRowRecords, at, 4) && core::readIntBE(s->listRowRecords, at) == kGoalkeeperMask;
        s->noActionNotice = squadGoalkeepers(s) < 2 && !a && !b && ownKeeper ? 1 : 0;
        s->popupActive = 1;
        return;
    }
    case 2:
    case 3:
        s->popupActive = 1;
        return;
    case 4:
        if (club::getPlayerAge(p) >= kRetirementAge) {
            s->noticeActive = 1;
        } else if (offerBlocked(s, p)) {
            s->secondPopupActive = 1;
        } else {
            if (s->menuState != kStateTeamMenu) {
                s->pendingMenuState = s->menuState;
            }
            core::menuStateServices().setMenuState(kStateOffer);
        }
        return;
    case 5:
        closeProfilePage(s);
        return;
    default:
        return;
    }
}

void chooseOnProfileTab1(GameStatics* const s, const jint p, const jint slot) {
    const jint r = s->menuSelection;
    if (r == 2) {
        showTab(s, 0);
        return;
    }
    if (r != 0 && r != 1) {
        return;
    }
    s->actionDone = 1;
    const jint counter = countAction(s);
    s->lastPlayerAction = r;
    if (counter > kActionLimit - 1) {
        s->noticeActive = 1;
        return;
    }
    const jint record = matchRecordAt(slot);
    const bool hasRecord = core::holds(s->listRowRecords, record, core::kMatchRecordBytes);
    if (r == 0) {
        const jint m = (recordByte(p, kStatusByte) >> 4) & kLowNibble;
        setPlayerLevel(m, p * season::kPlayerRecordBytes + kStatusByte);
        if (hasRecord) {
            (*s->listRowRecords)[record + kRecordStatus] =
                static_cast<jbyte>((recordByte(p, kStatusByte) >> 4) & kLowNibble);
        }
    } else {
        setRecordByte(p, kFormByte, kNoFormEffect);
        if (hasRecord) {
            (*s->listRowRecords)[record + kRecordFatigue] =
                static_cast<jbyte>(kNoFormEffect - recordByte(p, kFormByte));
        }
    }
    s->secondPopupActive = 1;
}

void profileInput(GameStatics* const s, const jint tab, const jint p, const jint slot, const bool locked,
                  const bool hidden, const bool a, const bool b) {
    core::InformationScreenServices& input = core::informationScreenServices();
    const jint n = kProfileRows[tab];
    if (locked) {
        s->menuSelection = input.cycleValueByKeys(kKeyUp, kKeyDown, s->menuSelection, 2, 1);
    } else {
        s->menuSelection = input.cycleValueByKeys(kKeyUp, kKeyDown, s->menuSelection, n, 1);
        if (hidden && s->menuSelection == kHiddenRow) {
            if (core::isKeyPressed(kKeyDown)) {
                s->menuSelection = kHiddenRow + 1;
            } else if (core::isKeyPressed(kKeyUp)) {
                s->menuSelection = kHiddenRow - 1;
            }
        }
    }
    const bool released = s->touchReleased != 0;
    if (core::isKeyPressed(kKeyBack) ||
        (released && pointerPressedInRect(kBackAreaX, kSoftAreaY, kSoftAreaWidth, kSoftAreaHeight) != 0)) {
        if (tab == 0) {
            closeProfilePage(s);
        } else {
            --s->squadOverlayKind;
        }
    }
    const jint pitch = kProfilePitch[tab];
    const jint lineHeight = s->fontLineHeights != nullptr ? (*s->fontLineHeights)[0] : 0;
    const jint leading = s->fontLeading != nullptr ? (*s->fontLeading)[0] : 0;
    const jint rows = tab == 1 ? 3 : locked ? 2 : hidden ? n - 1 : n;
    s->touchListHit = input.listRowAtPointer(kProfileRowX, kProfileBase[tab] + pitch - ((pitch - lineHeight + leading) >> 1),
                                             kProfileTouchWidth, pitch - 1, pitch, rows, -1, 0, 1);
    if (hidden && !locked && s->touchListHit >= kHiddenRow) {
        ++s->touchListHit;
    }
    if (s->touchListHit >= 0 && s->touchListHit != s->menuSelection) {
        s->menuSelection = s->touchListHit;
    }
    const bool chosen =
        selectPressed() ||
        (released && pointerPressedInRect(kChooseAreaX, kSoftAreaY, kSoftAreaWidth, kSoftAreaHeight) != 0) ||
        (s->touchListHit >= 0 && released);
    if (!chosen) {
        return;
    }
    if (tab == 0) {
        chooseOnProfileTab0(s, p, slot, locked, a, b);
    } else {
        chooseOnProfileTab1(s, p, slot);
    }
}

} // namespace

void paintPlayerProfile(const jint tab) {
    GameStatics* const s = statics();
    const jint slot = slotOfRow(s, s->selectedRow);
    const jint p = playerInSlot(s, slot);
    if (!isPlayer(s, p) || (tab != 0 && tab != 1)) {
        runtime::log("paintPlayerProfile: no player in list row %d (tab %d); the page closes", s->selectedRow, tab);
        closeProfilePage(s);
        return;
    }
    const jint status = recordByte(p, kActionByte);
    const bool a = (status & kRowOneBit) != 0;
    const bool b = (status & kRowTwoBit) != 0;
    const bool locked = tab == 0 && (status & kLockedBit) != 0;
    const bool hidden = tab == 0 && s->menuState == kStateLineupPreMatch;
    core::ManagementServices& painter = core::managementServices();
    painter.paintTitleText(0, kTitleOffset, 1);
    paintProfileRows(s, tab, locked, hidden, a, b);
    painter.paintSoftKeys(0, 3);
    if (s->secondPopupActive != 0) {
        painter.paintMessageBox(resultNoticeText(s, tab), 0, 0, -1, kOneButton, 1);
        if (core::isKeyPressed(kKeyFire) ||
            (s->touchReleased != 0 &&
             info::pointerInRectWithSound(kOkButtonX, s->touchListRow, kButtonWidth, kButtonHeight))) {
            s->secondPopupActive = 0;
        }
        return;
    }
    if (s->noticeActive != 0) {
        if (oneButtonNotice(noticeText(s, tab))) {
            s->noticeActive = 0;
        }
        return;
    }
    if (s->popupActive != 0) {
        confirmPlayerAction(a ? 1 : 0, b ? 1 : 0, status, 1);
        return;
    }
    profileInput(s, tab, p, slot, locked, hidden, a, b);
}

} // namespace game::menus
