// The program entry's steps before the host starts: the handler for a failed native allocation, a
// display to show the game on, the game's folder and data, one running copy, the host-message
// language and the memory check.
//
// A check that stops the program tells the person who started it why, in one message: which file
// or setting is wrong, the folder the game looked in and how that folder was chosen
// (TARNWICK_ROOT, else the XDG data folder), and what to do. It goes to standard error, and into
// a message box where a desktop is present.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace profile {

// Free physical memory the game needs to start.
inline constexpr std::uint64_t kMinimumAvailableMemory = 0xD00000;
inline constexpr char16_t kMessageBoxCaption[] = u"Tarnwick";
// The exit code of a start that failed; a start that ends on purpose (another copy runs, too
// little memory) exits with 0.
inline constexpr int kStartFailedExitCode = 1;

// Why the open archive file of size bytes cannot serve the game, in words for a person, or the
// empty text when it can. The archive's format is the game's, which hands its check in.
using ArchiveCheck = std::string (*)(std::FILE* archive, std::uint64_t size);

// What the entry's checks decided: go on to the host, or end the program with exitCode.
struct StartDecision {
    bool start = true;
    int exitCode = 0;
};

// Installs the handler that reports a failed native allocation and raises the failure.
void installOutOfStoreHandler();

// The checks in the entry's order: a display to show the game on (or an SDL video driver chosen
// by hand); the folder TARNWICK_ROOT names, when it names one; the one running copy, keyed by the
// game folder (another copy is asked to come to the front); data.bar in the game folder, a regular
// file that archiveCheck accepts; the host messages take the user-interface language; too little
// memory shows the low-memory message.
StartDecision passStartChecks(ArchiveCheck archiveCheck);

// The game folder as a local directory (programs folder + the game's path).
std::string localGameFolder();

// Tells the person who started the game why it cannot run: in a message box through the
// platform's stand-in where a desktop is present (the console's box writes it to standard error),
// else on standard error directly.
void reportStartProblem(const std::string& text);

} // namespace profile
