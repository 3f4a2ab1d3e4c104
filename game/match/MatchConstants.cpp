// The match engine's constant tables (see MatchConstants.h). The values are the game's own; the
// tangent table is floor(256 x tan(i degrees)) worked out once in double precision.
#include "game/match/MatchConstants.h"

#include <iterator>

#include "game/core/GameStatics.h"
#include "game/core/StaticTables.h"

namespace game::match {

using namespace game::core;

namespace {

using runtime::jint;

constexpr jint kPairLength = 4;

// kickPower's start value, then the launch constants G0, G1, G2, L3..L8.
constexpr jint kMatchTiming[] = {0, 120, 60, 64, 20, 50, 64, 30, 20, 64};
constexpr jint kMatchScaleMid = 50;
constexpr jint kPitchRowBase = 835;
constexpr jint kPitchRowStep = 64;
constexpr jint kPitchRowValues[] = {21, 20};
constexpr jint kFormationLineCount = 4;
constexpr jint kNoValue = -1;

} // namespace

void initMatchBoxes(GameStatics* const s) {
    s->matchBox1 = intTable({-27, -101, 27, 14});
    s->matchBox2 = intTable({-5, -36, 231, 163});
    s->matchBox3 = intTable({13, -18, 13, -18});
    s->matchBox4 = intTable({-27, -261, 87, 10});
    s->matchBox5 = intTable({-87, -261, 27, 10});
    s->matchBox6 = intTable({-500, -500, 500, 500});
    s->matchBox7 = intTable({-13, -200, 354, 116});
    s->matchBox8 = intTable({-354, -276, 8, 50});
    s->matchBox9 = intTable({-409, -101, 681, 14});
    s->matchBox10 = intTable({-204, -254, 68, 90});
    s->matchValueA = 753;
    s->matchValueB = 444;
    s->matchValueC = 2420;
    s->matchValueD = 400;
    s->matchBox11 = intTable({1790, 425, 2423, 635});
    s->matchBox12 = intTable({1438, 438, 386, 791});
    s->matchBox13 = intTable({-5, -35, 52, 37});
    s->matchBox14 = intTable({0, -22, 58, 20});
    s->matchPairA = runtime::newIntArray(kPairLength);
    s->matchPairB = runtime::newIntArray(kPairLength);
    s->matchValueE = 49;
    s->matchValueF = 17;
    s->matchValueG = 576;
    s->matchValueH = 6;
    s->matchSetupFlag = 1;
    s->ballPathX = runtime::newIntArray(kBallPathLength);
    s->ballPathY = runtime::newIntArray(kBallPathLength);
    s->ballPathZ = runtime::newIntArray(kBallPathLength);
    s->ballPathBounced = runtime::newBoolArray(kBallPathLength);
    s->ballPathGrounded = runtime::newBoolArray(kBallPathLength);
    s->matchValueI = 7;
    s->matchValueJ = 3;
    s->matchList21 = runtime::newIntArray(21);
    s->matchList12 = runtime::newIntArray(12);
}

void initMatchTables(GameStatics* const s) {
    s->tanTable =
        intTable({0,   4,    8,    13,   17,   22,   26,   31,   35,   40,   45,   49,   54,   59,   63,
                  68,  73,   78,   83,   88,   93,   98,   103,  108,  113,  119,  124,  130,  136,  141,
                  147, 153,  159,  166,  172,  179,  185,  192,  200,  207,  214,  222,  230,  238,  247,
                  255, 265,  274,  284,  294,  305,  316,  327,  339,  352,  365,  379,  394,  409,  426,
                  443, 461,  481,  502,  524,  548,  574,  603,  633,  666,  703,  743,  787,  837,  892,
                  955, 1026, 1108, 1204, 1317, 1451, 1616, 1821, 2084, 2435, 2926, 3660, 4884, 7330, 14666});
    for (jint i = 0; i < static_cast<jint>(std::size(kMatchTiming)); ++i) {
        s->matchTiming[i] = kMatchTiming[i];
    }
    s->matchScaleA = intTable({130, 120, 110, 100, 90, 80, 70, 60});
    s->matchScaleMid = kMatchScaleMid;
    s->matchScaleB = intTable({130, 120, 110, 100, 90, 80, 70, 60});
    s->matchScaleC = intTable({34, 32, 30, 28, 26, 24, 22, 20});
    s->matchByteFlags = runtime::newBoolArray(2);
    s->matchByteFlagValues[0] = 0;
    s->matchByteFlagValues[1] = 0;
    s->pitchRowBase = kPitchRowBase;
    s->pitchRowStep = kPitchRowStep;
    s->pitchRowEnd = kPitchRowBase + kPitchRowStep;
    s->pitchRowTable = intTable({860, 835, 810, 780, 748, 724, 710, 690});
    s->pitchRowValues[0] = kPitchRowValues[0];
    s->pitchRowValues[1] = kPitchRowValues[1];
    s->formationLines = intRows({{3}, {1, 4}, {2, 3, 5}, {1, 2, 5, 4}, {1, 2, 3, 5, 4}, {1, 2, 3, 3, 5, 4}});
    s->formationLineCount = kFormationLineCount;
    s->formationMasks = intRows({{0, 0, 0, 0, 0, -1},
                                 {0, 0, 0, 0, 0, 0},
                                 {1, 0, 0, 0, 0, 0},
                                 {1, 0, 1, 0, 0, 0},
                                 {1, 1, 1, 0, 0, 0}});
    s->matchSteps8 = intTable({60, 55, 50, 45, 40, 35, 30, 25});
    s->matchSteps3 = intTable({30, 45, 60});
    s->matchSteps6 = intTable({30, 40, 50, 58, 66, 74});
    s->matchFlagOne = 1;
    for (jint& value : s->matchMinusOnes) {
        value = kNoValue;
    }
    s->matchInts11 = runtime::newIntArray(11);
    s->matchRefs2A = runtime::newObjectArray(2);
    s->matchRefs2B = runtime::newObjectArray(2);
    s->matchInts2 = runtime::newIntArray(2);
    s->matchFlags2 = runtime::newBoolArray(2);
    s->matchReference = nullptr;
}

} // namespace game::match
