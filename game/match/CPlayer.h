// The match engine's actor, player and team objects: their fields in the match engine's layout
// (with the few the framework names and the engine does not), their constructors, animation, the
// team's views of the pitch and its model of formation slots, zone grid and command queues. The
// framework reaches the rest of the engine through MatchServices.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace game::sprites {
struct ASprite;
}
namespace profile {
struct Graphics;
}

namespace game::match {

using runtime::jboolean;
using runtime::jbyte;
using runtime::jint;
using runtime::jlong;

class CTeam;

// Anything that moves or animates in the match view: the ball, the players, the pitch-side figures
// and the scenery.
class Actor : public runtime::Object {
public:
    static constexpr jint kClassId = runtime::kActor;
    // Number of box fields (the actor's extent around its screen position).
    static constexpr jint kBoxFields = 4;
    // placement: hidden, neither painted nor animated.
    static constexpr jint kPlacementHidden = 3;

    Actor() : Actor(kClassId) {}

    // Starts animation anim unless force is false and anim already runs: frame, frame timer and
    // animFinished cleared, frameCode taken from the animation's first frame record (frame id
    // plus the record's flip bits, its last byte's bits 6-7, as bits 8-9). Without a sprite or
    // with an animation the sprite lacks, frameCode is 0.
    void setAnimation(jint anim, jboolean force);
    // Advances the animation by one tick (nothing while the top-level state is the menus): a
    // frame whose duration has run out gives way to the next; past the last frame animFinished
    // is set and a looping animation starts over, another stays on its last frame.
    void updateAnimation();
    // Sets the four box fields from box[0..3] (all 0 for null).
    void setBox(const jint* box);
    // True when (px, py) lies strictly on the side of direction (d + 2) & 7 of the actor; false
    // for any d outside 0..7.
    bool isOnSideOf(jint px, jint py, jint d) const;
    // With placement 0, screenX, screenY := the projection of (x, y, z), and for the ball its
    // ground point (height 0) into ballGroundX, ballGroundY; then visible := the box at the screen
    // position overlaps the 480 x 800 window at (camX, camY), touching edges included.
    void updateScreenPosition(jint camX, jint camY);

    jint actorIndex = 0; // slot in matchActors
    jint boxLeft = 0;    // bounding box in screen pixels, relative to screenX/screenY
    jint boxTop = 0;
    jint boxRight = 0;
    jint boxBottom = 0;
    jint placement = 0; // 0 projected and depth-sorted, 2 painted at once, 3 hidden
    jint kind = 0;      // 0 outfield or sideline, 1 goalkeeper, 2 ball, 3 goal net, 4-5, 9-10 scenery
    sprites::ASprite* sprite = nullptr; // the only reference field of Actor
    jint anim = 0;                      // current animation of sprite
    jboolean animLoops = 0;             // start again at frame 0 after the last frame
    jboolean animFinished = 0;          // the last frame has run out
    jint frame = 0;                     // current frame within the animation
    jint frameCode = 0;                 // frame id in bits 0-7, the frame's flip bits in bits 8-9
    jint frameTimer = 0;                // ticks spent on the current frame
    jboolean flipX = 0;
    jboolean flipY = 0;
    jint screenX = 0; // position on the view's pitch image, pixels
    jint screenY = 0;
    jboolean visible = 0; // the box overlaps the window at the camera position
    jint x = 0;           // pitch position and height, pitch units
    jint y = 0;
    jint z = 0;
    jint prevX = 0; // position at the start of the tick
    jint prevY = 0;
    jint prevZ = 0;
    jint vx = 0; // motion per frame
    jint vy = 0;
    jint vz = 0;
    jint ax = 0; // braking of a player, friction of the ball
    jint ay = 0;
    jint gravity = 0; // the ball's gravity per airborne step
    jint aimX = 0;    // target point: the ball's landing point, a player's movement target
    jint aimY = 0;
    jint aimZ = 0; // the ball's target height
    // The framework's name: the camera's sideways lead for a ball in flight goes to -x when it is
    // below 1, else to +x.
    jint flightSide = 0;

protected:
    explicit Actor(jint id);
};

// A footballer of a match team (also the two pitch-side figures).
class CPlayer : public Actor {
public:
    static constexpr jint kClassId = runtime::kCPlayer;
    // Lengths of the player's own arrays.
    static constexpr jint kSkillLevels = 8;
    static constexpr jint kStepTableLength = 6;
    static constexpr jint kPairLength = 2;
    static constexpr jint kTrailLength = 32;
    // The number of key-player fields the line-up exchange moves.
    static constexpr jint kKeyFields = 5;
    // The goalkeeper's slot in the team.
    static constexpr jint kKeeperSlot = 0;

    // Clears the fields, sets the defaults (hidden, looping, instructions 1, the -1 fields),
    // creates the step table, the two pairs and the trail, and registers the seven reference
    // fields with the collector.
    CPlayer();

    // True when (px, py) lies strictly behind the player as he faces (direction).
    bool isBehind(jint px, jint py) const;
    // True when the player's cell (cellX, cellY) is at x 8 or beyond and 5 or more off the centre
    // line.
    bool isWideAttackingCell() const;
    // Tests the ball's next step against the player's body rectangle (its size by the player's
    // state, widened by his reach), which it stores in lastBodyBox first; ballHitsRect's result.
    bool ballHitsBody();
    // Whether the player stands offside for the ball his team-mate played last.
    bool isOffside() const;

