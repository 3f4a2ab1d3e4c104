// The sample match data pack (see SampleMatchData.h).
#include "tools/SampleMatchData.h"

#include <optional>

#include "game/match/model/TacticTableFormat.h"
#include "tools/SamplePacks.h"

namespace tools {

namespace {

using namespace game::match;

// Every formation row but tactic3: mentality 2 and the tactic bytes the team's defaults hold.
constexpr int kRowMentality = 2;
constexpr int kRowTactic1 = 1;
constexpr int kRowTeamInstruction = 1;
constexpr int kRowTactic4 = 1;
constexpr int kRowTactic5 = 0;
constexpr int kRowTactic6 = 1;
constexpr int kRowTactic7 = 1;
constexpr int kRowSwitch = 1;
// tactic3 by variant of a formation family (three variants a family): three pass-weight styles.
constexpr int kVariants = 3;
constexpr int kTactic3OfVariant[kVariants] = {0, 2, 1};

// The position-group defaults in copy order (TacticTableFormat.h), groups 0..8: keeper, centre
// backs, full backs, holding, central and wide midfield, wingers, attacking midfield, forwards.
constexpr int kGroupDefaults[kPositionGroupsRead][kPositionGroupBytes] = {
    {1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 1}, {0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 1},
    {1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 1}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1},
    {2, 1, 1, 1, 1, 1, 1, 2, 1, 1, 0, 1}, {3, 1, 1, 1, 1, 2, 1, 1, 2, 1, 1, 1},
    {3, 1, 1, 1, 2, 2, 1, 1, 2, 1, 1, 1}, {3, 1, 1, 1, 2, 2, 2, 2, 1, 1, 2, 1},
    {4, 1, 1, 1, 2, 1, 2, 1, 1, 1, 2, 1},
};

} // namespace

Bytes sampleTacticTable() {
    Bytes table;
    for (int row = 0; row < kTacticRows; ++row) {
        const int values[kTacticRowBytes] = {
            kRowMentality, kRowTactic1, kRowTeamInstruction, kTactic3OfVariant[row % kVariants],
            kRowTactic4,   kRowTactic5, kRowTactic6,         kRowTactic7,
            kRowSwitch};
        for (const int value : values) {
            table.push_back(static_cast<std::uint8_t>(value));
        }
    }
    for (int group = 0; group < kPositionGroupsStored; ++group) {
        const int source = group < kPositionGroupsRead ? group : kPositionGroupsRead - 1;
        for (const int value : kGroupDefaults[source]) {
            table.push_back(static_cast<std::uint8_t>(value));
        }
    }
    return table;
}

std::vector<ArchiveEntry> sampleMatchDataPackEntries() {
    std::vector<PackEntry> entries(kMatchDataReservedEntry + 1, emptyPackEntry());
    entries[kTacticTableEntry] = {true, sampleTacticTable(), 0};
    return packArchiveEntries(sampleConstantText(kMatchDataPackConstant), buildPackParts(entries),
                              "startMatch");
}

void checkSampleMatchData(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                          std::vector<std::string>& problems) {
    const std::string name = sampleConstantText(kMatchDataPackConstant);
    std::vector<std::optional<Bytes>> entries;
    std::string problem;
    if (!readPackBack(archive, directory, name, entries, problem)) {
        problems.push_back(problem);
        return;
    }
    if (entries.size() <= kTacticTableEntry || !entries[kTacticTableEntry] ||
        static_cast<int>(entries[kTacticTableEntry]->size()) < kTacticTableMinimum) {
        problems.push_back(name + ": entry 0 does not hold the tactic table's rows and groups");
    }
}

} // namespace tools
