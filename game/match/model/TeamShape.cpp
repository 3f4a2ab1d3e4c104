// The team's shape off the ball: each outfield player's shape cell from his home cell and the
// reference cell, the cell he is sent to within his zone box, the goalkeeper's place, the
// refresh of the players' orders, the opponents' front line and a jittered cell point.
#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"

namespace game::match {

using core::approxDistance;
using runtime::IntArray;

namespace {

constexpr jint kOpenPlay = 0;
constexpr jint kGoalKickPhase = 4;
constexpr jint kCornerPhase = 5;
constexpr jint kFreeKickPhase = 6;
constexpr jint kDirectFreeKickPhase = 7;
constexpr jint kPenaltyPhase = 8;
constexpr jint kHasBall = 1;
constexpr jint kNoBall = -1;
constexpr jint kFirstOutfield = 1;
constexpr jint kLastOnPitch = 10;
constexpr jint kDefenderRole = 1;
constexpr jint kMidfielderRole = 2;
constexpr jint kAttackerRole = 3;
// computeShape with the ball: the reference cell's x beyond +-9 spreads the shape by a half,
// nearer by (13 - |bx| / 4) / 20; a forward run adds 3 once and 5 while it lasts.
constexpr jint kFarBall = 9;
constexpr jint kFarSpread = 1;
constexpr jint kFarSpreadOver = 2;
constexpr jint kNearSpreadBase = 13;
constexpr jint kNearSpreadOver = 20;
constexpr jint kShapeAhead = 2;
constexpr jint kShapeBehind = 10;
constexpr jint kMaxShapeX = 15;
constexpr jint kRunStart = 3;
constexpr jint kRunOn = 5;
constexpr jint kAdvanceNever = 0;
constexpr jint kAdvanceAlways = 2;
constexpr jint kNeutralSetting = 5;
// Central defenders (formation slots 1..3) stay this far behind the opponents' front line.
constexpr jint kCentralFirst = 1;
constexpr jint kCentralLast = 3;
constexpr jint kLimitAhead = -5;
constexpr jint kLimitMiddle = -3;
constexpr jint kLimitDeep = -1;
constexpr jint kMiddleFrom = -7;
constexpr jint kEdgeX = 14;
constexpr jint kWideShapeX = 11;
// At a restart the team without the ball stands back from; its own goal at -4.
constexpr jint kRestartBack = -4;
// Without the ball: the shape sits k cells further back by the opponents' front p.
constexpr jint kBackSpread = 12;
constexpr jint kBackSpreadOver = 20;
constexpr jint kFrontAhead = 4;
constexpr jint kFrontDeep = 8;
constexpr jint kDeepFront = 8;
constexpr jint kMidFront = 11;
constexpr jint kDeepShapeX = -11;
// choosePlayerCell: the pull of the zone box and the caps on x.
constexpr jint kBoxBytes = 4;
constexpr jint kFarPull = 12;
constexpr jint kMidPull = 6;
constexpr jint kClosePull = 5;
constexpr jint kDeepBallX = -11;
constexpr jint kDropBack = 3;
constexpr jint kOwnHalfBallX = -4;
constexpr jint kCapFromX = 9;
constexpr jint kCapDeep = 8;
constexpr jint kMidBallX = 4;
constexpr jint kCapMid = 12;
constexpr jint kLateralY = 6;
constexpr jint kBackOffBall = 4;
// The goalkeeper: his x from the centre (pitch units), behind the line at a penalty; task 18.
constexpr jint kKeeperLineX = 133120;
constexpr jint kKeeperPenaltyX = 135168;
constexpr jint kKeeperTask = 18;
// Tasks whose orders stay while they run; marking compares the marked slot.
constexpr jint kRunTask = 1;
constexpr jint kTask5 = 5;
constexpr jint kCloseDownTask = 7;
constexpr jint kMarkTask = 8;
// The opponents' front line is never deeper than their goal line.
constexpr jint kFrontFloor = -16;
// fromCellJittered: a cell is 32 fine steps of 256 units; scatter up to half a cell.
constexpr jint kFineSteps = 32;
constexpr jint kFineShift = 8;
constexpr jint kJitter = 16;

bool onPitch(const CPlayer* const p) {
    return p != nullptr && p->outOfPlay == 0;
}

bool isRestartFreeKick(const jint phase) {
    return phase == kFreeKickPhase || phase == kDirectFreeKickPhase;
}

// Byte k of player i's zone box: the team's own boxes, or the formation's defending row.
jint boxValue(const CTeam* const team, const bool defending, const jint at) {
    if (!defending) {
        const runtime::ByteArray* const boxes = team->zoneBoxes;
        return boxes != nullptr && boxes->inBounds(at) ? (*boxes)[at] : 0;
    }
    const runtime::ObjectArray* const rows = statics()->defendZoneBoxes;
    if (rows == nullptr || !rows->inBounds(team->formationIndex)) {
        return 0;
    }
    const IntArray* const row = static_cast<IntArray*>((*rows)[team->formationIndex]);
    return row != nullptr && row->inBounds(at) ? (*row)[at] : 0;
}

} // namespace

jint CTeam::opponentFrontCell() const {
    jint front = kFrontFloor;
    for (jint j = kFirstOutfield; j <= kLastOnPitch; ++j) {
        const CPlayer* const o = teamPlayer(opponent, j);
        if (o != nullptr) {
            front = std::max(front, o->cellX);
        }
    }
    return front;
}

jint CTeam::opponentFrontShape() const {
    jint front = kFrontFloor;
    for (jint j = kFirstOutfield; j <= kLastOnPitch; ++j) {
        const CPlayer* const o = teamPlayer(opponent, j);
        if (o != nullptr) {
            front = std::max(front, o->shapeCellX);
        }
    }
    return front;
}

jint CTeam::fromCellJittered(const jint c) const {
    return orientX(
        runtime::imul(runtime::imul(c, kFineSteps) + core::randomRange(-kJitter, kJitter), 1 << kFineShift));
}

void CTeam::computeShape(jint bx, const jint by) {
    GameStatics* const s = statics();
    const jint phase = s->matchPhase;
    const bool keeperHolds = s->keeperHoldsBall != 0;
    if (isRestartFreeKick(phase) || keeperHolds) {
        if (possession == kHasBall && bx < 0) {
            bx = 0;
        } else if (possession == kNoBall && bx > kRestartBack) {
            bx = kRestartBack;
        }
    }
    for (jint i = kFirstOutfield; i <= kLastOnPitch; ++i) {
        CPlayer* const p = teamPlayer(this, i);
        if (!onPitch(p)) {
            continue;
        }
        const jint hx = p->homeCellX;
        const jint hy = p->homeCellY;
        jint a = (defensiveSetting - kNeutralSetting) >> 1;
        const jint e = attackingSetting - kNeutralSetting;
        jint x = 0;
        jint y = 0;
        if (possession == kHasBall) {
            const bool far = bx < -kFarBall || bx > kFarBall;
            const jint m = far ? kFarSpread : kNearSpreadBase - absInt(bx) / 4;
            const jint q = far ? kFarSpreadOver : kNearSpreadOver;
            x = bx >= 0 ? bx + ((hx - kShapeAhead) * m) / q
                        : std::max(bx, -kShapeBehind) + ((hx + kShapeBehind) * m) / q;
            if (x >= kMaxShapeX + 1) {
                x = kMaxShapeX;
            }
            if (s->newAttack != 0) {
                if (p->advanceSetting == kAdvanceNever) {
                    p->advanceNow = 0;
                } else if (p->advanceSetting == kAdvanceAlways) {
                    p->advanceNow = 1;
                } else if (p->advanceSetting == 1) {
                    p->advanceNow = core::randomRange(0, 1) == 0 ? 1 : 0;
                }
                if (p->advanceNow != 0) {
                    a += kRunStart;
                    p->advanceNow = 0;
                }
            }
            if (p->advanceNow != 0 || p->advanceSetting == kAdvanceAlways) {
                a += kRunOn;
            }
            x += a;
            const bool central = p->formationSlot >= kCentralFirst && p->formationSlot <= kCentralLast;
            if (central && phase != kGoalKickPhase && !isRestartFreeKick(phase) && !keeperHolds) {
                const jint o = opponentFrontCell();
                const jint limit = x >= 0             ? kLimitAhead - o
                                   : x >= kMiddleFrom ? kLimitMiddle - o
                                                      : kLimitDeep - o;
                x = std::min(x, limit);
            }
            if (x > kEdgeX) {
                x = kEdgeX;
                y = hy / 2;
            } else if (x < -kEdgeX) {
                x = -kEdgeX;
                y = (hy * 7) >> 3;
            } else if (x <= kWideShapeX) {
                y = (hy * 7) >> 3;
            } else {
                y = hy / 2;
            }
            y += by >> 2;
        } else {
            const jint o = opponentFrontCell();
            jint front = opponentFrontShape();
            front = bx < kDeepFront ? std::min(front, o + (e >> 1) + kFrontAhead) : o;
            const jint k = front <= 0 ? 3 : front <= kFrontDeep ? 2 : front <= kMidFront ? 1 : 0;
            x = ((hx + kShapeBehind) * kBackSpread) / kBackSpreadOver - front - k;
            if (keeperHolds || phase == kCornerPhase || (bx >= 1 && isRestartFreeKick(phase))) {
                x += kRestartBack;
            }
            y = (x < kDeepShapeX ? hy >> 1 : (hy * 3) >> 2) + (by >> 2);
        }
        if (phase == kCornerPhase || isRestartFreeKick(phase)) {
            y = (y * 3) >> 2;
        }
        if (tactic8Clear != 0 && p->role == kAttackerRole && x < 0) {
            x = 0;
        }
        p->shapeCellX = x;
        p->shapeCellY = y;
    }
    s->newAttack = 0;
}

void CTeam::choosePlayerCell(const jint i) {
    CPlayer* const p = teamPlayer(this, i);
    if (p == nullptr || i < kFirstOutfield || i > kLastOnPitch) {
        return;
    }
    const GameStatics* const s = statics();
    jint x = p->shapeCellX;
    jint y = p->shapeCellY;
    const jint rx = ballCellX;
    const jint ry = ballCellY;
    const jint d = directionFromVector(rx - x, ry - y);
    const bool inZone = possession == kHasBall && isCellOnPitch(rx, ry) && isPointInPlayerZone(i, rx, ry);
    if (!inZone) {
        const bool defending = possession == kNoBall;
        jint ex = boxValue(this, defending, i * kBoxBytes + (d > 3 ? 0 : 1));
        jint ey = boxValue(this, defending, i * kBoxBytes + (d < 2 || d > 6 ? 2 : 3));
        const IntArray& steps = *s->directionSteps;
        const jint sx = steps[d + 2];
        const jint sy = steps[d];
        if (!defending) {
            x += sx * ex;
            y += sy * ey;
        } else {
            const jint far = approxDistance(x - rx, y - ry);
            bool close = isPlayerNearCell(i, rx, ry);
            if (!close) {
                if (far >= kFarPull) {
                    ex -= 2;
                } else if (far >= kMidPull) {
                    ex -= 1;
                } else if (far < kClosePull) {
                    close = true;
                }
            }
            ex = ex < 0 ? 1 : ex;
            ey = ey < 0 ? 1 : ey;
            if (close) {
                // The box cell nearest to the reference cell; the first of equals stays.
                jint best = far;
                jint bestX = x;
                jint bestY = y;
                for (jint u = 0; u < ex; ++u) {
                    for (jint v = 0; v < ey; ++v) {
                        const jint cx = x + u * sx;
                        const jint cy = y + v * sy;
                        const jint distance = approxDistance(cx - rx, cy - ry);
                        if (distance < best) {
                            best = distance;
                            bestX = cx;
                            bestY = cy;
                        }
                    }
                }
                x = bestX;
                y = bestY;
            } else {
                x += ex * sx;
                y += ey * sy;
            }
            const jint line = p->linePosition;
            if (rx <= kDeepBallX && p->role == kMidfielderRole && (line == 2 || line == 3 || line == 5)) {
                x -= kDropBack;
            }
        }
    }
    if (possession != kNoBall) {
        if (rx < kOwnHalfBallX && x >= kCapFromX) {
            x = kCapDeep;
        } else if (rx < kMidBallX) {
            x = std::min(x, kCapMid);
        }
    }
    if (s->matchPhase == kOpenPlay && possession == kHasBall) {
        const bool lateral = (p->shapeCellY >= kLateralY && lateralFlag == 1) ||
                             (p->shapeCellY <= -kLateralY && lateralFlag == 0);
        if (p->role != kDefenderRole && x >= rx - kBackOffBall && lateral) {
            y = p->shapeCellY;
        }
        if (p->role == kAttackerRole) {
            x = std::min(x, offsideLineCell - 1);
        }
    }
    if (possession == kNoBall && (s->keeperHoldsBall != 0 || s->matchPhase == kGoalKickPhase)) {
        const CPlayer* const first = teamPlayer(opponent, findNextFreePlayer(1 - teamIndex, 2, 10, 1));
        if (first != nullptr && x >= -first->taskCellX) {
            x = -first->taskCellX - 1;
        }
    }
    if (!tryPlacePlayer(i, x, y, 1) && s->matchPhase != kOpenPlay) {
        tryPlacePlayer(i, x, y, 0);
    }
}

void CTeam::placeGoalkeeper() {
    const GameStatics* const s = statics();
    if (newOrders != nullptr && newOrders->length > 0) {
        (*newOrders)[0] = 1;
    }
    CPlayer* const keeper = teamPlayer(this, CPlayer::kKeeperSlot);
    if (keeper == nullptr) {
        return;
    }
    if (s->phaseTeam != teamIndex) {
        // His own goal lies at -x in the team's view.
        keeper->targetX = orientX(-(s->matchPhase == kPenaltyPhase ? kKeeperPenaltyX : kKeeperLineX));
        keeper->targetY = 0;
    } else {
        updateKeeperTarget();
    }
    keeper->plannedTask = kKeeperTask;
}

void CTeam::refreshOrders(const jint /*first*/) {
    for (jint i = kFirstOutfield; i <= kLastOnPitch; ++i) {
        CPlayer* const p = teamPlayer(this, i);
        if (!onPitch(p) || newOrders == nullptr || !newOrders->inBounds(i)) {
            continue;
        }
        if (p->plannedTask == 0) {
            choosePlayerCell(i);
        }
        jboolean fresh = 0;
        if (p->task != p->plannedTask) {
            fresh = 1;
        } else if (p->task == kRunTask || p->task == kTask5 || p->task == kCloseDownTask) {
            fresh = 0;
        } else if (p->task == kMarkTask) {
            fresh = p->taskPlayer != p->currentTaskPlayer ? 1 : 0;
        } else {
            fresh = p->taskCellX != p->currentCellX || p->taskCellY != p->currentCellY ? 1 : 0;
        }
        (*newOrders)[i] = fresh;
        if (fresh != 0 && intPerPlayer != nullptr && intPerPlayer->inBounds(i)) {
            (*intPerPlayer)[i] = 0;
        }
    }
}

} // namespace game::match