    // Lets the ball go: the possession statics lose him and he becomes lastTouchPlayer's source.
    void dropPossession();
    // He takes the ball forward for his team: firstAttacker, a run towards the opponent goal.
    void startAttack();
    // Follow-up cleared with turn direction v; his team's firstAttacker cleared.
    void clearAttack(jint v);
    // supportSign := 1 while the ball is loose and unclaimed and he stands free, else -1.
    void updateSupportSign();
    // Instruction 3, or the team's instruction when it is 4 (as the team).
    jint effectiveInstruction3() const;
    // True when he has finished his current order and may be given the next command.
    bool isReadyForOrder() const;
    // The x (pitch units) at which the player lines up for a kick-off: a column from his home
    // cell, pulled back behind the centre line.
    jint kickOffCellX() const;
    // False unless he stands in a shooting cell; else sets the shot window shotLowY..shotHighY
    // across the goal (see PlanWeights.cpp) and returns true.
    bool chooseShotWindow() const;
    // Recomputes the twelve ratings derived from his squad entry (shotPower .. extraRating13,
    // saveSkill, handlingLevel), shifted by formLevel and the event levels, kept within 0..7.
    // Without an entry the ratings stay as they are (logged).
    void updateRatings();
    // Applies match event code to the skill levels (1 and -1 move form and every level by -code,
    // -2 by +2, -3 sets them all to 7, -4 only the event state, -5 and -6 the boost's four levels,
    // -7 and -8 eventLevelB; any other code moves nothing), keeps them in 0..7 and recomputes the
    // derived ratings, the speeds and the reach values. A player whose squad entry makes him
    // unavailable cannot sprint.
    virtual void applyEvent(jint code);
    // Fills the skill levels, the two clamped entry values and the flag word from the squad entry
    // of the player now in his slot, clears his form, event levels and condition inputs, and sends
    // the events his condition, the team-order boost and his position fit call for. Without an
    // entry the player keeps his fields (logged).
    void loadMatchRatings();

    // The state picks the pose: it stores s, sets the loop flag, switches a goalkeeper between his
    // two sheets and starts the animation of s for his facing and mirror. A state outside 0..150,
    // or one without a pose for the facing, keeps the running animation; so does a pose the
    // sprite lacks (logged once per sprite and animation).
    void setState(jint s);
    // One frame of the trail: a mark on the pitch by pitchCondition, the slide mark a slide starts
    // and follows; all marks off while the player is not visible.
    void updateTrail();
    // Paints the trail marks still running, at their screen points less (camX, camY), each one
    // frame on.
    void paintPlayerEffects(profile::Graphics* g, jint camX, jint camY);

    // Orders and motion. stop(true) stands the player in state 0 facing where he faces; stop(false)
    // ends the order only (a ball carrier's first stand-still after a move then turns on the spot).
    void stop(jboolean reset);
    // Ends a running action and holds the player until matchTicks + ticks.
    void waitFor(jint ticks);
    // Turns to dir (-1: defaultDirection) and stops.
    void face(jint dir);
    // Walks to (x, y): near targets off the facing by side-step or back-pedal; far ones without the
    // ball at a sprint.
    void walkTo(jint x, jint y);
    // Runs to (x, y), sprinting when hurried or on a long run in open play; near targets behind or
    // beside him by side-step or back-pedal; the target held inside the pitch in most phases.
    void runTo(jint x, jint y, jboolean hurry);
    // The scripted order `mode` towards (x, y) (for some modes x is a direction, y a tick count).
    void giveScript(jint x, jint y, jint mode);
    // Adds the braking (ax, ay) to the motion, an axis stopping at 0 rather than turning back.
    void applyBraking();
    // Stands: motion 0, no order, and the standing pose the situation asks for.
    void idle();
    // Starts a recovery of `ticks` after a fall: a faller slides on, braked to a halt.
    void recover(jint ticks);
    // Action 12; a fallen or sitting player takes state 31.
    void getUp();
    // One frame of order 1: arrival, speed and pose by orderMode, the screen-proportioned velocity
    // with its acceleration ramp, the facing of the motion.
    void stepTowardsTarget();
    // effort += n, unless flags bit 64 holds it.
    void addEffort(jint n);
    // One step of a pending turn towards wantedDirection, in a turn pose (4/5, with the ball 9/8).
    void turnStep();

    // Possession. He becomes the ball carrier: the previous one, the receiver and the team
    // logic's assignments let go, and a recorded offside candidate is called offside.
    void takePossession();
    // He stops being the carrier and knocks the ball on (a runner without the ball is handed
    // back to the team logic instead).
    void loseBall();
    // The carrier pushes the ball ahead along his motion, further on a forced run.
    void knockBallOn();
    // One step of a run along his facing, with or without the ball; then the team logic.
    void dribbleStep();
    // Whether he may challenge the carrier (or the receiver): an opponent within reach in play.
    bool canChallengeCarrier() const;
    // Whether an outfield player may strike the loose ball first time in the penalty area.
    bool canStrikeLooseBall() const;
    // Whether he may collect the ball now; may start his pending reaction (and answer false).
    bool canCollectBall();
    // Runs: he becomes his team's ball player (and for a planned run picks its kind); he passes
    // to (x, y), leading the first attacker; he keeps the carried ball at his feet.
    void takeBall();
    void setPassTarget(jint px, jint py, jint flag);
    jint carryBall();
    // Whether a team-mate can be reached by a ball of `kind` (0 short pass, 1 long ball, 2 and 5
    // reach by carrierStage, 3 far ahead, 6 keeper's throw, 9 to an unmarked man, 10 medium pass)
    // played in direction d; candidateX/Y/Slot hold the point (the default point, slot -1,
    // when none).
    bool passLaneOpen(jint d, jint kind);

