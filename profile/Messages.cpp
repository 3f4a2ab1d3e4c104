// The host messages in their six languages.
#include "profile/Messages.h"

#include <array>

#include "platform/UiLanguage.h"

namespace profile {

namespace {

using HostMessageSet = std::array<const char16_t*, kHostMessageCount>;

constexpr char16_t kMissingMessage[] = u"NULL";

constexpr HostMessageSet kEnglishMessages = {
    u"Game installed.\n"
    u"Do you want to launch it?",
    u"Could not launch the game.\n"
    u"Please launch it from Games folder.",
    u"Notice",
    u"Are you sure you want to quit?",
    u"Could not free the required memory to run the game.\n"
    u"Please try closing all running applications and launch the game again.",
    u"Do you want to keep your saved data?",
};
constexpr HostMessageSet kGermanMessages = {
    u"Das Spiel ist installiert.\n"
    u"Möchtest du es jetzt starten?",
    u"Spiel konnte nicht gestartet werden.\n"
    u"Versuche, es vom Spiele-Ordner aus zu starten.",
    u"Hinweis",
    u"Wirklich beenden?",
    u"Es gibt nicht genügend freien Speicherplatz für das Spiel.\n"
    u"Beende bitte alle Anwendungen und starte das Spiel erneut.",
    u"Möchtest du deine gespeicherten Daten behalten?",
};
constexpr HostMessageSet kFrenchMessages = {
    u"Jeu installé.\n"
    u"Lancer le jeu?",
    u"Impossible de lancer le jeu.\n"
    u"Veuillez le lancer à partir du dossier Jeux.",
    u"Avertissement",
    u"Etes-vous sûr de vouloir quitter?",
    u"Impossible de libérer la mémoire requise pour lancer le jeu.\n"
    u"Fermez toutes les applications en cours et relancez le jeu.",
    u"Voulez-vous conserver les données sauvegardées?",
};
constexpr HostMessageSet kSpanishMessages = {
    u"Juego instalado.\n"
    u"¿Quieres ejecutarlo ahora?",
    u"No se pudo ejecutar el juego.\n"
    u"Por favor ejecutalo desde la carpeta Juegos o Games.",
    u"Advertencia",
    u"¿Estas seguro que quieres salir?",
    u"No se ha podido liberar el espacio de memoria requerido para ejecutar el juego.\n"
    u"Por favor, intenta cerrar todas las aplicaciones y vuelve a abrir el juego.",
    u"¿Quieres conservar tus datos guardados?",
};
constexpr HostMessageSet kPortugueseMessages = {
    u"Jogo instalado.\n"
    u"Deseja iniciá-lo?",
    u"Não foi possível iniciar o jogo.\n"
    u"Favor iniciá-lo da pasta de jogos.",
    u"Aviso",
    u"Tenz a certeza que queres sair?",
    u"Não foi possivel obter a memória requerida para que o jogo funcione.\n"
    u"Por favor, tenta fechar todas as aplicações e inicia o jogo de novo.",
    u"Queres manter os teus dados guardados?",
};
constexpr HostMessageSet kCzechMessages = {
    u"Hra nainstalována.\n"
    u"Chceš ji spustit?",
    u"Nepodarilo se spustit hru.\n"
    u"Spust ji z adresáre her.",
    u"Poznámka",
    u"Chceš doopravdy skoncit?",
    u"Uvolnení potrebné pameti se nezdarilo.\n"
    u"Zkus zavrít všechny aplikace a spustit hru znovu.",
    u"Chceš zachovat svá uložená data?",
};

const HostMessageSet& messagesOf(const std::uint32_t primaryLanguageId) {
    switch (primaryLanguageId) {
    case platform::kLanguageCzech:
        return kCzechMessages;
    case platform::kLanguageGerman:
        return kGermanMessages;
    case platform::kLanguageSpanish:
        return kSpanishMessages;
    case platform::kLanguageFrench:
        return kFrenchMessages;
    case platform::kLanguagePortuguese:
        return kPortugueseMessages;
    default:
        return kEnglishMessages;
    }
}

HostMessages& programMessages() {
    static HostMessages messages;
    return messages;
}

} // namespace

void HostMessages::select(const std::uint32_t primaryLanguageId) {
    texts = messagesOf(primaryLanguageId).data();
}

const char16_t* HostMessages::get(const std::uint32_t index) const {
    if (index >= kHostMessageCount || texts == nullptr) {
        return kMissingMessage;
    }
    return texts[index];
}

void selectMessageLanguage(const std::uint32_t primaryLanguageId) {
    programMessages().select(primaryLanguageId);
}

const char16_t* getLocalizedMessage(const std::uint32_t index) {
    return programMessages().get(index);
}

} // namespace profile
