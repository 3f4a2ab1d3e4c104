// A team's formation: the record of the formation data set turned into line counts, each
// outfield player's home cell, role, line position, zone box and forward and deep cells, the two
// line values and the formation's display name.
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"

namespace game::match {

using runtime::ByteArray;
using runtime::IntArray;

namespace {

// A formation record: 67 bytes; the line digits at 1 and 2, the name's last two characters at 3
// and 4, ten six-byte player entries from 7 (zone box first), the two line values at 65 and 66.
constexpr jint kRecordBytes = 67;
constexpr jint kDefendersDigit = 1;
constexpr jint kMidfieldersDigit = 2;
constexpr jint kNameThird = 3;
constexpr jint kNameFourth = 4;
constexpr jint kPlayerEntries = 7;
constexpr jint kPlayerEntryBytes = 6;
constexpr jint kDefensiveLineByte = 65;
constexpr jint kAttackingLineByte = 66;
constexpr jint kNameLength = 7;
constexpr jbyte kNameSeparator = '-';
// Ten outfield players a formation, one slot each; slots form a 5 x 5 grid (row x 5 + column).
constexpr jint kOutfield = 10;
constexpr jint kColumns = 5;
constexpr jint kSlots = 25;
constexpr jint kCentreColumn = 2;
constexpr jint kMaxLine = 6;
// Home cells: rows 6 cells apart from -10; a row with a centre player spreads 4 apart, one
// without at -8, -3, 3, 8.
constexpr jint kRowCells = 6;
constexpr jint kBackRowCell = -10;
constexpr jint kCentredStep = 4;
constexpr jint kSpreadStep = 5;
constexpr jint kSpreadRightBase = -7;
constexpr jint kSpreadLeftBase = -8;
// The goalkeeper's home cell.
constexpr jint kKeeperCellX = -16;
// Forward and deep cells: 4 ahead of home, then +2 (defenders, midfielders) or -4 (attackers);
// deep cells draw the home cell towards the own goal line (-16) by a half, a third or a quarter.
constexpr jint kGoalLineCell = 16;
constexpr jint kForwardCells = 4;
constexpr jint kForwardBack = 2;
constexpr jint kForwardAttack = -4;
constexpr jint kBoxBytes = 4;
constexpr jint kDefenderRole = 1;
constexpr jint kMidfielderRole = 2;
constexpr jint kAttackerRole = 3;

jint lineCode(const jint lineSize, const jint k) {
    const IntArray* const row = static_cast<IntArray*>((*statics()->formationLines)[lineSize - 1]);
    return (*row)[k];
}

// The record is sound when its digits give lines of 0..6 (ten outfield players), its slots lie
// in the grid and the line codes hold a row for every line size it uses.
bool isFormationValid(const jint index, const jint d, const jint m) {
    const GameStatics* const s = statics();
    const ByteArray* const table = s->formationTable;
    const ByteArray* const slots = s->formationSlots;
    const runtime::ObjectArray* const lines = s->formationLines;
    if (table == nullptr || slots == nullptr || lines == nullptr || index < 0 ||
        (index + 1) * kRecordBytes > table->length || (index + 1) * kOutfield > slots->length) {
        return false;
    }
    const jint a = kOutfield - d - m;
    for (const jint size : {d, m, a}) {
        if (size < 0 || size > kMaxLine) {
            return false;
        }
        const IntArray* const row =
            size == 0 || !lines->inBounds(size - 1) ? nullptr : static_cast<IntArray*>((*lines)[size - 1]);
        if (size > 0 && (row == nullptr || row->length < size)) {
            return false;
        }
    }
    for (jint k = 0; k < kOutfield; ++k) {
        const jint slot = (*slots)[index * kOutfield + k];
        if (slot < 0 || slot >= kSlots) {
            return false;
        }
    }
    return true;
}

jint digitAt(const jint at) {
    const ByteArray* const table = statics()->formationTable;
    if (table == nullptr || !table->inBounds(at)) {
        return -1;
    }
    const jint v = (*table)[at] - '0';
    return v >= 0 && v <= 9 ? v : -1;
}

} // namespace

void CTeam::setFormation(const jint index) {
    GameStatics* const s = statics();
    const jint base = index * kRecordBytes;
    const jint d = digitAt(base + kDefendersDigit);
    const jint m = digitAt(base + kMidfieldersDigit);
    if (index < 0 || d < 0 || m < 0 || !isFormationValid(index, d, m)) {
        // Indexing the line codes or the grid with such a record would run past them.
        runtime::log("CTeam::setFormation: formation %d is not a valid formation; the team keeps its own",
                     index);
        return;
    }
    const jint dm = d + m;
    formationIndex = index;
    defenders = d;
    midfielders = m;
    attackers = kOutfield - dm;
    CPlayer* const keeper = teamPlayer(this, CPlayer::kKeeperSlot);
    if (keeper != nullptr) {
        keeper->homeCellX = kKeeperCellX;
        keeper->homeCellY = 0;
        keeper->role = 0;
        keeper->formationSlot = -1;
    }
    bool centreRows[kColumns] = {};
    for (jint k = 0; k < kOutfield; ++k) {
        const jint slot = (*s->formationSlots)[index * kOutfield + k];
        if (slot % kColumns == kCentreColumn) {
            centreRows[slot / kColumns] = true;
        }
    }
    for (jint i = 1; i <= kOutfield; ++i) {
        CPlayer* const p = teamPlayer(this, i);
        if (p == nullptr) {
            continue;
        }
        const ByteArray& record = *s->formationTable;
        const jint slot = (*s->formationSlots)[index * kOutfield + i - 1];
        const jint row = slot / kColumns;
        const jint column = slot % kColumns;
        p->homeCellX = row * kRowCells + kBackRowCell;
        if (centreRows[row]) {
            p->homeCellY = (column - kCentreColumn) * kCentredStep;
        } else if (column > kCentreColumn) {
            p->homeCellY = ((slot - 1) % kColumns) * kSpreadStep + kSpreadRightBase;
        } else {
            p->homeCellY = column * kSpreadStep + kSpreadLeftBase;
        }
        p->formationSlot = slot;
        const jint entry = base + kPlayerEntries + kPlayerEntryBytes * (i - 1);
        for (jint k = 0; zoneBoxes != nullptr && k < kBoxBytes; ++k) {
            (*zoneBoxes)[i * kBoxBytes + k] = record[entry + k];
        }
        const jint fromLine = p->homeCellX + kGoalLineCell;
        p->forwardCellX = p->homeCellX + kForwardCells;
        if (i <= d) {
            p->role = kDefenderRole;
            p->deepCellX = fromLine / 2 - kGoalLineCell;
            p->forwardCellX += kForwardBack;
            p->linePosition = lineCode(d, i - 1);
        } else if (i > dm) {
            p->role = kAttackerRole;
            p->deepCellX = (fromLine * 3) / 4 - kGoalLineCell;
            p->linePosition = lineCode(kOutfield - dm, i - dm - 1);
            p->forwardCellX += kForwardAttack;
        } else {
            p->role = kMidfielderRole;
            p->deepCellX = (fromLine * 2) / 3 - kGoalLineCell;
            p->linePosition = lineCode(m, i - d - 1);
            p->forwardCellX += kForwardBack;
        }
    }
    defensiveLine = (*s->formationTable)[base + kDefensiveLineByte];
    attackingLine = (*s->formationTable)[base + kAttackingLineByte];

    ByteArray* const name = runtime::newByteArray(kNameLength);
    const jint nameBytes[kNameLength] = {kDefendersDigit, -1, kMidfieldersDigit, -1,
                                         kNameThird,      -1, kNameFourth};
    for (jint k = 0; k < kNameLength; ++k) {
        (*name)[k] = nameBytes[k] < 0 ? kNameSeparator : (*s->formationTable)[base + nameBytes[k]];
    }
    runtime::String* const text = runtime::newObject<runtime::String>();
    text->initBytes(name);
    if (s->formationNames.get() == nullptr) {
        s->formationNames = runtime::newObjectArray(2, runtime::kString);
    }
    if (s->formationNames->inBounds(teamIndex)) {
        (*s->formationNames)[teamIndex] = text;
    }
    applyTactic();
    applyPositionDefaults();
}

} // namespace game::match