    // Kicks and headers. The set-up of a ground pass (kind 2), a lofted pass (3) or a shot (4) at
    // (targetX, targetY) with orderMode: the approach during restarts, the throw-in, the run-up of
    // a set piece, the header and the diving header, or the kick pose by the turn to the target.
    void kick(jint kind, jboolean fromSetPiece);
    // Every frame of a kick pose: on its contact tick the ball is launched at the kick target.
    void kickContact();
    // The contact of a first-time strike of the loose ball.
    void strikeContact();

    // Player actions. The goalkeeper's save (a dive or a catch by the ball's height and line).
    void save(jboolean fromTackle);
    // The goalkeeper holds the ball; he throws it out towards the opponents' half.
    void keeperCatch();
    void keeperThrow();
    // The tackle on the holder (or receiver): a block or a slide, and the match's tackle flag.
    void tackle();
    // The arrival of a pass: control, possession and a push on.
    void receivePass();
    // The first-time strike of a loose ball: a strike pose by the turn.
    void strikeLooseBall();
    // The standing and the sliding challenge on the holder (or receiver), decided once.
    void challenge();
    void slideChallenge();
    // The foul: a card for a player of the line-up, the restart for the other team, the counts,
    // the bookings (held to 2; at 2 he is sent off).
    void commitFoul(jint card, jboolean inArea);
    // A shot at the opponents' goal with height power (a chip over a keeper who comes out), or
    // without a shot window a lofted ball to the wing.
    void requestShot(jint power);
    // The receiver of a set piece's ball or a wing ball: among the team-mates in the opponents'
    // half beyond kPassReceiverBoxX, the one furthest up the pitch on the far side of the pitch
    // from this player, else on his own side. passTargetX, passTargetY (and candidateX,
    // candidateY, candidateSlot) := the point in front of the opponents' goal the ball is played
    // to: the receiver's x held to 91,648..135,168 in the team's view and his y to +-25,600; without
    // a receiver the centre of the penalty area's edge (slot -1), and false.
    bool choosePassTarget();
    // The scripted order (11): plays the step orderMode 1..22 that giveScript set. Called while no
    // turn is pending.
    void runScript();
    // The follow of play (order 13) in orderMode 0..3: a step to the side or on with its pose, then
    // order 1 goes on in the same mode.
    void follow();

