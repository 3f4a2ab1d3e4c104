// The sample club database: the editable definitions (league layout, town and club words, given
// names and surnames, staff, formations, news templates), the compiler that turns them into the
// database pack's entries, and the check that reads the pack back.
#include "tools/SampleDatabase.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

#include "game/club/DatabaseFormat.h"
#include "tools/SampleTexts.h"

namespace tools {

namespace {

using namespace game::club;

// ---- Editable definitions ----

// The league layout: country, teams, first team id, badge byte, level. Countries 0-4 have two
// divisions, 5-7 one; team ids run in league order so that each country's ids are consecutive.
const std::vector<SampleLeague> kLeagues = {
    {0, 20, 0, 0, kFirstDivision},      {0, 24, 20, 44, kSecondDivision},
    {1, 20, 44, 86, kFirstDivision},    {1, 22, 64, 128, kSecondDivision},
    {2, 20, 86, 168, kFirstDivision},   {2, 22, 106, 0, kSecondDivision},
    {3, 20, 128, 0, kFirstDivision},    {3, 20, 148, 0, kSecondDivision},
    {4, 18, 168, 0, kFirstDivision},    {4, 18, 186, 0, kSecondDivision},
    {5, 16, 204, 204, kSingleDivision}, {6, 20, 220, 220, kSingleDivision},
    {7, 20, 240, 240, kSingleDivision},
};
// Text ids of the countries 0-7 (their players' nationality), the other regions foreign players
// come from, and the first league name.
constexpr std::int32_t kCountryTexts[] = {173, 174, 175, 176, 177, 342, 346, 345};
constexpr std::int32_t kForeignTexts[] = {349, 477, 478};
constexpr std::int32_t kFirstLeagueText = 178;

// Towns are a stem and an ending; clubs a town and a word that fits in 16 characters.
const std::vector<std::string> kTownStems = {
    "Ash",  "Bram", "Brock", "Carr", "Cold", "Dun",  "Elm",  "Fen",  "Glen",  "Gran",
    "Hart", "Holl", "Ivy",   "Kel",  "Kin",  "Lang", "Lark", "Mar",  "Mill",  "Mor",
    "Nor",  "Oak",  "Pen",   "Quar", "Red",  "Rook", "Salt", "Stan", "Thorn", "Tarn",
    "Ul",   "Vale", "Wick",  "Wil",  "Yar",  "Bel",  "Crow", "Fair", "Haw",   "Stour",
};
const std::vector<std::string> kTownEndings = {
    "ford",  "by",   "ton",  "wick", "bridge", "ham",  "mouth",
    "field", "dale", "wood", "ley",  "stead",  "burn", "port",
};
const std::vector<std::string> kClubWords = {
    "FC",    "City",    "Town",   "United",   "Rovers", "Athletic",  "Albion", "Wanderers",
    "Villa", "Rangers", "County", "Harriers", "Dynamo", "Athletico", "Park",   "Borough",
};
constexpr std::size_t kMaxTownLength = 10;
constexpr std::size_t kMaxTeamNameLength = 16;

const std::vector<std::string> kGivenNames = {
    "Adam", "Ben",  "Carl", "Dan",  "Eric", "Finn", "Gus",  "Hal",  "Ian",  "Jack",
    "Kurt", "Lee",  "Max",  "Ned",  "Owen", "Paul", "Quin", "Rob",  "Sam",  "Tom",
    "Ugo",  "Vic",  "Walt", "Xavi", "Yann", "Zak",  "Alf",  "Bram", "Cole", "Dirk",
    "Emil", "Fred", "Glen", "Hugo", "Ivo",  "Joel", "Karl", "Luc",  "Mick", "Nils",
};
const std::vector<std::string> kSurnames = {
    "Abbot",   "Barlow",  "Carrow",  "Dench",    "Elston",   "Fairley",  "Garside", "Hadden",   "Ingram",
    "Jessop",  "Kember",  "Lowther", "Mabbott",  "Nettles",  "Orrell",   "Pinder",  "Quarry",   "Rudge",
    "Sowerby", "Tolley",  "Umpleby", "Varley",   "Wragg",    "Yeadon",   "Ackroyd", "Blakey",   "Cromack",
    "Dobbin",  "Eagle",   "Fothers", "Gledhill", "Hirst",    "Illing",   "Jagger",  "Kitching", "Lumb",
    "Moxon",   "Nuttall", "Oddie",   "Petch",    "Ramsden",  "Senior",   "Thwaite", "Usher",    "Verity",
    "Walsh",   "Yates",   "Appleby", "Bentley",  "Crabtree", "Dyson",    "Exley",   "Firth",    "Gaunt",
    "Haigh",   "Iredale", "Jowett",  "Kaye",     "Laycock",  "Metcalf",  "Naylor",  "Oxley",    "Priest",
    "Rhodes",  "Shaw",    "Tetley",  "Uttley",   "Vickers",  "Whiteley", "Brook",   "Cawood",   "Denby",
};

// Players of a team by line: 3 goalkeepers, 7 defenders, 7 midfielders, 4 attackers, each with
// a position mask of buildPositionText's bits (the defenders' line bits in the lowest byte).
const std::vector<std::int32_t> kDefenderMasks = {4, 4, 2, 8, 4 | 2, 4 | 8, 2 | 64};
const std::vector<std::int32_t> kMidfielderMasks = {256, 256 | 16, 128, 512, 1024, 256 | 1024, 128 | 512};
const std::vector<std::int32_t> kAttackerMasks = {8192, 8192 | 2048, 4096, 2048 | 1024};
constexpr std::int32_t kGoalkeepersPerTeam = 3;

// Skill ranges by level; the 40 players without a team are youths.
struct Range {
    std::int32_t low;
    std::int32_t high;
};
constexpr Range kSkillsByLevel[] = {{55, 85}, {40, 70}, {45, 75}};
constexpr Range kYouthSkills = {30, 55};
// Year codes (from 1960) of players aged 17-35 in 2009; the youths' age base 14-16 (15-17 years).
constexpr Range kBirthYearCodes = {14, 32};
constexpr Range kYouthAgeBase = {14, 16};
constexpr Range kContractYears = {10, 14};
constexpr Range kHeights = {165, 198};
constexpr Range kWeights = {62, 95};
constexpr Range kForm = {0, 10};
constexpr std::int32_t kAppearanceRows = 8;
constexpr std::int32_t kForeignInEvery = 8;

// Club values: reputation 60-250, wage budget (at most 32767) and funds / 10 by level.
constexpr Range kReputationByLevel[] = {{150, 250}, {60, 160}, {100, 200}};
constexpr Range kWageBudgetByLevel[] = {{3000, 9000}, {800, 3000}, {1500, 5000}};
constexpr Range kFundsByLevel[] = {{2000, 9000}, {300, 2500}, {800, 5000}};

// Staff: coach wages (shown times 12), scout wages, skills and grades.
constexpr Range kCoachWages = {5, 60};
constexpr Range kScoutWages = {3, 30};
constexpr Range kScoutSkills = {0, 4};
constexpr Range kScoutGrades = {0, 5};
constexpr Range kScoutSecondGrades = {0, 4};

// Formations: eight families of defenders, midfielders and attackers, three variants each.
struct Family {
    std::int32_t defenders;
    std::int32_t midfielders;
    std::int32_t attackers;
};
const std::vector<Family> kFamilies = {{4, 4, 2}, {4, 3, 3}, {3, 5, 2}, {4, 5, 1},
                                       {5, 3, 2}, {3, 4, 3}, {5, 4, 1}, {4, 2, 4}};
constexpr std::int32_t kVariants = 3;
// Columns of a line of n players (index n - 1).
const std::vector<std::vector<std::int32_t>> kLineColumns = {
    {2}, {1, 3}, {1, 2, 3}, {0, 1, 3, 4}, {0, 1, 2, 3, 4}};
constexpr std::int32_t kDefenceRow = 0;
constexpr std::int32_t kMidfieldRow = 2;
constexpr std::int32_t kAttackRow = 4;
constexpr std::int32_t kDefensiveLine = -12;
constexpr std::int32_t kAttackingLine = 8;
// A player's zone box by the row of his slot: how far he may go from his home cell back,
// forward, to -y and to +y (cells). Midfielders cover the most ground; attackers drop back less.
const std::vector<std::vector<std::int32_t>> kZoneBoxByRow = {
    {3, 8, 4, 4}, {3, 8, 4, 4}, {10, 10, 5, 5}, {10, 10, 5, 5}, {8, 4, 5, 5}};

// Development: growth by age 16..40, shifted by class 0 (most) to 5 (least), within -5..5.
constexpr std::int32_t kGrowthByAge[kDevelopmentStride] = {5, 5,  4,  4,  3,  3,  2,  2,  1,  1,  1,  0, 0,
                                                           0, -1, -1, -2, -2, -3, -3, -4, -4, -5, -5, -5};
constexpr std::int32_t kGrowthByClass[kDevelopmentClasses] = {1, 1, 0, 0, -1, -1};
constexpr std::int32_t kMaxGrowth = 5;

// News templates: texts with markers (constant strings) between the words.
struct Template {
    const char* before;
    std::int32_t marker;
    const char* after;
};
const std::vector<Template> kTemplates = {
    {"", 202, " is the talk of the league after another fine game."},
    {"Supporters of ", 236, " celebrate a famous win."},
    {"", 202, " has been named player of the month."},
    {"The manager of ", 239, " praises the spirit of his side."},
    {"", 240, " fans queue for tickets all week."},
    {"A late goal from ", 202, " settles a tense match."},
    {"", 236, " lose ground after a poor run."},
    {"Scouts watch ", 202, " closely this weekend."},
    {"", 239, " sign a new shirt sponsor."},
    {"Injury worries for ", 236, " before the derby."},
    {"", 202, " signs a new two-year deal."},
    {"Record crowd expected as ", 240, " face the leaders."},
};
constexpr std::int32_t kNewsKinds = 4;
constexpr std::int32_t kNewsValues = 5;

// Match table block: two sections of 16 bytes and 8 shorts, all 0.
constexpr std::int32_t kMatchSectionBytes = 16;
constexpr std::int32_t kMatchSectionShorts = 8;

// ---- The compiler ----

// A small deterministic generator: the same seed gives the same database on every machine.
class SampleRandom {
public:
    explicit SampleRandom(const std::uint64_t seed) : state(seed) {}
    std::int32_t range(const Range r) { return range(r.low, r.high); }
    std::int32_t range(const std::int32_t low, const std::int32_t high) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const auto span = static_cast<std::uint64_t>(high - low + 1);
        return low + static_cast<std::int32_t>((state >> 33) % span);
    }
    template <typename T> const T& pick(const std::vector<T>& values) {
        return values[static_cast<std::size_t>(range(0, static_cast<std::int32_t>(values.size()) - 1))];
    }

private:
    std::uint64_t state;
};

std::string narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

std::string textOf(const std::int32_t id) {
    return narrow(sampleTexts()[static_cast<std::size_t>(id)]);
}

void putShort(Bytes& bytes, const std::size_t at, const std::int32_t value) {
    bytes[at] = static_cast<std::uint8_t>(value >> 8);
    bytes[at + 1] = static_cast<std::uint8_t>(value);
}

void putInt(Bytes& bytes, const std::size_t at, const std::int32_t value) {
    putShort(bytes, at, value >> 16);
    putShort(bytes, at + 2, value);
}

std::int32_t shortAt(const Bytes& bytes, const std::size_t at) {
    return (bytes[at] << 8) | bytes[at + 1];
}

std::size_t place(const std::int32_t value) {
    return static_cast<std::size_t>(value);
}

// The name bytes (entry 2): each distinct name stored once.
class NamePool {
public:
    // Stores name (once) and writes its reference at at of table.
    void reference(Bytes& table, const std::size_t at, const std::string& name) {
        auto found = offsets.find(name);
        if (found == offsets.end()) {
            found = offsets.emplace(name, static_cast<std::int32_t>(bytes.size())).first;
            bytes.insert(bytes.end(), name.begin(), name.end());
            if (bytes.size() > static_cast<std::size_t>(kMaxNameOffset) + 1) {
                throw std::length_error("the database names need more than 64 KiB");
            }
        }
        putShort(table, at, found->second);
        table[at + 2] = static_cast<std::uint8_t>(name.size());
    }
    const Bytes& all() const { return bytes; }

private:
    Bytes bytes;
    std::map<std::string, std::int32_t> offsets;
};

// Names made of the records that follow a table of fixed records (coaches, scouts, news).
class TrailingNames {
public:
    explicit TrailingNames(const std::size_t recordBytes) : table(recordBytes) {}
    void reference(const std::size_t at, const std::string& name) {
        putShort(table, at, static_cast<std::int32_t>(names.size()));
        table[at + 2] = static_cast<std::uint8_t>(name.size());
        names.insert(names.end(), name.begin(), name.end());
    }
    Bytes& records() { return table; }
    Bytes finished() const {
        Bytes all = table;
        all.insert(all.end(), names.begin(), names.end());
        return all;
    }

private:
    Bytes table;
    Bytes names;
};

std::vector<SampleTeam> makeTeams(SampleRandom& random) {
    std::vector<std::string> towns;
    for (const std::string& stem : kTownStems) {
        for (const std::string& ending : kTownEndings) {
            if (stem.size() + ending.size() <= kMaxTownLength) {
                towns.push_back(stem + ending);
            }
        }
    }
    // A fixed shuffle, so each run hands out the same towns.
    for (std::size_t i = towns.size() - 1; i > 0; --i) {
        std::swap(towns[i], towns[place(random.range(0, static_cast<std::int32_t>(i)))]);
    }
    std::vector<SampleTeam> teams;
    for (std::size_t l = 0; l < kLeagues.size(); ++l) {
        for (std::int32_t i = 0; i < kLeagues[l].teams; ++i) {
            SampleTeam team;
            const std::string& town = towns.at(teams.size());
            std::vector<std::string> fitting;
            for (const std::string& word : kClubWords) {
                if (town.size() + 1 + word.size() <= kMaxTeamNameLength) {
                    fitting.push_back(word);
                }
            }
            team.name = town + " " + random.pick(fitting);
            team.shortName = town;
            team.code = town.substr(0, 3);
            std::transform(team.code.begin(), team.code.end(), team.code.begin(),
                           [](const char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
            team.league = static_cast<std::int32_t>(l);
            teams.push_back(team);
        }
    }
    return teams;
}

std::string personName(SampleRandom& random) {
    return random.pick(kGivenNames) + " " + random.pick(kSurnames);
}

// Entry 0 and the teams' names in the pool.
Bytes teamInformation(const std::vector<SampleTeam>& teams, NamePool& names, SampleRandom& random) {
    Bytes table(place(teamInfoBytes(kMaxTeams)));
    for (std::size_t l = 0; l < kLeagues.size(); ++l) {
        const std::size_t entry = place(kLeagueEntryBytes) * l;
        names.reference(table, entry + place(kLeagueNameOffset),
                        textOf(kFirstLeagueText + static_cast<std::int32_t>(l)));
        table[entry + place(kLeagueBadgeFirstId)] = static_cast<std::uint8_t>(kLeagues[l].badgeFirstId);
        table[entry + place(kLeagueTeamCount)] = static_cast<std::uint8_t>(kLeagues[l].teams);
    }
    for (std::size_t t = 0; t < teams.size(); ++t) {
        const SampleLeague& league = kLeagues[place(teams[t].league)];
        const std::size_t base = place(kTeamStride) * t;
        names.reference(table, base + place(kTeamNameBase), teams[t].name);
        std::copy(teams[t].code.begin(), teams[t].code.end(),
                  table.begin() + static_cast<std::ptrdiff_t>(base + place(kTeamCodeBase)));
        table[base + place(kTeamReputationBase)] =
            static_cast<std::uint8_t>(random.range(kReputationByLevel[league.level]));
        putShort(table, base + place(kTeamValuesBase), random.range(kWageBudgetByLevel[league.level]));
        putShort(table, base + place(kTeamValuesBase) + 2, random.range(kFundsByLevel[league.level]));
        for (std::int32_t k = 0; k < kTeamKitLength; ++k) {
            table[base + place(kTeamKitBase + k)] = static_cast<std::uint8_t>(random.range(0, 255));
        }
        table[base + place(kTeamFormationBase)] =
            static_cast<std::uint8_t>(random.range(0, kFormationCount - 1));
        table[base + place(kTeamSheetNibbleBase)] = 0;
        // One rival in the same league; the other linked places are empty.
        const std::int32_t rival =
            league.firstTeam + (static_cast<std::int32_t>(t) - league.firstTeam + 1) % league.teams;
        putShort(table, base + place(kTeamLinkedBase), rival);
        for (std::int32_t k = 1; k < kTeamLinkedCount; ++k) {
            putShort(table, base + place(kTeamLinkedBase + 2 * k), 0xFFFF);
        }
    }
    return table;
}

// Entry 1 and the players' names in the pool.
Bytes playerInformation(std::vector<SamplePlayer>& players, const std::vector<SampleTeam>& teams,
                        NamePool& names, SampleRandom& random) {
    const std::int32_t teamPlayers = kPlayersPerTeam * kMaxTeams;
    const std::int32_t total = teamPlayers + kFreePlayers;
    Bytes table(place(kPlayerInfoBytes * total));
    for (std::int32_t i = 0; i < total; ++i) {
        const std::size_t e = place(kPlayerInfoBytes * i);
        const bool youth = i >= teamPlayers;
        const std::int32_t team = youth ? -1 : i / kPlayersPerTeam;
        const std::int32_t country =
            youth ? random.range(0, 7) : kLeagues[place(teams[place(team)].league)].country;
        SamplePlayer player;
        player.team = team;
        player.name = personName(random);
        player.nationality = i % kForeignInEvery == kForeignInEvery - 1
                                 ? textOf(kForeignTexts[place(random.range(0, 2))])
                                 : textOf(kCountryTexts[place(country)]);
        names.reference(table, e + place(kPlayerNameOffset), player.name);
        names.reference(table, e + place(kPlayerNationalityOffset), player.nationality);
        const std::int32_t year = youth ? random.range(kYouthAgeBase) : random.range(kBirthYearCodes);
        const std::int32_t month = random.range(1, 12);
        const std::int32_t day = random.range(1, 28);
        putShort(table, e + place(kPlayerBirthWord),
                 (year << kBirthYearShift) | (month << kBirthMonthShift) | day);
        table[e + place(kPlayerContractYear)] = static_cast<std::uint8_t>(random.range(kContractYears));
        const std::int32_t slot = i % kPlayersPerTeam;
        std::int32_t mask = kGoalkeeperMask;
        const std::int32_t outfield = slot - kGoalkeepersPerTeam;
        const auto defenders = static_cast<std::int32_t>(kDefenderMasks.size());
        const auto midfielders = static_cast<std::int32_t>(kMidfielderMasks.size());
        if (outfield >= 0 && outfield < defenders) {
            mask = kDefenderMasks[place(outfield)];
        } else if (outfield >= defenders && outfield < defenders + midfielders) {
            mask = kMidfielderMasks[place(outfield - defenders)];
        } else if (outfield >= defenders + midfielders) {
            mask = kAttackerMasks[place(outfield - defenders - midfielders)];
        }
        putInt(table, e + place(kPlayerPositionMask), mask);
        const Range skills =
            youth ? kYouthSkills : kSkillsByLevel[kLeagues[place(teams[place(team)].league)].level];
        for (std::int32_t k = 0; k < kPlayerSkillCount; ++k) {
            table[e + place(kPlayerSkills + k)] = static_cast<std::uint8_t>(random.range(skills));
        }
        // Appearance codes keep bits 0 and 1 clear: they double as the first skill flags.
        table[e + place(kPlayerAppearance)] =
            static_cast<std::uint8_t>(random.range(0, kAppearanceRows - 1) << 2);
        table[e + place(kPlayerHeight)] = static_cast<std::uint8_t>(random.range(kHeights));
        table[e + place(kPlayerWeight)] = static_cast<std::uint8_t>(random.range(kWeights));
        table[e + place(kPlayerForm)] = static_cast<std::uint8_t>(random.range(kForm));
        players.push_back(player);
    }
    return table;
}

Bytes teamNameTable(const std::vector<SampleTeam>& teams) {
    TrailingNames table(place(kTeamNameDirectoryBytes));
    for (std::size_t t = 0; t < teams.size(); ++t) {
        table.reference(place(kTeamNameEntryBytes) * t, teams[t].shortName);
    }
    return table.finished();
}

std::string initials(const std::string& name) {
    const std::size_t space = name.find(' ');
    return {name[0], space != std::string::npos ? name[space + 1] : name[1]};
}

Bytes coaches(SampleRandom& random) {
    TrailingNames table(place(kCoachCount * kCoachRecordBytes));
    for (std::int32_t i = 0; i < kCoachCount; ++i) {
        const std::size_t r = place(kCoachRecordBytes * i);
        const std::string name = personName(random);
        table.reference(r, name);
        const std::string code = initials(name);
        std::copy(code.begin(), code.end(),
                  table.records().begin() + static_cast<std::ptrdiff_t>(r + place(kCoachCodeOffset)));
        table.records()[r + place(kCoachWageOffset)] = static_cast<std::uint8_t>(random.range(kCoachWages));
        // Every coach leads one kind of training at least.
        const std::int32_t lead = random.range(0, kCoachFlagCount - 1);
        for (std::int32_t f = 0; f < kCoachFlagCount; ++f) {
            table.records()[r + place(kCoachFlagsOffset + f)] =
                static_cast<std::uint8_t>(f == lead || random.range(0, 3) == 0 ? 1 : 0);
        }
    }
    return table.finished();
}

Bytes scouts(SampleRandom& random) {
    TrailingNames table(place(kScoutCount * kScoutRecordBytes));
    for (std::int32_t i = 0; i < kScoutCount; ++i) {
        const std::size_t r = place(kScoutRecordBytes * i);
        const std::string name = personName(random);
        table.reference(r, name);
        Bytes& records = table.records();
        records[r + place(kScoutWageOffset)] = static_cast<std::uint8_t>(random.range(kScoutWages));
        records[r + place(kScoutSkillOffset)] = static_cast<std::uint8_t>(random.range(kScoutSkills));
        records[r + place(kScoutGradeOffset)] = static_cast<std::uint8_t>(random.range(kScoutGrades));
        records[r + place(kScoutSecondGradeOffset)] =
            static_cast<std::uint8_t>(random.range(kScoutSecondGrades));
        const std::string code = initials(name);
        std::copy(code.begin(), code.end(),
                  records.begin() + static_cast<std::ptrdiff_t>(r + place(kScoutCodeOffset)));
    }
    return table.finished();
}

Bytes developmentTable() {
    Bytes table;
    for (std::int32_t c = 0; c < kDevelopmentClasses; ++c) {
        for (std::int32_t a = 0; a < kDevelopmentStride; ++a) {
            table.push_back(static_cast<std::uint8_t>(
                std::clamp(kGrowthByAge[a] + kGrowthByClass[c], -kMaxGrowth, kMaxGrowth)));
        }
    }
    return table;
}

Bytes matchTableBlock() {
    const std::int32_t first = 1 + kMatchSectionBytes;
    const std::int32_t second = 1 + 2 * kMatchSectionShorts;
    Bytes block(6);
    putShort(block, 0, 2);
    putShort(block, 2, first);
    putShort(block, 4, first + second);
    block.push_back(static_cast<std::uint8_t>(kMatchSectionBytes));
    block.insert(block.end(), place(kMatchSectionBytes), 0);
    block.push_back(static_cast<std::uint8_t>(kMatchSectionShorts));
    block.insert(block.end(), place(2 * kMatchSectionShorts), 0);
    return block;
}

// Formation slots of a family's variant: defenders, midfielders, attackers in column order.
// Variant 1 moves the wide players of defence and midfield a row up, variant 2 the centre of the
// midfield.
std::vector<std::int32_t> formationSlots(const Family& family, const std::int32_t variant) {
    std::vector<std::int32_t> slots;
    auto line = [&](const std::int32_t count, const std::int32_t row, const bool moves) {
        for (const std::int32_t column : kLineColumns[place(count - 1)]) {
            const bool wide = column == 0 || column == kFormationColumns - 1;
            const bool up =
                moves && ((variant == 1 && wide) || (variant == 2 && !wide && row == kMidfieldRow));
            slots.push_back((row + (up ? 1 : 0)) * kFormationColumns + column);
        }
    };
    line(family.defenders, kDefenceRow, true);
    line(family.midfielders, kMidfieldRow, true);
    line(family.attackers, kAttackRow, false);
    return slots;
}

void formations(Bytes& table, Bytes& slotTable) {
    for (std::size_t f = 0; f < kFamilies.size(); ++f) {
        const Family& family = kFamilies[f];
        for (std::int32_t v = 0; v < kVariants; ++v) {
            Bytes record(place(kFormationRecordBytes));
            record[place(kFormationDefenders)] = static_cast<std::uint8_t>('0' + family.defenders);
            record[place(kFormationMidfielders)] = static_cast<std::uint8_t>('0' + family.midfielders);
            record[place(kFormationNameThird)] = static_cast<std::uint8_t>('0' + family.attackers);
            record[place(kFormationNameFourth)] = static_cast<std::uint8_t>('A' + v);
            const std::vector<std::int32_t> slots = formationSlots(family, v);
            for (std::size_t p = 0; p < slots.size(); ++p) {
                const std::size_t entry = place(kFormationPlayers) + place(kFormationPlayerBytes) * p;
                const std::vector<std::int32_t>& box = kZoneBoxByRow[place(slots[p] / kFormationColumns)];
                for (std::size_t k = 0; k < box.size(); ++k) {
                    record[entry + k] = static_cast<std::uint8_t>(box[k]);
                }
                slotTable.push_back(static_cast<std::uint8_t>(slots[p]));
            }
            record[place(kFormationDefensiveLine)] = static_cast<std::uint8_t>(kDefensiveLine + v);
            record[place(kFormationAttackingLine)] = static_cast<std::uint8_t>(kAttackingLine - v);
            table.insert(table.end(), record.begin(), record.end());
        }
    }
}

Bytes newsTemplates() {
    TrailingNames table(place(kNewsTemplateCount * kNewsTemplateStride));
    for (std::int32_t i = 0; i < kNewsTemplateCount; ++i) {
        const std::size_t r = place(kNewsTemplateStride * i);
        const Template& words = kTemplates[place(i) % kTemplates.size()];
        const std::string text =
            words.before + narrow(sampleConstants()[place(words.marker)].text) + words.after;
        table.reference(r + place(kNewsTemplateNameRef), text);
        Bytes& records = table.records();
        records[r + place(i % kNewsTemplateKeyBytes)] =
            static_cast<std::uint8_t>(1 + i / kNewsTemplateKeyBytes);
        records[r + place(kNewsTemplateKeyBytes)] = static_cast<std::uint8_t>(i % kNewsValues);
        records[r + place(kNewsTemplateKeyBytes + 1)] = static_cast<std::uint8_t>(1 + i % kNewsKinds);
    }
    return table.finished();
}

SampleDatabase compile(const std::uint64_t seed) {
    SampleRandom random(seed);
    SampleDatabase database;
    database.teams = makeTeams(random);
    NamePool names;
    Bytes teamInfo = teamInformation(database.teams, names, random);
    Bytes playerInfo = playerInformation(database.players, database.teams, names, random);
    Bytes formationTable;
    Bytes slotTable;
    formations(formationTable, slotTable);
    const std::vector<Bytes> contents = {
        teamInfo,        playerInfo,         names.all(),     teamNameTable(database.teams),
        coaches(random), developmentTable(), scouts(random),  matchTableBlock(),
        formationTable,  slotTable,          newsTemplates(), Bytes(1, 0),
    };
    for (const Bytes& content : contents) {
        database.entries.push_back({true, content, 0});
    }
    return database;
}

std::string packName() {
    return narrow(sampleConstants()[place(kDatabasePackConstant)].text);
}

// ---- The check ----

void checkTeams(const Bytes& teamInfo, const Bytes& nameBytes, std::vector<std::string>& problems) {
    if (teamInfo.size() < place(teamInfoBytes(kMaxTeams))) {
        problems.push_back("database: the team information table is cut short");
        return;
    }
    std::int32_t first = 0;
    for (std::int32_t l = 0; l < kLeagueCount; ++l) {
        const std::size_t entry = place(kLeagueEntryBytes * l);
        const SampleLeague& league = kLeagues[place(l)];
        if (teamInfo[entry + place(kLeagueTeamCount)] != league.teams || league.firstTeam != first) {
            problems.push_back("database: league " + std::to_string(l) +
                               " is not the block after the one before");
        }
        if (teamInfo[entry + place(kLeagueBadgeFirstId)] != league.badgeFirstId) {
            problems.push_back("database: league " + std::to_string(l) + " has the wrong badge id");
        }
        first += teamInfo[entry + place(kLeagueTeamCount)];
    }
    if (first != kMaxTeams) {
        problems.push_back("database: " + std::to_string(first) + " teams, the game needs 260");
    }
    for (std::int32_t t = 0; t < kMaxTeams; ++t) {
        const std::size_t base = place(kTeamStride * t);
        if (teamInfo[base + place(kTeamFormationBase)] >= kFormationCount) {
            problems.push_back("database: team " + std::to_string(t) + " has no formation");
        }
        const std::size_t offset = place(shortAt(teamInfo, base + place(kTeamNameBase)));
        const std::size_t length = teamInfo[base + place(kTeamNameBase) + 2];
        if (offset + length > nameBytes.size() || length > kMaxTeamNameLength || length == 0) {
            problems.push_back("database: team " + std::to_string(t) + " has no name that fits");
        }
    }
}

void checkPlayers(const Bytes& playerInfo, const Bytes& nameBytes, std::vector<std::string>& problems) {
    const std::int32_t total = kPlayersPerTeam * kMaxTeams + kFreePlayers;
    if (playerInfo.size() != place(kPlayerInfoBytes * total)) {
        problems.push_back("database: player information for " +
                           std::to_string(playerInfo.size() / kPlayerInfoBytes) +
                           " players, the game reads " + std::to_string(total));
        return;
    }
    std::set<std::string> nationalities;
    for (const std::int32_t id : kCountryTexts) {
        nationalities.insert(textOf(id));
    }
    for (const std::int32_t id : kForeignTexts) {
        nationalities.insert(textOf(id));
    }
    for (std::int32_t i = 0; i < total; ++i) {
        const std::size_t e = place(kPlayerInfoBytes * i);
        const std::size_t offset = place(shortAt(playerInfo, e + place(kPlayerNationalityOffset)));
        const std::size_t length = playerInfo[e + place(kPlayerNationalityOffset) + 2];
        if (offset + length > nameBytes.size() ||
            nationalities.count(
                std::string(nameBytes.begin() + static_cast<std::ptrdiff_t>(offset),
                            nameBytes.begin() + static_cast<std::ptrdiff_t>(offset + length))) == 0) {
            problems.push_back("database: player " + std::to_string(i) + " has a nationality no text names");
            return;
        }
        const std::int32_t ageBase = shortAt(playerInfo, e + place(kPlayerBirthWord)) >> kBirthYearShift;
        // A player without a team is 2 x (year - 2009) + base + 1 years old.
        if (i >= total - kFreePlayers && ageBase + 1 >= 18) {
            problems.push_back("database: player " + std::to_string(i) + " without a team is not under 18");
            return;
        }
    }
}

void checkFormations(const Bytes& table, const Bytes& slots, std::vector<std::string>& problems) {
    if (table.size() != place(kFormationCount * kFormationRecordBytes) ||
        slots.size() != place(kFormationCount * kFormationSlotBytes)) {
        problems.push_back("database: the formations are not 24 records and 24 slot rows");
        return;
    }
    for (std::int32_t f = 0; f < kFormationCount; ++f) {
        const std::size_t r = place(kFormationRecordBytes * f);
        const std::int32_t d = table[r + place(kFormationDefenders)] - '0';
        const std::int32_t m = table[r + place(kFormationMidfielders)] - '0';
        const std::int32_t a = kOutfieldPlayers - d - m;
        const std::set<std::uint8_t> distinct(
            slots.begin() + static_cast<std::ptrdiff_t>(kFormationSlotBytes * f),
            slots.begin() + static_cast<std::ptrdiff_t>(kFormationSlotBytes * (f + 1)));
        if (d < 1 || m < 1 || a < 1 || d > kMaxLinePlayers || m > kMaxLinePlayers || a > kMaxLinePlayers ||
            distinct.size() != place(kFormationSlotBytes) ||
            *distinct.rbegin() >= kFormationColumns * kFormationColumns) {
            problems.push_back("database: formation " + std::to_string(f) + " has invalid lines or slots");
        }
    }
}

} // namespace

const std::vector<SampleLeague>& sampleLeagues() {
    return kLeagues;
}

const SampleDatabase& sampleDatabase() {
    static const SampleDatabase database = compile(kSampleDatabaseSeed);
    return database;
}

SampleDatabase compileSampleDatabase(const std::uint64_t seed) {
    return compile(seed);
}

std::vector<ArchiveEntry> sampleDatabasePackEntries() {
    return packArchiveEntries(packName(), buildPackParts(sampleDatabase().entries),
                              "loadDatabaseTables, loadExtraTables, the club database");
}

void checkSampleDatabasePack(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                             std::vector<std::string>& problems) {
    std::vector<std::optional<Bytes>> entries;
    std::string problem;
    if (!readPackBack(archive, directory, packName(), entries, problem)) {
        problems.push_back(problem);
        return;
    }
    if (entries.size() < place(kDatabaseEntryCount)) {
        problems.push_back("database: " + std::to_string(entries.size()) + " entries, the game reads 12");
        return;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i]) {
            problems.push_back("database: entry " + std::to_string(i) + " is empty");
            return;
        }
    }
    const Bytes& names = *entries[place(kNameBytesEntry)];
    checkTeams(*entries[place(kTeamInfoEntry)], names, problems);
    checkPlayers(*entries[place(kPlayerInfoEntry)], names, problems);
    checkFormations(*entries[place(kFormationEntry)], *entries[place(kFormationSlotsEntry)], problems);
    const Bytes& shortNames = *entries[place(kTeamNameTableEntry)];
    for (std::int32_t t = 0; t < kMaxTeams && shortNames.size() >= place(kTeamNameDirectoryBytes); ++t) {
        const std::size_t entry = place(kTeamNameEntryBytes * t);
        const std::size_t end =
            place(kTeamNameDirectoryBytes + shortAt(shortNames, entry) + shortNames[entry + 2]);
        if (shortNames[entry + 2] > kMaxTownLength || end > shortNames.size()) {
            problems.push_back("database: short name " + std::to_string(t) + " does not fit");
            return;
        }
    }
    if (entries[place(kDevelopmentEntry)]->size() < place(kDevelopmentClasses * kDevelopmentStride)) {
        problems.push_back("database: the development table is cut short");
    }
}

} // namespace tools
