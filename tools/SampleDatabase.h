// The sample club database: 13 leagues in 8 countries, 260 fictional clubs, 5,500 players, coaches,
// scouts, 24 formations and the name tables, compiled from the editable definitions in
// SampleDatabase.cpp and deterministic from one seed. Layout: game/club/DatabaseFormat.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/SampleData.h"
#include "tools/SamplePacks.h"

namespace tools {

// The seed every random choice of the sample database starts from.
inline constexpr std::uint64_t kSampleDatabaseSeed = 20090701;

// One league of the layout: its country, its number of teams and its first team id, the byte
// its entry carries for the badge sheets, and its level (first division, second, single).
struct SampleLeague {
    std::int32_t country;
    std::int32_t teams;
    std::int32_t firstTeam;
    std::int32_t badgeFirstId;
    std::int32_t level;
};
inline constexpr std::int32_t kFirstDivision = 0;
inline constexpr std::int32_t kSecondDivision = 1;
inline constexpr std::int32_t kSingleDivision = 2;
const std::vector<SampleLeague>& sampleLeagues();

// The database's clubs and players as the generator made them, for tests and the check.
struct SampleTeam {
    std::string name;      // full name, at most 16 characters
    std::string shortName; // at most 10 characters
    std::string code;      // three letters
    std::int32_t league = 0;
};
struct SamplePlayer {
    std::string name;
    std::string nationality;
    std::int32_t team = -1; // -1 for the 40 players without a team
};
struct SampleDatabase {
    std::vector<SampleTeam> teams;
    std::vector<SamplePlayer> players;
    std::vector<PackEntry> entries; // the pack's entries 0..11
};
// The sample database (seed kSampleDatabaseSeed), made once.
const SampleDatabase& sampleDatabase();
// The database compiled from the definitions with another seed.
SampleDatabase compileSampleDatabase(std::uint64_t seed);

// The database pack (constant string 85) as archive entries.
std::vector<ArchiveEntry> sampleDatabasePackEntries();
// Reads the database pack back out of an archive and checks the shape the game relies on: the
// entry count and sizes, 260 teams in consecutive league blocks, the badge ids, formations whose
// digits and slots are valid, nationalities that are country or region texts, names that fit
// their screens, and the 40 players without a team aged under 18. Adds what is wrong to problems.
void checkSampleDatabasePack(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                             std::vector<std::string>& problems);

} // namespace tools
