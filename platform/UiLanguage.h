// The user-interface language, as the handset reported it: a language id whose low 10 bits are
// the primary language and whose upper bits are the sublanguage.
#pragma once

#include <cstdint>

namespace platform {

// Primary language ids the game has texts for; every other language reads as English.
inline constexpr std::uint16_t kLanguageCzech = 5;
inline constexpr std::uint16_t kLanguageGerman = 7;
inline constexpr std::uint16_t kLanguageEnglish = 9;
inline constexpr std::uint16_t kLanguageSpanish = 10;
inline constexpr std::uint16_t kLanguageFrench = 12;
inline constexpr std::uint16_t kLanguagePortuguese = 22;

// The sublanguage "default" in the upper bits; a German id reads 0x0407.
inline constexpr std::uint16_t kSublanguageDefault = 1 << 10;
// Mask of the primary language in a language id.
inline constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;

class UiLanguage {
public:
    virtual ~UiLanguage() = default;
    // The full language id of the user interface.
    virtual std::uint16_t userDefaultUiLanguage() = 0;
};

// The locale of the environment: the first set of LC_ALL, LC_MESSAGES and LANG.
class EnvironmentUiLanguage final : public UiLanguage {
public:
    std::uint16_t userDefaultUiLanguage() override;
};

// Language id of a locale name such as "de_DE.UTF-8"; null, empty, "C" and unknown give English.
std::uint16_t languageIdOfLocale(const char* locale);

class FixedUiLanguage final : public UiLanguage {
public:
    explicit FixedUiLanguage(const std::uint16_t id) : languageId(id) {}
    std::uint16_t userDefaultUiLanguage() override { return languageId; }
    std::uint16_t languageId;
};

UiLanguage& uiLanguage();
UiLanguage* installUiLanguage(UiLanguage* replacement);

} // namespace platform
