// Every number of the match engine that its design leaves to us, named once: what each shapes
// and which test band checks it. No tuned number lives anywhere else.
//
// Believability bands the tests hold these numbers to:
// - Launch bands of a kick (kick tests): a ground pass, a lofted pass and a shot each reach their
//   landing point within the distance, height and flight time of their kind.
// - Match-statistics bands of a whole match played headless (match harness): goals, shots,
//   fouls, cards, corners and possession per match within the ranges of real football.
// Where a number has no band yet, its comment says so; the issue that adds the band cites it.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

// The match counter the per-tick reset compares with the keeper's distribution value
// ((2 - tactic6) x 4): no rule gives it, so it stays 0 and a pending distribution (-1) always
// takes the value while it is positive. No band: nothing reads keeperDistribution yet.
inline constexpr runtime::jint kKeeperDistributionCounter = 0;

// The kick parameters are statics of the static set-up (MatchConstantStatics), not numbers here:
// matchTiming[kKickPowerStart] is the kick power's start value and matchTiming[kKickG0 ..
// kKickL8] the launch constants G0, G1, G2, L3..L8; matchScaleMid is S10; matchScaleA, B and C are
// the shot gravity, factor and speed cap by power level. Checked by the launch bands.
inline constexpr runtime::jint kKickPowerStart = 0;
inline constexpr runtime::jint kKickG0 = 1;
inline constexpr runtime::jint kKickG1 = 2;
inline constexpr runtime::jint kKickG2 = 3;
inline constexpr runtime::jint kKickL3 = 4;
inline constexpr runtime::jint kKickL4 = 5;
inline constexpr runtime::jint kKickL5 = 6;
inline constexpr runtime::jint kKickL6 = 7;
inline constexpr runtime::jint kKickL7 = 8;
inline constexpr runtime::jint kKickL8 = 9;
// The launch bands the kick tests fly every kind of kick through (ball, flight step and these
// parameters together): a ground pass of 8,192..150,000 stays below kGroundPassPeakBelow, reaches
// its target at a mean speed within kGroundPassMeanSpeedMin..Max a tick and moves there at
// kGroundPassSpeedAtTarget or less; a lofted or driven ball comes down within max(d' /
// kLoftLandingShare, kLoftLandingMin) of its reach d', after a highest point of at least d' /
// kLoftPeakLowShare (and at most 3d'/4); the strong kick within max(d' / kStrongLandingShare,
// kStrongLandingMin); a shot from 40,000..110,000 out leaves at kShotLaunchMin..Max a tick and
// reaches the goal line within kShotTicksToLine ticks, under the bar when aimed at 8,000 or lower.
inline constexpr runtime::jint kGroundPassPeakBelow = 3072;
inline constexpr runtime::jint kGroundPassMeanSpeedMin = 900;
inline constexpr runtime::jint kGroundPassMeanSpeedMax = 3000;
inline constexpr runtime::jint kGroundPassSpeedAtTarget = 1400;
inline constexpr runtime::jint kLoftLandingShare = 6;
inline constexpr runtime::jint kLoftLandingMin = 6144;
inline constexpr runtime::jint kLoftPeakLowShare = 12;
inline constexpr runtime::jint kStrongLandingShare = 3;
inline constexpr runtime::jint kStrongLandingMin = 8192;
inline constexpr runtime::jint kShotLaunchMin = 1800;
inline constexpr runtime::jint kShotLaunchMax = 7000;
inline constexpr runtime::jint kShotTicksToLine = 30;

// The acceleration ramp of a run from standing: the velocity rises in N steps, N =
// kMatchAccelFrames plus 0, 1 or 2 by the player's accelRating, so a standing player visibly gets
// going over 4 to 6 ticks and a quick one sooner than a slow one. Never 0. No band yet.
inline constexpr runtime::jint kMatchAccelFrames = 4;
// The row of the turn table a ball carrier's turn copies into his stepTable: direction x
// kTurnTableRowStride + wantedDirection. No band: nothing reads stepTable yet.
inline constexpr runtime::jint kTurnTableRowStride = 8;