    CTeam* team = nullptr;      // the player's own team
    CTeam* opponents = nullptr; // the opposing team
    jint slot = 0;              // index in the team's player array, 0 the goalkeeper
    jint homeIndex = 0;         // a slot the player keeps (index into savedTeamSlotMap)
    jint role = 0;              // 0 goalkeeper, 1 defender, 2 midfielder, 3 attacker
    jint formationSlot = 0;     // formation grid slot (row s / 5, column s % 5), -1 the goalkeeper
    jint matchRating = 0;       // 4..10
    jint matchStatA = 0;
    jint matchStatB = 0;
    jint matchStatC = 0;
    jint matchStatD = 0;
    jint matchGoals = 0;
    jint matchAssists = 0;
    jint runSpeed = 0;
    jint ballRunSpeed = 0;
    jint sideSpeed = 0;
    jint sprintSpeed = 0;
    jint ballSprintSpeed = 0;
    jint reactionTime = 0;
    jint reachValue = 0;
    jint tackleReach = 0;
    jint bookings = 0;    // cards this match: a yellow 1, a red 2; 2 is sent off (blocks line-up changes)
    jint lastCard = 0;    // 0 none, 1 yellow, 2 red
    jbyte attackMark = 0; // set when the player takes the ball forward
    jbyte isFree = 0;     // team logic: the player stands free to support
    jbyte nearPostFlag = 0;
    jbyte logicByte4 = 0;
    jbyte logicByte5 = 0;
    jint flags = 0;         // 64 stops addEffort (and fixes the condition rate); 2, 4, 16 trails
    jint outOfPlay = 0;     // non-zero: not on the pitch (1 after leaving it)
    jboolean hasPlayed = 0; // took part in the match
    jint defaultDirection = 0;
    jint distanceToBall = 0;
    jboolean touchedBall = 0;
    jint savedSkillLevels[kSkillLevels] = {};
    jint skillLevels[kSkillLevels] = {}; // 0 best .. 7 worst; the fourth is kickRating
    // Bytes 21 and 20 of the squad entry, kept within 60..100 and 160..200.
    jint extraRating1 = 0;
    jint extraRating2 = 0;
    jint extraRating3 = 0;
    jint shotPower = 0;
    jint penaltyAimLevel = 0;
    jint handicapLevel = 0;
    jint extraRating7 = 0;
    jint accelRating = 0;
    jint aimLevel = 0;
    jint duelRating = 0;
    jint extraRating11 = 0;
    jint extraRating12 = 0;
    jint extraRating13 = 0;
    jint formLevel = 0; // -7..7
    jint eventLevelA = 0;
    jint eventLevelB = 0;
    jint saveSkill = 0;
    jint handlingLevel = 0;
    jint eventState = 0;
    jint runStyle = 1;         // instruction 0; 5 takes the team's mentalityInUse
    jint styleSetting = 1;     // instruction 1; 3 means as the team
    jint shiftInstruction = 1; // instruction 2
    jint instruction3 = 0;
    jint advanceSetting = 1; // 0 never, 1 sometimes, 2 always push forward
    jboolean advanceNow = 0;
    jint shootInstruction = 1;
    jint throughBallInstruction = 1;
    jint dribbleInstruction = 1;
    jint spareInstruction = 0;
    // The condition record: fatigue is the condition 0..99, effort and workCounter its two
    // inputs from play, the six after effort the record of initPlayerCondition.
    jint fatigue = 0;
    jint effort = 0;
    jint conditionElapsed = 0;
    jint conditionDecay = 0;
    jint conditionCount = 0;
    jint conditionLastTime = 0;
    jint conditionStart = 0;
    jint conditionBase = 0;
    jint workCounter = 0; // +1 a frame while moving, +3 while holding the ball
    jint linePosition = 0;
    // The framework's part of the condition record: the decay rate, the last announced value
    // and the level value the rate is computed from.
    jint conditionRate = 0;
    jint conditionAnnounced = 0;
    jint levelValue = 0;
    jboolean arrived = 0;
    jboolean moving = 0;
    jint arrivalRadius = 0;
    jlong orderEndTime = 0; // matchTicks at which a timed order ends
    jlong logicTime = 0;
    jint action = 0; // 0 free .. 14
    jint order = 0;  // the order being carried out
    jint direction = 0;
    jint wantedDirection = 0;
    jint targetX = 0;
    jint targetY = 0;
    jint orderMode = 0;
    jint assignment = -1;
    jint markSlot = 0;
    jint followUp = 0;
    jint followUpDirection = -1;
    jint followUpX = 0;
    jint followUpY = 0;
    jbyte followByte1 = 0;
    jbyte volleyFlag = 0;
    jbyte followByte3 = 0;
    jbyte followByte4 = 0;
    jbyte pendingStatistic = 0;
    jlong logicTicks = 0;
    jboolean rampOn = 0;
    jint rampFrame = 0;
    jint rampStep = 0;
    jint rampFramesPerStep = 0;
    jint cruiseVx = 0;
    jint cruiseVy = 0;
    jint forcedRunFrames = 0;
    runtime::IntArray* stepTable = nullptr; // int[6]: a row of the turn table
    jlong recoverEndTime = 0;
    jint lastFollowMode = -1;
    jlong followEndTime = 0;
    jint kickTargetX = 0;
    jint kickTargetY = 0;
    jint kickMode = 0;
    jint kickBallHeight = 0;
    jboolean unfit = 0; // unavailability above 4: no sprints, never a substitute
    jint settingA = 0;
    jint settingB = 0;
    jboolean rushFlag = 0;
    jint paceKind = 0; // 0 walk, 1 sprint, 2 run without the ball
    jboolean forcedRun = 0;
    jboolean turnPending = 0;
    jboolean holding = 0;
    jboolean hasBall = 0;
    jboolean controlled = 0;
    jint supportSign = 0; // 1: support the ball's next player, -1: not
    jint logicIntB = 0;
    jbyte takeCount = 0;
    jboolean animForced = 0;
    jint state = 0; // 0..150, picks the animation
    jint cellX = 0;
    jint cellY = 0;
    jint shapeCellX = 0;
    jint shapeCellY = 0;
    jint homeCellX = 0;
    jint homeCellY = 0;
    jint currentCellX = 0;
    jint currentCellY = 0;
    jint cellLogicInt = -1;
    jint task = 0;
    jint plannedTask = 0;
    jint taskCellX = 0;
    jint taskCellY = 0;
    jint taskPlayer = 0;
    jint currentTaskPlayer = 0;
    runtime::IntArray* pairA = nullptr; // int[2]
    runtime::IntArray* pairB = nullptr; // int[2]
    jint markedSlot = 0;
    jint markIntB = 0;
    jint markIntC = 0;
    jint markIntD = 0;
    jint forwardCellX = 0;
    jint deepCellX = 0;
    jboolean runForward = 0;
    runtime::ByteArray* trail = nullptr; // four trail marks of eight bytes
    jint trailNext = 0;
    jint trailTick = 0;
    jboolean startSlide = 0;
    jint slideMark = 0;
    // Marking (CTeam::assignMarking): on an opponent, closed down and marked this round, the
    // team logic's dangerous byte and the slot of the player closing him down; on an own player,
    // whether he may mark and whether he marks the ball's target.
    jbyte closedDown = 0;
    jbyte markedFlag = 0;
    jbyte dangerous = 0;
    jint closingPlayer = 0;
    jbyte canMark = 0;
    jbyte marksTarget = 0;

    // Fields the framework's line-up routines name and the match engine does not.
    jint matchSlot = 0;              // the player's record in listRowRecords
    jint keyFields[kKeyFields] = {}; // keyField1 .. keyField5: move with the key player
    jint playerRating = 0;
    jbyte takenOff = 0; // substituted off
    jint lockFlag = 0;  // non-zero keeps the player from being picked up on the formation board

