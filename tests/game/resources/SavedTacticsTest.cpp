// The club plan's tactics block: every section written, saved, loaded and read back into the
// user's match team gives the same bytes again; the formation points of the saved slots, with
// and without a centre player in a row; a saved formation or slot outside its table leaves the
// team's own places; the team instruction read back mod 4.
#include "game/resources/SavedTactics.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/match/CPlayer.h"
#include "game/resources/DataSets.h"
#include "tests/game/resources/DatabaseFixture.h"

namespace game::sprites::testing {
namespace {

using namespace game::resources;
using match::CPlayer;
using match::CTeam;

class SavedTacticsTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        GameStatics* const s = statics();
        s->selectionTable = runtime::newByteArray(818);
        s->formationTable = runtime::newByteArray(67 * 24);
        s->matchTeams = runtime::newObjectArray(2);
        team = runtime::newObject<CTeam>();
        (*s->matchTeams)[0] = team;
        team->players = runtime::newObjectArray(CTeam::kPlayers, runtime::kCPlayer);
        for (jint i = 0; i < CTeam::kPlayers; ++i) {
            auto* player = runtime::newObject<CPlayer>();
            (*team->players)[i] = player;
            player->team = team;
            player->slot = i;
        }
    }
    CPlayer* player(const jint k) const { return static_cast<CPlayer*>((*team->players)[k]); }
    // Every saved field of the team and its players set from seed.
    void setTactics(const jint seed, const std::vector<jint>& slots) const {
        statics()->formationIndex = static_cast<runtime::jbyte>(seed % 24);
        team->mentality = seed % 5;
        team->tactic1 = seed % 3;
        team->teamInstruction = (seed + 1) % 4;
        team->tactic3 = seed % 7;
        team->tactic8Clear = static_cast<runtime::jbyte>(seed % 2);
        team->tactic4 = (seed + 2) % 3;
        team->tactic5 = (seed + 1) % 2;
        team->tactic6 = (seed + 1) % 3;
        team->tactic7 = seed % 3;
        team->roleSlotA = seed % 11;
        team->roleSlotB = (seed + 3) % 11;
        team->roleSlotC = (seed + 5) % 11;
        statics()->groupSetting = seed % 3;
        for (jint k = 0; k < 11; ++k) {
            CPlayer* p = player(k);
            p->formationSlot = k == 0 ? -1 : slots[static_cast<std::size_t>(k - 1)];
            p->runStyle = (seed + k) % 6;
            p->shiftInstruction = (seed + 2 * k) % 4;
            p->instruction3 = (seed + k) % 5;
            p->styleSetting = (seed + 3 * k) % 4;
            p->advanceSetting = (seed + k) % 3;
            p->dribbleInstruction = (seed + 2 * k) % 3;
            p->shootInstruction = (seed + k + 1) % 3;
            p->throughBallInstruction = (seed + k + 2) % 3;
            p->settingA = (seed + k) % 3;
            p->spareInstruction = (seed + 4 * k) % 3;
            p->settingB = (seed + k) % 4;
        }
    }
    std::vector<jint> block() const {
        std::vector<jint> bytes;
        for (jint i = kTacticsBlock; i < kTacticsBlock + kTacticsBlockBytes; ++i) {
            bytes.push_back((*statics()->selectionTable)[i]);
        }
        return bytes;
    }
    void writeAll() const {
        for (const jint state : {514, 518, 515, 516}) {
            writeTacticsToRecord(state);
        }
    }
    CTeam* team = nullptr;
};

const std::vector<jint> kFourFourTwo = {5, 6, 8, 9, 11, 12, 13, 14, 21, 23};

TEST_F(SavedTacticsTest, WrittenSavedLoadedAndReadBackTheBlockComesOutTheSame) {
    setTactics(7, kFourFourTwo);
    (*statics()->selectionTable)[606] = 42; // a byte no field holds
    statics()->tacticsShadow = nullptr;
    applySavedTactics();
    setTactics(7, kFourFourTwo);
    writeAll();
    const std::vector<jint> written = block();
    EXPECT_EQ(written[0], 7);
    EXPECT_EQ(written[606 - 604], 42) << "a shadow byte survives";
    EXPECT_EQ(written[631 - 604], team->tactic8Clear);
    persistSetupRecord(1);

    setTactics(16, {1, 2, 3, 4, 6, 7, 8, 9, 10, 11});
    for (jint i = kTacticsBlock; i < kTacticsBlock + kTacticsBlockBytes; ++i) {
        (*statics()->selectionTable)[i] = 3;
    }
    persistSetupRecord(0);
    applySavedTactics();
    EXPECT_EQ(statics()->formationIndex, 7);
    EXPECT_EQ(player(3)->formationSlot, 8);
    EXPECT_EQ(player(10)->settingB, (7 + 10) % 4);
    EXPECT_EQ(team->roleSlotC, 1);
    for (jint i = kTacticsBlock; i < kTacticsBlock + kTacticsBlockBytes; ++i) {
        (*statics()->selectionTable)[i] = 0;
    }
    writeAll();
    EXPECT_EQ(block(), written);
}

