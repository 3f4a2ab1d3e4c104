// The sample set's sprites, drawn by the generator: the sprite table of the sprite pack (players,
// goalkeepers, ball, nets, scenery, effects, pitch-side figures and font 0), the menu-side
// sprites of the menu pack and the badge sheets of the logo pack. The pack entries they live in
// are listed in tools/README.md.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/SampleData.h"

namespace tools {

// Colour bands of a kit palette row (the template rows every kind-0-path sprite carries).
namespace kit {
inline constexpr int kTransparent = 0;
inline constexpr int kShirt = 1;  // 1-4: main, light, dark, darkest
inline constexpr int kShorts = 5; // 5-8
inline constexpr int kSocks = 9;  // 9-11: main, light, dark
inline constexpr int kHair = 12;  // 12-14
inline constexpr int kTrim = 15;
inline constexpr int kSkin = 16; // 16-19
inline constexpr int kOutline = 20;
inline constexpr int kNumber = 21;
inline constexpr int kTrimLight = 22;
inline constexpr int kBoots = 23;
inline constexpr int kWhite = 31;
inline constexpr int kRows = 24;
inline constexpr int kColours = 32;
} // namespace kit

// The 24 template rows of 32 colours: rows 0-15 kit schemes (row 0 doubles as the menus'
// colours), rows 16-23 repeat rows 0-7 except 19 and 20, which are neutral greys. Colour 0 is
// transparent, every other colour opaque.
std::vector<std::vector<std::uint32_t>> kitTemplateRows();

// Sprite n (0-11) of the sprite table: pack C117 entry n.
inline constexpr int kSpriteTableSize = 12;
Bytes sampleTableSprite(int number);

// Font 0: one frame per character of the character map (constant string 123), each exactly one
// glyph module placed at (0, 0), 14 pixels high; palettes 0 normal, 1 highlight, 2 dates, 3 red.
Bytes sampleFontSprite();
inline constexpr int kGlyphHeight = 14;

// The roles a menu-side sprite plays (its pack entry in tools/README.md).
enum class MenuSpriteRole {
    kInterface,  // C116 E3
    kBackdrop,   // C116 E5 and the other full-screen users
    kIcons,      // C116 E6
    kKeyIcons,   // C116 E7
    kExtra,      // C116 E8
    kTwin,       // C116 E9
    kAnimations, // C116 E16
    kRadar,      // C116 E2
    kLogo,       // C116 E14
};
// A universal menu sprite (every module, frame and animation any reader uses) with the drawings
// of its role.
Bytes sampleMenuSprite(MenuSpriteRole role);
// Badge sheet `sheet` (C77 E sheet): a universal menu sprite whose first frames are badges.
Bytes sampleBadgeSheet(int sheet);
inline constexpr int kBadgeSheets = 8;
// The title logo (C77 E8): a paletted PNG.
Bytes sampleLogoPng();
inline constexpr int kBadgesPerSheet = 48;

// The sprite pack, the menu pack and the logo pack as archive entries.
std::vector<ArchiveEntry> sampleSpritePackEntries();
// Reads the three packs back out of an archive; adds a missing pack or entry to problems.
void checkSampleSpritePacks(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                            std::vector<std::string>& problems);

} // namespace tools
