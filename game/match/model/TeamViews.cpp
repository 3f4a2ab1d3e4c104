// The team's view of the pitch (mirrored by its side flag), its cells and zones, and the side
// tests of an actor and a player.
#include "game/match/CPlayer.h"

namespace game::match {

namespace {
// The fine step (2^8) the cell rounding works in, half a cell and a cell in fine steps.
constexpr jint kFineShift = 8;
constexpr jint kHalfCellFine = 16;
constexpr jint kCellFineShift = 5;
constexpr jint kHalfTurn = 4;
constexpr jint kDirectionMask = 7;
// Zone bounds along x (team view) and the width at which a cell counts as wide.
constexpr jint kFinalThird = 11;
constexpr jint kAttackingThird = 8;
constexpr jint kMiddleBack = -6;
constexpr jint kDefensiveThird = -10;
constexpr jint kWideCell = 5;
constexpr jint kZoneWideFinal = 0;
constexpr jint kZoneWideAttack = 1;
constexpr jint kZoneCentralFinal = 2;
constexpr jint kZoneCentralAttack = 3;
constexpr jint kZoneMiddle = 4;
constexpr jint kZoneDefence = 5;
constexpr jint kZoneOwnBox = 6;
} // namespace

jint CTeam::orientX(const jint v) const {
    return sideFlag != 0 ? v : -v;
}

jint CTeam::orientDirection(const jint d) const {
    return sideFlag != 0 ? d : (d + kHalfTurn) & kDirectionMask;
}

jint CTeam::toCell(const jint v) const {
    const jint w = orientX(v);
    return ((w >> kFineShift) + kHalfCellFine) >> kCellFineShift;
}

jint CTeam::fromCell(const jint c) const {
    return orientX(c << CTeam::kCellShift);
}

bool CTeam::isCellOnPitch(const jint cx, const jint cy) const {
    return cx >= -CTeam::kCellMaxX && cx <= CTeam::kCellMaxX && cy >= -CTeam::kCellMaxY &&
           cy <= CTeam::kCellMaxY;
}

bool CTeam::isInRect(const jint px, const jint py, const jint w, const jint h) const {
    return px >= 0 && px <= w && py >= 0 && py <= h;
}

jint CTeam::zoneOfCell(const jint cx, const jint cy) const {
    const bool wide = cy <= -kWideCell || cy >= kWideCell;
    if (cx >= kFinalThird) {
        return wide ? kZoneWideFinal : kZoneCentralFinal;
    }
    if (cx >= kAttackingThird) {
        return wide ? kZoneWideAttack : kZoneCentralAttack;
    }
    if (cx >= kMiddleBack) {
        return kZoneMiddle;
    }
    if (cx >= kDefensiveThird) {
        return kZoneDefence;
    }
    return kZoneOwnBox;
}

bool Actor::isOnSideOf(const jint px, const jint py, const jint d) const {
    const jint dx = px - x;
    const jint dy = py - y;
    switch (d) {
    case 0:
        return dx > 0;
    case 1:
        return dy > -dx;
    case 2:
        return dy > 0;
    case 3:
        return dy > dx;
    case 4:
        return dx < 0;
    case 5:
        return dy < -dx;
    case 6:
        return dy < 0;
    case 7:
        return dx > dy;
    default:
        return false;
    }
}

bool CPlayer::isBehind(const jint px, const jint py) const {
    const jint dx = px - x;
    const jint dy = py - y;
    switch (direction) {
    case 0:
        return dy > 0;
    case 1:
        return dy > dx;
    case 2:
        return dx < 0;
    case 3:
        return dy < -dx;
    case 4:
        return dy < 0;
    case 5:
        return dx > dy;
    case 6:
        return dx > 0;
    case 7:
        return dy > -dx;
    default:
        // A facing outside the compass has no behind.
        return false;
    }
}

bool CPlayer::isWideAttackingCell() const {
    return cellX >= kAttackingThird && (cellY <= -kWideCell || cellY >= kWideCell);
}

} // namespace game::match