TEST_F(SavedTacticsTest, SectionsAreWrittenOnlyByTheirState) {
    setTactics(5, kFourFourTwo);
    writeTacticsToRecord(517);
    writeTacticsToRecord(513);
    EXPECT_EQ(block(), std::vector<jint>(kTacticsBlockBytes, 0));
    writeTacticsToRecord(518);
    EXPECT_EQ((*statics()->selectionTable)[604], 0);
    EXPECT_EQ((*statics()->selectionTable)[605], -1) << "the goalkeeper's slot";
    EXPECT_EQ((*statics()->selectionTable)[607], 5);
    EXPECT_EQ((*statics()->selectionTable)[627], 0) << "the team settings are another section";
    writeTacticsToRecord(516);
    EXPECT_EQ((*statics()->selectionTable)[640 + 12 * 2 + 10], 5 % 3) << "the team-wide eleventh value";
}

// The formation point of slot s by the saved-tactics rule: row c = s / 5 and column r give x =
// 6c - 10 and y = 4(r - 2) in a row with a centre player, else 5r - 8 up to column 2 and
// 5(r - 1) - 7 beyond.
std::pair<jint, jint> savedTacticsPoint(const jint slot, const std::vector<jint>& slots) {
    const jint c = slot / 5;
    const jint r = slot - 5 * c;
    bool centre = false;
    for (const jint other : slots) {
        centre = centre || (other / 5 == c && other % 5 == 2);
    }
    const jint y = centre ? 4 * (r - 2) : r <= 2 ? 5 * r - 8 : 5 * (r - 1) - 7;
    return {6 * c - 10, y};
}

TEST_F(SavedTacticsTest, PlayersTakeTheFormationPointsOfTheirSlots) {
    const std::vector<std::vector<jint>> formations = {
        kFourFourTwo,                         // rows 1 and 2 with a centre player, row 4 without
        {5, 6, 8, 9, 10, 11, 13, 14, 21, 23}, // no centre player in row 2
        {0, 1, 3, 4, 15, 16, 18, 19, 20, 24}, // no centre player anywhere
    };
    for (const std::vector<jint>& slots : formations) {
        setTactics(3, slots);
        writeAll();
        player(4)->homeCellX = 99;
        applySavedTactics();
        EXPECT_EQ(player(0)->homeCellX, -16);
        EXPECT_EQ(player(0)->homeCellY, 0);
        for (jint k = 1; k < 11; ++k) {
            const auto [x, y] = savedTacticsPoint(slots[static_cast<std::size_t>(k - 1)], slots);
            EXPECT_EQ(player(k)->homeCellX, x) << "slot " << slots[static_cast<std::size_t>(k - 1)];
            EXPECT_EQ(player(k)->homeCellY, y) << "slot " << slots[static_cast<std::size_t>(k - 1)];
        }
    }
}

TEST_F(SavedTacticsTest, AFormationOrSlotOutsideItsTableKeepsTheTeamsOwnPlaces) {
    struct Case {
        const char* name;
        jint offset;
        jint value;
        const char* logged;
    };
    const Case cases[] = {
        {"formation 24", 604, 24, "saved tactics: formation 24 is not in the formation table"},
        {"formation -1", 604, -1, "saved tactics: formation -1 is not in the formation table"},
        {"slot 25", 607, 25, "saved tactics: player 1 has formation slot 25"},
        {"slot -3", 625, -3, "saved tactics: player 10 has formation slot -3"},
    };
    for (const Case& c : cases) {
        setTactics(4, kFourFourTwo);
        writeAll();
        (*statics()->selectionTable)[c.offset] = static_cast<runtime::jbyte>(c.value);
        team->formationIndex = 9;
        player(2)->formationSlot = 17;
        player(2)->homeCellX = 55;
        team->tactic1 = 0;
        log.lines.clear();
        applySavedTactics();
        EXPECT_TRUE(logMentions(c.logged)) << c.name;
        EXPECT_EQ(player(2)->formationSlot, 17) << c.name;
        EXPECT_EQ(player(2)->homeCellX, 55) << c.name;
        EXPECT_EQ(statics()->formationIndex, 9) << c.name << ": the team's own formation";
        EXPECT_EQ(team->tactic1, 4 % 3) << c.name << ": the settings are read";
    }
}

TEST_F(SavedTacticsTest, TheTeamInstructionIsReadModFour) {
    setTactics(2, kFourFourTwo);
    writeAll();
    (*statics()->selectionTable)[629] = 6;
    applySavedTactics();
    EXPECT_EQ(team->teamInstruction, 2);
}

} // namespace
} // namespace game::sprites::testing
