// The phase planner: at the start of each match phase a team hands out its players' planned tasks
// and task cells (the wall, the taker and his supporters, markers, box runners, the rest by the
// team shape); and the points at which a marker stands and a player closing down meets his man.
#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/MatchView.h"
#include "runtime/Log.h"

namespace game::match {

using core::approxDistance;
using core::directionToVector;
using core::randomRange;

namespace {

constexpr jint kThrowInPhase = 3;
constexpr jint kGoalKickPhase = 4;
constexpr jint kCornerPhase = 5;
constexpr jint kFreeKickPhase = 6;
constexpr jint kDirectFreeKickPhase = 7;
constexpr jint kPenaltyPhase = 8;
constexpr jint kShootOutPeriod = 5;
constexpr jint kHasBall = 1;
constexpr jint kNoBall = -1;
constexpr jint kFirstOutfield = 1;
constexpr jint kLastOnPitch = 10;
// Planned tasks.
constexpr jint kNoTask = 0;
constexpr jint kBoxRunTask = 4;
constexpr jint kMarkTask = 8;
constexpr jint kTakerTask = 9;
constexpr jint kSupportTask = 10;
constexpr jint kWallTask = 11;
constexpr jint kHoldTask = 12;
constexpr jint kFreeKickTask = 22;
constexpr jint kCautiousKickTask = 28;
constexpr jint kLastChanceKickTask = 29;
constexpr jint kStandAsideTask = -1;
// Phase steps: the kicker's turn; the opponent answers supporters below step 4; the wall forms
// from step 5; the players hold at steps 3 and 4.
constexpr jint kKickerStep = 1;
constexpr jint kHoldStepFirst = 3;
constexpr jint kHoldStepLast = 4;
constexpr jint kAnswerBeforeStep = 4;
constexpr jint kWallFromStep = 5;
// Claims in the zone grid: around a free kick, a wall player, any other restart.
constexpr jint kFreeKickRadius = 4;
constexpr jint kWallRadius = 2;
constexpr jint kRestartRadius = 1;
// The penalty area's cells at the end where a penalty is taken.
constexpr jint kBoxCellNear = 11;
constexpr jint kBoxCellFar = 16;
constexpr jint kBoxCellWidth = 6;
constexpr jint kGridRowCells = 21;
constexpr jint kGridCentre = 346;
// Supporters stay within these cells.
constexpr jint kSupportMaxX = 14;
constexpr jint kSupportMaxY = 8;
constexpr jint kThrowInSpread = 2;
// Marking: opponents from cell 8 on (their view) get a marker.
constexpr jint kDangerCell = 8;
// Box runners: five, the last on the box's centre line at this x (cell 11).
constexpr jint kBoxRunners = 5;
constexpr jint kLastRowCell = 16;
constexpr jint kDeepestRunCell = 15;
constexpr jint kBoxCentreX = 91648;
// Yellow and red bookings.
constexpr jint kOneBooking = 1;
constexpr jint kSentOffBookings = 2;
// Marking points: the goal line x, the goal the opponent attacks, the steps.
constexpr jint kGoalLineX = 133120;
constexpr jint kAttackedGoalX = 135168;
constexpr jint kCellStepShift = 5;
constexpr jint kGoalSideStep = 1280;
constexpr jint kTowardsCellStep = 12800;
// interceptPoint: ticks ahead, the still man's step and the side step.
constexpr jint kTicksAcross = 7;
constexpr jint kTicksAhead = 5;
constexpr jint kStillStep = 2048;
constexpr jint kStillHoldingStep = 4096;
constexpr jint kSideStep = 2048;
constexpr jint kFrontStep = 1280;

bool onPitch(const CPlayer* const p) {
    return p != nullptr && p->outOfPlay == 0;
}

void setNewOrders(CTeam* const team, const jint i, const jboolean value) {
    if (team != nullptr && team->newOrders != nullptr && team->newOrders->inBounds(i)) {
        (*team->newOrders)[i] = value;
    }
}

// The cell step of direction d (0..7) from the directionSteps table.
jint stepX(const jint d) {
    const runtime::IntArray* const steps = statics()->directionSteps;
    return steps != nullptr && steps->inBounds(d + 2) ? (*steps)[d + 2] : 0;
}
jint stepY(const jint d) {
    const runtime::IntArray* const steps = statics()->directionSteps;
    return steps != nullptr && steps->inBounds(d) ? (*steps)[d] : 0;
}

} // namespace

void CTeam::planPhase() {
    GameStatics* const s = statics();
    updatePlayerCells();
    planningNeeded = 0;
    ballCellX = toCell(s->phaseX);
    ballCellY = toCell(s->phaseY);
    const jint phase = s->matchPhase;
    if (phase != kGoalKickPhase) {
        computeShape(ballCellX, ballCellY);
    }
    placeGoalkeeper();
    clearZoneGrid();
    const jint claim = teamIndex + 1;
    if (phase == kFreeKickPhase || phase == kDirectFreeKickPhase) {
        markZoneGrid(ballCellX, ballCellY, kFreeKickRadius, claim);
    } else if (phase == kPenaltyPhase) {
        const bool taking = s->phaseTeam == teamIndex;
        const jint x0 = taking ? kBoxCellNear : -kBoxCellFar;
        const jint x1 = taking ? kBoxCellFar : -kBoxCellNear;
        for (jint cx = x0; cx <= x1 && zoneGrid != nullptr; ++cx) {
            for (jint cy = -kBoxCellWidth; cy <= kBoxCellWidth; ++cy) {
                const jint at = cx * kGridRowCells + cy + kGridCentre;
                if (zoneGrid->inBounds(at)) {
                    (*zoneGrid)[at] = runtime::i2b((*zoneGrid)[at] | claim);
                }
            }
        }
    } else {
        markZoneGrid(ballCellX, ballCellY, kRestartRadius, claim);
    }
    for (jint i = 0; i <= kLastOnPitch; ++i) {
        if (CPlayer* const p = teamPlayer(this, i)) {
            p->plannedTask = kNoTask;
        }
    }

    // The wall: counted down from slot 10 among the players still on the pitch; when fewer are
    // left than the wall asks for, all of them stand in it.
    if ((phase == kFreeKickPhase || phase == kDirectFreeKickPhase) && s->phaseStep >= kWallFromStep &&
        possession == kNoBall) {
        jint left = s->wallSize;
        for (jint i = kLastOnPitch; i >= kFirstOutfield && left > 0; --i) {
            CPlayer* const p = teamPlayer(this, i);
            if (!onPitch(p)) {
                continue;
            }
            p->plannedTask = kWallTask;
            markZoneGrid(toCell(p->x), toCell(p->y), kWallRadius, claim);
            --left;
        }
    }

    CPlayer* const taker = s->restartActor;
    if (s->phaseStep != kKickerStep) {
        if (s->phaseTeam == teamIndex && taker != nullptr) {
            taker->plannedTask = kTakerTask;
        }
        if (possession == kHasBall && phase != kPenaltyPhase) {
            if (taker == nullptr) {
                runtime::log("planPhase: no restart taker to support");
            } else {
                const jint d0 = orientDirection(taker->direction);
                const jint count = phase == kThrowInPhase ? kThrowInSpread + 1 : 1;
                for (jint n = count - 1; n >= 0; --n) {
                    const jint d = (d0 - n) & 7;
                    const jint cx = std::clamp(ballCellX + stepX(d), -kSupportMaxX, kSupportMaxX);
                    const jint cy = std::clamp(ballCellY + stepY(d), -kSupportMaxY, kSupportMaxY);
                    const jint k = findPlayerForCell(cx, cy, 1);
                    CPlayer* const supporter = teamPlayer(this, k);
                    if (supporter == nullptr) {
                        continue;
                    }
                    supporter->plannedTask = kSupportTask;
                    tryPlacePlayer(k, cx, cy, 0);
                    if (s->phaseStep < kAnswerBeforeStep && opponent != nullptr) {
                        const jint j = opponent->findPlayerForCell(cx, cy, 1);
                        if (CPlayer* const answer = teamPlayer(opponent, j)) {
                            answer->taskCellX = -supporter->taskCellX;
                            answer->taskCellY = -supporter->taskCellY;
                            answer->plannedTask = kSupportTask;
                            setNewOrders(opponent, j, 1);
                        }
                    }
                }
            }
        } else {
            for (jint i = kLastOnPitch; i >= kFirstOutfield; --i) {
                const CPlayer* const o = teamPlayer(opponent, i);
                if (!onPitch(o) || o == taker || o->cellX < kDangerCell) {
                    continue;
                }
                markPointGoalSide(i, 0);
                const jint cx = toCell(s->markPointX);
                const jint cy = toCell(s->markPointY);
                const jint k = findPlayerForCell(cx, cy, 1);
                if (CPlayer* const marker = teamPlayer(this, k)) {
                    marker->plannedTask = kMarkTask;
                    marker->taskPlayer = i;
                    tryPlacePlayer(k, cx, cy, 0);
                }
            }
        }
    }

    CPlayer* const fouler = s->foulPlayer;
    if (s->phaseStep == kKickerStep && fouler != nullptr && fouler->team == this) {
        if (phase == kDirectFreeKickPhase) {
            fouler->plannedTask = fouler->bookings == kSentOffBookings ? kLastChanceKickTask
                                  : fouler->bookings != kOneBooking || s->phaseTeam == teamIndex
                                      ? kFreeKickTask
                                      : kCautiousKickTask;
        } else if (phase == kPenaltyPhase && s->matchPeriod != kShootOutPeriod) {
            fouler->plannedTask = kFreeKickTask;
        }
    }

    if ((phase == kCornerPhase || (phase == kDirectFreeKickPhase && ballCellX >= 1)) &&
        possession == kHasBall) {
        for (jint n = 0; n < kBoxRunners; ++n) {
            s->planCellX = offsideLineCell + 1 >= kLastRowCell
                               ? kDeepestRunCell
                               : randomRange(std::max(offsideLineCell, ballCellX), offsideLineCell + 1);
            s->planCellY = randomRange(-1, 1);
            const jint k = findPlayerForCell(s->planCellX, s->planCellY, 1);
            CPlayer* const runner = teamPlayer(this, k);
            if (runner == nullptr) {
                continue;
            }
            runner->plannedTask = kBoxRunTask;
            if (n < kBoxRunners - 1) {
                tryPlacePlayer(k, s->planCellX, s->planCellY, 0);
            } else {
                setPlayerZoneTarget(k, toCell(orientX(kBoxCentreX)), 0);
            }
        }
    }

    if (s->matchPeriod == kShootOutPeriod) {
        const CTeam* const taking = s->phaseTeamObject;
        const CPlayer* const takingKeeper =
            taking != nullptr ? teamPlayer(taking, CPlayer::kKeeperSlot) : nullptr;
        for (jint i = 0; i <= kLastOnPitch; ++i) {
            CPlayer* const p = teamPlayer(this, i);
            if (p != nullptr && p != taker && p != takingKeeper) {
                p->plannedTask = kStandAsideTask;
            }
        }
    }

    for (jint i = kFirstOutfield; i <= kLastOnPitch; ++i) {
        CPlayer* const p = teamPlayer(this, i);
        // Players sent off have no shape cell to go to; their orders stay as they are.
        if (!onPitch(p)) {
            continue;
        }
        if (p->plannedTask == kNoTask) {
            choosePlayerCell(i);
            if (s->phaseStep == kHoldStepFirst || s->phaseStep == kHoldStepLast) {
                p->plannedTask = kHoldTask;
            }
        }
        if (p->task != p->plannedTask) {
            setNewOrders(this, i, 1);
        } else if (p->task == kMarkTask) {
            setNewOrders(this, i, p->taskPlayer != p->currentTaskPlayer ? 1 : 0);
        } else if (p->task != kWallTask) {
            setNewOrders(this, i, p->taskCellX != p->currentCellX || p->taskCellY != p->currentCellY ? 1 : 0);
        }
    }
}

void CTeam::markPointGoalSide(const jint i, const jint cells) const {
    GameStatics* const s = statics();
    const CPlayer* const o = teamPlayer(opponent, i);
    if (o == nullptr) {
        return;
    }
    s->markPointX = o->x;
    s->markPointY = o->y;
    const jint goalX = opponent->sideFlag != 0 ? kAttackedGoalX : -kAttackedGoalX;
    jint d = directionFromVector(goalX - o->x, -o->y);
    const CPlayer* const own = teamPlayer(this, i);
    const bool onBall = o == s->receivingPlayer.get() || o == s->ballHolder.get();
    if (onBall && own != nullptr && own->direction >= 1 && own->direction <= 3) {
        d = o->direction;
    }
    if (cells != 0) {
        setMoveTarget(cells << kCellStepShift, sideFlag != 0 ? -kGoalLineX : kGoalLineX, 0, s->markPointX,
                      s->markPointY);
        s->markPointX = s->linePointX;
        s->markPointY = s->linePointY;
    } else {
        directionToVector(kGoalSideStep, d);
        s->markPointX += s->vectorX;
        s->markPointY += s->vectorY;
    }
}

void CTeam::markPointTowardsGoal(const jint i, const jint steps) const {
    GameStatics* const s = statics();
    const CPlayer* const o = teamPlayer(opponent, i);
    if (o == nullptr) {
        return;
    }
    setMoveTarget(steps, sideFlag != 0 ? -kGoalLineX : kGoalLineX, 0, o->x, o->y);
    s->markPointX = s->linePointX;
    s->markPointY = s->linePointY;
}

void CTeam::markPointTowardsCell(const jint cx, const jint cy, const jint i) const {
    GameStatics* const s = statics();
    const CPlayer* const o = teamPlayer(opponent, i);
    if (o == nullptr) {
        return;
    }
    directionToVector(kTowardsCellStep, directionFromVector(ballCellX - cx, ballCellY - cy));
    s->markPointX = o->x + s->vectorX;
    s->markPointY = o->y + s->vectorY;
}

void CTeam::interceptPoint(const jint i, const jint j) const {
    GameStatics* const s = statics();
    const CPlayer* const p = teamPlayer(this, i);
    const CPlayer* const o = teamPlayer(matchTeam(1 - teamIndex), j);
    if (p == nullptr || o == nullptr) {
        return;
    }
    jint r = o->direction - ((p->direction - 4) & 7);
    if (r > 4) {
        r -= 8;
    } else if (r < -3) {
        r += 8;
    }
    const jint distance = approxDistance(p->x - o->x, p->y - o->y);
    const jint speed = approxDistance(o->vx, o->vy);
    jint k = r < -1 || r > 1 ? kTicksAcross : kTicksAhead;
    if (runtime::imul(k, speed) > distance) {
        k = distance / speed + 1;
    }
    if (o == s->receivingPlayer.get()) {
        k *= 2;
    }
    if (s->interceptX == o->x + runtime::imul(k - 1, o->vx) &&
        s->interceptY == o->y + runtime::imul(k - 1, o->vy)) {
        return;
    }
    jint x = o->x + runtime::imul(k, o->vx);
    jint y = o->y + runtime::imul(k, o->vy);
    if (o->vx == 0 && o->vy == 0) {
        directionToVector(o->holding != 0 ? kStillHoldingStep : kStillStep, o->direction);
        x += s->vectorX;
        y += s->vectorY;
    }
    if (isNeighbourDirection(p->direction, o->direction)) {
        directionToVector(kSideStep, (o->direction + 2) & 7);
        const jint ax = x + s->vectorX;
        const jint ay = y + s->vectorY;
        directionToVector(kSideStep, (o->direction - 2) & 7);
        const jint bx = x + s->vectorX;
        const jint by = y + s->vectorY;
        const bool firstNearer = approxDistance(ax - p->x, ay - p->y) < approxDistance(bx - p->x, by - p->y);
        x = firstNearer ? ax : bx;
        y = firstNearer ? ay : by;
    } else {
        directionToVector(kFrontStep, o->direction);
        x += s->vectorX;
        y += s->vectorY;
    }
    s->interceptX = x;
    s->interceptY = y;
}

} // namespace game::match
