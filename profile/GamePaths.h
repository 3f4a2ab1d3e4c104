// Where the game's files live below the programs folder, in the handset's path form. Shared by the
// profile's path routines (Files.cpp) and the sample data generator, which installs the data there.
#pragma once

namespace profile {

// Appended to the programs folder.
inline constexpr char kGameFolderPath[] = "\\Brenvale\\Tarnwick";
// The archive's name inside the game folder.
inline constexpr char kArchiveFileName[] = "data.bar";

} // namespace profile
