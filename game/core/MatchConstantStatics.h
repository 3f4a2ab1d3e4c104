// The constant tables the match engine reads, set once by the match classes' initialisers: the
// tangent table, rectangles, values, tracks, kick timings and scales, pitch rows, formation lines
// and masks, and step tables. Their roles belong to the match engine; statics no reader has named
// yet keep names that say their shape.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game {

// The ball path tables hold kBallPathLength entries, one a tick, all written by every plan; the
// actor motion stops advancing ballPathIndex at kBallPathLastReached, where the ball rests, so
// scans of where the ball will be go no further.
inline constexpr runtime::jint kBallPathLength = 200;
inline constexpr runtime::jint kBallPathLastReached = 189;

struct MatchConstantStatics {
    runtime::StaticRef<runtime::IntArray> tanTable; // int[90]: floor(256 x tan(i degrees))

    // Rectangles (x1, y1, x2, y2) and values of the first initialiser, in creation order.
    runtime::StaticRef<runtime::IntArray> matchBox1;
    runtime::StaticRef<runtime::IntArray> matchBox2;
    runtime::StaticRef<runtime::IntArray> matchBox3;
    runtime::StaticRef<runtime::IntArray> matchBox4;
    runtime::StaticRef<runtime::IntArray> matchBox5;
    runtime::StaticRef<runtime::IntArray> matchBox6;
    runtime::StaticRef<runtime::IntArray> matchBox7;
    runtime::StaticRef<runtime::IntArray> matchBox8;
    runtime::StaticRef<runtime::IntArray> matchBox9;
    runtime::StaticRef<runtime::IntArray> matchBox10;
    runtime::jint matchValueA;
    runtime::jint matchValueB;
    runtime::jint matchValueC;
    runtime::jint matchValueD;
    runtime::StaticRef<runtime::IntArray> matchBox11;
    runtime::StaticRef<runtime::IntArray> matchBox12;
    runtime::StaticRef<runtime::IntArray> matchBox13;
    runtime::StaticRef<runtime::IntArray> matchBox14;
    runtime::StaticRef<runtime::IntArray> matchPairA; // int[4]
    runtime::StaticRef<runtime::IntArray> matchPairB; // int[4]
    runtime::jint matchValueE;
    runtime::jint matchValueF;
    runtime::jint matchValueG;
    runtime::jint matchValueH;
    runtime::jboolean matchSetupFlag;
    // The ball's planned flight, one entry a tick (int[200] and boolean[200]): position, and
    // whether it bounced or is grounded after the entry.
    runtime::StaticRef<runtime::IntArray> ballPathX;
    runtime::StaticRef<runtime::IntArray> ballPathY;
    runtime::StaticRef<runtime::IntArray> ballPathZ;
    runtime::StaticRef<runtime::BoolArray> ballPathBounced;
    runtime::StaticRef<runtime::BoolArray> ballPathGrounded;
    runtime::jint matchValueI;
    runtime::jint matchValueJ;
    runtime::StaticRef<runtime::IntArray> matchList21; // int[21]
    runtime::StaticRef<runtime::IntArray> matchList12; // int[12]

    // Kick parameters, pitch rows, formations and steps of the second initialiser.
    runtime::jint matchTiming[10];                         // kickPower's start value, then G0, G1, G2, L3..L8
    runtime::StaticRef<runtime::IntArray> matchScaleA;     // shot gravity by power level (int[8])
    runtime::jint matchScaleMid;                           // S10, between the first two scales
    runtime::StaticRef<runtime::IntArray> matchScaleB;     // shot factor by power level (int[8])
    runtime::StaticRef<runtime::IntArray> matchScaleC;     // shot speed cap by power level (int[8])
    runtime::StaticRef<runtime::BoolArray> matchByteFlags; // boolean[2]
    runtime::jint matchByteFlagValues[2];                  // 0 each
    runtime::jint pitchRowBase;
    runtime::jint pitchRowStep;
    runtime::jint pitchRowEnd;
    runtime::StaticRef<runtime::IntArray> pitchRowTable;     // int[8]
    runtime::jint pitchRowValues[2];                         // 21, 20
    runtime::StaticRef<runtime::ObjectArray> formationLines; // six int rows of one to six lines
    runtime::jint formationLineCount;                        // 4
    runtime::StaticRef<runtime::ObjectArray> formationMasks; // int[5][6]
    runtime::StaticRef<runtime::IntArray> matchSteps8;
    runtime::StaticRef<runtime::IntArray> matchSteps3;
    runtime::StaticRef<runtime::IntArray> matchSteps6;
    runtime::jboolean matchFlagOne;                       // 1
    runtime::jint matchMinusOnes[3];                      // -1 each
    runtime::StaticRef<runtime::IntArray> matchInts11;    // int[11]
    runtime::StaticRef<runtime::ObjectArray> matchRefs2A; // reference[2]
    runtime::StaticRef<runtime::ObjectArray> matchRefs2B; // reference[2]
    runtime::StaticRef<runtime::IntArray> matchInts2;     // int[2]
    runtime::StaticRef<runtime::BoolArray> matchFlags2;   // boolean[2]
    runtime::StaticRef<runtime::Object> matchReference;   // null
};

} // namespace game
