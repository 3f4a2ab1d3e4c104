// The arrays and tables of the class initialisers, table-driven: each static's class, length, row
// lengths (ragged rows keep theirs, empty ones too) and its first and last values, in the order
// the initialisers create them.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/Arrays.h"
#include "runtime/ConstantPool.h"
#include "tests/game/support/StaticTableCases.h"
#include "tests/support/GameRuntime.h"

namespace game {
namespace {

using namespace game::cases;
using runtime::jint;
using runtime::jlong;
using runtime::Object;

class StaticTablesTest : public testing_support::GameRuntimeTest {};

TEST_F(StaticTablesTest, EveryArrayHasItsClassLengthRowsAndEndValues) {
    for (const TableCase& c : kTables) {
        SCOPED_TRACE(c.name);
        Object* object = c.get(statics());
        ASSERT_NE(object, nullptr);
        ASSERT_EQ(object->classId, c.classId);
        if (c.classId == runtime::kString) {
            EXPECT_EQ(object, runtime::getConstantString(static_cast<jint>(c.first)));
            continue;
        }
        auto* array = static_cast<runtime::Array*>(object);
        ASSERT_EQ(array->length, c.length);
        if (c.classId != runtime::kObjectArray) {
            EXPECT_EQ(elementOf(array, 0), c.first);
            EXPECT_EQ(elementOf(array, array->length - 1), c.last);
            continue;
        }
        auto* table = static_cast<runtime::ObjectArray*>(array);
        if (c.elementClassId == kNone) {
            for (jint i = 0; i < table->length; ++i) {
                EXPECT_EQ((*table)[i], nullptr) << "element " << i;
            }
            continue;
        }
        if (c.elementClassId == runtime::kString) {
            EXPECT_EQ((*table)[0], runtime::getConstantString(static_cast<jint>(c.first)));
            EXPECT_EQ((*table)[table->length - 1], runtime::getConstantString(static_cast<jint>(c.last)));
            continue;
        }
        ASSERT_EQ(c.rowLengths.size(), static_cast<std::size_t>(table->length));
        Object* firstRow = nullptr;
        Object* lastRow = nullptr;
        for (jint i = 0; i < table->length; ++i) {
            Object* row = (*table)[i];
            ASSERT_NE(row, nullptr) << "row " << i;
            EXPECT_EQ(row->classId, c.elementClassId) << "row " << i;
            const jint rowLength = static_cast<runtime::Array*>(row)->length;
            EXPECT_EQ(rowLength, c.rowLengths[static_cast<std::size_t>(i)]) << "row " << i;
            if (rowLength > 0) {
                firstRow = firstRow == nullptr ? row : firstRow;
                lastRow = row;
            }
        }
        if (c.first != kUnchecked) {
            ASSERT_NE(firstRow, nullptr);
            EXPECT_EQ(elementOf(firstRow, 0), c.first);
            EXPECT_EQ(elementOf(lastRow, static_cast<runtime::Array*>(lastRow)->length - 1), c.last);
        }
    }
}

// Element i of row `row` of a table of rows.
jlong cell(const runtime::ObjectArray* table, const jint row, const jint i) {
    return elementOf((*table)[row], i);
}

TEST_F(StaticTablesTest, CapacitiesCoverEveryIndexTheirReadersUse) {
    const GameStatics* s = statics();
    // Indexed by key-bit number: the digit keys reach bit 27.
    EXPECT_EQ(s->keyPressTicks->length, 28);
    EXPECT_EQ(s->keyQueue->length, 6);
    // One entry per competition kind, all four packed into the saved game.
    EXPECT_EQ(s->cupStatus->length, 4);
    // The club plan's 804 bytes, and a pick for every index drawn (at most 18) from byte 800.
    EXPECT_GE(s->selectionTable->length, 800 + 18);
    // Two lists of four substitution pairs' room, each ending in a -1 marker.
    for (jint side = 0; side < 2; ++side) {
        auto* list = static_cast<runtime::IntArray*>((*s->computerSubstitutions)[side]);
        EXPECT_EQ(list->length, 5);
        EXPECT_EQ((*list)[list->length - 1], -1);
    }
    EXPECT_EQ(s->squadList->length, 5500);
    EXPECT_EQ(s->squadListAux->length, 5500);
    EXPECT_EQ(s->inboxRing->length, 100);
    EXPECT_EQ(static_cast<runtime::Array*>((*s->inboxRing)[99])->length, 27);
}

TEST_F(StaticTablesTest, ChosenContentsReadAsTheirReadersExpect) {
    const GameStatics* s = statics();
    // The eleventh row of both menu tables is empty.
    EXPECT_EQ(static_cast<runtime::Array*>((*s->titleTextTable)[10])->length, 0);
    EXPECT_EQ(static_cast<runtime::Array*>((*s->softKeyFlagTable)[10])->length, 0);
    EXPECT_EQ(cell(s->titleTextTable, 0, 10), -1);
    // Multi-tap letters of key 7, and the alphabet.
    const std::vector<jint> key7 = {'P', 'Q', 'R', 'S', '7'};
    for (jint i = 0; i < 5; ++i) {
        EXPECT_EQ(cell(s->multiTapLetters, 7, i), key7[static_cast<std::size_t>(i)]);
    }
    for (jint i = 0; i < 26; ++i) {
        EXPECT_EQ((*s->alphabetLetters)[i], 'A' + i);
    }
    jint days = 0;
    for (jint month = 0; month < 12; ++month) {
        days += (*s->monthLengths)[month];
    }
    EXPECT_EQ(days, 365);
    for (jint grade = 0; grade < 11; ++grade) {
        EXPECT_EQ((*s->developmentRates)[grade], (grade - 5) * 10);
    }
    // Sound ids 0-5 and 18 have no resource; 6-17 are 0-11 and 19-24 are 12-17.
    for (jint id = 0; id < 25; ++id) {
        const jint expected = id < 6 || id == 18 ? -1 : id < 18 ? id - 6 : id - 7;
        EXPECT_EQ((*s->soundResourceIndex)[id], expected) << "sound " << id;
    }
    // Rows 10 and 12 of the int[72][3] table, and one row of the int[24][44] table.
    for (jint i = 0; i < 3; ++i) {
        EXPECT_EQ(cell(s->matchTriples72, 10, i), 2);
        EXPECT_EQ(cell(s->matchTriples72, 11, i), 0);
        EXPECT_EQ(cell(s->matchTriples72, 12, i), -2);
    }
    const std::vector<jint> row11 = {0, 0, 0, 0, 2, 2, 5, 2, 3, 3, 3, 3, 2, 2, 2, 5, 5, 1, 3, 2, 2, 2,
                                     2, 2, 0, 2, 2, 2, 2, 2, 2, 2, 5, 1, 2, 3, 1, 1, 3, 2, 1, 1, 2, 3};
    for (jint i = 0; i < 44; ++i) {
        EXPECT_EQ(cell(s->defendZoneBoxes, 10, i), row11[static_cast<std::size_t>(i)]) << "entry " << i;
    }
    // Literal tables keep their signed values: bytes and shorts below zero.
    EXPECT_EQ((*s->fontSpacing)[1], -1);
    EXPECT_EQ((*s->homeEntryNeighbours)[4], -31632);
    EXPECT_EQ((*s->resultRewardTable)[10], -2);
    EXPECT_EQ((*s->colours12)[1], 0x300F8D);
    // Three-level arrays: every level exists down to zeroed leaves.
    auto* grid = static_cast<runtime::ObjectArray*>((*s->presetByteTables)[1]);
    EXPECT_EQ(grid->length, 3);
    EXPECT_EQ(static_cast<runtime::ByteArray*>((*grid)[2])->length, 6);
    // Tables of strings hold the pool's own objects.
    EXPECT_EQ((*s->languageCodes)[6], runtime::getConstantString(44));
}

} // namespace
} // namespace game
