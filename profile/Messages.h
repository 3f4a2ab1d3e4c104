// The host's own messages, shown in system message boxes outside the game's text package: six
// numbered texts in six languages, chosen once by the primary language id.
//
// The same table serves the program (its low-memory warning) and the setup library (its
// questions after installation and before removal); each keeps its own selection.
#pragma once

#include <cstdint>

namespace profile {

inline constexpr std::uint32_t kHostMessageCount = 6;

// Message numbers.
inline constexpr std::uint32_t kMessageLaunchInstalled = 0; // installed: launch it now?
inline constexpr std::uint32_t kMessageCouldNotLaunch = 1;
inline constexpr std::uint32_t kMessageNoticeCaption = 2;
inline constexpr std::uint32_t kMessageQuitQuestion = 3;
inline constexpr std::uint32_t kMessageLowMemory = 4;
inline constexpr std::uint32_t kMessageKeepSavedData = 5;

// One selection of the table.
class HostMessages {
public:
    // Selects the texts of a primary language id (5 Czech, 7 German, 10 Spanish, 12 French,
    // 22 Portuguese, anything else English). The caller masks the full id with 0x3FF.
    void select(std::uint32_t primaryLanguageId);
    // The selected text (UTF-16, zero-terminated); "NULL" for an index above 5 or before a
    // language is selected.
    const char16_t* get(std::uint32_t index) const;

private:
    const char16_t* const* texts = nullptr;
};

// The program's own selection.
void selectMessageLanguage(std::uint32_t primaryLanguageId);
const char16_t* getLocalizedMessage(std::uint32_t index);

} // namespace profile
