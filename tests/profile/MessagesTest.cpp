// The host messages: language choice, range checks and the exact texts.
#include "profile/Messages.h"

#include <gtest/gtest.h>

#include <string>

namespace profile {
namespace {

std::u16string text(const HostMessages& messages, const std::uint32_t index) {
    return messages.get(index);
}

TEST(HostMessagesTest, BeforeALanguageIsChosenEveryLookupGivesNULL) {
    const HostMessages messages;
    for (std::uint32_t index = 0; index <= kHostMessageCount; ++index) {
        EXPECT_EQ(text(messages, index), u"NULL") << index;
    }
}

TEST(HostMessagesTest, OnlyThePrimaryLanguageChoosesTheSet) {
    struct Case {
        std::uint32_t id;
        const char16_t* caption;
    };
    const Case cases[] = {
        {0x0407 & 0x3FF, u"Hinweis"},
        {0x0407, u"Notice"},
        {5, u"Pozn\u00E1mka"},
        {7, u"Hinweis"},
        {9, u"Notice"},
        {10, u"Advertencia"},
        {12, u"Avertissement"},
        {22, u"Aviso"},
        {0, u"Notice"},
        {0xFFFFFFFF, u"Notice"},
    };
    for (const Case& c : cases) {
        HostMessages messages;
        messages.select(c.id);
        EXPECT_EQ(text(messages, kMessageNoticeCaption), c.caption) << c.id;
    }
}

TEST(HostMessagesTest, IndexesPastTheTableGiveNULLComparedUnsigned) {
    HostMessages messages;
    messages.select(9);
    for (const std::uint32_t index : {6u, 7u, 0x80000000u, 0xFFFFFFFFu}) {
        EXPECT_EQ(text(messages, index), u"NULL") << index;
    }
    EXPECT_EQ(text(messages, 5), u"Do you want to keep your saved data?");
}

// FNV-1a over the UTF-16 units of the six texts of a set, each followed by a 0 unit.
std::uint32_t fingerprint(const HostMessages& messages, std::uint32_t& units) {
    std::uint32_t hash = 0x811C9DC5u;
    units = 0;
    for (std::uint32_t index = 0; index < kHostMessageCount; ++index) {
        const std::u16string message = text(messages, index);
        for (std::size_t i = 0; i <= message.size(); ++i) {
            hash = (hash ^ (i < message.size() ? message[i] : 0u)) * 0x01000193u;
            ++units;
        }
    }
    return hash;
}

TEST(HostMessagesTest, EverySetHoldsItsExactCharacters) {
    struct Case {
        std::uint32_t id;
        std::uint32_t hash;
        std::uint32_t units;
    };
    const Case cases[] = {
        {9, 0x77817C75u, 303},  {7, 0x444CFE59u, 333},  {12, 0x621ED54Au, 320},
        {10, 0xA698ACEAu, 368}, {22, 0x0D641D7Cu, 317}, {5, 0xBE622AFBu, 245},
    };
    for (const Case& c : cases) {
        HostMessages messages;
        messages.select(c.id);
        std::uint32_t units = 0;
        EXPECT_EQ(fingerprint(messages, units), c.hash) << c.id;
        EXPECT_EQ(units, c.units) << c.id;
    }
}

TEST(HostMessagesTest, AccentedTextsAreStoredAsUtf16) {
    struct Case {
        std::uint32_t id;
        std::uint32_t index;
        const char16_t* message;
    };
    const Case cases[] = {
        {7, 5, u"M\u00F6chtest du deine gespeicherten Daten behalten?"},
        {10, 3, u"\u00BFEstas seguro que quieres salir?"},
        {22, 0, u"Jogo instalado.\nDeseja inici\u00E1-lo?"},
        {12, 3, u"Etes-vous s\u00FBr de vouloir quitter?"},
        {5, 5, u"Chce\u0161 zachovat sv\u00E1 ulo\u017Een\u00E1 data?"},
        {9, 4,
         u"Could not free the required memory to run the game.\nPlease try closing all running "
         u"applications and launch the game again."},
    };
    for (const Case& c : cases) {
        HostMessages messages;
        messages.select(c.id);
        EXPECT_EQ(text(messages, c.index), c.message) << c.id << " " << c.index;
    }
}

TEST(ProgramMessagesTest, TheProgramsSelectionServesItsLookups) {
    selectMessageLanguage(12);
    EXPECT_EQ(std::u16string(getLocalizedMessage(kMessageNoticeCaption)), u"Avertissement");
    EXPECT_EQ(std::u16string(getLocalizedMessage(6)), u"NULL");
}

} // namespace
} // namespace profile