    // Possession and runs: the ball-player flag and the five flags taking the ball clears; the
    // lunge flag (he may go for the ball from further off), the reaction ready flag and the
    // pending reaction's kind (2 move to a point, 3 run to a point, 4 jump at the ball; -1 none).
    jbyte ballFlagB = 0;
    jbyte takeFlags[5] = {};
    jbyte lungeFlag = 0;
    jbyte reactionReady = 0;
    jint reactionKind = -1;

    // Refreshed each tick by updatePossession: the player's cell lies near his home cell
    // (CTeam::isPlayerNearCell), and the team logic's move word, cleared.
    jbyte nearOwnCell = 0;
    jint moveWord = 0;

    // Player commands: the role code a ready flag is set for in open play, the flag itself, and
    // the two action flags a restart kick sets (the second) and clears (the first).
    jint roleCode = 0;
    jbyte readyFlag = 0;
    jbyte firstActionFlag = 0;
    jbyte secondActionFlag = 0;

    // Marking and challenges: the role that respects the team's attackingLine (3), and a ball
    // holder's shielding: the clock values before which he turns no further and is not turned
    // again, and whether he has been turned in this possession.
    jint defenceRole = 0;
    jlong turnTimer = 0;
    jlong shieldTimer = 0;
    jbyte shieldDone = 0;
};

// One side of a live match.
class CTeam : public runtime::Object {
public:
    static constexpr jint kClassId = runtime::kCTeam;
    // Lengths of the team's arrays.
    static constexpr jint kPlayers = 18;
    static constexpr jint kOnPitch = 11;
    static constexpr jint kTable19Length = 19;
    static constexpr jint kZoneGridLength = 693;
    static constexpr jint kZoneBoxesLength = 44;
    static constexpr jint kTable20Length = 20;
    static constexpr jint kDirections = 8;
    static constexpr jint kWeightRows = 7;
    static constexpr jint kCommandQueuesLength = 176;
    static constexpr jint kQueueEntries = 4;
    static constexpr jint kCommandInts = 4;
    static constexpr jint kFormationRows = 5;
    // Pitch cells: 8192 units (c << 13), x -16..16 and y -10..10.
    static constexpr jint kCellShift = 13;
    static constexpr jint kCellMaxX = 16;
    static constexpr jint kCellMaxY = 10;

    // Clears the fields, registers the reference fields, allocates the arrays (the empty player
    // array among them) and sets the defaults and the decision weights.
    CTeam();
    // Hands code to every player of the array in index order (CPlayer::applyEvent); empty
    // elements are passed over.
    void forwardToPlayers(jint code);

    // The team's view of the pitch: it attacks towards +x; a clear sideFlag turns both axes and
    // every direction half round.
    // v, or -v when the team attacks towards -x.
    jint orientX(jint v) const;
    // d, or (d + 4) & 7 when the team attacks towards -x.
    jint orientDirection(jint d) const;
    // The cell of coordinate v in the team's view: v / 8192 rounded to the nearest, halves up.
    jint toCell(jint v) const;
    // The centre of cell c in pitch units (c << 13, negated when the team attacks towards -x).
    jint fromCell(jint c) const;
    // True for -16 <= cx <= 16 and -10 <= cy <= 10.
    bool isCellOnPitch(jint cx, jint cy) const;
    // True for 0 <= x <= w and 0 <= y <= h.
    bool isInRect(jint x, jint y, jint w, jint h) const;
    // The zone 0..6 of a cell in the team's view (wide 0 / central 2 at x 11 and beyond, 1 / 3 at
    // 8..10, then 4, 5 and 6 towards the own goal).
    jint zoneOfCell(jint cx, jint cy) const;

    // Binds the 18 players to this team as side teamIndex: index, opponent, goalkeeper (task 14),
    // and each player's team, opponents and slot.
    void assignPlayers(jint index);
    // Copies row formationIndex of the tactic table into the tactic fields; nothing changes when
    // there is no such row.
    void applyTactic();
    // Gives players 0..10 the instruction defaults of their position group; a player whose
    // group lies outside the table keeps his. groupSetting ends with the last group applied.
    void applyPositionDefaults();
    // out[0], out[1] := the cell point of formation slot `slot` (rows spread out unless
    // rowsWithCentre marks them or the column is the centre).
    void slotToFormationPoint(runtime::IntArray* out, jint slot,
                              const runtime::BoolArray* rowsWithCentre) const;
    // A new boolean[5]: the rows in which some player 1..10 holds the centre column.
    runtime::BoolArray* getRowsWithCentre() const;
    // cellX, cellY := the team's view of the position of every player 0..10 on the pitch.
    void updatePlayerCells();
    // Writes v into the zone-grid square of radius r around (cx, cy), clipped to the pitch.
    void markZoneGrid(jint cx, jint cy, jint r, jint v);
    // True when cell (cx, cy) lies in player i's zone box around his home cell, and, while the
    // team has the ball, no more than one cell beyond the offside line.
    bool isPointInPlayerZone(jint i, jint cx, jint cy) const;
    // Player i's task cell := (cx, cy) (drawn in at a corner the team defends) and claims it in
    // the zone grid.
    void setPlayerZoneTarget(jint i, jint cx, jint cy);
    // zoneGrid := emptyZoneGrid (all 0 without the template), so no earlier claim stays.
    void clearZoneGrid();
    // The per-tick reset: keeper distribution, pressure and event fields, the holder survey's
    // tables and, unless zoneGridFrozen, a zone grid holding only the opponents' claims.
    void resetTick(CTeam* opponentTeam);
    // True when (cx, cy) lies within 3 cells of player i's home cell shifted by his shift
    // instruction.
    bool isPlayerNearCell(jint i, jint cx, jint cy) const;
    // Empties every command queue.
    void clearCommandQueues();
    // Appends {kind, a, b, c} to player i's queue; a queue already holding three waiting entries
    // refuses it (logged once per player until the queues are cleared).
    void queueCommand(jint i, jint kind, jint a, jint b, jint c);
    // Empties player i's queue (its count := 0); the next push starts a new one.
    void emptyQueue(jint i);
    // Player i's command count: 0 empty, else 1 + the entries waiting (0 for a slot off the
    // queues).
    jint queueLength(jint i) const;
    // The kind of entry k (0 the current command) of player i's queue; -1 when there is none.
    jint queuedKind(jint i, jint k) const;
    // One tick of the boost: it starts (event -5 to every player) at 101 and more and ends (event
    // -6) below; boostCounter then counts down.
    void updateBoost();
    // Moves each squad player's condition (byte 4 of his squad entry) by one draw against his and
    // the reference player's stamina: one worse (recover false, up to 4) or one better (recover
    // true, down to 0), with the condition event of the new value.
    void rollConditions(jboolean recover);
    // The best squad member of the user's club for a position outside a match: squad position
    // 11..29 whose position mask shares a bit with mask and whose database rating for it is the
    // highest (ties to the lower position), else the first eligible one, else -1. Barred and
    // unavailable players are never chosen.
    jint pickSquadPlayerForPosition(jint mask) const;
    // The best bench player (11..17) for a position during a match by his match ratings (lower is
    // better, ties to the lower position), else the first one still free, else -1. Players who have
    // played or are unfit are never chosen; team 0 also passes over barred and unavailable ones.
    jint pickBenchPlayerForPosition(jint mask) const;

