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

constexpr jint kOneButton = 1;
constexpr jint kTwoButtons = 2;
constexpr jint kYes = 0;
constexpr jint kNo = 1;
constexpr jint kButtonX = 194;
constexpr jint kButtonWidth = 92;
constexpr jint kButtonHeight = 80;
constexpr jint kYesX = 104;
constexpr jint kNoX = 286;

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

bool releaseOnOkButton() {
    return statics()->touchReleased != 0 &&
           info::pointerInRectWithSound(kButtonX, statics()->touchListRow, kButtonWidth, kButtonHeight);
}

// The one-button notice: painted, and closed (true) by the select key or a release on its button.
bool oneButtonNotice(String* const text) {
    core::managementServices().paintMessageBox(text, 0, 0, -1, kOneButton, 1);
    return selectPressed() || releaseOnOkButton();
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

// The row of the substitute who takes the released starter's place: the best score, the first
// of equal scores, row 11 when none scores above 0.
jint bestSubstituteRow(const GameStatics* const s, const jint releasedRow) {
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
        match::swapLineupPositions(0, row, bestSubstituteRow(s, row), squadSize(s));
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

jint switchedState(const jint statusByte, const jint bit, const jboolean on) {
    const jint kept = statusByte & kLowNibble;
    return on ? (kept & ~bit) : (kept | bit | kSwitchedOn);
}

void closeQuestion(GameStatics* const s) {
    s->popupActive = 0;
    s->menuChoice = kNo;
}

} // namespace

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
    const jint hit =
        info::pickOfTwoAreas(kYesX, kButtonWidth, kNoX, kButtonWidth, s->touchListRow, kButtonHeight);
    if (hit >= 0) {
        s->menuChoice = hit;
    }
    if (!selectPressed() && !(hit >= 0 && s->touchReleased != 0)) {
        return;
    }
    const bool yes = s->menuChoice == kYes;
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
    painter.updatePopupArrow();
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
    if (r == 0) {
        core::menuStateServices().setMenuState(kStateSecondList);
        return;
    }
    if (r == 4) {
        if (club::getPlayerAge(p) >= kRetirementAge) {
            s->noticeActive = 1;
            return;
        }
        const jint entry = club::findKeyedEntry(p);
        const bool tripletMarked = core::holds(s->tripletTable, entry * 3, 3) && entry >= 0 &&
                                   (*s->tripletTable)[entry * 3 + 2] == 1;
        if (!tripletMarked && !club::findOfferMessage(p, s->userTeam, kOfferMessageType)) {
            core::menuStateServices().setMenuState(kStateOffer);
        } else {
            s->secondPopupActive = 1;
        }
        return;
    }
    // Only tab-0 row 1 of the profile page sets the last-goalkeeper notice; a stale one must
    // never replace this question.
    s->noActionNotice = 0;
    s->popupActive = 1;
}

void updateActionList(GameStatics* const s) {
    const jint p = s->chosenPlayer;
    if (!isPlayer(s, p)) {
        runtime::log("updateMenu131072: no player %d in the action list", p);
        return;
    }
    core::ManagementServices& painter = core::managementServices();
    painter.updatePopupArrow();
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

void paintPlayerProfile(const jint /*tab*/) {}

} // namespace game::menus
