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

} // namespace game::match
