// Little-endian readers and layout rows: byte order, the end of the data, and row copies.
#include "game/core/LittleEndian.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/Exceptions.h"
#include "runtime/StreamsByteArray.h"
#include "tests/game/support/SeededFixture.h"
#include "tests/support/RuntimeValues.h"

namespace game::core {

namespace {

using runtime::jint;
using runtime::jshort;

class LittleEndianTest : public game::testing::SeededFixture {
protected:
    static runtime::java_io_InputStream* streamOf(const std::vector<std::uint8_t>& bytes) {
        runtime::ByteArray* array = testing_support::byteArrayOf(bytes);
        return runtime::newObject<runtime::java_io_ByteArrayInputStream>(array, 0, array->length);
    }
    static runtime::ShortArray* shorts(const jint n, const jint first) {
        runtime::ShortArray* array = runtime::newShortArray(n);
        for (jint i = 0; i < n; ++i) {
            (*array)[i] = static_cast<jshort>(first + i);
        }
        return array;
    }
    static std::vector<jint> valuesOf(runtime::ShortArray* array) {
        return std::vector<jint>(array->data(), array->data() + array->length);
    }
};

TEST_F(LittleEndianTest, TheFirstByteIsTheLeastSignificant) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        jint shortValue, intValue;
    };
    const Case cases[] = {
        {{1, 2, 0, 0}, 513, 513},
        {{1, 0, 0, 1}, 1, 16777217},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 65535, -1},
        {{0x78, 0x56, 0x34, 0x12}, 0x5678, 0x12345678},
        {{0x00, 0x80, 0x00, 0x80}, 0x8000, static_cast<jint>(0x80008000u)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readShortLE(streamOf(c.bytes)), c.shortValue);
        EXPECT_EQ(readIntLE(streamOf(c.bytes)), c.intValue);
        EXPECT_EQ(takePending().first, 0);
    }
    // Consecutive reads continue where the last one stopped.
    runtime::java_io_InputStream* stream = streamOf({1, 2, 1, 0, 0, 1});
    EXPECT_EQ(readShortLE(stream), 513);
    EXPECT_EQ(readIntLE(stream), 16777217);
}

TEST_F(LittleEndianTest, TheEndOfTheDataIsReportedNotReadAsFFBytes) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        bool wholeInt; // false: readIntLE is tried
    };
    const Case cases[] = {{{}, false}, {{7}, false}, {{7, 8}, true}, {{7, 8, 9}, true}};
    for (const Case& c : cases) {
        runtime::java_io_InputStream* stream = streamOf(c.bytes);
        const jint value = c.wholeInt ? readIntLE(stream) : readShortLE(stream);
        EXPECT_EQ(value, 0) << c.bytes.size() << " bytes";
        EXPECT_EQ(takePending().first, runtime::kEOFException) << c.bytes.size() << " bytes";
    }
    EXPECT_EQ(readIntLE(nullptr), 0);
    EXPECT_EQ(takePending().first, runtime::kEOFException);
}

TEST_F(LittleEndianTest, CopyLayoutRowMovesSixteenEntriesOrThirtyTwoForRowEight) {
    s()->layoutRows = shorts(160, 1000);
    struct Case {
        jint row, n;
    };
    for (const Case& c : {Case{0, 16}, Case{7, 16}, Case{8, 32}, Case{9, 16}}) {
        runtime::ShortArray* a = shorts(40, -100);
        copyLayoutRow(a, c.row, 0);
        const std::vector<jint> values = valuesOf(a);
        for (jint i = 0; i < 40; ++i) {
            EXPECT_EQ(values[static_cast<std::size_t>(i)], i < c.n ? 1000 + c.row * 16 + i : -100 + i)
                << "row " << c.row << " entry " << i;
        }
    }
    // The other direction writes the row and nothing beside it.
    copyLayoutRow(shorts(32, 7), 8, 1);
    const std::vector<jint> rows = valuesOf(s()->layoutRows);
    EXPECT_EQ(rows[127], 1127);
    EXPECT_EQ(rows[128], 7);
    EXPECT_EQ(rows[159], 38);
    copyLayoutRow(shorts(16, 500), 3, -1);
    EXPECT_EQ(valuesOf(s()->layoutRows)[48], 500);
    EXPECT_EQ(valuesOf(s()->layoutRows)[64], 1064);
}

TEST_F(LittleEndianTest, ARowOutsideTheTableOrATooShortArrayCopiesNothing) {
    s()->layoutRows = shorts(160, 1000);
    struct Case {
        jint row, arrayLength;
    };
    for (const Case& c : {Case{10, 16}, Case{-1, 16}, Case{8, 16}, Case{3, 15}, Case{0x7FFFFFFF, 16}}) {
        runtime::ShortArray* a = shorts(c.arrayLength, -100);
        copyLayoutRow(a, c.row, 0);
        copyLayoutRow(a, c.row, 1);
        EXPECT_EQ(valuesOf(a)[0], -100) << "row " << c.row;
    }
    const std::vector<jint> rows = valuesOf(s()->layoutRows);
    for (jint i = 0; i < 160; ++i) {
        ASSERT_EQ(rows[static_cast<std::size_t>(i)], 1000 + i);
    }
    copyLayoutRow(nullptr, 1, 0);
    s()->layoutRows = nullptr;
    copyLayoutRow(shorts(16, 0), 1, 0);
    EXPECT_FALSE(logLines().empty());
}

} // namespace
} // namespace game::core
