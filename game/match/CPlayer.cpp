// CPlayer and CTeam construction: defaults, the objects' own arrays, the collector's view of their
// reference fields.
#include "game/match/CPlayer.h"

#include "game/sprites/ASprite.h"
#include "runtime/ClassTable.h"

namespace game::match {

using namespace game::sprites;

namespace {

// The team's decision weights, set by its constructor (7 rows of 8).
constexpr jint kDecisionWeights[CTeam::kWeightRows][CTeam::kDirections] = {
    {100, 100, 0, 0, 0, 0, 600, 100}, {250, 125, 0, 0, 0, 200, 400, 125}, {100, 200, 0, 600, 0, 0, 0, 0},
    {300, 125, 0, 75, 0, 250, 0, 0},  {300, 390, 80, 0, 0, 100, 0, 230},  {75, 400, 200, 0, 0, 0, 0, 100},
    {10, 400, 150, 0, 0, 0, 0, 100},
};

} // namespace

CPlayer::CPlayer() : Actor(kClassId) {
    runtime::registerRefFields(this, &team, &opponents, &stepTable, &pairA, &pairB, &trail, &sprite);
    placement = kPlacementHidden;
    animLoops = 1;
    // Each array goes into its registered field at once, so the player (kept by the caller) keeps
    // it alive through the next allocation.
    stepTable = runtime::newIntArray(kStepTableLength);
    pairA = runtime::newIntArray(kPairLength);
    pairB = runtime::newIntArray(kPairLength);
    trail = runtime::newByteArray(kTrailLength);
}

CTeam::CTeam() : Object(kClassId) {
    runtime::registerRefFields(this, &opponent, &players, &table19, &goalkeeper, &zoneGrid, &zoneBoxes,
                               &newOrders, &intPerPlayer, &flagPerPlayer, &table20, &flags8a, &flags8b,
                               &flags8c, &table8, &decisionWeights, &commandQueues, &queueLengths,
                               &keyPlayer);
    // The squad's places; the start-up loading puts the players into them.
    players = runtime::newObjectArray(kPlayers, runtime::kCPlayer);
    table19 = runtime::newIntArray(kTable19Length);
    zoneGrid = runtime::newByteArray(kZoneGridLength);
    zoneBoxes = runtime::newByteArray(kZoneBoxesLength);
    newOrders = runtime::newBoolArray(kOnPitch);
    intPerPlayer = runtime::newIntArray(kOnPitch);
    flagPerPlayer = runtime::newBoolArray(kOnPitch);
    table20 = runtime::newIntArray(kTable20Length);
    flags8a = runtime::newBoolArray(kDirections);
    flags8b = runtime::newBoolArray(kDirections);
    flags8c = runtime::newBoolArray(kDirections);
    table8 = runtime::newIntArray(kDirections);
    commandQueues = runtime::newIntArray(kCommandQueuesLength);
    queueLengths = runtime::newIntArray(kOnPitch);
    decisionWeights = runtime::newObjectArray(kWeightRows);
    for (jint row = 0; row < kWeightRows; ++row) {
        runtime::IntArray* const weights = runtime::newIntArray(kDirections);
        for (jint i = 0; i < kDirections; ++i) {
            (*weights)[i] = kDecisionWeights[row][i];
        }
        (*decisionWeights)[row] = weights;
    }
}

} // namespace game::match