    // The run to where the planned ball comes down: target, step budget and run kind 0..4.
    void planBallRun(jint kind);

    // The areas in the team's view, bounds exclusive: its own penalty area and goal area, the
    // penalty area shifted by the player's shiftInstruction, and the shooting zone (cells).
    bool isInPenaltyArea(jint x, jint y) const;
    bool isInGoalArea(jint x, jint y) const;
    bool isInShiftedPenaltyArea(const CPlayer* player, jint x, jint y) const;
    bool isInShootingZone(jint x, jint y) const;
    // The goalkeeper's aim point (aimX, aimY) off his line towards the ball's aim; true when it
    // changed. An aim at the own goal's centre keeps the previous point.
    bool updateKeeperTarget();
    // True when the team's nearest player to the ball is its goalkeeper and the ball is central.
    bool isKeeperNearestToCentralBall() const;
    // A grade 0 (blocked) .. 3 (free) of the space at (x, y) for mover's move in direction d.
    jint rateSpace(const CPlayer* mover, jint x, jint y, jint d) const;

    // Applies formation `index` of the formation data set: line counts, each outfield player's
    // home cell, role, line position, zone box, forward and deep cells, the two line values, the
    // display name, then the tactic and position defaults. A record that is not a valid formation
    // (digits, lines of 0..6, slots 0..24) changes nothing and is logged. The line-up stays.
    void setFormation(jint index);

    // Team positioning. Player i's zone target := a free cell at or near (cx, cy), searched ring by
    // ring; true when one was found (see TeamPositioning.cpp).
    bool tryPlacePlayer(jint i, jint cx, jint cy, jboolean checkZone);
    // The free player (task 0 or 14, or 12 during restarts) nearest to cell (cx, cy), the keeper
    // at half his distance; 0 when none lies within 120 cells.
    jint findPlayerForCell(jint cx, jint cy, jboolean skipKeeper) const;
    // The player on the pitch nearest to pitch point (x, y), within 983040 units; -1 when none.
    jint findNearestPlayerTo(jint x, jint y, jboolean skipKeeper) const;
    // The outfield player on the pitch nearest to (x, y); a tie goes to one level with or behind
    // the ball on the ball's side. -1 when none is on the pitch.
    jint findNearestOutfieldPlayer(jint x, jint y) const;
    // The slot of the player who goes for the ball (-1 when none qualifies).
    jint choosePlayerForBall() const;
    // Hands out closing-down (task 7) and marking (task 8) tasks against the opponents.
    void assignMarking();
    // Whether player i goes on towards his zone target this tick (holdCountdown, moveFlag).
    bool keepsFormation(jint i);
    // Surveys the opponents around the team's ball holder: pressure, the table20 pairs (ten a
    // tick at most), holderZone, holderZoneFine and the six situation bytes.
    void analyseHolder(CPlayer* holder);
    // The grade of a pass from passer to (x, y): 0 blocked, -1 clear, else 1 or 2.
    jint ratePassTarget(const CPlayer* passer, jint x, jint y, jboolean checkAngleOnly) const;
    // Option weight modifiers; each scales weights in place.
    void adjustWeightByPlayer(const CPlayer* player, jint& weight) const;
    void adjustWeightsByTactics(runtime::ObjectArray* options, jint kind) const;
    void adjustMoveWeight(const CPlayer* player, runtime::IntArray* option, jint direction) const;
    void adjustPassWeights(runtime::ObjectArray* options) const;

