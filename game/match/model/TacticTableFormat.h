// The layout of the tactic table (entry 0 of the match data pack), shared by its reader
// (TacticTable.cpp, CTeam::applyTactic, CTeam::applyPositionDefaults) and the sample data
// generator.
//
// Signed bytes. 24 formation rows of 9 bytes (row = the team's formationIndex): mentality,
// tactic1, teamInstruction, tactic3, tactic4, tactic5, tactic6, tactic7 and a switch byte (0 sets
// tactic8Clear). From byte 216, 12 bytes a position group, in the order the team model copies
// them to a player: instruction 0, 2, 3, 1, 4, 8, 6, 7, setting A, instruction 9, the static
// groupSetting, setting B. The team model reads groups 0..8; the data holds 14 (9..13 repeat 8).
#pragma once

#include <cstdint>

namespace game::match {

inline constexpr std::int32_t kTacticRows = 24;
inline constexpr std::int32_t kTacticRowBytes = 9;
inline constexpr std::int32_t kPositionDefaultsStart = kTacticRows * kTacticRowBytes;
inline constexpr std::int32_t kPositionGroupBytes = 12;
inline constexpr std::int32_t kPositionGroupsRead = 9;
inline constexpr std::int32_t kPositionGroupsStored = 14;
// The smallest table the match load accepts: every row and every group the team model reads.
inline constexpr std::int32_t kTacticTableMinimum =
    kPositionDefaultsStart + kPositionGroupsRead * kPositionGroupBytes;

// Bytes of a formation row.
inline constexpr std::int32_t kTacticMentality = 0;
inline constexpr std::int32_t kTactic1 = 1;
inline constexpr std::int32_t kTacticTeamInstruction = 2;
inline constexpr std::int32_t kTactic3 = 3;
inline constexpr std::int32_t kTactic4 = 4;
inline constexpr std::int32_t kTactic5 = 5;
inline constexpr std::int32_t kTactic6 = 6;
inline constexpr std::int32_t kTactic7 = 7;
inline constexpr std::int32_t kTacticSwitch = 8;

// Bytes of a position group, in copy order.
inline constexpr std::int32_t kGroupRunStyle = 0;     // instruction 0
inline constexpr std::int32_t kGroupShift = 1;        // instruction 2
inline constexpr std::int32_t kGroupInstruction3 = 2; // instruction 3
inline constexpr std::int32_t kGroupStyle = 3;        // instruction 1
inline constexpr std::int32_t kGroupAdvance = 4;      // instruction 4
inline constexpr std::int32_t kGroupDribble = 5;      // instruction 8
inline constexpr std::int32_t kGroupShoot = 6;        // instruction 6
inline constexpr std::int32_t kGroupThroughBall = 7;  // instruction 7
inline constexpr std::int32_t kGroupSettingA = 8;     // setting A
inline constexpr std::int32_t kGroupInstruction9 = 9; // instruction 9
inline constexpr std::int32_t kGroupSetting = 10;     // the static groupSetting
inline constexpr std::int32_t kGroupSettingB = 11;    // setting B

} // namespace game::match
