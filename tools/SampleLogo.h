// The logo pack of the sample set (the pack named by constant string 77): entry 8 is the logo the
// loading screens show, a PNG. Entries 0-7 are left for the badge sheets of the match loading
// screen and stay empty ranges until those sprites are generated.
#pragma once

#include <string>
#include <vector>

#include "tools/SampleData.h"

namespace tools {

// The constant string that names the pack, and the logo's entry.
inline constexpr int kLogoPackConstant = 77;
inline constexpr int kLogoEntry = 8;
// The logo's size: well inside the 480 x 800 screen.
inline constexpr int kLogoWidth = 240;
inline constexpr int kLogoHeight = 120;

// The logo: a white-framed dark field crossed by an orange band.
Bytes loadingLogoPng();
// The pack's part file as an archive entry.
std::vector<ArchiveEntry> sampleLogoPackEntries();
// Reads the logo pack back out of an archive; adds what is wrong to problems.
void checkSampleLogoPack(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                         std::vector<std::string>& problems);

} // namespace tools
