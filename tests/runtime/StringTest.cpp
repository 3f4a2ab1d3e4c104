// String: storage, comparison quirks, hashing, searching, copies and the byte decoders.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/Arrays.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"
#include "tests/runtime/StringTestSupport.h"

namespace runtime {
namespace {

using StringTest = StringsFixture;

TEST_F(StringTest, FifteenCharactersStayInlineAndSixteenTakeABuffer) {
    String* fifteen = make(u"abcdefghijklmno");
    String* sixteen = make(u"abcdefghijklmnop");
    EXPECT_EQ(fifteen->chars, fifteen->inlineChars);
    EXPECT_EQ(fifteen->count, 16);
    EXPECT_NE(sixteen->chars, sixteen->inlineChars);
    EXPECT_EQ(sixteen->count, 17);
    EXPECT_EQ(sixteen->chars[16], 0);
    EXPECT_EQ(units(sixteen), u"abcdefghijklmnop");
}

TEST_F(StringTest, EveryCreationFormFillsTheSameText) {
    CharArray* chars = newCharArray(5);
    for (jint i = 0; i < 5; ++i) {
        (*chars)[i] = static_cast<jchar>('v' + i);
    }
    String* fromChars = newObject<String>();
    fromChars->initChars(chars, 1, 3);
    String* whole = newObject<String>();
    whole->initCharArray(chars);
    const jchar wide[] = {'w', 'x', 'y', 0};
    String* fromBuffer = newObject<String>();
    StringBuffer* buffer = newStringBuffer(4);
    buffer->append(fromChars);
    fromBuffer->initStringBuffer(buffer);
    String* fromBytes = newObject<String>();
    fromBytes->initBytes(bytes({'w', 'x', 'y', 0xE9}));

    EXPECT_EQ(units(fromChars), u"wxy");
    EXPECT_EQ(units(whole), u"vwxyz");
    EXPECT_EQ(units(newStringFromWide(wide)), u"wxy");
    EXPECT_EQ(units(fromBuffer), u"wxy");
    EXPECT_EQ(units(fromBytes), u"wxy\u00e9");
    EXPECT_EQ(units(newStringFromCString("wxy\xE9")), u"wxy\u00e9");
    EXPECT_EQ(units(String::valueOfInt(-5)), u"-5");
}

TEST_F(StringTest, BadCreationArgumentsGiveTheEmptyTextAndALogLine) {
    CharArray* chars = newCharArray(4);
    struct Case {
        jint offset;
        jint n;
    };
    for (const Case c : {Case{-1, 2}, Case{3, 2}, Case{0, -1}, Case{0x7FFFFFFF, 2}}) {
        String* s = newObject<String>();
        s->initChars(chars, c.offset, c.n);
        EXPECT_EQ(s->length(), 0) << c.offset << " " << c.n;
    }
    String* s = newObject<String>();
    s->initChars(nullptr, 0, 1);
    EXPECT_EQ(s->length(), 0);
    EXPECT_TRUE(logged("String::init ca=null"));
    s->initStringBuffer(nullptr);
    EXPECT_TRUE(logged("String::_init_ sb=null"));
    EXPECT_EQ(s->length(), 0);
}

TEST_F(StringTest, ALongTextFollowsItsBufferThroughACompaction) {
    const std::u16string expected = u"a text longer than fifteen characters";
    CompactionStage stage(secondaryHeap());
    String* s = nullptr;
    stage.arrange([&] {
        s = make(expected);
        return s->chars;
    });
    const jchar* before = s->chars;
    const jint compactions = secondaryHeap()->compactionCount();
    void* request = zrl_malloc(stage.requestBytes());
    ASSERT_NE(request, nullptr);
    EXPECT_GT(secondaryHeap()->compactionCount(), compactions);
    EXPECT_NE(s->chars, before);
    EXPECT_EQ(units(s), expected);
    EXPECT_EQ(s->chars[s->length()], 0);
    zrl_free(request);
}

TEST_F(StringTest, ReleaseGivesTheBufferBack) {
    String* s = make(u"sixteen units ..");
    const jint used = secondaryHeap()->used();
    s->release();
    EXPECT_LT(secondaryHeap()->used(), used);
    EXPECT_EQ(s->chars, nullptr);
}

// Expected values: Java's String.hashCode of the same text (tests/fixtures/strings/JavaReference.java),
// times 31.
TEST_F(StringTest, HashIsThirtyOneTimesTheUsualHash) {
    const struct {
        std::u16string text;
        std::int32_t javaHash;
    } cases[] = {
        {u"", 0},
        {u"a", 97},
        {u"ab", 3105},
        {u"Hello, World", -505841268},
        {u"The quick brown fox jumps over the lazy dog", -609428141},
        {u"\u00e9t\u00e9", 227742},
        {u"\uffff\uffff\uffff\uffff\uffff\uffff\uffff\uffff", 838152064},
    };
    for (const auto& c : cases) {
        const auto expected = static_cast<std::int32_t>(31u * static_cast<std::uint32_t>(c.javaHash));
        EXPECT_EQ(make(c.text)->hashCode(), expected) << c.javaHash;
    }
}

TEST_F(StringTest, CompareToIncludesTheTerminator) {
    const struct {
        std::u16string a;
        std::u16string b;
        jint expected;
    } cases[] = {
        {u"ab", u"ab", 0},    {u"ab", u"abc", -'c'}, // the terminator meets 'c'
        {u"abc", u"ab", 'c'}, {u"", u"a", -'a'},     {u"b", u"abc", 1}, {u"a\u00e9", u"ab", 0xE9 - 'b'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(make(c.a)->compareTo(make(c.b)), c.expected);
    }
}

TEST_F(StringTest, EqualsNeedsAStringWithTheSameUnits) {
    String* ab = make(u"ab");
    EXPECT_EQ(ab->equals(ab), 1);
    EXPECT_EQ(ab->equals(make(u"ab")), 1);
    EXPECT_EQ(ab->equals(make(u"abc")), 0);
    EXPECT_EQ(ab->equals(nullptr), 0);
    EXPECT_EQ(ab->equals(newCharArray(2)), 0);
    EXPECT_EQ(ab->toString(), ab);
}

TEST_F(StringTest, StartsWithComparesOverTheShorterLength) {
    const struct {
        std::u16string s;
        std::u16string prefix;
        jint offset;
        jint expected;
    } cases[] = {
        {u"abc", u"ab", 0, 1}, {u"ab", u"abc", 0, 1}, // the text is a prefix of the longer prefix
        {u"ab", u"ax", 0, 0},  {u"", u"x", 0, 1},     // nothing to compare
        {u"abc", u"", 0, 1},   {u"abc", u"bc", 1, 1},
        {u"abc", u"c", 2, 1},  {u"abc", u"bcd", 1, 0}, // would run past the end
        {u"abc", u"", 3, 1},                           // the terminator's place is still a valid offset
        {u"abc", u"a", 4, 0},  {u"abc", u"a", -1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(make(c.s)->startsWith(make(c.prefix), c.offset), c.expected)
            << std::string(c.s.begin(), c.s.end()) << " / " << std::string(c.prefix.begin(), c.prefix.end());
    }
}

TEST_F(StringTest, EndsWithLooksAtTheLastCharacters) {
    EXPECT_EQ(make(u"abc")->endsWith(make(u"bc")), 1);
    EXPECT_EQ(make(u"abc")->endsWith(make(u"")), 1);
    EXPECT_EQ(make(u"abc")->endsWith(make(u"ab")), 0);
    EXPECT_EQ(make(u"ab")->endsWith(make(u"abc")), 0);
}

TEST_F(StringTest, IndexOfCharactersAndTexts) {
    String* s = make(u"abcabc");
    const struct {
        std::u16string needle;
        jint from;
        jint expected;
    } cases[] = {
        {u"b", 0, 1},  {u"b", 2, 4},   {u"b", 5, -1},  {u"b", -3, 1},       {u"bc", 0, 1},
        {u"bc", 2, 4}, {u"bc", 5, -1}, {u"ca", 0, 2},  {u"abcabcx", 0, -1}, {u"", 2, 2},
        {u"", 6, 6},   {u"", 7, -1},   {u"cb", 0, -1}, {u"abc", -2, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(s->indexOf(make(c.needle), c.from), c.expected)
            << std::string(c.needle.begin(), c.needle.end()) << " from " << c.from;
    }
    EXPECT_EQ(s->indexOf('c'), 2);
    EXPECT_EQ(s->indexOf('c', 3), 5);
    EXPECT_EQ(s->indexOf('z'), -1);
    EXPECT_EQ(s->indexOf(0), -1); // the terminator is not part of the text
}

TEST_F(StringTest, RegionMatchesChecksAgainstTheCounts) {
    String* s = make(u"Hello World");
    EXPECT_EQ(s->regionMatches(0, 6, make(u"World"), 0, 5), 1);
    EXPECT_EQ(s->regionMatches(0, 6, make(u"world"), 0, 5), 0);
    EXPECT_EQ(s->regionMatches(1, 6, make(u"wORLD"), 0, 5), 1);
    EXPECT_EQ(s->regionMatches(0, -1, make(u"H"), 0, 1), 0);
    EXPECT_EQ(s->regionMatches(0, 7, make(u"World"), 0, 5), 0);
    // Both terminators take part: a region may reach the terminator.
    EXPECT_EQ(s->regionMatches(0, 6, make(u"World"), 0, 6), 1);
    EXPECT_EQ(s->regionMatches(0, 0, make(u"H"), 0, 0x7FFFFFFF), 0);
    EXPECT_EQ(s->regionMatches(0, 0, make(u"H"), 0, -5), 1);
}

TEST_F(StringTest, SubstringAndItsIndexChecks) {
    String* s = make(u"abcdef");
    EXPECT_EQ(units(s->substring(2, 4)), u"cd");
    EXPECT_EQ(units(s->substring(2)), u"cdef");
    EXPECT_EQ(units(s->substring(6)), u"");
    EXPECT_NE(s->substring(0), s);
    EXPECT_TRUE(logLines().empty());
    EXPECT_EQ(units(s->substring(4, 2)), u"");
    EXPECT_TRUE(logged("substring index"));
    EXPECT_EQ(units(s->substring(-2, 3)), u"abc");
    EXPECT_EQ(units(s->substring(3, 100)), u"def");
    EXPECT_EQ(units(s->substring(9)), u"");
}

TEST_F(StringTest, GetCharsChecksInOrderAndCopiesNothingOnFailure) {
    String* s = make(u"abcdef");
    const struct {
        jint srcBegin, srcEnd, dstBegin;
        const char* message;
    } failures[] = {
        {-1, 2, 0, "getChars srcBegin >= 0"},
        {0, 8, 0, "getChars srcEnd <= m_count"},
        {3, 2, 0, "srcBegin <= srcEnd"},
        {0, 4, 1, "dstBegin + count <= dst->length"},
        {0, 1, -1, "dstBegin + count <= dst->length"},
    };
    for (const auto& f : failures) {
        CharArray* dst = newCharArray(4);
        clearLog();
        s->getChars(f.srcBegin, f.srcEnd, dst, f.dstBegin);
        EXPECT_TRUE(logged(f.message)) << f.message;
        for (jint i = 0; i < 4; ++i) {
            EXPECT_EQ((*dst)[i], 0);
        }
    }
    CharArray* dst = newCharArray(4);
    s->getChars(1, 4, dst, 1);
    EXPECT_EQ((*dst)[0], 0);
    EXPECT_EQ((*dst)[1], 'b');
    EXPECT_EQ((*dst)[3], 'd');
}

TEST_F(StringTest, CharAndByteArrays) {
    String* s = make(u"A\u0141z");
    CharArray* chars = s->toCharArray();
    ASSERT_EQ(chars->length, 3);
    EXPECT_EQ((*chars)[1], 0x141);
    ByteArray* lowBytes = s->getBytes();
    ASSERT_EQ(lowBytes->length, 3);
    EXPECT_EQ((*lowBytes)[0], 'A');
    EXPECT_EQ((*lowBytes)[1], 0x41);
    EXPECT_EQ(make(u"")->getBytes()->length, 0);
    EXPECT_EQ(s->charAt(1), 0x141);
    EXPECT_EQ(s->charAt(3), 0);
    EXPECT_EQ(s->charAt(4), 0);
    EXPECT_TRUE(logged("charAt index"));
}

TEST_F(StringTest, ReplaceCaseAndTrim) {
    String* s = make(u"a-b-c");
    EXPECT_EQ(s->replace('-', '-'), s);
    EXPECT_EQ(s->replace('x', 'y'), s);
    EXPECT_EQ(units(s->replace('-', '+')), u"a+b+c");
    EXPECT_EQ(units(s), u"a-b-c");

    String* mixed = make(u"Ab\u00e9Z[@`{");
    EXPECT_EQ(units(mixed->toLowerCase()), u"ab\u00e9z[@`{");
    EXPECT_EQ(units(mixed->toUpperCase()), u"AB\u00e9Z[@`{");
    EXPECT_NE(make(u"abc")->toLowerCase(), nullptr);

    EXPECT_EQ(units(make(u" \t\x01 a b \x1f\x20")->trim()), u"a b");
    EXPECT_EQ(units(make(u"   ")->trim()), u"");
    EXPECT_EQ(units(make(u"\x21x\x21")->trim()), u"!x!");
    String* plain = make(u"plain");
    EXPECT_NE(plain->trim(), plain);
}

TEST_F(StringTest, EncodingNamesMatchByPrefix) {
    const struct {
        std::u16string name;
        const char* text;
        jint exact;
        jint ignoringCase;
    } cases[] = {
        {u"UTF-8", "UTF-8", 1, 1},     {u"utf-8", "UTF-8", 0, 1},  {u"UTF", "UTF-8", 1, 1},
        {u"", "UTF-8", 1, 1},          {u"UTF-8X", "UTF-8", 0, 0}, {u"ISO", "ISO-8859-1", 1, 1},
        {u"SJIS", "ISO-8859-1", 0, 0},
    };
    for (const auto& c : cases) {
        String* name = make(c.name);
        EXPECT_EQ(name->matchesName(c.text), c.exact) << c.text;
        EXPECT_EQ(name->matchesNameIgnoreCase(c.text), c.ignoringCase) << c.text;
    }
}

std::u16string decoded(String* encoding, ByteArray* input, jint offset, jint n) {
    String* s = newObject<String>();
    s->initBytes(input, offset, n, encoding);
    return std::u16string(reinterpret_cast<const char16_t*>(s->chars), static_cast<std::size_t>(s->length()));
}

TEST_F(StringTest, DecodersByName) {
    const struct {
        std::u16string encoding;
        std::vector<int> input;
        std::u16string expected;
    } cases[] = {
        {u"utf-8", {0xC3, 0xA9}, u"\u00e9"},
        {u"UTF8", {'a', 0xE2, 0x82, 0xAC, 'b'}, u"a\u20acb"},
        {u"", {0xC3, 0xA9}, u"\u00e9"}, // an empty name selects UTF-8
        {u"UTF", {0xC3, 0xA9}, u"\u00e9"},
        {u"ISO-8859-1", {0xC3, 0xA9}, u"\u00c3\u00a9"},
        {u"ISO", {0xFF}, u"\u00ff"},
        {u"SJIS", {0x82, 0xA0}, u"\u82a0"}, // the raw two-byte code
        {u"SJIS", {'A', 0xB1, 0xE0, 0x40, 0x7F}, u"A\u00b1\ue040\u007f"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decoded(make(c.encoding), bytes(c.input), 0, static_cast<jint>(c.input.size())), c.expected)
            << std::string(c.encoding.begin(), c.encoding.end());
    }
    EXPECT_TRUE(logLines().empty());
}

TEST_F(StringTest, MalformedUtf8IsLoggedAndDecodingGoesOn) {
    const struct {
        std::vector<int> input;
        std::u16string expected;
    } cases[] = {
        {{'a', 0x80, 'b'}, u"ab"},             // a stray continuation byte is skipped
        {{'a', 0xF0, 'b', 0xFF, 'c'}, u"abc"}, // so are lead bytes of four-byte forms
        {{0xC3, 0x29}, u"\u00e9"},             // a bad continuation still gives its character
        {{'a', 0xE2, 0x82}, u"a"},             // truncated at the end: nothing more
    };
    for (const auto& c : cases) {
        clearLog();
        EXPECT_EQ(decoded(make(u"UTF-8"), bytes(c.input), 0, static_cast<jint>(c.input.size())), c.expected);
        EXPECT_TRUE(logged("UTFDataFormatException"));
    }
}

TEST_F(StringTest, TruncatedSequencesReadNothingPastTheByteCount) {
    // The bytes after the decoded range would complete the sequences if the decoders read them.
    ByteArray* utf8 = bytes({'A', 0xC3, 0xA9});
    EXPECT_EQ(decoded(make(u"UTF-8"), utf8, 0, 2), u"A");
    ByteArray* utf8Three = bytes({'A', 0xE2, 0x82, 0xAC});
    EXPECT_EQ(decoded(make(u"UTF-8"), utf8Three, 0, 3), u"A");
    ByteArray* sjis = bytes({'A', 0x82, 0xA0});
    clearLog();
    EXPECT_EQ(decoded(make(u"SJIS"), sjis, 0, 2), u"A");
    EXPECT_TRUE(logged("SJISDataFormatException"));
}

TEST_F(StringTest, AnUnsupportedEncodingGivesTheEmptyText) {
    EXPECT_EQ(decoded(make(u"iso-8859-1"), bytes({'a'}), 0, 1), u"");
    EXPECT_TRUE(logged("encoding not supported"));
    EXPECT_EQ(decoded(nullptr, bytes({'a', 'b'}), 1, 1), u"b");
    EXPECT_EQ(decoded(make(u"UTF-8"), bytes({'a', 'b'}), 1, 5), u"");
}

TEST_F(StringTest, DecodingSharesOneGrowingBuffer) {
    std::vector<int> input(600, 'x');
    EXPECT_EQ(decoded(make(u"UTF-8"), bytes(input), 0, 600).size(), 600u);
    StringBuffer* shared = Application::getInstance()->decodingBuffer;
    ASSERT_NE(shared, nullptr);
    EXPECT_GE(shared->capacity, 601);
    EXPECT_EQ(decoded(make(u"SJIS"), bytes({'q'}), 0, 1), u"q");
    EXPECT_EQ(Application::getInstance()->decodingBuffer, shared);
    EXPECT_EQ(shared->length(), 1);
}

TEST_F(StringTest, ValueOfObjectUsesToString) {
    String* s = make(u"self");
    EXPECT_EQ(String::valueOfObject(s), s);
    EXPECT_EQ(units(String::valueOfObject(nullptr)), u"null");
}

} // namespace
} // namespace runtime
