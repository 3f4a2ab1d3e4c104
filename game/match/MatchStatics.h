// The statics of the match classes CPlayer, CTeam and Actor, with the match engine's tables
// that the constant-table initialiser creates.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game {

namespace match {
class Actor;
}

struct MatchStatics {
    // The match's actors; actor 0 is the ball.
    runtime::StaticRef<runtime::ObjectArray> matchActors;
    runtime::StaticRef<match::Actor> ball;

    // Work arrays of the constant-table initialiser, in creation order.
    runtime::StaticRef<runtime::ByteArray> zoneGridRow;             // one row of the zone grid (byte[21])
    runtime::StaticRef<runtime::ObjectArray> ballPlans;             // int[8][4]: ball plans
    runtime::StaticRef<runtime::ObjectArray> dribbleCandidates;     // int[8][3]: dribble candidates
    runtime::StaticRef<runtime::ObjectArray> shortPassCandidates;   // int[8][4]: short-pass candidates
    runtime::StaticRef<runtime::ObjectArray> mediumPassCandidates;  // int[8][4]: medium-pass candidates
    runtime::StaticRef<runtime::ObjectArray> throughPassCandidates; // int[8][4]: through-pass candidates
    runtime::StaticRef<runtime::ObjectArray> longBallCandidates;    // int[8][3]: long-ball candidates
    runtime::StaticRef<runtime::IntArray> matchInts5A;              // int[5]
    runtime::StaticRef<runtime::IntArray> matchInts32;              // int[32]
    runtime::StaticRef<runtime::IntArray> matchInts5B;              // int[5]
    runtime::StaticRef<runtime::IntArray> matchInts10;              // int[10]
    runtime::StaticRef<runtime::BoolArray> matchFlags10;            // boolean[10]

    // Constant tables of the constant-table initialiser, in creation order.
    runtime::StaticRef<runtime::IntArray> directionSteps; // cell step per direction (int[10])
    runtime::StaticRef<runtime::IntArray> matchValues15;  // int[15]
    runtime::StaticRef<runtime::IntArray> matchValues10;  // int[10]
    runtime::StaticRef<runtime::ObjectArray>
        turnTable; // int[120][6]: step rows copied into a player's step table
    runtime::StaticRef<runtime::ObjectArray> matchTriples72; // int[72][3]
    runtime::StaticRef<runtime::ObjectArray>
        defendZoneBoxes; // int[24][44]: zone boxes when defending, per formation
    runtime::StaticRef<runtime::ObjectArray>
        formationChangeTable; // formation-group steps of a team behind or ahead (ref[8] of int[])
    runtime::StaticRef<runtime::ObjectArray>
        computerSubstitutions; // substitution pairs of the computer team: two lists with a -1 end marker
                               // (ref[2] of int[])
    runtime::StaticRef<runtime::IntArray> values50to190; // int[8]

    // The match state.
    runtime::jint matchPhase; // what the match is doing: 0 play ... 9 period over, 12 tested by the canvas

    // Computer team management: the selected place in the club database's team list.
    runtime::jint teamListIndex;
};

} // namespace game
