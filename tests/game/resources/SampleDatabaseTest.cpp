// The sample club database: its shape, its seed, and the generator's check of a pack read back.
#include "tools/SampleDatabase.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "game/club/DatabaseFormat.h"

namespace tools {
namespace {

using namespace game::club;

// The problems the check finds in a database pack of these entries.
std::vector<std::string> problemsOf(const std::vector<PackEntry>& entries) {
    const Bytes archive = buildArchive(packArchiveEntries("db", buildPackParts(entries), ""));
    std::vector<DirectoryEntry> directory;
    std::string problem;
    EXPECT_TRUE(readArchiveDirectory(archive, directory, problem)) << problem;
    std::vector<std::string> problems;
    checkSampleDatabasePack(archive, directory, problems);
    return problems;
}

Bytes& entry(std::vector<PackEntry>& entries, const std::int32_t number) {
    return entries[static_cast<std::size_t>(number)].content;
}

TEST(SampleDatabase, TheSamplePackPassesItsCheckAndHasTheGamesShape) {
    const SampleDatabase& database = sampleDatabase();
    EXPECT_TRUE(problemsOf(database.entries).empty());
    ASSERT_EQ(database.entries.size(), static_cast<std::size_t>(kDatabaseEntryCount));
    EXPECT_EQ(database.teams.size(), 260u);
    EXPECT_EQ(database.players.size(), 5500u);
    EXPECT_EQ(database.entries[kTeamInfoEntry].content.size(), 7092u);
    EXPECT_EQ(database.entries[kPlayerInfoEntry].content.size(), 154000u);
    EXPECT_EQ(database.entries[kFormationEntry].content.size(), 24u * 67);
    EXPECT_EQ(database.entries[kFormationSlotsEntry].content.size(), 240u);
    EXPECT_EQ(database.entries[kCoachEntry].content.size() >= 36u * 18, true);
    EXPECT_EQ(database.entries[kDevelopmentEntry].content.size(), 150u);
    EXPECT_EQ(database.entries[kReservedEntry].content.size(), 1u);
    std::set<std::string> names;
    for (const SampleTeam& team : database.teams) {
        EXPECT_LE(team.name.size(), 16u);
        EXPECT_LE(team.shortName.size(), 10u);
        EXPECT_EQ(team.code.size(), 3u);
        names.insert(team.name);
    }
    EXPECT_EQ(names.size(), 260u) << "every club has a name of its own";
    // Each team has three goalkeepers (a position mask of exactly 1) among its 21 players.
    const Bytes& info = database.entries[kPlayerInfoEntry].content;
    for (const std::size_t team : {0u, 259u}) {
        int keepers = 0;
        for (std::size_t p = 21 * team; p < 21 * team + 21; ++p) {
            const std::size_t mask = 28 * p + 11;
            keepers +=
                info[mask] == 0 && info[mask + 1] == 0 && info[mask + 2] == 0 && info[mask + 3] == 1 ? 1 : 0;
        }
        EXPECT_EQ(keepers, 3) << team;
    }
}

TEST(SampleDatabase, TheSameSeedGivesTheSameBytes) {
    const SampleDatabase again = compileSampleDatabase(kSampleDatabaseSeed);
    const SampleDatabase other = compileSampleDatabase(kSampleDatabaseSeed + 1);
    for (std::size_t i = 0; i < again.entries.size(); ++i) {
        EXPECT_EQ(again.entries[i].content, sampleDatabase().entries[i].content) << "entry " << i;
    }
    EXPECT_NE(other.entries[kPlayerInfoEntry].content, sampleDatabase().entries[kPlayerInfoEntry].content);
    EXPECT_TRUE(problemsOf(other.entries).empty());
}

TEST(SampleDatabase, TheCheckNamesWhatTheGameCouldNotUse) {
    struct Case {
        const char* what;
        std::function<void(std::vector<PackEntry>&)> change;
        const char* problem;
    };
    const Case cases[] = {
        {"a league one team too big", [](auto& e) { entry(e, 0)[4] = 21; },
         "database: 261 teams, the game needs 260"},
        {"a wrong badge id", [](auto& e) { entry(e, 0)[5 * 2 + 3] = 87; },
         "database: league 2 has the wrong badge id"},
        {"a formation beyond the table", [](auto& e) { entry(e, 0)[80 + 27 * 5] = 24; },
         "database: team 5 has no formation"},
        {"a youth of 18", [](auto& e) { entry(e, 1)[28 * 5499 + 6] = 17 << 1; },
         "database: player 5499 without a team is not under 18"},
        {"a nationality no text names", [](auto& e) { entry(e, 1)[28 * 3 + 5] = 2; },
         "database: player 3 has a nationality no text names"},
        {"seven defenders", [](auto& e) { entry(e, 8)[67 * 4 + 1] = '7'; },
         "database: formation 4 has invalid lines or slots"},
        {"two players in one slot", [](auto& e) { entry(e, 9)[10 * 6 + 1] = entry(e, 9)[10 * 6]; },
         "database: formation 6 has invalid lines or slots"},
        {"eleven entries", [](auto& e) { e.pop_back(); }, "database: 11 entries, the game reads 12"},
        {"short players", [](auto& e) { entry(e, 1).resize(28 * 5499); },
         "database: player information for 5499 players, the game reads 5500"},
    };
    for (const Case& c : cases) {
        std::vector<PackEntry> entries = sampleDatabase().entries;
        c.change(entries);
        const std::vector<std::string> problems = problemsOf(entries);
        EXPECT_NE(std::find(problems.begin(), problems.end(), c.problem), problems.end())
            << c.what << ": " << (problems.empty() ? "no problem" : problems.front());
    }
}

} // namespace
} // namespace tools
