// The user-interface language from the locale environment.
#include "platform/UiLanguage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace platform {
namespace {

TEST(LanguageIdTest, LocaleNamesGiveTheHandsetsLanguageIds) {
    struct Case {
        const char* locale;
        std::uint16_t id;
    };
    const Case cases[] = {
        {"cs_CZ.UTF-8", 0x0405},
        {"de_DE.UTF-8", 0x0407},
        {"de", 0x0407},
        {"es_ES@euro", 0x040A},
        {"fr_CA", 0x040C},
        {"pt_BR.UTF-8", 0x0416},
        {"en_GB.UTF-8", 0x0409},
        {"it_IT", 0x0409},
        {"C", 0x0409},
        {"POSIX", 0x0409},
        {"", 0x0409},
        {nullptr, 0x0409},
        {"dex_DE", 0x0409},
        {"d", 0x0409},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(languageIdOfLocale(c.locale), c.id) << (c.locale ? c.locale : "(null)");
    }
}

// Sets the locale variables for one test and puts them back afterwards.
class LocaleEnvironment {
public:
    LocaleEnvironment() {
        for (int i = 0; i < 3; ++i) {
            if (const char* value = std::getenv(kNames[i])) {
                saved[i] = value;
            }
            unsetenv(kNames[i]);
        }
    }
    ~LocaleEnvironment() {
        for (int i = 0; i < 3; ++i) {
            if (saved[i]) {
                setenv(kNames[i], saved[i]->c_str(), 1);
            } else {
                unsetenv(kNames[i]);
            }
        }
    }
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};

private:
    std::optional<std::string> saved[3];
};

TEST(EnvironmentUiLanguageTest, LcAllThenLcMessagesThenLang) {
    LocaleEnvironment environment;
    EnvironmentUiLanguage language;
    EXPECT_EQ(language.userDefaultUiLanguage(), 0x0409);
    setenv("LANG", "fr_FR.UTF-8", 1);
    EXPECT_EQ(language.userDefaultUiLanguage(), 0x040C);
    setenv("LC_MESSAGES", "cs_CZ.UTF-8", 1);
    EXPECT_EQ(language.userDefaultUiLanguage(), 0x0405);
    setenv("LC_ALL", "de_AT", 1);
    EXPECT_EQ(language.userDefaultUiLanguage(), 0x0407);
    // An empty variable counts as unset.
    setenv("LC_ALL", "", 1);
    EXPECT_EQ(language.userDefaultUiLanguage(), 0x0405);
}

} // namespace
} // namespace platform
