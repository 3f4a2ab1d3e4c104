// StringBuffer: growth, appends, insertion, deletion, length changes and index checks.
#include <gtest/gtest.h>

#include <string>

#include "runtime/NumberWrappers.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"
#include "tests/runtime/StringTestSupport.h"

namespace runtime {
namespace {

class StringBufferTest : public StringsFixture {
protected:
    using StringsFixture::units;
    static std::u16string units(const StringBuffer* buffer) {
        if (buffer->chars == nullptr) {
            return {};
        }
        return std::u16string(reinterpret_cast<const char16_t*>(buffer->chars),
                              static_cast<std::size_t>(buffer->length()));
    }
    static StringBuffer* bufferOf(const std::u16string& initial) {
        StringBuffer* buffer = newObject<StringBuffer>();
        buffer->initString(make(initial));
        return buffer;
    }
};

TEST_F(StringBufferTest, GrowthDoublesOrTakesWhatIsNeeded) {
    const struct {
        jint capacity;
        std::u16string initial;
        std::u16string appended;
        jint expectedCapacity;
    } cases[] = {
        {0, u"", u"a", 2},                   // max(0, 0 + 1 + 1)
        {10, u"123456789", u"x", 20},        // a full buffer doubles
        {10, u"12345678", u"x", 10},         // the terminator still fits
        {4, u"", u"a much longer text", 19}, // doubling is not enough
        {0, u"", u"", 1},                    // even an empty append makes room for the 0
    };
    for (const auto& c : cases) {
        StringBuffer* buffer = newStringBuffer(c.capacity);
        buffer->append(make(c.initial));
        buffer->append(make(c.appended));
        EXPECT_EQ(buffer->capacity, c.expectedCapacity) << c.capacity;
        EXPECT_EQ(units(buffer), c.initial + c.appended);
        EXPECT_EQ(buffer->chars[buffer->length()], 0);
    }
}

TEST_F(StringBufferTest, InitStringLeavesRoomForTheTerminator) {
    StringBuffer* buffer = bufferOf(u"abc");
    EXPECT_EQ(buffer->capacity, 4);
    EXPECT_EQ(buffer->length(), 3);
    EXPECT_EQ(units(buffer), u"abc");
    StringBuffer* empty = newObject<StringBuffer>();
    empty->initString(nullptr);
    EXPECT_EQ(empty->length(), 0);
    EXPECT_TRUE(logged("StringBuffer init str=null"));
}

// Expected texts as Java's StringBuffer gives them (tests/fixtures/strings/JavaReference.java).
TEST_F(StringBufferTest, AppendsOfEveryKind) {
    StringBuffer* buffer = newStringBuffer(16);
    buffer->appendLong(jlong{1} << 40);
    buffer->appendLong(kLongMin);
    EXPECT_EQ(units(buffer), u"1099511627776-9223372036854775808");

    buffer->setLength(0);
    buffer->appendInt(kIntMin);
    buffer->appendBoolean(1);
    buffer->appendBoolean(0);
    buffer->appendBoolean(2); // only 1 is true
    buffer->appendChar(0x20AC);
    buffer->append(nullptr);
    buffer->appendObject(nullptr);
    buffer->appendObject(newObject<java_lang_Integer>(-7));
    EXPECT_EQ(units(buffer), u"-2147483648truefalsefalse\u20acnullnull-7");
}

TEST_F(StringBufferTest, InsertAndItsOffsetCheck) {
    StringBuffer* buffer = bufferOf(u"a");
    buffer->insertString(0, nullptr);
    EXPECT_EQ(units(buffer), u"nulla");
    buffer->insertString(2, make(u"--"));
    EXPECT_EQ(units(buffer), u"nu--lla");
    buffer->insertString(7, make(u"!"));
    EXPECT_EQ(units(buffer), u"nu--lla!");
    for (const jint offset : {-1, 9}) {
        clearLog();
        buffer->insertString(offset, make(u"x"));
        EXPECT_TRUE(logged("StringBuffer insert offset"));
        EXPECT_EQ(units(buffer), u"nu--lla!");
    }
}

TEST_F(StringBufferTest, DeleteCutsTheEndToTheLength) {
    const struct {
        jint start, end;
        std::u16string expected;
        const char* message;
    } cases[] = {
        {2, 100, u"ab", nullptr},
        {0, 6, u"", nullptr},
        {1, 3, u"adef", nullptr},
        {6, 8, u"abcdef", nullptr},
        {3, 3, u"abcdef", nullptr},
        {3, 2, u"abcdef", "StringBuffer::delete end >= start"},
        {-1, 2, u"abcdef", "StringBuffer::delete start >= 0 && start <= currentLength"},
        {7, 9, u"abcdef", "StringBuffer::delete start >= 0 && start <= currentLength"},
    };
    for (const auto& c : cases) {
        clearLog();
        StringBuffer* buffer = bufferOf(u"abcdef");
        buffer->deleteRange(c.start, c.end);
        EXPECT_EQ(units(buffer), c.expected) << c.start << " " << c.end;
        EXPECT_EQ(buffer->chars[buffer->length()], 0);
        EXPECT_TRUE(c.message == nullptr ? logLines().empty() : logged(c.message)) << c.start << " " << c.end;
    }
    StringBuffer* buffer = bufferOf(u"abcdef");
    buffer->deleteCharAt(5);
    EXPECT_EQ(units(buffer), u"abcde");
    buffer->deleteCharAt(-1);
    EXPECT_TRUE(logged("StringBuffer::delete start >= 0 && start <= currentLength"));
}

TEST_F(StringBufferTest, SetLengthShortensOrGrowsWithZeros) {
    StringBuffer* buffer = bufferOf(u"abcdef");
    buffer->setLength(2);
    EXPECT_EQ(units(buffer), u"ab");
    buffer->setLength(4); // the old "cd" must not come back
    EXPECT_EQ(units(buffer), std::u16string(u"ab\0\0", 4));

    StringBuffer* small = bufferOf(u"abc"); // capacity 4
    small->setLength(4);
    EXPECT_EQ(small->length(), 4);
    EXPECT_GE(small->capacity, 5);
    small->setLength(20);
    EXPECT_EQ(small->length(), 20);
    EXPECT_EQ(units(small), std::u16string(u"abc") + std::u16string(17, u'\0'));
    EXPECT_EQ(small->chars[20], 0);

    StringBuffer* none = newStringBuffer(0);
    none->setLength(0);
    EXPECT_EQ(none->capacity, 0);
    EXPECT_EQ(none->chars, nullptr);
    none->setLength(-1);
    EXPECT_TRUE(logged("StringBuffer setLength"));
}

TEST_F(StringBufferTest, SetCharAtIsCheckedAgainstTheCapacity) {
    StringBuffer* buffer = newStringBuffer(4);
    buffer->append(make(u"ab"));
    buffer->setCharAt(0, 'X');
    buffer->setCharAt(3, 'Y'); // beyond the length but inside the buffer
    EXPECT_EQ(units(buffer), u"Xb");
    EXPECT_EQ(buffer->chars[3], 'Y');
    for (const jint i : {-1, 4}) {
        clearLog();
        buffer->setCharAt(i, 'Z');
        EXPECT_TRUE(logged("setCharAt OOB"));
    }
}

TEST_F(StringBufferTest, ToStringCopiesTheCharacters) {
    StringBuffer* buffer = bufferOf(u"a text of more than fifteen units");
    String* s = buffer->toString();
    buffer->setCharAt(0, 'A');
    EXPECT_EQ(
        std::u16string(reinterpret_cast<const char16_t*>(s->chars), static_cast<std::size_t>(s->length())),
        u"a text of more than fifteen units");
    EXPECT_EQ(s->length(), buffer->length());
    EXPECT_EQ(units(newStringBuffer(0)->toString()), u"");
}

TEST_F(StringBufferTest, InsertingItsOwnTextCopiesItFirst) {
    StringBuffer* buffer = newStringBuffer(32);
    buffer->append(make(u"0123456789"));
    buffer->insert(2, buffer->chars + 4, 3); // shifting the tail up would overwrite the source
    EXPECT_EQ(units(buffer), u"0145623456789");
    EXPECT_EQ(buffer->capacity, 32);
    buffer->insert(0, buffer->chars, buffer->length());
    EXPECT_EQ(units(buffer), u"0145623456789"
                             u"0145623456789");
    buffer->insert(1, buffer->chars + 1, 25); // growing gives the source's buffer back
    EXPECT_EQ(buffer->capacity, 64);
    EXPECT_EQ(units(buffer), u"0"
                             u"1456234567890145623456789"
                             u"1456234567890145623456789");
}

TEST_F(StringBufferTest, SelfAppendSurvivesACompactionDuringGrowth) {
    constexpr jint kCapacity = 200;
    std::u16string expected;
    for (jint i = 0; i < kCapacity - 1; ++i) {
        expected += static_cast<char16_t>('a' + i % 26);
    }
    CompactionStage stage(secondaryHeap());
    StringBuffer* buffer = nullptr;
    stage.arrange([&] {
        buffer = newStringBuffer(kCapacity);
        return buffer->chars;
    });
    for (const char16_t c : expected) {
        buffer->appendChar(c);
    }
    ASSERT_EQ(buffer->capacity, kCapacity);
    const jint compactions = secondaryHeap()->compactionCount();
    buffer->insert(buffer->length(), buffer->chars, buffer->length()); // grows to 2 × capacity
    EXPECT_GT(secondaryHeap()->compactionCount(), compactions);
    EXPECT_EQ(buffer->capacity, 2 * kCapacity);
    EXPECT_EQ(units(buffer), expected + expected);
}

} // namespace
} // namespace runtime