    // Team shape. shapeCellX/Y of players 1..10 on the pitch from reference cell (bx, by).
    void computeShape(jint bx, jint by);
    // Sends player i (1..10) from his shape cell to a claimed cell of the zone grid.
    void choosePlayerCell(jint i);
    // The goalkeeper's target and planned task (18).
    void placeGoalkeeper();
    // Re-plans players 1..10 without a standing task and flags those whose orders changed.
    void refreshOrders(jint first);
    // The furthest current cell x (opponentFrontCell) or shape cell x (opponentFrontShape) of
    // the opponent's players 1..10 in the opponent's view, never below -16.
    jint opponentFrontCell() const;
    jint opponentFrontShape() const;
    // The centre of cell c in pitch units in the team's view, scattered by up to half a cell.
    jint fromCellJittered(jint c) const;

    // The phase planner: every player's planned task and task cell for the phase now starting
    // (see PhasePlanner.cpp).
    void planPhase();
    // markPointX/Y := where a marker of the opponent's player i stands: goal side of him (cells 0)
    // or cells x 8192 units towards the own goal; steps x 256 towards the own goal; 12800 towards
    // the ball's cell from cell (cx, cy).
    void markPointGoalSide(jint i, jint cells) const;
    void markPointTowardsGoal(jint i, jint steps) const;
    void markPointTowardsCell(jint cx, jint cy, jint i) const;
    // interceptX/Y := where this team's player i meets the opponent's player j.
    void interceptPoint(jint i, jint j) const;
    // Plan weights: scale the dribble or shot plan's weight in place (the shot may zero the
    // passing plans of ballPlans).
    void adjustDribbleWeight(const CPlayer* player, runtime::IntArray* plan) const;
    void adjustShotWeight(const CPlayer* player, runtime::IntArray* plan) const;

    // Player commands. Starts entry 0 of player i's queue as a request on the player (see
    // PlayerCommands.cpp); retireCommand drops a finished entry 0, moves the waiting ones up and
    // starts the next.
    void startCommand(jint i);
    void retireCommand(jint i);
    // The ball plan choice for player p on the ball: fills ballPlans and the candidate tables and
    // returns the plan slot drawn (0 dribble, 1 pass, 2 long ball, 3 shot, 4 hold).
    jint chooseBallPlan(CPlayer* p);
    void prepareDribble(CPlayer* p);
    void preparePasses(CPlayer* p);
    void prepareLongBall(CPlayer* p);
    void prepareWingBall(CPlayer* p);
    jint selectBallPlan(CPlayer* p);

    // The goalkeeper's machine over his tasks 14 (guard), 15 (come out), 16 (ball in hand) and
    // 17 (save), in open play and set pieces (see Goalkeeper.cpp).
    void goalkeeperFrame(CPlayer* keeper, jint distance);
    // Marking and challenges (see Marking.cpp): whether marker p runs at o, leaving his stand
    // point in markPointX/Y; whether the player in `slot` now deals with the opposing ball player;
    // the move onto the ball player's closing point.
    bool markingRun(CPlayer* p, const CPlayer* o);
    bool tryWinBall(jint slot);
    void closeDown(jint slot);
    // The open-play planner: the keeper's, the chaser's, the carrier's, the markers' and the
    // tracker's planned tasks (see OpenPlayPlanner.cpp).
    void planOpenPlay();

    CTeam* opponent = nullptr; // matchTeams[1 - teamIndex]
    jbyte sideFlag = 0;        // 1: attacks towards +x
    jint goals = 0;
    runtime::ObjectArray* players = nullptr; // CPlayer[18]: 0 keeper, 1-10 pitch, 11-17 bench
    // The four ints after players: the role slots of the database look-ups (positions in players).
    jint roleSlotA = 0;
    jint roleSlotB = 0;
    jint roleSlotC = 0;
    jint roleSlotD = 0;
    runtime::IntArray* table19 = nullptr;
    CPlayer* goalkeeper = nullptr; // players[0]
    jint teamIndex = 0;            // 0 or 1: index into matchTeams and the per-team statics
    jint possession = -1;          // 1 while this team has the ball, -1 when not
    jint runTargetX = 0;
    jint runTargetY = 0;
    jint runFaceX = 0;
    jint runFaceY = 0;
    jint runStepBudget = -1;
    jint runSteps = 0;
    jint runKind = 0;
    jbyte runActive = 0;
    jint formationIndex = 0; // row of the tactic table
    jint defenders = 0;
    jint midfielders = 0;
    jint attackers = 0;
    jint ballCellX = 0;
    jint ballCellY = 0;
    runtime::ByteArray* zoneGrid = nullptr;  // byte[693]
    runtime::ByteArray* zoneBoxes = nullptr; // byte[44]
    jint lateralFlag = 0;
    jint tactic4 = 1;
    jint tactic5 = 0;
    jint tactic1 = 1;
    jint teamInstruction = 0;
    jint tactic3 = 0;
    jint tactic7 = 1;
    jbyte tactic8Clear = 0;
    runtime::BoolArray* newOrders = nullptr; // boolean[11]
    jbyte planningNeeded = 0;
    jint markEndA = 0;
    jint markEndB = 1;
    runtime::IntArray* intPerPlayer = nullptr;   // int[11]: holdCountdown, ticks a player holds
    runtime::BoolArray* flagPerPlayer = nullptr; // boolean[11]: moveFlag, a player's move waits
    runtime::IntArray* table20 = nullptr;        // int[20]
    jbyte inShootingZone = 0;
    jbyte widePlay = 0;
    jbyte holderFlag3 = 0;
    jbyte wideLeftOfBox = 0;
    jbyte wideRightOfBox = 0;
    jbyte edgeOfBox = 0;
    jint pressureLevel = 0;
    jbyte forwardPressure = 0;
    jint command5Param = 0;
    jint deciding = 0;
    runtime::BoolArray* flags8a = nullptr; // boolean[8] each
    runtime::BoolArray* flags8b = nullptr;
    runtime::BoolArray* flags8c = nullptr;
    jint nearOpponents = 0;
    runtime::IntArray* table8 = nullptr; // int[8]: the dribble order
    jint tacticLevel = 0;
    jint teamIntA = 0;
    jint teamIntB = 0;
    jint pressingLevel = 0;
    jint wingGrade = 0;
    jint lastEvent = 0;
    jint eventCount = 0;
    jint teamIntC = 0;
    runtime::ObjectArray* decisionWeights = nullptr; // int[7][8]
    jint teamIntD = 0;
    jint holdDirection = 0;
    jint dribbleCounter = 5;
    jbyte runFlag = 0;
    jint offsideLineCell = 0;
    jbyte cellsRefreshed = 0;
    runtime::IntArray* commandQueues = nullptr; // int[176]: 11 players x 4 commands {kind, a, b, c}
    runtime::IntArray* queueLengths = nullptr;  // int[11]
    jint defensiveLine = 0;
    jint attackingLine = 0;
    jbyte teamByteA = 0;
    jbyte teamByteB = 0;
    jint tactic6 = 0;
    jint keeperDistribution = 0;
    jint mentalityInUse = 2;
    jint mentality = 2; // 0..4
    jint defensiveSetting = 5;
    jint attackingSetting = 5;
    jint teamIntE = 0;
    jint teamIntF = 0;
    jint celebrationAction = 0;
    jint celebrationStyle = 0;
    jint celebrationRepeats = 0;
    jint celebrationX = 0;
    jint celebrationY = 0;
    jint boostCounter = 0;
    jint teamIntG = 0;
    jint teamIntH = 110;
    jint boosted = 0;
    jint teamIntI = 0;
    jint teamIntJ = 0;
    jint teamIntK = 0;
    jint passFlag = 0;

