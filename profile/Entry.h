// The program entry's steps before the host starts: the handler for a failed native allocation,
// one running copy, the host-message language and the memory check.
#pragma once

#include <cstdint>
#include <string>

namespace profile {

// Free physical memory the game needs to start.
inline constexpr std::uint64_t kMinimumAvailableMemory = 0xD00000;
inline constexpr char16_t kMessageBoxCaption[] = u"Tarnwick";

// Installs the handler that reports a failed native allocation and raises the failure.
void installOutOfStoreHandler();

// The checks in the entry's order: another running copy (keyed by the game folder) is asked to
// come to the front; the host messages take the user-interface language; too little memory shows
// the low-memory message. False when the program should end at once, with code 0.
bool passStartChecks(const std::string& gameFolder);

// The game folder as a local directory (programs folder + the game's path).
std::string localGameFolder();

} // namespace profile
