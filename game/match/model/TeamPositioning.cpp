// Team positioning: free cells for players in the zone grid, which player takes a cell or goes for
// the ball, closing down and marking, whether a player keeps moving towards his zone target, the
// survey of the opponents around the ball holder and the grade of a pass.
#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"

namespace game::match {

using core::approxDistance;
using runtime::BoolArray;
using runtime::IntArray;

namespace {

constexpr jint kOpenPlay = 0;
constexpr jint kGoalKickPhase = 4;
constexpr jint kHasBall = 1;
constexpr jint kNoBall = -1;
constexpr jint kFirstOutfield = 1;
constexpr jint kLastOnPitch = 10;
// The zone grid: 21 cells a column of x, the centre spot at 346.
constexpr jint kGridColumnCells = 21;
constexpr jint kGridCentre = 346;
// Ring search: half side of the largest ring in open play and during restarts.
constexpr jint kOpenPlayRings = 8;
constexpr jint kRestartRings = 16;
// Planned tasks: none, hold, the keeper's own, closing down, marking, a run the marking skips.
constexpr jint kNoTask = 0;
constexpr jint kRunTask = 1;
constexpr jint kCloseDownTask = 7;
constexpr jint kMarkTask = 8;
constexpr jint kHoldTask = 12;
constexpr jint kKeeperFreeTask = 14;
// Only players nearer than this count (cells, and the same in pitch units).
constexpr jint kNearestCells = 120;
constexpr jint kNearestUnits = 983040;
// The keeper may go for a ball this deep and central.
constexpr jint kKeeperBallCellX = -12;
constexpr jint kKeeperBallCellY = 3;
// Closing down reaches this far (octagonal, pitch units, exclusive); an opponent in his own
// half (own-view cell x below this) is left alone unless dangerous or the target.
constexpr jint kCloseDownReach = 15361;
constexpr jint kMarkFromCellX = 1;
// keepsFormation: a move waits for a tick that is a multiple of this; a player this far from
// the ball and its target point always goes on.
constexpr jint kMoveWaitTicks = 20;
constexpr jint kFarFromBall = 24576;
constexpr jint kDistanceMask = ~255;
constexpr jint kHalfTurn = 4;
constexpr jint kDirections = 8;
// analyseHolder: distances in steps of 256; pressure within 64 and 32, near within 129.
constexpr jint kSurveyShift = 8;
constexpr jint kPressureSteps = 64;
constexpr jint kHighPressureSteps = 32;
constexpr jint kNearSteps = 129;
constexpr jint kMaxSurveyPairs = 10;
constexpr jint kFineFinal = 13;
constexpr jint kFineBox = 11;
constexpr jint kFineAttack = 7;
constexpr jint kCentralCells = 5;
constexpr jint kDecidingWide = 4;
constexpr jint kWideFrom = 5;
constexpr jint kWideTo = 8;
constexpr jint kAttackerWideX = 8;
constexpr jint kDeepCellX = -4;
constexpr jint kBoxWideX = 13;
constexpr jint kBoxWideLeft = -5;
constexpr jint kBoxWideRight = 6;
constexpr jint kBoxEdgeX = 10;
constexpr jint kBoxEdgeY = 4;
constexpr jint kMidfielderRole = 2;
constexpr jint kAttackerRole = 3;
// ratePassTarget: grades, angle bands (degrees), distance margins (pitch units).
constexpr jint kClearGrade = 3;
constexpr jint kBlockedGrade = 0;
constexpr jint kLongPass = 49153;
constexpr jint kAngleBlocked = 16;
constexpr jint kAngleTight = 31;
constexpr jint kAngleNear = 45;
constexpr jint kAngleWide = 61;
// The same bands the other way round (angles near 360).
constexpr jint kAngleBlockedWrap = 345;
constexpr jint kAngleTightWrap = 330;
constexpr jint kAngleNearWrap = 315;
constexpr jint kAngleWideWrap = 300;
// Margins: short and long pass, by zone and direction; a forward pass has less.
constexpr jint kLongMargin = 8192;
constexpr jint kAcrossMargin = 4096;
constexpr jint kAcrossLongMargin = 12288;
constexpr jint kBackMargin = 8192;
constexpr jint kBackLongMargin = 16384;
constexpr jint kDefenceExtra = 4096;
constexpr jint kOwnBoxExtra = 8192;
constexpr jint kForwardLess = 2048;
constexpr jint kReach = 8192;
constexpr jint kTightReach = 4096;
constexpr jint kBlockReach = 2048;
constexpr jint kDefensiveZone = 5;
constexpr jint kOwnBoxZone = 6;
constexpr jint kMiddleZone = 4;

bool onPitch(const CPlayer* const p) {
    return p != nullptr && p->outOfPlay == 0;
}

bool isFree(const CTeam* const team, const jint cx, const jint cy) {
    const runtime::ByteArray* const grid = team->zoneGrid;
    const jint at = cx * kGridColumnCells + cy + kGridCentre;
    return grid != nullptr && grid->inBounds(at) && (*grid)[at] == 0;
}

jint playerSlot(const CTeam* const team, const CPlayer* const p) {
    return p != nullptr && p->team == team ? p->slot : -1;
}

// The fine zone of the holder's cell: by depth, central (|cy| <= 5) or wide; 8 in the own half.
jint fineZone(const jint cx, const jint cy) {
    const bool central = cy >= -kCentralCells && cy <= kCentralCells;
    if (cx < 0) {
        return 8;
    }
    const jint depth = cx >= kFineFinal ? 0 : cx >= kFineBox ? 1 : cx >= kFineAttack ? 2 : 3;
    return central ? depth + 4 : depth;
}

} // namespace

bool CTeam::tryPlacePlayer(const jint i, const jint cx, const jint cy, const jboolean checkZone) {
    const CPlayer* const p = teamPlayer(this, i);
    if (p == nullptr) {
        return false;
    }
    if (!isCellOnPitch(cx, cy)) {
        setPlayerZoneTarget(i, p->homeCellX, p->homeCellY);
        return false;
    }
    if (isFree(this, cx, cy) && (checkZone == 0 || isPointInPlayerZone(i, cx, cy))) {
        setPlayerZoneTarget(i, cx, cy);
        return true;
    }
    const GameStatics* const s = statics();
    const jint rings = s->matchPhase != kOpenPlay ? kRestartRings : kOpenPlayRings;
    const bool behindLine = s->matchPhase == kGoalKickPhase && possession != kHasBall;
    auto accepts = [&](const jint x, const jint y) {
        return isCellOnPitch(x, y) && isFree(this, x, y) &&
               (checkZone == 0 || isPointInPlayerZone(i, x, y)) && (!behindLine || x < offsideLineCell);
    };
    for (jint r = 1; r <= rings; ++r) {
        // Clockwise round the square of half side r from its top middle: r cells towards +x,
        // 2r towards +y, 2r towards -x, 2r towards -y and r towards +x, back to the start.
        const jint legs[5][3] = {{1, 0, r}, {0, 1, 2 * r}, {-1, 0, 2 * r}, {0, -1, 2 * r}, {1, 0, r - 1}};
        jint x = cx;
        jint y = cy - r;
        if (accepts(x, y)) {
            setPlayerZoneTarget(i, x, y);
            return true;
        }
        for (const auto& leg : legs) {
            for (jint k = 0; k < leg[2]; ++k) {
                x += leg[0];
                y += leg[1];
                if (accepts(x, y)) {
                    setPlayerZoneTarget(i, x, y);
                    return true;
                }
            }
        }
    }
    setPlayerZoneTarget(i, cx, cy);
    return false;
}

namespace {
// The index of the player (from 0, or 1 without the keeper, to 10) on the pitch that `counts`
// and whose `distance` is smallest below limit, the keeper's halved; the lower index on a tie.
template <typename Counts, typename Distance>
jint nearestOnPitch(const CTeam* const team, const jboolean skipKeeper, const jint limit, const jint none,
                    Counts counts, Distance distance) {
    jint best = none;
    jint bestDistance = limit;
    for (jint i = skipKeeper != 0 ? kFirstOutfield : 0; i <= kLastOnPitch; ++i) {
        const CPlayer* const p = teamPlayer(team, i);
        if (!onPitch(p) || !counts(p)) {
            continue;
        }
        jint d = distance(p);
        if (i == CPlayer::kKeeperSlot) {
            d /= 2;
        }
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}
} // namespace

jint CTeam::findPlayerForCell(const jint cx, const jint cy, const jboolean skipKeeper) const {
    const bool restart = statics()->matchPhase != kOpenPlay;
    auto free = [&](const CPlayer* const p) {
        const jint task = p->plannedTask;
        return task == kNoTask || task == kKeeperFreeTask || (restart && task == kHoldTask);
    };
    auto cellDistance = [&](const CPlayer* const p) { return approxDistance(p->cellX - cx, p->cellY - cy); };
    return nearestOnPitch(this, skipKeeper, kNearestCells, 0, free, cellDistance);
}

jint CTeam::findNearestPlayerTo(const jint x, const jint y, const jboolean skipKeeper) const {
    auto any = [](const CPlayer* /*p*/) { return true; };
    auto pitchDistance = [&](const CPlayer* const p) { return approxDistance(p->x - x, p->y - y); };
    return nearestOnPitch(this, skipKeeper, kNearestUnits, -1, any, pitchDistance);
}

jint CTeam::findNearestOutfieldPlayer(const jint x, const jint y) const {
    const match::Actor* const ball = statics()->ball;
    const jint ballX = ball != nullptr ? toCell(ball->x) : 0;
    const bool ballLow = ball != nullptr && ball->y < 0;
    auto preferred = [&](const CPlayer* const p) { return p->cellX <= ballX && (p->y < 0) == ballLow; };
    jint best = -1;
    jint bestDistance = 0;
    for (jint i = kFirstOutfield; i <= kLastOnPitch; ++i) {
        const CPlayer* const p = teamPlayer(this, i);
        if (!onPitch(p)) {
            continue;
        }
        const jint d = approxDistance(p->x - x, p->y - y);
        if (best < 0 || d < bestDistance ||
            (d == bestDistance && preferred(p) && !preferred(teamPlayer(this, best)))) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

jint CTeam::choosePlayerForBall() const {
    const GameStatics* const s = statics();
    const jint receiver = playerSlot(this, s->receivingPlayer);
    if (receiver >= 0) {
        return receiver;
    }
    const CPlayer* const first =
        teamIndex == 0 || teamIndex == 1 ? s->firstAttacker[teamIndex].get() : static_cast<CPlayer*>(nullptr);
    if (first != nullptr && first != s->lastTouchPlayer.get()) {
        return first->slot;
    }
    if (s->designatedPlayer >= 0 && possession == kHasBall) {
        return s->designatedPlayer;
    }
    const CPlayer* const holder = s->ballHolder;
    const match::Actor* const ball = s->ball;
    if (holder == nullptr && ball == nullptr) {
        return -1;
    }
    const jint x = holder != nullptr ? holder->x : ball->aimX;
    const jint y = holder != nullptr ? holder->y : ball->aimY;
    const CPlayer* const last = s->lastTouchPlayer;
    const jint ballCx = ball != nullptr ? toCell(ball->x) : 0;
    const jint ballCy = ball != nullptr ? toCell(ball->y) : 0;
    const bool keeperMayGo = possession == kHasBall && (last == nullptr || last->team == this) &&
                             ballCx < kKeeperBallCellX && ballCy >= -kKeeperBallCellY &&
                             ballCy <= kKeeperBallCellY;
    return findNearestPlayerTo(x, y, keeperMayGo ? 0 : 1);
}

void CTeam::assignMarking() {
    GameStatics* const s = statics();
    CPlayer* const target = s->ballHolder.get() != nullptr ? s->ballHolder.get() : s->receivingPlayer.get();
    const CPlayer* const holder = s->ballHolder;
    for (jint j = kFirstOutfield; j <= kLastOnPitch; ++j) {
        CPlayer* const o = teamPlayer(opponent, j);
        if (o != nullptr) {
            o->closedDown = 0;
            o->markedFlag = 0;
        }
        CPlayer* const own = teamPlayer(this, j);
        if (own != nullptr && own->plannedTask == kMarkTask) {
            own->plannedTask = kNoTask;
        }
    }
    s->someoneClosesDown = 0;
    s->someoneMarks = 0;
    const CPlayer* lastConsidered = nullptr;
    auto mark = [&](const jint i, CPlayer* const own, CPlayer* const o, const jint j, const bool ofTarget) {
        own->plannedTask = kMarkTask;
        own->taskPlayer = j;
        own->marksTarget = ofTarget ? 1 : 0;
        tryPlacePlayer(i, -o->cellX, -o->cellY, ofTarget ? 1 : 0);
        o->markedFlag = 1;
        s->someoneMarks = 1;
    };
    for (jint i = 0; i <= kLastOnPitch; ++i) {
        CPlayer* const own = teamPlayer(this, i);
        if (!onPitch(own) || (own->plannedTask == kRunTask && holder == nullptr)) {
            continue;
        }
        for (jint j = kLastOnPitch; j >= kFirstOutfield; --j) {
            CPlayer* const o = teamPlayer(opponent, j);
            if (!onPitch(o)) {
                continue;
            }
            lastConsidered = o;
            const bool dangerous = o->dangerous != 0;
            if (own->plannedTask == kMarkTask && o != target && !dangerous) {
                continue;
            }
            // His cell is kept in his team's view; this team sees it turned half round.
            const bool nearZone = own->canMark != 0 && isPlayerNearCell(i, -o->cellX, -o->cellY);
            if (o->closedDown != 0) {
                if (o == target && nearZone) {
                    mark(i, own, o, j, true);
                }
                continue;
            }
            if (!nearZone || (!dangerous && o != target && o->cellX < kMarkFromCellX)) {
                continue;
            }
            if (approxDistance(own->x - o->x, own->y - o->y) < kCloseDownReach &&
                (o == holder || dangerous)) {
                own->plannedTask = kCloseDownTask;
                own->markedSlot = j;
                o->closedDown = 1;
                o->closingPlayer = i;
                s->someoneClosesDown = 1;
                const match::Actor* const ball = s->ball;
                if (ball != nullptr) {
                    tryPlacePlayer(i, toCell(ball->x), toCell(ball->y), 0);
                }
                break;
            }
            const bool busy =
                own->plannedTask == kCloseDownTask || own->plannedTask == kMarkTask || o->markedFlag != 0;
            if ((busy && !dangerous) || o == holder) {
                continue;
            }
            mark(i, own, o, j, false);
        }
    }
    if (s->someoneMarks != 0 && target != nullptr && lastConsidered == target) {
        target->closedDown = s->someoneClosesDown;
    }
}

bool CTeam::keepsFormation(const jint i) {
    IntArray* const holdCountdown = intPerPlayer;
    BoolArray* const moveFlag = flagPerPlayer;
    const CPlayer* const p = teamPlayer(this, i);
    const GameStatics* const s = statics();
    const match::Actor* const ball = s->ball;
    if (p == nullptr || ball == nullptr || holdCountdown == nullptr || moveFlag == nullptr ||
        !holdCountdown->inBounds(i) || !moveFlag->inBounds(i)) {
        return false;
    }
    if ((*holdCountdown)[i] != 0) {
        (*holdCountdown)[i] -= 1;
        return false;
    }
    if ((*moveFlag)[i] != 0 && s->matchTicks % kMoveWaitTicks == 0) {
        return false;
    }
    (*moveFlag)[i] = 0;
    const jint toAim = approxDistance(ball->aimX - p->x, ball->aimY - p->y) & kDistanceMask;
    const jint toBall = p->distanceToBall & kDistanceMask;
    if (toAim > kFarFromBall && toBall > kFarFromBall) {
        return true;
    }
    const jint tx = fromCell(p->taskCellX);
    const jint ty = fromCell(p->taskCellY);
    const jint d = orientDirection(directionFromVector(tx - p->x, ty - p->y));
    const bool backward =
        (possession == kHasBall && d >= 5 && d <= 7) || (possession == kNoBall && d >= 1 && d <= 3);
    const jint ballCx = toCell(ball->x);
    const jint cx = toCell(p->x);
    const bool level = !(possession == kHasBall && cx < ballCx) && !(possession == kNoBall && cx > ballCx);
    if (backward && level && pointsOnOppositeSides(ball->x, ball->y, p->x, p->y, tx, ty)) {
        (*moveFlag)[i] = 1;
        return false;
    }
    if (!(backward && !level)) {
        const jint e = ((d - orientDirection(p->direction) + 3) & (kDirections - 1)) - 3;
        const bool queueEmpty =
            queueLengths == nullptr || !queueLengths->inBounds(i) || (*queueLengths)[i] == 0;
        if (queueEmpty || (e >= -1 && e <= 1)) {
            return true;
        }
    }
    (*moveFlag)[i] = 1;
    return false;
}

void CTeam::analyseHolder(CPlayer* const holder) {
    GameStatics* const s = statics();
    if (holder == nullptr) {
        return;
    }
    forwardPressure = 0;
    for (jint j = kFirstOutfield; j <= kLastOnPitch; ++j) {
        const CPlayer* const o = teamPlayer(opponent, j);
        if (!onPitch(o)) {
            continue;
        }
        const jint dx = o->x - holder->x;
        const jint dy = o->y - holder->y;
        const jint e = approxDistance(dx, dy) >> kSurveyShift;
        const jint d = orientDirection(directionFromVector(dx, dy));
        // Ten pairs fill table20; a second survey in one tick writes no further.
        const jint n = s->holderOpponentCount;
        if (n >= 0 && n < kMaxSurveyPairs && table20 != nullptr && table20->length >= 2 * (n + 1)) {
            (*table20)[2 * n] = d;
            (*table20)[2 * n + 1] = e;
            s->holderOpponentCount = n + 1;
        }
        if (e < kPressureSteps) {
            (*flags8a)[d] = 1;
            if (pressureLevel == 0) {
                pressureLevel = 1;
            }
            if (d >= 1 && d <= 3) {
                forwardPressure = 1;
            }
            if (e < kHighPressureSteps) {
                (*flags8b)[d] = 1;
                pressureLevel = 2;
            }
        }
        if (e < kNearSteps) {
            nearOpponents += 1;
            (*flags8c)[d] = 1;
        }
    }
    const jint cx = toCell(holder->x);
    const jint cy = toCell(holder->y);
    holder->cellX = cx;
    holder->cellY = cy;
    s->holderZone = zoneOfCell(cx, cy);
    s->holderZoneFine = fineZone(cx, cy);
    const jint across = absInt(cy);
    inShootingZone = isInShootingZone(holder->x, holder->y) ? 1 : 0;
    widePlay = deciding == kDecidingWide || (across > kWideFrom && across < kWideTo) ||
                       (holder->role == kAttackerRole && cx >= kAttackerWideX) ||
                       (holder->role == kMidfielderRole && cx >= 0)
                   ? 1
                   : 0;
    holderFlag3 = cx < kDeepCellX ? 1 : 0;
    wideLeftOfBox = cx >= kBoxWideX && cy < kBoxWideLeft ? 1 : 0;
    wideRightOfBox = cx >= kBoxWideX && cy >= kBoxWideRight ? 1 : 0;
    edgeOfBox = cx == kBoxEdgeX && cy >= -kBoxEdgeY && cy <= kBoxEdgeY ? 1 : 0;
    command5Param = -1;
}

jint CTeam::ratePassTarget(const CPlayer* const passer, const jint x, const jint y,
                           const jboolean checkAngleOnly) const {
    if (passer == nullptr) {
        return kBlockedGrade;
    }
    jint g = kClearGrade;
    const jint dx = x - passer->x;
    const jint dy = y - passer->y;
    const jint D = approxDistance(dx, dy);
    const jint p = orientDirection(directionFromVector(dx, dy));
    const jint z = zoneOfCell(toCell(x), toCell(y));
    const bool longPass = D >= kLongPass;
    jint m = longPass ? kLongMargin : 0;
    if (z >= kMiddleZone && z <= kOwnBoxZone) {
        if (p == 0 || p == kHalfTurn) {
            m = longPass ? kAcrossLongMargin : kAcrossMargin;
        } else if (p >= 5 && p <= 7) {
            m = longPass ? kBackLongMargin : kBackMargin;
        }
        m += z == kDefensiveZone ? kDefenceExtra : z == kOwnBoxZone ? kOwnBoxExtra : 0;
    }
    if (p >= 1 && p <= 3) {
        m -= kForwardLess;
    }
    const jint targetAngle = angleFromDelta(dx, dy);
    for (jint j = kFirstOutfield; j <= kLastOnPitch; ++j) {
        const CPlayer* const o = teamPlayer(opponent, j);
        if (!onPitch(o)) {
            continue;
        }
        const jint ox = o->x - passer->x;
        const jint oy = o->y - passer->y;
        const jint E = approxDistance(ox, oy);
        const jint A = absInt(angleFromDelta(ox, oy) - targetAngle);
        if (checkAngleOnly != 0) {
            if (E <= D) {
                if (A < kAngleBlocked) {
                    return kBlockedGrade;
                }
                if (A < kAngleTight) {
                    g = std::min(g, 1);
                } else if (A <= kAngleNear) {
                    g = std::min(g, 2);
                }
            }
            continue;
        }
        if (E > D + m + kReach) {
            continue;
        }
        if (A <= kAngleNear || A >= kAngleNearWrap) {
            // Near the line of the pass: blocked when close enough, else the grade drops.
            const bool tight = (A < kAngleTight || A >= kAngleTightWrap) && E <= D + m + kTightReach;
            if (tight) {
                if (z >= kDefensiveZone) {
                    return kBlockedGrade;
                }
                if ((A < kAngleBlocked || A >= kAngleBlockedWrap) && E <= D + m + kBlockReach) {
                    return kBlockedGrade;
                }
            }
            g = std::min(g, !tight && z < kDefensiveZone ? 2 : 1);
        } else if ((A < kAngleWide || A >= kAngleWideWrap) && z >= kDefensiveZone) {
            g = std::min(g, 2);
        }
    }
    return g == kClearGrade ? -1 : g;
}

} // namespace game::match
