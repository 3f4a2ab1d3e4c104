// The host messages: language choice, range checks and the exact texts.
#include "profile/Messages.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/Utf8.h"

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

// Every text of every set, as the table gives it; compared as UTF-8, so a failure shows the text.
TEST(HostMessagesTest, EverySetHoldsItsExactCharacters) {
    struct Case {
        std::uint32_t id;
        std::array<const char16_t*, kHostMessageCount> texts;
    };
    const Case cases[] = {
        {9, // English (any other id)
         {
             u"Game installed.\n"
             u"Do you want to launch it?",
             u"Could not launch the game.\n"
             u"Please launch it from Games folder.",
             u"Notice",
             u"Are you sure you want to quit?",
             u"Could not free the required memory to run the game.\n"
             u"Please try closing all running applications and launch the game again.",
             u"Do you want to keep your saved data?",
         }},
        {7, // German
         {
             u"Das Spiel ist installiert.\n"
             u"M\u00F6chtest du es jetzt starten?",
             u"Spiel konnte nicht gestartet werden.\n"
             u"Versuche, es vom Spiele-Ordner aus zu starten.",
             u"Hinweis",
             u"Wirklich beenden?",
             u"Es gibt nicht gen\u00FCgend freien Speicherplatz f\u00FCr das Spiel.\n"
             u"Beende bitte alle Anwendungen und starte das Spiel erneut.",
             u"M\u00F6chtest du deine gespeicherten Daten behalten?",
         }},
        {12, // French
         {
             u"Jeu install\u00E9.\n"
             u"Lancer le jeu?",
             u"Impossible de lancer le jeu.\n"
             u"Veuillez le lancer \u00E0 partir du dossier Jeux.",
             u"Avertissement",
             u"Etes-vous s\u00FBr de vouloir quitter?",
             u"Impossible de lib\u00E9rer la m\u00E9moire requise pour lancer le jeu.\n"
             u"Fermez toutes les applications en cours et relancez le jeu.",
             u"Voulez-vous conserver les donn\u00E9es sauvegard\u00E9es?",
         }},
        {10, // Spanish
         {
             u"Juego instalado.\n"
             u"\u00BFQuieres ejecutarlo ahora?",
             u"No se pudo ejecutar el juego.\n"
             u"Por favor ejecutalo desde la carpeta Juegos o Games.",
             u"Advertencia",
             u"\u00BFEstas seguro que quieres salir?",
             u"No se ha podido liberar el espacio de memoria requerido para ejecutar el juego.\n"
             u"Por favor, intenta cerrar todas las aplicaciones y vuelve a abrir el juego.",
             u"\u00BFQuieres conservar tus datos guardados?",
         }},
        {22, // Portuguese
         {
             u"Jogo instalado.\n"
             u"Deseja inici\u00E1-lo?",
             u"N\u00E3o foi poss\u00EDvel iniciar o jogo.\n"
             u"Favor inici\u00E1-lo da pasta de jogos.",
             u"Aviso",
             u"Tenz a certeza que queres sair?",
             u"N\u00E3o foi possivel obter a mem\u00F3ria requerida para que o jogo funcione.\n"
             u"Por favor, tenta fechar todas as aplica\u00E7\u00F5es e inicia o jogo de novo.",
             u"Queres manter os teus dados guardados?",
         }},
        {5, // Czech
         {
             u"Hra nainstalov\u00E1na.\n"
             u"Chce\u0161 ji spustit?",
             u"Nepodarilo se spustit hru.\n"
             u"Spust ji z adres\u00E1re her.",
             u"Pozn\u00E1mka",
             u"Chce\u0161 doopravdy skoncit?",
             u"Uvolnen\u00ED potrebn\u00E9 pameti se nezdarilo.\n"
             u"Zkus zavr\u00EDt v\u0161echny aplikace a spustit hru znovu.",
             u"Chce\u0161 zachovat sv\u00E1 ulo\u017Een\u00E1 data?",
         }},
    };
    for (const Case& c : cases) {
        HostMessages messages;
        messages.select(c.id);
        for (std::uint32_t index = 0; index < kHostMessageCount; ++index) {
            EXPECT_EQ(platform::utf16ToUtf8(text(messages, index)), platform::utf16ToUtf8(c.texts[index]))
                << "language " << c.id << ", message " << index;
        }
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
