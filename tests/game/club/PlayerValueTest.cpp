// The player value formula: one row per branch, each checked against the hand calculation written
// beside it (64-bit intermediates, divisions truncating).
#include "game/club/PlayerValue.h"

#include <gtest/gtest.h>

#include <array>

#include "game/core/GameStatics.h"
#include "tests/game/support/ScriptedClubDatabase.h"
#include "tests/support/GameRuntime.h"

namespace game::club {

namespace {

using runtime::jint;

struct Player {
    std::array<jint, 8> skills;
    jint age;
    jint positionWord; // bytes 12 (low) and 13
    jint attributeByte;
};

class PlayerValueTest : public testing_support::GameRuntimeTest {
protected:
    // Makes p player 1 of a two-player table (player 0 is all zero).
    void install(const Player& p) {
        auto* records = runtime::newByteArray(2 * 37);
        for (jint i = 0; i < 8; ++i) {
            (*records)[37 + 4 + i] = runtime::i2b(p.skills[static_cast<std::size_t>(i)]);
        }
        (*records)[37 + 12] = runtime::i2b(p.positionWord);
        (*records)[37 + 13] = runtime::i2b(p.positionWord >> 8);
        (*records)[37 + 14] = runtime::i2b(p.attributeByte);
        statics()->playerRecords = records;
        club.ages = {{1, p.age}};
    }
    testing::ScriptedClubDatabase club;
};

constexpr std::array<jint, 8> kValuedSkills = {50, 60, 40, 40, 40, 40, 40, 40}; // S = 60 + 6 x 40 = 300
constexpr std::array<jint, 8> kAll70 = {70, 70, 70, 70, 70, 70, 70, 70};        // S = 490
constexpr std::array<jint, 8> kS489 = {70, 70, 69, 70, 70, 70, 70, 70};         // S = 489
constexpr std::array<jint, 8> kTop = {127, 127, 127, 127, 127, 127, 127, 127};  // S = 889

TEST_F(PlayerValueTest, EachBranchGivesTheHandCalculatedValue) {
    const struct {
        const char* what;
        Player player;
        bool baseOnly;
        jint value;
    } cases[] = {
        // V = 30 x 300 x 300 / 25 = 108000; 300 x 108000 / 100 / 1000 = 324.
        {"skill 0 below skill 1 does not count", {kValuedSkills, 25, 0, 0}, false, 324},
        // V = 108000 + 108000 x 3 / 2 = 270000; 300 x 270000 / 100 / 1000 = 810.
        {"three positions", {kValuedSkills, 25, 0x007, 0}, false, 810},
        // V = 3 x 108000 + 54000 = 378000; 300 x 378000 / 100 / 1000 = 1134.
        {"flag without positions", {kValuedSkills, 25, 0x400, 0}, false, 1134},
        // V = 378000 + 108000 x 2 / 2 = 486000; 300 x 486000 / 100 / 1000 = 1458.
        {"flag with two positions", {kValuedSkills, 25, 0x403, 0}, false, 1458},
        // Bits 0-8 all set, byte 13 negative (0xFB: bit 10 clear): V = 108000 + 108000 x 9 / 2 = 594000.
        {"nine positions, signed high byte", {kValuedSkills, 25, 0xFBFF, 0}, false, 1782},
        {"nibble 5 changes nothing", {kValuedSkills, 25, 0, 0x05}, false, 324},
        // V = 108000 + 108000 x 2 / 2 = 216000; 648. The high nibble is not read.
        {"nibble 7 doubles", {kValuedSkills, 25, 0, 0xF7}, false, 648},
        // V = 30 x 489 x 489 / 30 = 239121; 489 x 239121 / 100 = 1169301; / 1000 = 1169.
        {"S = 489: the first branch", {kS489, 30, 0, 0}, false, 1169},
        // V = 240100; X = 490 x 240100 / 100 = 1176490; X x (490 - 390) / 100 / 1000 = 1176.
        {"S = 490: the second branch", {kAll70, 30, 0, 0}, false, 1176},
        // V = 270000 (nibble ignored); 3 x 270000 / 12 / 1000 = 67.
        {"baseOnly", {kValuedSkills, 25, 0x007, 0x09}, true, 67},
        // V = 30 x 889 x 889 / 17 = 1394684; flag, nine positions: 4184052 + 697342 + 6276078 =
        // 11157472; nibble 15: x 6 = 66944832; X = 889 x 66944832 / 100 = 595139556;
        // X x 499 / 100 / 1000 = 2969746 (the products pass 2^32).
        {"64-bit intermediates", {kTop, 17, 0x5FF, 0x0F}, false, 2969746},
        // 3 x 11157472 / 12 / 1000 = 2789.
        {"64-bit baseOnly", {kTop, 17, 0x5FF, 0x0F}, true, 2789},
        // The skill bytes' top bit is not part of the skill.
        {"top bit of a skill", {{50 | 0x80, 60 | 0x80, 40, 40, 40, 40, 40, 40 | 0x80}, 25, 0, 0}, false, 324},
        {"age 0", {kValuedSkills, 0, 0x403, 9}, false, 0},
    };
    for (const auto& c : cases) {
        install(c.player);
        EXPECT_EQ(getPlayerValue(1, c.baseOnly ? 1 : 0), c.value) << c.what;
    }
}

TEST_F(PlayerValueTest, APlayerWithoutARecordIsWorthNothing) {
    install({kValuedSkills, 25, 0, 0});
    EXPECT_EQ(getPlayerValue(2, 0), 0);
    EXPECT_EQ(getPlayerValue(-1, 0), 0);
    statics()->playerRecords = nullptr;
    EXPECT_EQ(getPlayerValue(1, 1), 0);
    EXPECT_EQ(log.count("getPlayerValue: player 2 has no record"), 1);
}

} // namespace
} // namespace game::club
