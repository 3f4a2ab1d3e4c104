// The sample match data pack C118 ("matchdata"; layout of its tactic table:
// game/match/model/TacticTableFormat.h): entry 0 the tactic table, entry 1 reserved (an empty
// range).
#pragma once

#include <string>
#include <vector>

#include "tools/SampleData.h"

namespace tools {

inline constexpr int kMatchDataPackConstant = 118;
inline constexpr int kTacticTableEntry = 0;
inline constexpr int kMatchDataReservedEntry = 1;
// The tactic table: 24 formation rows, then 14 position groups (9..13 repeat group 8).
Bytes sampleTacticTable();
std::vector<ArchiveEntry> sampleMatchDataPackEntries();
// Reads the match data pack back; adds what is wrong to problems.
void checkSampleMatchData(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                          std::vector<std::string>& problems);

} // namespace tools
