// The pass candidates: short passes, medium passes and passes into the space ahead of a
// team-mate, graded by their lanes; only the best grade survives, weighted by the passer's
// instructions and the team's tactics, and one is drawn as the pass plan.
#include <algorithm>

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/model/PlanWeights.h"
#include "game/match/model/PlayerMotion.h"
#include "game/match/team/PlanRows.h"

namespace game::match {

using core::approxDistance;
using runtime::IntArray;
using runtime::ObjectArray;

namespace {

constexpr jint kDirections = 8;
constexpr jint kCandidateInts = 4;
// Pass-lane kinds.
constexpr jint kShortLane = 0;
constexpr jint kMediumLane = 10;
// ratePassTarget's clear lane counts as grade 3.
constexpr jint kClearGrade = 3;
constexpr jint kWeight = 100;
// Holder zones: in front of the opponent's box (no backward medium pass), and the two zones in
// which instructions and tactics leave the weights alone.
constexpr jint kFrontOfGoalZone = 2;
constexpr jint kCentralAttackZone = 3;
constexpr jint kOwnBoxZone = 6;
// The passing instruction: 1 prefers short passes, 2 medium ones.
constexpr jint kPrefersShort = 1;
constexpr jint kPrefersMedium = 2;
constexpr jint kRarely = 0;
constexpr jint kOften = 2;
// A pass into space: one or two cells ahead of the receiver, never to the goal line.
constexpr jint kCell = 8192;
constexpr jint kGoalLineX = 135168;
constexpr jint kBackwards = 6;
// Plan slots the pass candidates fill or leave unavailable.
constexpr jint kPassSlot = 1;
constexpr jint kPassVariantA = 5;
constexpr jint kPassVariantB = 7;

bool isBack(const jint t) {
    return t >= 5 && t <= 7;
}

jint laneGrade(const CTeam* team, const CPlayer* p, const jint x, const jint y) {
    const jint g = team->ratePassTarget(p, x, y, 0);
    return g == -1 ? kClearGrade : g;
}

// The entry := the pass-lane test's point, grade and receiver.
void storeLane(const CTeam* team, const CPlayer* p, IntArray* entry) {
    const GameStatics* const s = statics();
    (*entry)[kCandidateX] = s->candidateX;
    (*entry)[kCandidateY] = s->candidateY;
    (*entry)[kCandidateWeight] = laneGrade(team, p, s->candidateX, s->candidateY);
    (*entry)[kCandidateSlot] = s->candidateSlot;
}

// The grade of the point xj ahead of receiver r: 0 at or beyond the goal line, when the receiver is
// not the team's nearest player to it, or when an opponent is no farther from it than the passer;
// else its lane grade as ratePassTarget gives it (-1 clear).
jint spaceGrade(const CTeam* team, const CPlayer* p, const jint xj, const jint y, const jint r) {
    if ((team->sideFlag != 0 && xj >= kGoalLineX) || (team->sideFlag == 0 && xj <= -kGoalLineX)) {
        return 0;
    }
    if (team->findNearestPlayerTo(xj, y, 1) != r) {
        return 0;
    }
    const CPlayer* const o = p->opponents != nullptr
                                 ? teamPlayer(p->opponents, p->opponents->findNearestPlayerTo(xj, y, 1))
                                 : nullptr;
    if (o != nullptr && approxDistance(xj - o->x, y - o->y) <= approxDistance(xj - p->x, y - p->y)) {
        return 0;
    }
    return team->ratePassTarget(p, xj, y, 0);
}

// The pass into space through the lane the test found: the better of the two points ahead of the
// receiver (the first clear one wins).
void storeSpace(const CTeam* team, const CPlayer* p, IntArray* entry) {
    const GameStatics* const s = statics();
    const jint cx = s->candidateX;
    const jint cy = s->candidateY;
    const jint r = s->candidateSlot;
    (*entry)[kCandidateX] = cx;
    (*entry)[kCandidateY] = cy;
    (*entry)[kCandidateSlot] = r;
    jint x[2];
    jint grade[2];
    for (jint j = 0; j < 2; ++j) {
        x[j] = team->sideFlag != 0 ? cx + kCell * (j + 1) : cx - kCell * (j + 1);
        grade[j] = spaceGrade(team, p, x[j], cy, r);
    }
    for (jint j = 0; j < 2; ++j) {
        if (grade[j] == -1) {
            (*entry)[kCandidateX] = x[j];
            (*entry)[kCandidateWeight] = kClearGrade;
            return;
        }
    }
    const jint j = grade[1] > grade[0] ? 1 : 0;
    (*entry)[kCandidateX] = x[j];
    (*entry)[kCandidateWeight] = grade[j];
}

void setUnavailable(ObjectArray* plans, const jint slot) {
    if (IntArray* const plan = planRow(plans, slot, kPlanWeight + 1); plan != nullptr) {
        (*plan)[kPlanWeight] = kUnavailable;
    }
}

} // namespace

void CTeam::preparePasses(CPlayer* const p) {
    GameStatics* const s = statics();
    s->designatedPlayer = -1;
    ObjectArray* const tables[] = {s->shortPassCandidates, s->mediumPassCandidates, s->throughPassCandidates};
    for (ObjectArray* const table : tables) {
        for (jint d = 0; d < kDirections; ++d) {
            if (p == nullptr || planRow(table, d, kCandidateInts) == nullptr) {
                return;
            }
        }
    }
    jint best = -1;
    jint bestShort = -1;
    jint bestMedium = -1;
    const bool facingBack = isBack(orientDirection(p->direction));
    const jint zone = s->holderZone;
    for (jint d = 0; d < kDirections; ++d) {
        const jint t = orientDirection(d);
        const jint turn = turnBetween(p->direction, d);
        const bool near = turn >= -2 && turn <= 2;
        if ((near || facingBack) && p->passLaneOpen(d, kShortLane)) {
            IntArray* const entry = planRow(s->shortPassCandidates, d, kCandidateInts);
            storeLane(this, p, entry);
            best = std::max(best, (*entry)[kCandidateWeight]);
            bestShort = std::max(bestShort, (*entry)[kCandidateWeight]);
        } else {
            (*planRow(s->shortPassCandidates, d, kCandidateInts))[kCandidateWeight] = 0;
        }
        const bool mediumBarred = isBack(t) && (zone == kFrontOfGoalZone || zone == kCentralAttackZone);
        if (near && !mediumBarred && p->passLaneOpen(d, kMediumLane)) {
            IntArray* const entry = planRow(s->mediumPassCandidates, d, kCandidateInts);
            storeLane(this, p, entry);
            best = std::max(best, (*entry)[kCandidateWeight]);
            bestMedium = std::max(bestMedium, (*entry)[kCandidateWeight]);
        } else {
            (*planRow(s->mediumPassCandidates, d, kCandidateInts))[kCandidateWeight] = 0;
        }
        if (near && t != kBackwards && p->passLaneOpen(d, kShortLane)) {
            IntArray* const entry = planRow(s->throughPassCandidates, d, kCandidateInts);
            storeSpace(this, p, entry);
            best = std::max(best, (*entry)[kCandidateWeight]);
        } else {
            (*planRow(s->throughPassCandidates, d, kCandidateInts))[kCandidateWeight] = 0;
        }
    }
    if (best <= 0) {
        // No open lane: no pass, and the team's pass level stays as it was.
        for (const jint slot : {kPassSlot, kPassVariantA, kPassVariantB}) {
            setUnavailable(s->ballPlans, slot);
        }
        return;
    }

    const bool adjusting = zone != kFrontOfGoalZone && zone != kOwnBoxZone;
    const jint instruction = p->effectiveInstruction3();
    for (jint d = 0; d < kDirections; ++d) {
        for (jint n = 0; n < 3; ++n) {
            IntArray* const entry = planRow(tables[n], d, kCandidateInts);
            (*entry)[kCandidateWeight] = (*entry)[kCandidateWeight] == best ? kWeight : 0;
            if ((*entry)[kCandidateWeight] != kWeight || !adjusting) {
                continue;
            }
            adjustMoveWeight(p, entry, d);
            const jint w = (*entry)[kCandidateWeight];
            if (n == 0 && instruction == kPrefersMedium && bestMedium == best) {
                (*entry)[kCandidateWeight] = 0;
            } else if (n == 1 && instruction == kPrefersShort && bestShort == best) {
                (*entry)[kCandidateWeight] = 0;
            } else if (n == 2 && p->throughBallInstruction == kRarely) {
                (*entry)[kCandidateWeight] = w >> 2;
            } else if (n == 2 && p->throughBallInstruction == kOften) {
                (*entry)[kCandidateWeight] = runtime::imul(w, 4);
            }
        }
    }
    if (adjusting) {
        for (ObjectArray* const table : tables) {
            adjustPassWeights(table);
        }
    }
    tacticLevel = best;

    const jint k = pickWeighted3(tables[0], tables[1], tables[2], kCandidateWeight);
    if (k == -1) {
        for (const jint slot : {kPassSlot, kPassVariantA, kPassVariantB}) {
            setUnavailable(s->ballPlans, slot);
        }
        return;
    }
    const IntArray* const entry = planRow(tables[k / kDirections], k % kDirections, kCandidateInts);
    if (IntArray* const plan = planRow(s->ballPlans, kPassSlot, kPlanY + 1); plan != nullptr) {
        (*plan)[kPlanKind] = kPassPlan;
        (*plan)[kPlanX] = (*entry)[kCandidateX];
        (*plan)[kPlanY] = (*entry)[kCandidateY];
    }
    if (k / kDirections == 2) {
        s->designatedPlayer = (*entry)[kCandidateSlot];
    }
    setUnavailable(s->ballPlans, kPassVariantA);
    setUnavailable(s->ballPlans, kPassVariantB);
}

} // namespace game::match