    // Fields the framework's line-up routines name and the match engine does not.
    jint roleHolder1 = 0; // player-array indices of the three role holders
    jint roleHolder2 = 0;
    jint roleHolder3 = 0;
    CPlayer* keyPlayer = nullptr;
    jint teamRating = 0;
    jint teamLevel = 3; // 0 best .. 7; a middling 3 until the match load rates the team
    jint tacticH = 0;

    // Players (bit i) whose refused command has been logged since the queues were last cleared.
    jint refusedCommandLogged = 0;
    // The slot whose squad entry's stamina joins each player's in rollConditions.
    jint referenceSlot = 0;

    // The slot of the team's player to act (-1 none) and the offsides called against the team.
    jint actingSlot = -1;
    jint offsideCount = 0;

    // The mentality's per-frame step: team 0 reads its keys and touch buttons (in a match) or the
    // squad screen's control (in the menus); every team derives its shares and lines from
    // mentalityInUse, and in a running match recomputes its shape for the ball's cell.
    void updateMentality();
    // The team update of one tick (planning, commands, orders).
    void update();
    // A shot of the team has been noted for the event display (a pass is noted only while clear).
    jbyte shotFlag = 0;
    // The team's challenges, fouls, cards and requested shots this match.
    jint tackleCount = 0;
    jint foulCount = 0;
    jint yellowCount = 0;
    jint redCount = 0;
    jint shotCount = 0;

    // The ball plan choice: the plan slot chosen last (-1 while a decision starts), the dribbles
    // left on a tempo streak, the holds still allowed, the hold mode and flag, the best long-ball
    // grade, the receiver slots of the pass plans, and the restart run's flag.
    jint lastPlan = -1;
    jint dribbleStreak = 0;
    jint holdCredit = 0;
    jint holdMode = 0;
    jbyte holdFlag = 0;
    jint longBallReach = 0;
    jint passReceiverSlot = -1;
    jint secondReceiverSlot = -1;
    jint thirdReceiverSlot = -1;
    jbyte restartRunFlag = 0;

    // The goalkeeper's two hold counters, cleared whenever he returns to guarding the goal, and
    // the frames of close goal-side marking (markingRun).
    jint keeperHoldCounters[2] = {};
    jint markPressure = 0;
};

// The slot of the next shoot-out taker of team teamIndex: the on-pitch players from the last
// backwards, a new one every two kicks, wrapping round; 11 when none is on the pitch.
jint nextPenaltyTaker(jint teamIndex);
// From index from, moving by step, the first index whose player of team teamIndex is on the
// pitch; -1 once the index reaches to (never examined).
jint findNextFreePlayer(jint teamIndex, jint from, jint to, jint step);
// matchTeams[side]; null when missing.
CTeam* matchTeam(jint side);
// Element index of team's player array; null when the team, its array or the element is missing.
CPlayer* teamPlayer(const CTeam* team, jint index);
// The one way to a match player's squad entry: the index in listRowRecords (22-byte entries)
// of the player now standing in slot `slot` of side teamIndex, lineup[teamIndex][slot] +
// 30 x teamIndex; -1 without a line-up row or for an index outside the side's 30.
jint squadEntryIndex(jint teamIndex, jint slot);

} // namespace game::match
