// The team model: binding the players, the tactic fields and position defaults, formation slots,
// the zone grid, the per-tick reset, command queues, shoot-out takers, kick-off columns and the
// boost.
#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/MatchTuning.h"
#include "game/match/PlanTables.h"
#include "game/match/model/TacticTable.h"
#include "game/match/model/TacticTableFormat.h"
#include "runtime/Log.h"

namespace game::match {

using runtime::BoolArray;
using runtime::ByteArray;
using runtime::IntArray;

namespace {
constexpr jint kKeeperTask = 14;
constexpr jint kNoPossession = -1;
// Formation slots: a 5 x 5 grid, slot = row x 5 + column; rows are 6 cells apart from -10.
constexpr jint kFormationColumns = 5;
constexpr jint kFormationSlots = 25;
constexpr jint kCentreColumn = 2;
constexpr jint kRowCells = 6;
constexpr jint kBackRowCell = -10;
constexpr jint kColumnCells = 4;
constexpr jint kSpreadColumnY[kFormationColumns] = {-8, -3, 0, 3, 8};
// The zone grid: 33 x 21 cells, x-major, index = cx x 21 + cy + 346.
constexpr jint kGridColumnCells = 21;
constexpr jint kGridCentre = 346;
// Player zone boxes: four bytes a player (behind, ahead, to -y, to +y).
constexpr jint kZoneBoxBytes = 4;
// A corner kick (matchPhase 5) draws the defenders' zone targets in by a quarter.
constexpr jint kCornerPhase = 5;
constexpr jint kAttackerRole = 3;
// Zone claims: radius around the target by situation, and around an opponent.
constexpr jint kRestartRadius = 0;
constexpr jint kAttackingRadius = 2;
constexpr jint kDefendingRadius = 1;
constexpr jint kOpponentRadius = 1;
// The near-cell test reaches three cells; shift instruction 3 means "as the team".
constexpr jint kNearCells = 3;
constexpr jint kShiftAsTeam = 3;
// Command queues: 16 ints a player; an empty queue's current command has kind -1.
constexpr jint kQueueInts = CTeam::kQueueEntries * CTeam::kCommandInts;
constexpr jint kNoCommand = -1;
// Shoot-out: the slot returned when nobody is on the pitch.
constexpr jint kNoTaker = 11;
// Kick-off line: an advancing player of the kicking team stands further up.
constexpr jint kAdvanceAlways = 2;
constexpr jint kKickOffAdvanceOffset = 16;
constexpr jint kKickOffOffset = 10;
constexpr jint kKickOffBack = 10;
constexpr jint kKickOffCentreLimit = -1;
constexpr jint kKickOffCentreColumn = -3;
constexpr jint kKickOffCentreRows = 6;
constexpr jint kKickOffWideColumn = 0;
// The boost starts at this count and ends below it.
constexpr jint kBoostThreshold = 101;
constexpr jint kBoostStartEvent = -5;
constexpr jint kBoostEndEvent = -6;

bool onPitch(const CPlayer* const player) {
    return player != nullptr && player->outOfPlay == 0;
}

jint gridIndex(const jint cx, const jint cy) {
    return cx * kGridColumnCells + cy + kGridCentre;
}

} // namespace

CTeam* matchTeam(const jint side) {
    runtime::ObjectArray* const teams = statics()->matchTeams;
    if (teams == nullptr || !teams->inBounds(side)) {
        return nullptr;
    }
    return static_cast<CTeam*>((*teams)[side]);
}

CPlayer* teamPlayer(const CTeam* const team, const jint index) {
    if (team == nullptr || team->players == nullptr || !team->players->inBounds(index)) {
        return nullptr;
    }
    return static_cast<CPlayer*>((*team->players)[index]);
}

void CTeam::assignPlayers(const jint index) {
    teamIndex = index;
    opponent = matchTeam(1 - index);
    goalkeeper = teamPlayer(this, CPlayer::kKeeperSlot);
    if (goalkeeper != nullptr) {
        goalkeeper->task = kKeeperTask;
    }
    for (jint i = 0; i < kPlayers; ++i) {
        CPlayer* const player = teamPlayer(this, i);
        if (player == nullptr) {
            continue;
        }
        player->team = this;
        player->opponents = opponent;
        player->slot = i;
    }
}

void CTeam::applyTactic() {
    const jint row = tacticRowOffset(formationIndex);
    if (row < 0) {
        runtime::log("CTeam::applyTactic: no tactic row %d; the tactic fields stay", formationIndex);
        return;
    }
    const ByteArray& table = *statics()->tacticTable;
    mentalityInUse = table[row + kTacticMentality];
    mentality = table[row + kTacticMentality];
    tactic1 = table[row + kTactic1];
    teamInstruction = table[row + kTacticTeamInstruction];
    tactic3 = table[row + kTactic3];
    tactic4 = table[row + kTactic4];
    tactic5 = table[row + kTactic5];
    tactic6 = table[row + kTactic6];
    tactic7 = table[row + kTactic7];
    tactic8Clear = table[row + kTacticSwitch] == 0 ? 1 : 0;
}

void CTeam::applyPositionDefaults() {
    GameStatics* const s = statics();
    for (jint i = 0; i < kOnPitch; ++i) {
        CPlayer* const p = teamPlayer(this, i);
        if (p == nullptr) {
            continue;
        }
        const jint group = positionGroupOffset(tacticGroupOf(p->formationSlot));
        if (group < 0) {
            runtime::log("CTeam::applyPositionDefaults: no defaults for position %d; player %d keeps his",
                         p->formationSlot, i);
            continue;
        }
        const ByteArray& table = *s->tacticTable;
        p->runStyle = table[group + kGroupRunStyle];
        p->shiftInstruction = table[group + kGroupShift];
        p->instruction3 = table[group + kGroupInstruction3];
        p->styleSetting = table[group + kGroupStyle];
        p->advanceSetting = table[group + kGroupAdvance];
        p->dribbleInstruction = table[group + kGroupDribble];
        p->shootInstruction = table[group + kGroupShoot];
        p->throughBallInstruction = table[group + kGroupThroughBall];
        p->settingA = table[group + kGroupSettingA];
        p->spareInstruction = table[group + kGroupInstruction9];
        s->groupSetting = table[group + kGroupSetting];
        p->settingB = table[group + kGroupSettingB];
    }
}

void CTeam::slotToFormationPoint(IntArray* const out, const jint slot,
                                 const BoolArray* const rowsWithCentre) const {
    if (out == nullptr || out->length < 2 || slot < 0 || slot >= kFormationSlots) {
        runtime::log("CTeam::slotToFormationPoint: no point for slot %d", slot);
        return;
    }
    const jint row = slot / kFormationColumns;
    const jint column = slot % kFormationColumns;
    const bool centred =
        column == kCentreColumn ||
        (rowsWithCentre != nullptr && rowsWithCentre->inBounds(row) && (*rowsWithCentre)[row] != 0);
    (*out)[0] = row * kRowCells + kBackRowCell;
    (*out)[1] = centred ? (column - kCentreColumn) * kColumnCells : kSpreadColumnY[column];
}

BoolArray* CTeam::getRowsWithCentre() const {
    BoolArray* const rows = runtime::newBoolArray(kFormationRows);
    for (jint i = 1; i < kOnPitch; ++i) {
        const CPlayer* const p = teamPlayer(this, i);
        if (p == nullptr || p->formationSlot < 0 || p->formationSlot % kFormationColumns != kCentreColumn) {
            continue;
        }
        const jint row = p->formationSlot / kFormationColumns;
        if (rows->inBounds(row)) {
            (*rows)[row] = 1;
        }
    }
    return rows;
}

void CTeam::updatePlayerCells() {
    for (jint i = 0; i < kOnPitch; ++i) {
        CPlayer* const p = teamPlayer(this, i);
        if (!onPitch(p)) {
            continue;
        }
        p->cellX = toCell(p->x);
        p->cellY = toCell(p->y);
    }
}

void CTeam::markZoneGrid(const jint cx, const jint cy, const jint r, const jint v) {
    ByteArray* const grid = zoneGrid;
    ByteArray* const row = statics()->zoneGridRow;
    const jint x0 = std::max(cx - r, -CTeam::kCellMaxX);
    const jint x1 = std::min(cx + r, CTeam::kCellMaxX);
    const jint y0 = std::max(cy - r, -CTeam::kCellMaxY);
    const jint y1 = std::min(cy + r, CTeam::kCellMaxY);
    if (grid == nullptr || grid->length < kZoneGridLength || x0 > x1 || y0 > y1) {
        return;
    }
    const jbyte value = runtime::i2b(v);
    // The row buffer holds one row of the square as every x of the grid receives it.
    for (jint y = y0; row != nullptr && row->length >= kGridColumnCells && y <= y1; ++y) {
        (*row)[y + CTeam::kCellMaxY] = value;
    }
    for (jint x = x0; x <= x1; ++x) {
        for (jint y = y0; y <= y1; ++y) {
            (*grid)[gridIndex(x, y)] = value;
        }
    }
}

bool CTeam::isPointInPlayerZone(const jint i, const jint cx, const jint cy) const {
    const CPlayer* const p = teamPlayer(this, i);
    const ByteArray* const boxes = zoneBoxes;
    if (p == nullptr || boxes == nullptr || i < 0 || (i + 1) * kZoneBoxBytes > boxes->length) {
        return false;
    }
    const jint hx = p->homeCellX;
    const jint hy = p->homeCellY;
    const jint base = i * kZoneBoxBytes;
    if (cx < hx - (*boxes)[base] || cx > hx + (*boxes)[base + 1] || cy < hy - (*boxes)[base + 2] ||
        cy > hy + (*boxes)[base + 3]) {
        return false;
    }
    return possession == kNoPossession || cx <= offsideLineCell + 1;
}

void CTeam::setPlayerZoneTarget(const jint i, jint cx, jint cy) {
    CPlayer* const p = teamPlayer(this, i);
    if (p == nullptr) {
        return;
    }
    const GameStatics* const s = statics();
    if (s->matchPhase == kCornerPhase && possession == kNoPossession) {
        if (p->role == kAttackerRole) {
            cx = (((cx + CTeam::kCellMaxX) * 3) >> 2) - CTeam::kCellMaxX;
        }
        cy = (cy * 3) >> 2;
    }
    p->taskCellX = cx;
    p->taskCellY = cy;
    jint radius = possession != kNoPossession ? kAttackingRadius : kDefendingRadius;
    if (s->phaseStep == 0 && s->matchPhase != 0) {
        radius = kRestartRadius;
    }
    markZoneGrid(cx, cy, radius, teamIndex + 1);
}

void CTeam::resetTick(CTeam* const opponentTeam) {
    GameStatics* const s = statics();
    const jint distribution = (2 - tactic6) * 4;
    if (kKeeperDistributionCounter < distribution && keeperDistribution == -1) {
        keeperDistribution = distribution;
    }
    pressureLevel = 0;
    eventCount = 0;
    lastEvent = -1;
    s->holderOpponentCount = 0;
    clearPlanTables();
    for (jint k = 0; table20 != nullptr && k < table20->length; ++k) {
        (*table20)[k] = 0;
    }
    for (BoolArray* const flags : {flags8a, flags8b, flags8c}) {
        for (jint k = 0; flags != nullptr && k < flags->length; ++k) {
            (*flags)[k] = 0;
        }
    }
    if (s->zoneGridFrozen != 0 || zoneGrid == nullptr) {
        return;
    }
    clearZoneGrid();
    for (jint j = 0; j < kOnPitch; ++j) {
        const CPlayer* const p = teamPlayer(opponentTeam, j);
        if (onPitch(p)) {
            markZoneGrid(toCell(p->x), toCell(p->y), kOpponentRadius, 2 - teamIndex);
        }
    }
}

void CTeam::clearZoneGrid() {
    const ByteArray* const empty = statics()->emptyZoneGrid;
    for (jint k = 0; zoneGrid != nullptr && k < zoneGrid->length; ++k) {
        (*zoneGrid)[k] = empty != nullptr && empty->inBounds(k) ? (*empty)[k] : 0;
    }
}

bool CTeam::isPlayerNearCell(const jint i, const jint cx, const jint cy) const {
    const CPlayer* const p = teamPlayer(this, i);
    if (p == nullptr) {
        return false;
    }
    const jint shift = p->shiftInstruction == kShiftAsTeam ? tactic1 : p->shiftInstruction;
    return absInt(cx - (p->homeCellX + shift - 1)) <= kNearCells &&
           absInt(cy - (p->homeCellY + shift - 1)) <= kNearCells;
}

void CTeam::clearCommandQueues() {
    for (IntArray* const table : {queueLengths, commandQueues}) {
        for (jint k = 0; table != nullptr && k < table->length; ++k) {
            (*table)[k] = 0;
        }
    }
    refusedCommandLogged = 0;
}

void CTeam::queueCommand(const jint i, const jint kind, const jint a, const jint b, const jint c) {
    IntArray* const lengths = queueLengths;
    IntArray* const queues = commandQueues;
    if (lengths == nullptr || queues == nullptr || i < 0 || i >= kOnPitch || !lengths->inBounds(i) ||
        (i + 1) * kQueueInts > queues->length) {
        runtime::log("CTeam::queueCommand: no queue for player %d; command %d dropped", i, kind);
        return;
    }
    jint length = (*lengths)[i];
    if (length <= 0) {
        (*queues)[i * kQueueInts] = kNoCommand;
        length = 1;
        (*lengths)[i] = length;
    }
    if (length >= kQueueEntries) {
        // Three commands already wait: a fourth would run into the next player's queue.
        if ((refusedCommandLogged & (1 << i)) == 0) {
            refusedCommandLogged |= 1 << i;
            runtime::log("CTeam::queueCommand: team %d player %d's queue is full; command %d dropped",
                         teamIndex, i, kind);
        }
        return;
    }
    const jint at = i * kQueueInts + length * kCommandInts;
    (*queues)[at] = kind;
    (*queues)[at + 1] = a;
    (*queues)[at + 2] = b;
    (*queues)[at + 3] = c;
    (*lengths)[i] = length + 1;
}

void CTeam::updateBoost() {
    if (boosted == 0 && boostCounter >= kBoostThreshold) {
        boosted = 1;
        forwardToPlayers(kBoostStartEvent);
    } else if (boosted == 1 && boostCounter < kBoostThreshold) {
        boosted = 0;
        forwardToPlayers(kBoostEndEvent);
    }
    boostCounter -= 1;
}

jint CPlayer::kickOffCellX() const {
    const jint hx = homeCellX;
    const jint hy = homeCellY;
    jint v = hx;
    if (slot != kKeeperSlot) {
        const bool advancing =
            team != nullptr && statics()->phaseTeam == team->teamIndex && advanceSetting == kAdvanceAlways;
        v = (hx + (advancing ? kKickOffAdvanceOffset : kKickOffOffset)) / 2 - kKickOffBack;
    }
    jint column = std::min(v, kKickOffCentreColumn);
    if (v >= kKickOffCentreLimit) {
        column =
            hy >= -kKickOffCentreRows && hy <= kKickOffCentreRows ? kKickOffCentreColumn : kKickOffWideColumn;
    }
    return team != nullptr ? team->fromCell(column) : column << CTeam::kCellShift;
}

jint nextPenaltyTaker(const jint teamIndex) {
    const CTeam* const team = matchTeam(teamIndex);
    jint n = 0;
    for (jint i = 0; i < CTeam::kOnPitch; ++i) {
        n += onPitch(teamPlayer(team, i)) ? 1 : 0;
    }
    // Nobody on the pitch: checked before the remainder, which would divide by 0.
    if (n == 0) {
        return kNoTaker;
    }
    // Wraps round however many kicks were taken (a plain remainder turns negative after 4n).
    jint k = core::floorMod(2 * n - (statics()->shootoutKicks >> 1) - 1, n);
    for (jint i = 0; i < CTeam::kOnPitch; ++i) {
        if (onPitch(teamPlayer(team, i)) && k-- == 0) {
            return i;
        }
    }
    return kNoTaker;
}

void CTeam::emptyQueue(const jint i) {
    IntArray* const lengths = queueLengths;
    if (lengths != nullptr && lengths->inBounds(i)) {
        (*lengths)[i] = 0;
    }
}

jint CTeam::queueLength(const jint i) const {
    const IntArray* const lengths = queueLengths;
    return lengths != nullptr && lengths->inBounds(i) && i < kOnPitch ? (*lengths)[i] : 0;
}

jint CTeam::queuedKind(const jint i, const jint k) const {
    const IntArray* const queues = commandQueues;
    if (queues == nullptr || k < 0 || k >= queueLength(i) || k >= kQueueEntries ||
        (i + 1) * kQueueInts > queues->length) {
        return -1;
    }
    return (*queues)[i * kQueueInts + k * kCommandInts];
}

jint findNextFreePlayer(const jint teamIndex, const jint from, const jint to, const jint step) {
    const CTeam* const team = matchTeam(teamIndex);
    // An index outside the player array (a step that never reaches `to`) ends the search.
    for (jint i = from; i != to && i >= 0 && i < CTeam::kPlayers && step != 0; i += step) {
        if (onPitch(teamPlayer(team, i))) {
            return i;
        }
    }
    return -1;
}

} // namespace game::match
