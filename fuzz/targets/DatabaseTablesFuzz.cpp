// Fuzz target "database_tables": the entries of the club database pack. The input is the entries'
// contents, each framed as a 24-bit little-endian length and its bytes, built into a whole pack
// (the pack's own layout is the resource_pack target's); both loaders run, the league tables and
// first-run records are derived, and every team name is looked up.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzRuntime.h"
#include "game/core/GameStatics.h"
#include "game/resources/DatabaseTables.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "tests/support/RuntimeValues.h"
#include "tools/SamplePacks.h"

namespace {

using runtime::jint;

constexpr jint kDatabasePackConstant = 85;
constexpr std::size_t kMaxEntries = 16;
// Name look-ups beyond the table and the ids of "no team".
constexpr jint kLookupsPastTheTable = 3;
constexpr jint kNoTeamIds[] = {-1, 65535};

void fuzzDatabaseTables(const std::uint8_t* data, const std::size_t size) {
    std::size_t at = 0;
    std::vector<tools::PackEntry> entries;
    for (std::vector<std::uint8_t>& content : fuzzing::framedPieces(data, size, at, kMaxEntries)) {
        entries.push_back({true, std::move(content), 0});
    }
    const std::string name = testing_support::textOf(runtime::getConstantString(kDatabasePackConstant));
    for (const tools::ArchiveEntry& part :
         tools::packArchiveEntries(name, tools::buildPackParts(entries), "")) {
        fuzzing::serveResource(part.name, part.bytes.data(), part.bytes.size());
    }
    game::resources::loadDatabaseTables();
    runtime::catchException(runtime::kException);
    game::resources::loadExtraTables();
    runtime::catchException(runtime::kException);
    game::GameStatics* s = game::statics();
    const jint teams = std::clamp(s->teamCount, 0, 300);
    for (jint i = -1; i < teams + kLookupsPastTheTable; ++i) {
        fuzzing::checkString(game::resources::getTeamNameFromTable(i), "a team name");
        fuzzing::checkString(game::resources::getTeamDisplayName(i), "a team display name");
        runtime::catchException(runtime::kException);
    }
    for (const jint id : kNoTeamIds) {
        game::resources::getTeamDisplayName(id);
    }
    game::resources::buildDefaultPlayerRecords();
    runtime::catchException(runtime::kException);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runGameInput(data, size, &fuzzDatabaseTables);
}
