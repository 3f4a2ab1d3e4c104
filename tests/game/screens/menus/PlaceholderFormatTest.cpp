// Placeholder formatting and the squad settings load: the marker cases in one table (the same
// object back, a longer value, an empty value, a join, twenty occurrences, a null value), the
// identity skip of the two-marker form; the squad settings of a never-filled table, of a filled
// one, repaired values and squad entries that share a player.
#include "game/screens/menus/PlaceholderFormat.h"

#include <gtest/gtest.h>

#include <string>

#include "game/screens/menus/SquadSettings.h"
#include "runtime/ConstantPool.h"
#include "tests/game/support/MenuBench.h"

namespace game::menus {
namespace {

using testing::MenuBench;

class PlaceholderFormatTest : public MenuBench {
protected:
    static runtime::String* str(const std::string& text) {
        return runtime::newStringFromCString(text.c_str());
    }
    static std::string plain(runtime::String* text) { return testing_support::textOf(text); }
};

TEST_F(PlaceholderFormatTest, EveryOccurrenceIsReplaced) {
    struct Case {
        const char* name;
        std::string text, marker;
        const char* value; // null: a null value
        std::string expected;
    };
    const std::string twenty = [] {
        std::string text;
        for (int i = 0; i < 20; ++i) {
            text += "#.";
        }
        return text;
    }();
    const std::string twentyReplaced = [] {
        std::string text;
        for (int i = 0; i < 20; ++i) {
            text += "val.";
        }
        return text;
    }();
    const Case cases[] = {
        {"two-character marker twice", "a%1b%1c", "%1", "xyz", "axyzbxyzc"},
        {"empty value removes the markers", "%1 and %1", "%1", "", " and "},
        // Taking out the first leaves a new one before it; each value goes in at its position
        // shifted by the values before it, so both land behind the b.
        {"an occurrence formed at the join", "a%%11b", "%1", "V", "abVV"},
        {"consecutive occurrences", "a%1%1b", "%1", "V", "aVVb"},
        {"the value holding the marker", "<%1>", "%1", "%1%1", "<%1%1>"},
        {"a null value", "x=%1", "%1", nullptr, "x=null"},
        {"twenty occurrences", twenty, "#", "val", twentyReplaced},
        {"at both ends", "%1mid%1", "%1", "[]", "[]mid[]"},
    };
    for (const Case& c : cases) {
        runtime::String* result =
            formatWithValue(str(c.text), str(c.marker), c.value ? str(c.value) : nullptr);
        EXPECT_EQ(plain(result), c.expected) << c.name;
    }
}

TEST_F(PlaceholderFormatTest, ATextWithoutTheMarkerComesBackAsTheSameObject) {
    runtime::String* text = str("no markers here");
    EXPECT_EQ(formatWithValue(text, str("%1"), str("x")), text);
    EXPECT_EQ(formatWithValue(text, str(""), str("x")), text) << "an empty marker replaces nothing";
    EXPECT_EQ(formatWithValue(text, nullptr, str("x")), text);
}

TEST_F(PlaceholderFormatTest, TheTwoMarkerFormSkipsTheEmptyConstantByIdentity) {
    runtime::String* const noMarker = runtime::getConstantString(1);
    runtime::String* const text = str("A%1B%2C");
    EXPECT_EQ(plain(formatWithTwoValues(text, str("%1"), str("1"), str("%2"), str("2"))), "A1B2C");
    runtime::String* const first = formatWithTwoValues(text, str("%1"), str("1"), noMarker, str("2"));
    EXPECT_EQ(plain(first), "A1B%2C");
    EXPECT_EQ(formatWithTwoValues(text, noMarker, str("1"), noMarker, str("2")), text);
    // An equal text in another object is applied like any marker; being empty, it replaces nothing.
    runtime::String* const equalEmpty = str(plain(noMarker));
    EXPECT_EQ(plain(formatWithTwoValues(text, equalEmpty, str("1"), str("%2"), str("2"))), "A%1B2C");
}

class SquadSettingsTest : public MenuBench {
protected:
    void SetUp() override {
        MenuBench::SetUp();
        block()->selectionTable = runtime::newByteArray(804);
    }
    static jint setting(const jint slot, const jint k) {
        return (*static_cast<runtime::ByteArray*>((*statics()->slotSettings)[slot]))[k];
    }
    // Squad entry e of the club plan names player with value in its byte 15.
    static void putEntry(const jint e, const jint player, const jint value) {
        selectionByte(108 + 16 * e) = static_cast<jbyte>(player >> 8);
        selectionByte(108 + 16 * e + 1) = static_cast<jbyte>(player);
        selectionByte(108 + 16 * e + 15) = static_cast<jbyte>(value);
    }
};

TEST_F(SquadSettingsTest, ANeverFilledTableGetsTheDefaults) {
    loadSquadSettings();
    EXPECT_EQ(selectionByte(16), 0);
    EXPECT_EQ(selectionByte(17), 1);
    for (jint i = 18; i < 108; ++i) {
        EXPECT_EQ(selectionByte(i), 11) << i;
    }
    EXPECT_EQ(block()->settingsFlagA, 0);
    EXPECT_EQ(block()->settingsFlagB, 1);
    for (jint slot = 0; slot < 30; ++slot) {
        for (jint k = 0; k < 3; ++k) {
            EXPECT_EQ(setting(slot, k), 11);
        }
        EXPECT_EQ((*block()->squadPlayerValues)[slot], 0);
    }
    EXPECT_EQ(block()->slotSettingsCounter, 60);
}

TEST_F(SquadSettingsTest, AFilledTableLoadsAsItIsAndRepairsWhatLiesOutside) {
    selectionByte(803) = 1;
    selectionByte(16) = 1;
    selectionByte(18) = 13;
    selectionByte(19) = 14;
    selectionByte(20) = static_cast<jbyte>(0xFF);
    selectionByte(107) = 0;
    loadSquadSettings();
    EXPECT_EQ(block()->settingsFlagA, 1);
    EXPECT_EQ(block()->settingsFlagB, 0);
    EXPECT_EQ(setting(0, 0), 13);
    EXPECT_EQ(setting(0, 1), 11);
    EXPECT_EQ(setting(0, 2), 11);
    EXPECT_EQ(selectionByte(19), 11) << "repaired in the table too";
    EXPECT_EQ(selectionByte(20), 11);
    EXPECT_EQ(setting(29, 2), 0) << "a filled table keeps its zeros";
    const std::string repair = testing_support::textOf(runtime::getConstantString(157));
    EXPECT_EQ(neighbours.log.take({"console"}),
              (testing::Calls{"console " + repair + "14", "console " + repair + "-1"}));
}

TEST_F(SquadSettingsTest, EachSquadSlotTakesTheFirstEntryOfItsPlayer) {
    putEntry(0, kFirstSquadPlayer + 2, 7);
    putEntry(4, kFirstSquadPlayer + 2, 9);
    putEntry(5, kFirstSquadPlayer, -3);
    putEntry(6, 0xFFFF, 5); // an empty entry matches no empty slot
    loadSquadSettings();
    EXPECT_EQ((*block()->squadPlayerValues)[2], 7);
    EXPECT_EQ((*block()->squadPlayerValues)[0], -3);
    EXPECT_EQ((*block()->squadPlayerValues)[25], 0) << "an empty slot";
}

} // namespace
} // namespace game::menus
