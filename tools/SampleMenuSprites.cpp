// The menu-side sprites of the sample set: universal menu sprites (every module, frame and
// animation any menu reader uses, so any binding of names to pack entries stays inside the
// sprite) with the drawings their role needs, and the badge sheets.
#include <string>

#include "game/sprites/SpriteFormat.h"
#include "tools/PngWriter.h"
#include "tools/SampleSprites.h"
#include "tools/SpriteCanvas.h"

namespace tools {

namespace {

using game::sprites::kFlagWideModuleOffsets;
using game::sprites::kPixelFormatIndexRuns;

// Sizes every universal menu sprite reaches.
constexpr int kMenuModules = 112;
constexpr int kMenuFrames = 166;
constexpr int kMenuAnimations = 19;

// Colours of the menus' drawings: indices 1-23 of the kit rows (row 0 is white, navy and gold).
constexpr int kUiWhite = kit::kShirt;
constexpr int kUiBright = kit::kShirt + 1;
constexpr int kUiGrey = kit::kShirt + 2;
constexpr int kUiNavy = kit::kShorts;
constexpr int kUiBlue = kit::kShorts + 1;
constexpr int kUiGold = kit::kSocks;
constexpr int kUiYellow = kit::kSocks + 1;
constexpr int kUiBrown = kit::kHair;
constexpr int kUiSkin = kit::kSkin;
constexpr int kUiBlack = kit::kOutline;
const int kIconColours[] = {kUiWhite, kUiGold, kUiBlue, kUiBrown, kUiGrey, kUiSkin, kUiYellow};

// Rectangle colours (ARGB: rectangles do not go through the palettes).
constexpr std::uint32_t kBoxFill = 0xFF24346E;
constexpr std::uint32_t kBoxLine = 0xFFE0E4F0;
constexpr std::uint32_t kBackdropBands[] = {0xFF0E1638, 0xFF141E48, 0xFF1A2858, 0xFF203068};
constexpr std::uint32_t kSeparator = 0xFFB0B8D0;
constexpr std::uint32_t kPitchGreen = 0xFF2E8B3A;
constexpr std::uint32_t kPitchLine = 0xFFF0F0F0;
constexpr std::uint32_t kKeypadFill = 0xFF3A4A80;
constexpr std::uint32_t kKeypadPanel = 0xFF1C2A50;
constexpr std::uint32_t kShareFor = 0xFF30B040;
constexpr std::uint32_t kShareAgainst = 0xFFC03030;

constexpr int kBoxWidth = 48;
constexpr int kBoxHeight = 20;
constexpr int kScreenWidth = 480;
constexpr int kScreenHeight = 800;
constexpr int kBandWidth = 240;
constexpr int kBandHeight = 200;
constexpr int kDigitWidth = 8;

// Fixed module numbers.
constexpr int kBoxFillModule = 0;
constexpr int kBoxLineModule = 1;
constexpr int kFirstBandModule = 2;
constexpr int kSeparatorModule = 6;
constexpr int kHalfwayModule = 7;
constexpr int kRightArrowModule = 8;
constexpr int kFirstDigitModule = 12;
constexpr int kPitchFillModule = 22;
constexpr int kPitchLineModule = 23;
constexpr int kCentreCircleModule = 24;
constexpr int kKeypadFillModule = 25;
constexpr int kKeypadLineModule = 26;
constexpr int kKeypadPanelModule = 27;
constexpr int kShareForModule = 28;
constexpr int kShareAgainstModule = 29;
constexpr int kFirstSelectorModule = 30;
constexpr int kStarModule = 76;
constexpr int kFirstMarkerModule = 106;

// Fixed frames.
constexpr int kSeparatorFrame = 77;
constexpr int kShareFrames = 126;
constexpr int kFirstKeypadFrame = 129;
constexpr int kKeypadPanelFrame = 135;
constexpr int kFirstSelectorFrame = 136;
constexpr int kFirstAnimationFrame = 140;
constexpr int kLastSoftKeyFrame = 4;

SpriteCanvas arrowCanvas(const int turns) {
    SpriteCanvas c(16, 16);
    c.polygon({{2, 5}, {8, 5}, {8, 1}, {14, 8}, {8, 14}, {8, 10}, {2, 10}}, kUiWhite);
    c.outline(kUiBlack);
    for (int t = 0; t < turns; ++t) {
        c = c.turned();
    }
    return c;
}

SpriteCanvas digitCanvas(const int digit) {
    SpriteCanvas c(kDigitWidth, 12);
    c.label(1, 1, std::to_string(digit), kUiWhite, 2);
    c.outline(kUiBlack);
    return c;
}

SpriteCanvas iconCanvas(const int n) {
    SpriteCanvas c(16, 16);
    const int colour = kIconColours[n % std::size(kIconColours)];
    switch (n % 6) {
    case 0:
        c.disc(8, 8, 6, colour);
        break;
    case 1:
        c.fill(2, 2, 12, 12, colour);
        break;
    case 2:
        c.polygon({{8, 1}, {14, 14}, {1, 14}}, colour);
        break;
    case 3:
        c.polygon({{8, 1}, {14, 8}, {8, 14}, {1, 8}}, colour);
        break;
    case 4:
        c.fill(6, 1, 4, 14, colour);
        c.fill(1, 6, 14, 4, colour);
        break;
    default:
        c.disc(8, 8, 6, colour);
        c.disc(8, 8, 3, 0);
        break;
    }
    c.outline(kUiBlack);
    return c;
}

SpriteCanvas starCanvas() {
    SpriteCanvas c(16, 16);
    c.polygon({{8, 0}, {10, 5}, {15, 6}, {11, 9}, {12, 15}, {8, 12}, {4, 15}, {5, 9}, {1, 6}, {6, 5}},
              kUiGold);
    c.outline(kUiBlack);
    return c;
}

SpriteCanvas markerCanvas(const int n) {
    SpriteCanvas c(16, 16);
    c.disc(8, 8, 6, kIconColours[n]);
    c.disc(8, 8, 2, kUiNavy);
    c.outline(kUiBlack);
    return c;
}

SpriteCanvas selectorCanvas(const bool right, const bool pressed) {
    SpriteCanvas c(24, 24);
    c.disc(12, 12, 11, pressed ? kUiGold : kUiNavy);
    c.polygon(right ? std::vector<std::pair<int, int>>{{8, 5}, {17, 12}, {8, 19}}
                    : std::vector<std::pair<int, int>>{{16, 5}, {7, 12}, {16, 19}},
              pressed ? kUiNavy : kUiWhite);
    return c;
}

SpriteCanvas centreCircleCanvas() {
    SpriteCanvas c(24, 24);
    c.disc(12, 12, 11, kUiBright);
    c.disc(12, 12, 9, 0);
    return c;
}

// A labelled key or soft-key icon.
SpriteCanvas keyIconCanvas(const std::string& text, const int colour) {
    SpriteCanvas c(40, 28);
    c.fill(2, 1, 36, 26, colour);
    c.fill(1, 2, 38, 24, colour);
    c.label(20 - SpriteCanvas::labelWidth(text, 2) / 2, 9, text, kUiWhite, 2);
    c.outline(kUiBlack);
    return c;
}

SpriteCanvas footCanvas(const bool left) {
    SpriteCanvas c(24, 16);
    c.polygon({{2, 4}, {12, 2}, {21, 6}, {22, 11}, {2, 12}}, kUiWhite);
    c.fill(2, 12, 20, 2, kUiGrey);
    c.outline(kUiBlack);
    return left ? c.mirrored() : c;
}

SpriteCanvas radarBallCanvas(const int radius) {
    SpriteCanvas c(2 * radius + 3, 2 * radius + 3);
    c.disc(radius + 1, radius + 1, radius, kUiBright);
    c.outline(kUiBlack);
    return c;
}

// A club badge: a shield in two colours with its number on the sheet.
SpriteCanvas badgeCanvas(const int sheet, const int number) {
    SpriteCanvas c(42, 28);
    const int seed = sheet * kBadgesPerSheet + number;
    const int field = kIconColours[seed % std::size(kIconColours)];
    const int stripe = kIconColours[(seed / 3 + 2) % std::size(kIconColours)] == field
                           ? kUiNavy
                           : kIconColours[(seed / 3 + 2) % std::size(kIconColours)];
    c.polygon({{10, 1}, {31, 1}, {31, 15}, {21, 26}, {10, 15}}, field);
    c.fill(18, 2, 6, 18, stripe);
    const std::string text = std::to_string(number + 1);
    c.label(21 - SpriteCanvas::labelWidth(text) / 2, 7, text, kUiBlack);
    c.outline(kUiBlack);
    return c;
}

// A frame of one module centred on the origin.
int centredFrame(SpriteBuilder& b, const int module) {
    return b.frameOf(module, -b.module(module).width / 2, -b.module(module).height / 2);
}

// A small box showing its frame number.
int labelledBoxFrame(SpriteBuilder& b, const int number) {
    std::vector<PlacedModule> placed = {{kBoxFillModule, 0, 0, 0, false, 0},
                                        {kBoxLineModule, 0, 0, 0, false, 0}};
    const std::string digits = std::to_string(number);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        placed.push_back({kFirstDigitModule + (digits[i] - '0'), 4 + static_cast<int>(i) * (kDigitWidth + 1),
                          4, 0, false, 0});
    }
    return b.frame(placed);
}

int backdropFrame(SpriteBuilder& b) {
    std::vector<PlacedModule> placed;
    for (int row = 0; row < kScreenHeight / kBandHeight; ++row) {
        for (int column = 0; column < kScreenWidth / kBandWidth; ++column) {
            placed.push_back({kFirstBandModule + row, column * kBandWidth, row * kBandHeight, 0, false, 0});
        }
    }
    return b.frame(placed);
}

int smallPitchFrame(SpriteBuilder& b) {
    return b.frame({{kPitchFillModule, 0, 0, 0, false, 0},
                    {kPitchLineModule, 0, 0, 0, false, 0},
                    {kHalfwayModule, 0, 79, 0, false, 0},
                    {kCentreCircleModule, 48, 68, 0, false, 0}});
}

// The modules every universal menu sprite has (0 to 111).
void addMenuModules(SpriteBuilder& b) {
    b.filledRect(kBoxWidth, kBoxHeight, kBoxFill);
    b.outlineRect(kBoxWidth, kBoxHeight, kBoxLine);
    for (const std::uint32_t band : kBackdropBands) {
        b.filledRect(kBandWidth, kBandHeight, band);
    }
    b.filledRect(kBandWidth, 4, kSeparator);
    b.filledRect(120, 2, kPitchLine);
    for (const int turns : {0, 2, 3, 1}) { // right, left, up, down
        b.image(arrowCanvas(turns));
    }
    for (int digit = 0; digit < 10; ++digit) {
        b.image(digitCanvas(digit));
    }
    b.filledRect(120, 160, kPitchGreen);
    b.outlineRect(120, 160, kPitchLine);
    b.image(centreCircleCanvas());
    b.filledRect(96, 56, kKeypadFill);
    b.outlineRect(96, 56, kBoxLine);
    b.filledRect(240, 240, kKeypadPanel);
    b.filledRect(100, 12, kShareFor);
    b.filledRect(100, 12, kShareAgainst);
    for (const bool pressed : {false, true}) {
        b.image(selectorCanvas(true, pressed));
        b.image(selectorCanvas(false, pressed));
    }
    for (int n = 0; b.moduleCount() < kStarModule; ++n) {
        b.image(iconCanvas(n));
    }
    b.image(starCanvas());
    for (int n = 0; b.moduleCount() < kFirstMarkerModule; ++n) {
        b.image(iconCanvas(n + 3));
    }
    for (int n = 0; n < 6; ++n) {
        b.image(markerCanvas(n));
    }
}

// The frames of a universal menu sprite; `special` gives the frames its role draws itself.
template <typename Special> void addMenuFrames(SpriteBuilder& b, const MenuSpriteRole role, Special special) {
    for (int f = 0; f < kMenuFrames; ++f) {
        if (special(f)) {
            continue;
        }
        if (f == 0 && (role == MenuSpriteRole::kInterface || role == MenuSpriteRole::kIcons)) {
            smallPitchFrame(b);
        } else if (f == 0) {
            backdropFrame(b);
        } else if (f == kSeparatorFrame) {
            b.frame({{kSeparatorModule, 0, 0, 0, false, 0}, {kSeparatorModule, kBandWidth, 0, 0, false, 0}});
        } else if (f == kShareFrames || f == kShareFrames + 1) {
            b.frameOf(f == kShareFrames ? kShareForModule : kShareAgainstModule, 0, 0);
        } else if (f >= kFirstKeypadFrame && f < kFirstKeypadFrame + 4) {
            b.frame({{kKeypadFillModule, 0, 0, 0, false, 0},
                     {kKeypadLineModule, 0, 0, 0, false, 0},
                     {kFirstDigitModule + f - kFirstKeypadFrame + 1, 44, 22, 0, false, 0}});
        } else if (f == kKeypadPanelFrame) {
            b.frameOf(kKeypadPanelModule, 0, 0);
        } else if (f >= kFirstSelectorFrame && f < kFirstSelectorFrame + 4) {
            centredFrame(b, kFirstSelectorModule + f - kFirstSelectorFrame);
        } else {
            labelledBoxFrame(b, f);
        }
    }
}

// Animation 1 plays the backdrop; the others step through labelled boxes, 2 to 4 frames of 2 to
// 6 game frames each.
void addMenuAnimations(SpriteBuilder& b) {
    for (int a = 0; a < kMenuAnimations; ++a) {
        if (a == 1) {
            b.animation({0, 0}, 6);
            continue;
        }
        std::vector<int> frames;
        for (int i = 0; i < 2 + a % 3; ++i) {
            frames.push_back(kFirstAnimationFrame + a + i);
        }
        b.animation(frames, 2 + a % 5);
    }
}

// A universal menu sprite with the role's own drawings (or, for a badge sheet, its badges).
Bytes menuSprite(const MenuSpriteRole role, const int badgeSheet) {
    SpriteBuilder b(kit::kColours, kPixelFormatIndexRuns, kFlagWideModuleOffsets);
    b.palettes(kitTemplateRows());
    addMenuModules(b);
    std::vector<int> own; // modules of the role's frames, by frame number
    int ownFirst = 0;
    if (badgeSheet >= 0) {
        for (int n = 0; n < kBadgesPerSheet; ++n) {
            own.push_back(b.image(badgeCanvas(badgeSheet, n)));
        }
    } else if (role == MenuSpriteRole::kRadar) {
        ownFirst = 9;
        for (const int radius : {4, 3, 2}) { // frame 9 high, 10 middle, 11 low
            own.push_back(b.image(radarBallCanvas(radius)));
        }
    } else if (role == MenuSpriteRole::kTwin) {
        ownFirst = 9;
        own.push_back(b.image(footCanvas(true)));
        own.push_back(b.image(footCanvas(false)));
    } else if (role == MenuSpriteRole::kKeyIcons) {
        ownFirst = 1;
        const std::pair<const char*, int> keys[] = {{"OK", kUiGold},   {"BACK", kUiNavy}, {"MENU", kUiBlue},
                                                    {"NEXT", kUiBlue}, {"5", kUiGrey},    {"*", kUiGrey},
                                                    {"#", kUiGrey},    {"0", kUiGrey}};
        for (const auto& [text, colour] : keys) {
            own.push_back(b.image(keyIconCanvas(text, colour)));
        }
    }
    addMenuFrames(b, role, [&](const int f) {
        const int i = f - ownFirst;
        if (i < 0 || i >= static_cast<int>(own.size())) {
            return false;
        }
        // Badges and the soft-key icons (frames 1-4, placed by their left edge in the key-icon
        // row) hang from their top-left corner; the other drawings are centred.
        if (badgeSheet >= 0 || (role == MenuSpriteRole::kKeyIcons && f <= kLastSoftKeyFrame)) {
            b.frameOf(own[static_cast<std::size_t>(i)], 0, 0);
        } else {
            centredFrame(b, own[static_cast<std::size_t>(i)]);
        }
        return true;
    });
    addMenuAnimations(b);
    return b.bytes();
}

} // namespace

Bytes sampleMenuSprite(const MenuSpriteRole role) {
    return menuSprite(role, -1);
}

Bytes sampleBadgeSheet(const int sheet) {
    return menuSprite(MenuSpriteRole::kBackdrop, sheet);
}

Bytes sampleLogoPng() {
    constexpr int kWidth = 300;
    constexpr int kHeight = 120;
    constexpr int kBackground = 1;
    constexpr int kBorder = 2;
    constexpr int kTitle = 3;
    constexpr int kShadow = 4;
    SpriteCanvas c(kWidth, kHeight);
    c.fill(0, 0, kWidth, kHeight, kBackground);
    c.frame(4, 4, kWidth - 8, kHeight - 8, kBorder);
    const std::string title = "TARNWICK";
    const int x = (kWidth - SpriteCanvas::labelWidth(title, 8)) / 2;
    c.label(x + 3, 43, title, kShadow, 8);
    c.label(x, 40, title, kTitle, 8);
    return palettedPngBytes(kWidth, kHeight, c.indices(),
                            {0x00000000, 0xFF141E48, 0xFFE8B020, 0xFFF4F4F4, 0xFF0A0F24});
}

} // namespace tools
