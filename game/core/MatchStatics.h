// The statics of the match classes CPlayer, CTeam and Actor, with the match engine's tables
// that the constant-table initialiser creates.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace game {

namespace match {
class Actor;
class CPlayer;
class CTeam;
} // namespace match

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

    // Match period, phase step and end, as the frame entry reads them.
    runtime::jint matchPeriod;      // 1-2 halves, 3-4 extra time, 5 shoot-out, 6 decided by award
    runtime::jint lastMatchPhase;   // matchPhase as the previous per-phase update saw it
    runtime::jint phaseStep;        // step within the current phase
    runtime::jint matchEndMarker;   // 106 once the match is over
    runtime::jboolean halfTimeStop; // skipping reached the kick-off of a later period

    // The match actors the start-up loading creates, beyond matchActors and ball.
    runtime::jint matchActorCount;                           // indices of matchActors in use
    runtime::StaticRef<runtime::ObjectArray> sortedActors;   // Actor[52]: the match view's drawing order
    runtime::StaticRef<runtime::ObjectArray> sidelineActors; // Actor[2]: the touchline figures (CPlayers)
    runtime::StaticRef<match::Actor> flagActor;              // kind 4, animation 1
    runtime::StaticRef<match::Actor> netActorA;              // kind 3, animation 1, frame code 0
    runtime::StaticRef<match::Actor> netActorB;              // kind 3, animation 0, frame code 5
    runtime::StaticRef<match::Actor> bannerActor;            // kind 5
    runtime::StaticRef<match::Actor> boardActor;             // kind 9, animation 3
    runtime::StaticRef<match::Actor> benchActorA;            // kind 10, animation 5, left bench
    runtime::StaticRef<match::Actor> benchActorB;            // kind 10, animation 4, right bench
    runtime::StaticRef<match::Actor> arrowActorH;            // kind 4, animation 3: horizontal scroll arrows
    runtime::StaticRef<match::Actor> arrowActorV;            // kind 4, animation 2: vertical scroll arrows
    // Computer team management: the selected place in the club database's team list.
    runtime::jint teamListIndex;

    // The ball's motion and planned flight (the path tables are the static set-up's ballPath*),
    // and the restart taker.
    runtime::jint ballState;                         // the ball's kind of motion
    runtime::jint ballPathIndex;                     // the planned flight's entry of this tick
    runtime::StaticRef<match::CPlayer> restartActor; // the player taking the restart
    runtime::jint ballDirX;                          // direction of the flight, octagonal length 256
    runtime::jint ballDirY;
    runtime::jint groundFriction;   // friction a step on the ground, along the flight
    runtime::jint airDrag;          // drag a step in the air
    runtime::jbyte ballBounced;     // a bounce or rebound: the minimum step applies in every state
    runtime::jbyte ballGrounded;    // a bounce, landing or rebound since the last kick or prediction
    runtime::jbyte ballDips;        // a dipping shot: it drops faster once past its target
    runtime::jlong ballArrivalTick; // matchTicks at which a ball sent by kickBallTo arrives
    // The body rectangle last tested: plane, width range low and high, height range low and high.
    runtime::jint lastBodyBox[5];

    // Possession: the holder, the intended receiver, the last to touch and the last outfield
    // holder; per team the player who took the ball forward and where he started.
    runtime::StaticRef<match::CPlayer> ballHolder;
    runtime::StaticRef<match::CPlayer> receivingPlayer;
    runtime::StaticRef<match::CPlayer> lastTouchPlayer;
    runtime::StaticRef<match::CPlayer> lastOutfieldCarrier;
    runtime::StaticRef<match::CPlayer> firstAttacker[2];
    runtime::jint attackStartX[2];
    runtime::jint lastTouchSlot;       // the holder's marker; -1 once he lets the ball go
    runtime::jboolean keeperHoldsBall; // a goalkeeper holds the ball (hides it)
    runtime::jboolean ballHiddenB;     // a set piece hides the ball
    runtime::jint keeperRelease;       // non-zero while a keeper's hold is being released
    runtime::jint touchTicks;          // ticks since the holder touched the ball
    runtime::jint carrierMode;         // how the holder carries the ball

    // Goals and the tie: goals recorded, the scorer credits and the first leg.
    runtime::jint goalCount;
    runtime::StaticRef<match::CPlayer> lastEventPlayer;
    runtime::StaticRef<match::CPlayer> assistPlayer;   // credited with the pass, or none
    runtime::StaticRef<match::CPlayer> creditedPlayer; // scorer credited for a keeper's own goal
    runtime::jint firstLegGoals0;
    runtime::jint firstLegGoals1;
    runtime::jbyte isSecondLeg;
    // Per team: the line-up differs from the kick-off one.
    runtime::jboolean teamSlotMapChanged[2];
    // Per team the kit colour (0xRRGGBB) and its shade.
    runtime::jint kitColour[2];
    runtime::jint kitShade[2];
    // Ten slide marks of four ints (the first -1 for an empty mark).
    runtime::StaticRef<runtime::IntArray> slideMarks;

    // What the camera follows, as the match engine sets it.
    runtime::StaticRef<match::CPlayer> primaryFocusPlayer;
    runtime::StaticRef<match::CPlayer> secondaryFocusPlayer;
    runtime::jint focusLevel;     // above 2: the primary focus player is followed alone
    runtime::jint sideSign;       // the penalty's lead: above 0 towards +x
    runtime::jboolean flightFlag; // set: no sideways lead for the ball in flight

    // The match clock: the minute shown (a substitute's condition starts from it).
    runtime::jint clockMinute;
    runtime::jint clockSecond;

    // Result pair of projectToScreen and screenToPitch, read right after the call.
    runtime::jint projectedX;
    runtime::jint projectedY;
    // The tactic table: 24 formation rows of 9 signed bytes, then the position-group defaults
    // (12 signed bytes a group) from byte 216; handed over by the match load (setTacticTable).
    runtime::StaticRef<runtime::ByteArray> tacticTable;
    // The group byte of the position-group defaults of the last player they were applied to.
    runtime::jint groupSetting;
    // Shoot-out kicks taken by both teams.
    runtime::jint shootoutKicks;
    // While set the teams' zone grids keep their claims from tick to tick.
    runtime::jboolean zoneGridFrozen;
    // The team (0 or 1) that takes the current restart or kick-off.
    runtime::jint phaseTeam;
    // Opponents of the ball holder surveyed this tick (pairs written into the team's table20).
    runtime::jint holderOpponentCount;
    // The player slot (of phaseTeam) the current match phase is about.
    runtime::jint phasePlayerSlot;
    // The ball carrier's stage, counted by the ball-carrier logic.
    runtime::jint carrierStage;
    // The slide mark the next slide takes (0..9).
    runtime::jint slideMarkNext;
    // The ball's point on the pitch image at height 0, stored with its screen position.
    runtime::jint ballGroundX;
    runtime::jint ballGroundY;

    // Match statistics: the goals each team scored by the goal records, the two sections of the
    // packed match-table block, the end-of-match counter with its flag and the match flag the
    // end of the match clears.
    runtime::jbyte teamGoalsCounted[2];
    runtime::StaticRef<runtime::ByteArray> matchByteTable;
    runtime::StaticRef<runtime::ShortArray> matchShortTable;
    runtime::jint matchEndCounter;
    runtime::jboolean matchEndCounterOn;
    runtime::jboolean matchFlag;

    // The slot the match flow picks to go for the ball (-1 when none; the match set-up sets it).
    runtime::jint designatedPlayer;
    // The ball holder's zone 0..6 and fine zone 0..8 (analyseHolder).
    runtime::jint holderZone;
    runtime::jint holderZoneFine;
    // The ball went to the other team: the next shape draws the forward runs anew.
    runtime::jboolean newAttack;
    // Marking this round: someone closes down, someone marks.
    runtime::jboolean someoneClosesDown;
    runtime::jboolean someoneMarks;
    // The display name of the formation each team plays (String[2]).
    runtime::StaticRef<runtime::ObjectArray> formationNames;

    // The club database index of the club the match is played against (the user's is userTeam).
    runtime::jint opponentTeam;

    // The kick (kickPower is matchTiming's first int): the kick's length, the estimated landing
    // point, whether the planned path passes the +x or the -x goal line, the strong-kick flag
    // (no routine sets it yet), the set-piece kind and a launch flag every kick clears.
    runtime::jint kickDistance;
    runtime::jint landingX;
    runtime::jint landingY;
    runtime::jboolean pathLeavesPlusX;
    runtime::jboolean pathLeavesMinusX;
    runtime::jboolean strongKick;
    runtime::jint setPieceKind;
    runtime::jboolean kickLaunchFlag;
    // Possession and runs: per team the ball player and the flag beside firstAttacker; the
    // player caught offside when the ball was played to him, the last offender, the team whose
    // player kicked last, the wall at a free kick, the pass logic's pending receiver, the knock-on
    // halving of a forced run and the ticks the holder has held the ball.
    runtime::StaticRef<match::CPlayer> teamBallPlayer[2];
    runtime::jboolean firstAttackerFlag[2];
    runtime::StaticRef<match::CPlayer> offsidePlayer;
    runtime::StaticRef<match::CPlayer> foulPlayer;
    runtime::jint kickingTeam;
    runtime::jint wallSize;
    runtime::jint pendingReceiver;
    runtime::jboolean halfPush;
    runtime::jint holdTicks;

    // The added time still to run in this period, as the clock shows it.
    runtime::jint addedTimeLeftMinutes;
    runtime::jint addedTimeLeftSeconds;

    // The restart being set up: its point and the team object taking it (the wall's size and the
    // last offender are wallSize and foulPlayer above).
    runtime::jint phaseX;
    runtime::jint phaseY;
    runtime::StaticRef<match::CTeam> phaseTeamObject;
    // The phase planner's results: a marking point, the box runners' cell and the point at which
    // a player closing down an opponent meets him.
    runtime::jint markPointX;
    runtime::jint markPointY;
    runtime::jint planCellX;
    runtime::jint planCellY;
    runtime::jint interceptX;
    runtime::jint interceptY;
    // The dribble plan being weighed (directions 0..7 in pitch terms), and the shot window across
    // the goal (pitch y) with the penalty spread flag.
    runtime::jint dribblePlanDirection;
    runtime::jint dribbleMoveDirection;
    runtime::jint shotLowY;
    runtime::jint shotHighY;
    runtime::jboolean shotSpreadMode;
    // The ball carrier's play starts afresh (phase step 9).
    runtime::jboolean attackReset;
    // The restart marker the match frame draws while it is shown: kind, point on the pitch image,
    // size and facing 0..7.
    runtime::jboolean restartMarkerShown;
    runtime::jint restartMarkerKind;
    runtime::jint restartMarkerX;
    runtime::jint restartMarkerY;
    runtime::jint restartMarkerSize;
    runtime::jint restartMarkerDirection;

    // The player a waiting substitution takes off (null none).
    runtime::StaticRef<match::CPlayer> playerToReplace;

    // The pass-lane test's answer, read right after the call: the point to play the ball to and
    // the receiver's slot (-1 none).
    runtime::jint candidateX;
    runtime::jint candidateY;
    runtime::jint candidateSlot;
    // The ball has been inside a goal since the last restart: the back netting stands nearer.
    runtime::jboolean ballEnteredGoal;

    // The phase setter and the per-phase update: ticks since the phase was set, the phase or its
    // step changed, the step the last update saw, a restart (phases 3-7) or a penalty (8) is on,
    // and the three phase flags (play, movement, the kicker may shoot).
    runtime::jint phaseTicks;
    runtime::jboolean matchPhaseChanged;
    runtime::jint lastPhaseStep;
    runtime::jbyte restartPending;
    runtime::jbyte penaltyKick;
    runtime::jboolean phaseAllowsPlay;
    runtime::jboolean phaseAllowsMovement;
    runtime::jboolean phaseKickerReady;
    // What every phase change resets: the two skip flags, the two per-phase counters, the
    // set-piece player and its second field, the pass-state player, the penalty's dive side
    // (-1, 0, 1) and save flag; the two period-end counters (phase 9 only). The focus actor is
    // the one the players face in phase 9.
    runtime::jboolean phaseSkipFlags[2];
    runtime::jint phaseCounters[2];
    runtime::StaticRef<match::CPlayer> setPiecePlayer;
    runtime::jint setPieceField;
    runtime::StaticRef<match::CPlayer> passStatePlayer;
    runtime::jint diveSide;
    runtime::jboolean penaltySaveFlag;
    runtime::jint periodEndCounters[2];
    runtime::StaticRef<match::Actor> focusActor;
    // Possession and lines: the team with the ball (2 nobody) and the one before, whether it just
    // changed, the team of the last attack, where the holder was and where the loose ball was to
    // land when last recorded, the first team has the ball, and ticks since the zone grids were
    // last asked to rebuild.
    runtime::jint possessionTeam;
    runtime::jint previousPossessionTeam;
    runtime::jboolean possessionChanged;
    runtime::jint lastAttackingTeam;
    runtime::jint possessionStartX;
    runtime::jint possessionStartY;
    runtime::jint loosePointX;
    runtime::jint loosePointY;
    runtime::jbyte firstTeamInPossession;
    runtime::jint rebuildTicks;

    // The match set-up and the period start: the team that kicks off the period and the other
    // one; the minute the period ends, past regular time, the clock stopped and the clock's own
    // panel painted; the period clock; a match resumed from a save (nothing sets it yet); the
    // players walk on from the tunnel; the two period markers (-1 none).
    runtime::jint kickOffTeam;
    runtime::jint otherKickOffTeam;
    runtime::jint periodEndMinute;
    runtime::jboolean inAddedTime;
    runtime::jboolean clockStopped;
    runtime::jboolean clockPanelDrawn;
    runtime::jlong clockUnits;
    runtime::jboolean matchResumed;
    runtime::jboolean walkOnMode;
    runtime::jint periodMarkers[2];

    // Kicks, challenges and saves (the kick-off team and the penalty flag are above): a challenge on
    // the holder already decided (its next frames neither foul nor count again); the save's two
    // statics (its stage and how it started: -1, -2 from a tackle, 2 once the dive is chosen); the
    // last player to challenge (credited when his team collects);
    // the event display's note (kind 1 a shot, 2 a pass; its team; the updates it still shows);
    // the pass target point the team logic picks for a set piece.
    runtime::jboolean tackleFlag;
    runtime::jint saveStage;
    runtime::jint saveMode;
    runtime::StaticRef<match::CPlayer> lastTackler;
    runtime::jint eventNoteKind;
    runtime::jint eventNoteTeam;
    runtime::jint eventNoteTicks;
    runtime::jint passTargetX;
    runtime::jint passTargetY;
    // The ball tick: ticks since a ground pass bounced, the next of the four ball marks and
    // whether the ball's motion trail is shown.
    runtime::jint bounceTicks;
    runtime::jint ballMarkNext;
    runtime::jboolean ballTrailOn;


    // The dribble run: ready to be planned, under way, forced; its target point, the boost shift
    // of the dribble weight while one was planned.
    runtime::jbyte dribbleRunReady;
    runtime::jbyte dribbleRunActive;
    runtime::jbyte dribbleRunForced;
    runtime::jint dribbleRunTargetX;
    runtime::jint dribbleRunTargetY;
    runtime::jint dribbleBoost;
    // The ball plan choice: consecutive holds and the flag of a hold that turned nobody, the pass
    // stage a drawn pass starts and the receiver slot of the pass drawn.
    runtime::jint holdCounter;
    runtime::jbyte holdHeld;
    runtime::jint passStage;
    runtime::jint chosenReceiverSlot;
    // Marking: the stand-off a marker keeps from his opponent (x 256 units towards the own goal).
    runtime::jint markDistance;
    // While set, the open-play planner predicts no interception on the ball's path.
    runtime::jboolean noBallPrediction;
};

} // namespace game
