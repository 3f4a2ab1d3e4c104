// getText: the package's seven-bit-group character code, empty texts, and ids or characters that
// reach outside their text.
#include "game/core/TextPackage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/TextCodeFormat.h"
#include "runtime/String.h"
#include "tests/game/support/GameResourceFixture.h"

namespace game::core {

namespace {

using runtime::jint;
using Bytes = std::vector<std::uint8_t>;

class TextPackageTest : public GameResourceFixture {
protected:
    // Installs the texts as the package, back to back.
    void install(const std::vector<Bytes>& texts) {
        GameStatics* s = statics();
        Bytes all;
        runtime::IntArray* offsets = runtime::newIntArray(static_cast<jint>(texts.size()) + 1);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            all.insert(all.end(), texts[i].begin(), texts[i].end());
            (*offsets)[static_cast<jint>(i) + 1] = static_cast<jint>(all.size());
        }
        s->textOffsets = offsets;
        s->textBytes = testing_support::byteArrayOf(all);
        s->textCount = static_cast<jint>(texts.size());
    }
    static std::u16string units(const runtime::String* text) {
        return text != nullptr ? std::u16string(text->chars, text->chars + text->length()) : u"(null)";
    }
};

TEST_F(TextPackageTest, CharactersAreGroupsOfSevenBitsMostSignificantFirst) {
    const struct {
        Bytes bytes;
        std::u16string expected;
    } cases[] = {
        {{0x41}, u"A"},
        {{0x81, 0x00}, std::u16string(1, 0x0080)},
        {{0x83, 0x7F}, std::u16string(1, 0x01FF)},
        {{0xFF, 0x7F}, std::u16string(1, 0x3FFF)},
        {{0x83, 0xFF, 0x7F}, std::u16string(1, 0xFFFF)},
        {{0x84, 0x80, 0x00}, std::u16string(1, 0x0000)}, // bits above 16 are cut
        {{0x81, 0x80, 0x00}, std::u16string(1, 0x4000)},
        {{'^', '{', 'y', '`', '~', '*', '|', '$'}, u"^{y`~*|$"}, // line break and markup pass through
        {{'a', 0x82, 0x2C, 'b'}, u"a\u012Cb"},
    };
    std::vector<Bytes> texts;
    for (const auto& c : cases) {
        texts.push_back(c.bytes);
    }
    install(texts);
    for (jint id = 0; id < static_cast<jint>(std::size(cases)); ++id) {
        EXPECT_EQ(units(getText(id)), cases[id].expected) << id;
    }
}

TEST_F(TextPackageTest, EncodedCharactersDecodeToThemselves) {
    std::vector<Bytes> texts;
    std::vector<char16_t> characters;
    for (std::uint32_t c = 0; c <= 0xFFFF; c += 97) {
        characters.push_back(static_cast<char16_t>(c));
        Bytes bytes;
        encodeTextCharacter(static_cast<char16_t>(c), bytes);
        EXPECT_EQ(bytes.size(), c < 0x80 ? 1u : c < 0x4000 ? 2u : 3u) << c;
        texts.push_back(bytes);
    }
    install(texts);
    for (std::size_t id = 0; id < characters.size(); ++id) {
        EXPECT_EQ(units(getText(static_cast<jint>(id))), std::u16string(1, characters[id])) << id;
    }
}

TEST_F(TextPackageTest, AnEmptyTextIsNullAndTheLastTextEndsAtTheArraysEnd) {
    install({{}, {'x'}, {}, {'L', 'a', 's', 't'}});
    EXPECT_EQ(getText(0), nullptr);
    EXPECT_EQ(units(getText(1)), u"x");
    EXPECT_EQ(getText(2), nullptr);
    EXPECT_EQ(units(getText(3)), u"Last");
    EXPECT_EQ(statics()->textBytes->length, (*statics()->textOffsets)[4]);
    // Every call gives a new String.
    EXPECT_NE(getText(1), getText(1));
}

TEST_F(TextPackageTest, ACharacterCutOffByTheEndOfItsTextIsDropped) {
    // Text 0 ends in the first byte of a two-byte and text 1 in the second byte of a three-byte
    // character; the bytes of the following text must not complete them.
    install({{'A', 0x83}, {'B', 0x83, 0xFF}, {0x7F, 'C'}, {0x85}});
    EXPECT_EQ(units(getText(0)), u"A");
    EXPECT_EQ(units(getText(1)), u"B");
    EXPECT_EQ(units(getText(2)), u"\x7F"
                                 u"C");
    EXPECT_EQ(units(getText(3)), u""); // the last text, at the end of the array
}

TEST_F(TextPackageTest, IdsOutsideThePackageAndAMissingPackageGiveNull) {
    install({{'a'}, {'b'}});
    for (const jint id : {-1, 2, 1000, INT32_MIN, INT32_MAX}) {
        clearLog();
        EXPECT_EQ(getText(id), nullptr) << id;
        EXPECT_EQ(logLines().size(), 1u) << id;
    }
    // Tables that disagree with the count, or offsets outside the bytes.
    statics()->textCount = 5;
    EXPECT_EQ(getText(3), nullptr);
    statics()->textCount = 2;
    (*statics()->textOffsets)[2] = 9;
    EXPECT_EQ(getText(1), nullptr);
    EXPECT_EQ(units(getText(0)), u"a");
    statics()->textBytes = nullptr;
    EXPECT_EQ(getText(0), nullptr);
    statics()->textOffsets = nullptr;
    EXPECT_EQ(getText(0), nullptr);
}

} // namespace
} // namespace game::core
