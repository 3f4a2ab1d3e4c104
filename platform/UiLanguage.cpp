// The user-interface language from the locale environment.
#include "platform/UiLanguage.h"

#include <cstdlib>
#include <string_view>

#include "platform/Service.h"

namespace platform {

namespace {

ServiceSlot<UiLanguage, EnvironmentUiLanguage>& slot() {
    static ServiceSlot<UiLanguage, EnvironmentUiLanguage> instance;
    return instance;
}

struct LocaleLanguage {
    std::string_view code;
    std::uint16_t primary;
};

constexpr LocaleLanguage kLocaleLanguages[] = {
    {"cs", kLanguageCzech},  {"de", kLanguageGerman},     {"es", kLanguageSpanish},
    {"fr", kLanguageFrench}, {"pt", kLanguagePortuguese},
};

// The variables that name the messages' language, strongest first.
constexpr const char* kLocaleVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

} // namespace

std::uint16_t languageIdOfLocale(const char* const locale) {
    std::uint16_t primary = kLanguageEnglish;
    if (locale != nullptr) {
        // The language is what comes before the territory, the code set and the modifier.
        const std::string_view name(locale);
        const std::string_view code = name.substr(0, name.find_first_of("_.@"));
        for (const LocaleLanguage& language : kLocaleLanguages) {
            if (code == language.code) {
                primary = language.primary;
            }
        }
    }
    return static_cast<std::uint16_t>(kSublanguageDefault | primary);
}

std::uint16_t EnvironmentUiLanguage::userDefaultUiLanguage() {
    for (const char* variable : kLocaleVariables) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return languageIdOfLocale(value);
        }
    }
    return languageIdOfLocale(nullptr);
}

UiLanguage& uiLanguage() {
    return slot().get();
}

UiLanguage* installUiLanguage(UiLanguage* const replacement) {
    return slot().install(replacement);
}

} // namespace platform