// Pass accuracy: a ground pass goes exactly where it is aimed when randomRange(0, 100) is at
// most (kPassLevelBase - level) x kPassLevelStep - shotPower x kPassPowerStep, plus
// kPassDirectionBonus for a pass square or back in the team's view and minus it for a forward
// one; level is the team's teamLevel held to 0..kTeamLevelWorst (kTeamLevelDefault until the
// match load sets it). A missed pass moves the target by randomRange(-2E, 2E) on x, then on y,
// E = kPassErrorBase + kPassErrorPerPower x shotPower. A middling passer (level 3, shotPower 3)
// plays a forward pass exactly about 55 % of the time, a square one about 75 % (kick tests).
inline constexpr runtime::jint kPassLevelBase = 14;
inline constexpr runtime::jint kPassLevelStep = 10;
inline constexpr runtime::jint kPassPowerStep = 15;
inline constexpr runtime::jint kPassDirectionBonus = 10;
inline constexpr runtime::jint kPassErrorBase = 1024;
inline constexpr runtime::jint kPassErrorPerPower = 512;
inline constexpr runtime::jint kTeamLevelWorst = 7;
inline constexpr runtime::jint kTeamLevelDefault = 3;
// The contact frame of the kick poses the pose table picks but the contact table leaves out (the
// ground pass straight on, the volleys): as the lofted pass and the side-foot poses.
inline constexpr runtime::jint kOtherPoseContactFrame = 3;

// The standing challenge, milder than the sliding one: a foul when randomRange(0,
// kStandFoulFront) (faces apart, or T in the own area) or randomRange(0, kStandFoulBehind) is at
// most the duel rating; clean, T falls when randomRange(0, kStandFallOdds) is at least the duel
// rating (fall 17 when randomRange(0, 9) is below kStandHardFall), else the ball is poked away to
// T's point plus kStandPokeMotion x the challenger's motion plus kStandPokeReach along his facing;
// the card r = randomRange(0, 99) + (3 - duel) x 4 is red below kStandRed (kStandRedKeeper when
// the keeper is nearest to a central ball), none from kStandNone (kStandNoneKeeper). A foul from
// the front by a middling tackler (duel 3) has odds 4 in 48 (challenge tests).
inline constexpr runtime::jint kStandFoulFront = 47;
inline constexpr runtime::jint kStandFoulBehind = 11;
inline constexpr runtime::jint kStandFallOdds = 7;
inline constexpr runtime::jint kStandHardFall = 2;
inline constexpr runtime::jint kStandPokeMotion = 3;
inline constexpr runtime::jint kStandPokeReach = 2560;
inline constexpr runtime::jint kStandRed = 2;
inline constexpr runtime::jint kStandRedKeeper = 8;
inline constexpr runtime::jint kStandNone = 15;
inline constexpr runtime::jint kStandNoneKeeper = 35;
inline constexpr runtime::jint kStandReach = 2049;

// A shot's lengths: with D the distance to the aim point, the driven shot's carrierStage is
// randomRange(kShotStageMin, kShotStageMax) in match phases 5 and 7, else drawn from the band of
// D (below kShotNearD: 6..9, below kShotMidD: 8..11, beyond: 10..12); its target lies along the
// aim at D x (kShotReachFacing + stage) / 16, or D x (kShotReachAcross + stage) / 16 when the turn
// from the facing to the aim is beyond one step. Without a shot window the lofted ball (height
// kWingBallHeight) goes to the wing point (kWingPointX, +-kWingPointY) in the team's view on the
// ball's side. No band yet: the match harness's shot bands will hold them.
inline constexpr runtime::jint kShotStageMin = 6;
inline constexpr runtime::jint kShotStageMax = 12;
inline constexpr runtime::jint kShotNearD = 40960;
inline constexpr runtime::jint kShotMidD = 81920;
inline constexpr runtime::jint kShotNearStageMax = 9;
inline constexpr runtime::jint kShotMidStageMin = 8;
inline constexpr runtime::jint kShotMidStageMax = 11;
inline constexpr runtime::jint kShotFarStageMin = 10;
inline constexpr runtime::jint kShotReachFacing = 8;
inline constexpr runtime::jint kShotReachAcross = 6;
inline constexpr runtime::jint kWingBallHeight = 5120;
inline constexpr runtime::jint kWingPointX = 112640;
inline constexpr runtime::jint kWingPointY = 61440;

// The receiver of a set piece's ball or a wing ball (choosePassTarget) is searched from
// kPassReceiverBoxX in the team's view to the goal line, the whole width: team-mates within a run
// of the box in front of the goal the ball is played into. No band yet: the match harness's
// cross and set-piece counts will hold it.
inline constexpr runtime::jint kPassReceiverBoxX = 61440;

// Two players colliding: the probes (each point plus a kDuelProbe step along his motion) within
// kDuelReach of each other stop the one whose motion points at the other, set back to a
// screen-proportioned kDuelProbe from him.
inline constexpr runtime::jint kDuelReach = 2304;
inline constexpr runtime::jint kDuelProbe = 2048;

} // namespace game::match
