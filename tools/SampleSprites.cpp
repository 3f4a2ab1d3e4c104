// The sprite table of the sample set (sprites 0-10; font 0 is in SampleFont.cpp), the kit
// palette rows, and the sprite packs as archive entries.
#include "tools/SampleSprites.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "game/sprites/SpriteFormat.h"
#include "tools/PngWriter.h"
#include "tools/SampleImageSets.h"
#include "tools/SamplePacks.h"
#include "tools/SpriteCanvas.h"

namespace tools {

using game::sprites::kPixelFormatIndexRuns;
using game::sprites::kTransformFlipX;

namespace {

// Constant strings naming the packs.
constexpr int kSpritePackConstant = 117;
constexpr int kMenuPackConstant = 116;
constexpr int kLogoPackConstant = 77;

std::uint32_t scaled(const std::uint32_t colour, const double factor) {
    std::uint32_t out = colour & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double channel = std::min(255.0, ((colour >> shift) & 0xFF) * factor);
        out |= static_cast<std::uint32_t>(channel) << shift;
    }
    return out;
}

// A kit scheme: shirt, shorts, socks, hair and skin.
struct KitScheme {
    std::uint32_t shirt, shorts, socks, hair, skin;
};

constexpr std::uint32_t kKitWhite = 0xFFF4F4F4;
constexpr std::uint32_t kKitNavy = 0xFF1C2A6B;
constexpr std::uint32_t kKitGold = 0xFFE8B020;
constexpr std::uint32_t kKitRed = 0xFFD02020;
constexpr std::uint32_t kKitBlue = 0xFF2050D0;
constexpr std::uint32_t kKitGreen = 0xFF20A040;
constexpr std::uint32_t kKitYellow = 0xFFF0D020;
constexpr std::uint32_t kKitBlack = 0xFF303030;
constexpr std::uint32_t kKitSky = 0xFF80C0F0;
constexpr std::uint32_t kKitClaret = 0xFF801830;
constexpr std::uint32_t kKitOrange = 0xFFF08020;
constexpr std::uint32_t kKitPurple = 0xFF7030A0;
constexpr std::uint32_t kKitGrey = 0xFF909090;
constexpr std::uint32_t kKitTeal = 0xFF208080;
constexpr std::uint32_t kKitBrownHair = 0xFF6B4226;
constexpr std::uint32_t kKitBlackHair = 0xFF1E1A18;
constexpr std::uint32_t kKitBlondHair = 0xFFE0C060;
constexpr std::uint32_t kKitGingerHair = 0xFFC06020;
constexpr std::uint32_t kKitLightSkin = 0xFFF0C8A0;
constexpr std::uint32_t kKitMediumSkin = 0xFFD0A070;
constexpr std::uint32_t kKitDarkSkin = 0xFF8D5524;

constexpr KitScheme kSchemes[16] = {
    {kKitWhite, kKitNavy, kKitGold, kKitBrownHair, kKitLightSkin},
    {kKitRed, kKitWhite, kKitRed, kKitBlackHair, kKitMediumSkin},
    {kKitBlue, kKitWhite, kKitBlue, kKitBlondHair, kKitLightSkin},
    {kKitGreen, kKitWhite, kKitGreen, kKitBrownHair, kKitDarkSkin},
    {kKitYellow, kKitBlack, kKitYellow, kKitBlackHair, kKitMediumSkin},
    {kKitBlack, kKitWhite, kKitBlack, kKitGingerHair, kKitLightSkin},
    {kKitClaret, kKitSky, kKitClaret, kKitBrownHair, kKitMediumSkin},
    {kKitSky, kKitNavy, kKitWhite, kKitBlondHair, kKitLightSkin},
    {kKitOrange, kKitBlack, kKitOrange, kKitBlackHair, kKitDarkSkin},
    {kKitPurple, kKitWhite, kKitPurple, kKitBrownHair, kKitLightSkin},
    {kKitWhite, kKitBlack, kKitWhite, kKitBlackHair, kKitDarkSkin},
    {kKitNavy, kKitNavy, kKitRed, kKitBlondHair, kKitMediumSkin},
    {kKitRed, kKitBlack, kKitBlack, kKitBrownHair, kKitLightSkin},
    {kKitGreen, kKitBlack, kKitGreen, kKitGingerHair, kKitLightSkin},
    {kKitGrey, kKitRed, kKitGrey, kKitBlackHair, kKitMediumSkin},
    {kKitTeal, kKitWhite, kKitTeal, kKitBrownHair, kKitDarkSkin},
};

// The extras every row ends with (entries 24-31).
constexpr std::uint32_t kExtras[8] = {0xFF2E8B3A, 0xFF5CB85C, 0xFFFFE040, 0xFF40D0E0,
                                      0xFF6080FF, 0xFFFF80A0, 0xFF8B5A2B, 0xFFFFFFFF};

std::vector<std::uint32_t> kitRow(const KitScheme& scheme) {
    std::vector<std::uint32_t> row(kit::kColours, 0);
    const auto band = [&](const int first, const std::uint32_t colour, const int count) {
        const double factors[] = {1.0, 1.25, 0.7, 0.45};
        for (int i = 0; i < count; ++i) {
            row[static_cast<std::size_t>(first + i)] = scaled(colour, factors[i]);
        }
    };
    band(kit::kShirt, scheme.shirt, 4);
    band(kit::kShorts, scheme.shorts, 4);
    band(kit::kSocks, scheme.socks, 3);
    band(kit::kHair, scheme.hair, 3);
    band(kit::kSkin, scheme.skin, 4);
    row[kit::kTrim] = scaled(scheme.shorts, 1.1);
    row[kit::kOutline] = 0xFF101010;
    const std::uint32_t brightness =
        ((scheme.shirt >> 16) & 0xFF) + ((scheme.shirt >> 8) & 0xFF) + (scheme.shirt & 0xFF);
    row[kit::kNumber] = brightness > 3 * 150 ? 0xFF181818 : 0xFFFFFFFF;
    row[kit::kTrimLight] = scaled(scheme.socks, 1.25);
    row[kit::kBoots] = 0xFF282828;
    std::copy(std::begin(kExtras), std::end(kExtras), row.begin() + 24);
    return row;
}

std::vector<std::uint32_t> greyRow(const std::uint32_t grey) {
    return kitRow({grey, scaled(grey, 0.8), scaled(grey, 0.9), scaled(grey, 0.5), scaled(grey, 1.1)});
}

// ---- Players and goalkeepers (kit-coloured) ----

constexpr int kFigureWidth = 16;
constexpr int kFigureHeight = 26;
constexpr int kViews = 5; // front, front-side, side, back-side, back
constexpr int kPoses = 5; // standing, then four steps of a run
constexpr int kHipY = 18;
constexpr int kFootY = 25;

// One leg from the hip to the foot, raised by `lift` pixels: skin, then sock, then boot.
void drawLeg(SpriteCanvas& c, const int hipX, const int footX, const int lift) {
    const int bottom = kFootY - lift;
    for (int y = kHipY; y <= bottom; ++y) {
        const int x = hipX + (footX - hipX) * (y - kHipY) / std::max(1, bottom - kHipY);
        const int colour = y > bottom - 2 ? kit::kBoots : (y > bottom - 5 ? kit::kSocks : kit::kSkin + 1);
        c.fill(x, y, 2, 1, colour);
    }
}

// A figure of the given view and pose; keepers wear gloves.
SpriteCanvas drawFigure(const int view, const int pose, const bool keeper) {
    SpriteCanvas c(kFigureWidth, kFigureHeight);
    const bool back = view >= 3;
    const bool side = view == 2;
    const int headX = view == 0 || view == 4 ? 8 : 9;
    const int swing = pose == 1 ? 1 : (pose == 3 ? -1 : 0);
    // Legs first, so the shorts cover the hips.
    if (side) {
        const int stride = pose == 1 ? 3 : (pose == 3 ? -3 : 0);
        drawLeg(c, 7, 7 - stride, pose == 1 ? 1 : 0);
        drawLeg(c, 7, 7 + stride, pose == 3 ? 1 : 0);
    } else {
        drawLeg(c, 5, 5, pose == 1 ? 2 : 0);
        drawLeg(c, 9, 9, pose == 3 ? 2 : 0);
    }
    const int torsoX = side ? 6 : 5;
    const int torsoWidth = side ? 5 : 6;
    c.fill(torsoX, 15, torsoWidth, 3, kit::kShorts);
    c.fill(torsoX + torsoWidth - 1, 15, 1, 3, kit::kShorts + 2);
    c.fill(torsoX, 8, torsoWidth, 7, kit::kShirt);
    c.fill(torsoX + torsoWidth - 1, 8, 1, 7, kit::kShirt + 2);
    if (back) {
        c.fill(torsoX + 2, 9, 2, 4, kit::kNumber);
    } else {
        c.fill(torsoX + 1, 8, torsoWidth - 2, 1, kit::kTrim);
    }
    const int hand = keeper ? kit::kTrimLight : kit::kSkin;
    if (side) {
        c.line(8, 9, 8 + 2 * swing, 12, kit::kShirt + 1);
        c.fill(8 + 2 * swing, 13, 2, 2, hand);
    } else {
        const int armLift = keeper ? 2 : 0;
        c.fill(torsoX - 2, 8 - swing, 2, 3, kit::kShirt + 1);
        c.fill(torsoX - 2, 11 - swing - armLift, 2, 2 + armLift, hand);
        c.fill(torsoX + torsoWidth, 8 + swing, 2, 3, kit::kShirt + 1);
        c.fill(torsoX + torsoWidth, 11 + swing - armLift, 2, 2 + armLift, hand);
    }
    c.disc(headX, 4, 3, kit::kSkin);
    if (back) {
        c.disc(headX, 4, 3, kit::kHair);
        c.fill(headX - 3, 6, 7, 1, kit::kHair + 1);
    } else if (side) {
        c.fill(headX - 3, 1, 4, 6, kit::kHair);
        c.fill(headX - 3, 1, 7, 2, kit::kHair);
        c.set(headX + 2, 4, kit::kOutline);
    } else {
        c.fill(headX - 3, 1, 7, 2, kit::kHair);
        c.set(headX - 1 + (view == 1 ? 1 : 0), 4, kit::kOutline);
        c.set(headX + 1 + (view == 1 ? 1 : 0), 4, kit::kOutline);
    }
    c.outline(kit::kOutline);
    return c;
}

// A figure with its arms raised (celebration).
SpriteCanvas drawCheering() {
    SpriteCanvas c = drawFigure(0, 0, false);
    c.fill(1, 0, 3, 8, 0);
    c.fill(12, 0, 3, 8, 0);
    c.fill(3, 3, 2, 5, kit::kShirt + 1);
    c.fill(11, 3, 2, 5, kit::kShirt + 1);
    c.fill(3, 1, 2, 2, kit::kSkin);
    c.fill(11, 1, 2, 2, kit::kSkin);
    c.outline(kit::kOutline);
    return c;
}

SpriteCanvas drawHeldBall() {
    SpriteCanvas c(8, 8);
    c.disc(4, 4, 3, kit::kWhite);
    c.fill(3, 3, 2, 2, kit::kOutline);
    c.set(1, 5, kit::kOutline);
    c.set(6, 2, kit::kOutline);
    c.outline(kit::kOutline);
    return c;
}

// A run of six animation frames for view v: the standing pose, then the running steps.
std::vector<int> runFrames(const int view) {
    const int base = view * kPoses;
    return {base + 1, base + 2, base + 3, base + 4, base + 1, base};
}

constexpr int kPlayerModules = 332;
constexpr int kPlayerAnimations = 259;
constexpr int kPitchConditionModule = 331;

Bytes playersSprite() {
    SpriteBuilder b(kit::kColours, kPixelFormatIndexRuns);
    b.palettes(kitTemplateRows());
    for (int view = 0; view < kViews; ++view) {
        for (int pose = 0; pose < kPoses; ++pose) {
            b.image(drawFigure(view, pose, false)); // modules 0-24
        }
    }
    const int sliding = b.image(drawFigure(2, 1, false).turned());
    const int fallen = b.image(drawFigure(0, 0, false).turned().mirrored());
    const int cheering = b.image(drawCheering());
    const int drawn = b.moduleCount();
    while (b.moduleCount() < kPitchConditionModule) {
        b.copyModule(b.moduleCount() % drawn); // spares: the same drawings again
    }
    b.image(drawFigure(0, 0, false)); // module 331: shown as the pitch condition's own image
    for (int m = 0; m < kViews * kPoses; ++m) {
        b.frameOf(m, -kFigureWidth / 2, 1 - kFigureHeight);
    }
    b.frameOf(sliding, -kFigureHeight / 2, 1 - kFigureWidth);
    b.frameOf(fallen, -kFigureHeight / 2, 1 - kFigureWidth);
    b.frameOf(cheering, -kFigureWidth / 2, 1 - kFigureHeight);
    for (int a = 0; a < kPlayerAnimations; ++a) {
        b.animation(runFrames(a % kViews), 1);
    }
    return b.bytes();
}

constexpr int kKeeperAnimations = 131;
constexpr int kHeldBallModule = 74;
// Goalkeeper animations: the dives (whose frames 4 and 7 the dive logic reads) have ten frames,
// the animations of the keeper holding the ball show him with it.
constexpr int kLongDives[] = {9, 10, 11, 12};
constexpr int kShortDives[] = {17, 18, 19, 20};
constexpr int kHoldingAnimations[] = {2, 3, 4, 5, 6};

Bytes keepersSprite() {
    SpriteBuilder b(kit::kColours, kPixelFormatIndexRuns);
    b.palettes(kitTemplateRows());
    for (int view = 0; view < kViews; ++view) {
        for (int pose = 0; pose < kPoses; ++pose) {
            b.image(drawFigure(view, pose, true));
        }
    }
    const SpriteCanvas stretched = drawFigure(0, 0, true).turned().mirrored();
    const int lying = b.image(stretched);
    SpriteCanvas crouch(kFigureWidth, kFigureHeight);
    crouch.blit(drawFigure(0, 0, true), 0, 3);
    crouch.fill(0, 23, kFigureWidth, 3, 0);
    crouch.outline(kit::kOutline);
    const int crouching = b.image(crouch);
    const int drawn = b.moduleCount();
    while (b.moduleCount() < kHeldBallModule) {
        b.copyModule(b.moduleCount() % drawn);
    }
    b.image(drawHeldBall()); // module 74: the ball in his hands
    for (int m = 0; m < kViews * kPoses; ++m) {
        b.frameOf(m, -kFigureWidth / 2, 1 - kFigureHeight);
    }
    // Frames 25-29: a dive from the crouch through the air to the ground.
    const int diveStart = b.frameOf(crouching, -kFigureWidth / 2, 1 - kFigureHeight);
    b.frameOf(lying, -4, -22);
    b.frameOf(lying, 2, -26);
    b.frameOf(lying, 8, -20);
    b.frameOf(lying, 12, -kFigureWidth);
    const int holding = b.frame({{0, -kFigureWidth / 2, 1 - kFigureHeight, 0, false, 0},
                                 {kHeldBallModule, -4, 1 - kFigureHeight + 10, 0, false, 0}});
    const std::vector<int> longDive = {diveStart,     diveStart,     diveStart + 1, diveStart + 1,
                                       diveStart + 2, diveStart + 2, diveStart + 3, diveStart + 3,
                                       diveStart + 4, diveStart + 4};
    const std::vector<int> shortDive = {diveStart,     diveStart + 1, diveStart + 2,
                                        diveStart + 3, diveStart + 4, diveStart + 4};
    const auto in = [](const auto& list, const int a) {
        return std::find(std::begin(list), std::end(list), a) != std::end(list);
    };
    for (int a = 0; a < kKeeperAnimations; ++a) {
        if (in(kLongDives, a)) {
            b.animation(longDive, 1);
        } else if (in(kShortDives, a)) {
            b.animation(shortDive, 1);
        } else if (in(kHoldingAnimations, a)) {
            b.animation(std::vector<int>(6, holding), 1);
        } else {
            b.animation(runFrames(a % kViews), 1);
        }
    }
    return b.bytes();
}

// ---- Sprites with palettes of their own ----

// Sixteen colours shared by the scenery and effects sprites.
namespace scenery {
constexpr int kWhite = 1;
constexpr int kLightGrey = 2;
constexpr int kGrey = 3;
constexpr int kBlack = 4;
constexpr int kRed = 5;
constexpr int kYellow = 6;
constexpr int kGreen = 7;
constexpr int kDarkGreen = 8;
constexpr int kBlue = 9;
constexpr int kNavy = 10;
constexpr int kOrange = 11;
constexpr int kBrown = 12;
constexpr int kSkin = 13;
constexpr int kSnow = 14;
constexpr int kMud = 15;
constexpr int kColours = 16;
const std::vector<std::uint32_t> kPalette = {
    0,          0xFFFFFFFF, 0xFFC8C8C8, 0xFF808080, 0xFF141414, 0xFFE02828, 0xFFF8D830, 0xFF3CA046,
    0xFF1E6428, 0xFF2860D8, 0xFF1C2A6B, 0xFFF08828, 0xFF7A4A24, 0xFFE8B890, 0xFFE8F0F8, 0xFF5A3A1C};
} // namespace scenery

// A sprite in the sixteen scenery colours.
SpriteBuilder sceneryBuilder() {
    SpriteBuilder b(scenery::kColours, kPixelFormatIndexRuns);
    b.palettes({scenery::kPalette});
    return b;
}

// A board on a pole showing text (the substitution boards).
SpriteCanvas drawBoard(const std::string& text, const int colour, const int scale) {
    using namespace scenery;
    SpriteCanvas c(16, 20);
    c.fill(1, 1, 14, 13, kBlack);
    c.label(8 - SpriteCanvas::labelWidth(text, scale) / 2, 7 - 5 * scale / 2, text, colour, scale);
    c.fill(7, 14, 2, 6, kGrey);
    c.outline(kBlack);
    return c;
}

Bytes ballSprite() {
    using namespace scenery;
    constexpr int kBallColours = 8;
    SpriteBuilder b(kBallColours, kPixelFormatIndexRuns);
    // 1 ball, 2 patches, 3 shade, 4 outline; five colourings.
    b.palettes({{0, 0xFFFFFFFF, 0xFF202020, 0xFFB0B0B0, 0xFF101010, 0, 0, 0},
                {0, 0xFFF08828, 0xFF202020, 0xFFB05818, 0xFF101010, 0, 0, 0},
                {0, 0xFFF8E040, 0xFF2040A0, 0xFFC0A020, 0xFF101010, 0, 0, 0},
                {0, 0xFFFFFFFF, 0xFFC02020, 0xFFB0B0B0, 0xFF101010, 0, 0, 0},
                {0, 0xFFA0D8FF, 0xFF1C2A6B, 0xFF6090C0, 0xFF101010, 0, 0, 0}});
    for (int turn = 0; turn < 4; ++turn) {
        SpriteCanvas c(8, 8);
        c.disc(4, 4, 3, 1);
        c.fill(5, 5, 2, 2, 3);
        const int px[] = {3, 4, 3, 2};
        const int py[] = {2, 3, 4, 3};
        c.fill(px[turn], py[turn], 2, 2, 2);
        c.outline(4);
        b.image(c);
    }
    for (const int radius : {2, 1}) {
        SpriteCanvas c(2 * radius + 3, 2 * radius + 3);
        c.disc(radius + 1, radius + 1, radius, 1);
        c.outline(4);
        b.image(c);
    }
    for (int m = 0; m < b.moduleCount(); ++m) {
        const int half = b.module(m).width / 2;
        b.frameOf(m, -half, -half);
    }
    b.animation({0, 1, 2, 3}, 2); // rolling
    for (int a = 1; a < 8; ++a) {
        b.animation({a % 4, (a + 1) % 4}, 2);
    }
    for (int a = 8; a < 16; ++a) { // the trail behind a fast ball, smaller further back
        b.animation({a < 12 ? 4 : 5, a < 12 ? 4 : 5}, 2);
    }
    return b.bytes();
}

// A net seen from the side: posts, crossbar and a mesh that bulges by `bulge` pixels.
SpriteCanvas drawNet(const int bulge) {
    SpriteCanvas c(32, 64);
    for (int y = 4; y < 62; y += 5) {
        c.line(4 + bulge / 2, y, 28 + bulge, y + 2, 2);
    }
    for (int x = 6; x < 30; x += 5) {
        c.line(x + bulge / 2, 3, x + bulge, 62, 2);
    }
    c.fill(0, 0, 3, 64, 1);
    c.fill(0, 0, 30, 3, 1);
    c.outline(3);
    return c;
}

Bytes netsSprite() {
    SpriteBuilder b(4, kPixelFormatIndexRuns);
    b.palettes({{0, 0xFFFFFFFF, 0xFFD8D8D8, 0xFF505050},
                {0, 0xFFF0F0F0, 0xFFC0C8D0, 0xFF404850},
                {0, 0xFFFFF8E0, 0xFFE0D0B0, 0xFF504030},
                {0, 0xFFE0F0FF, 0xFFB0C8E0, 0xFF304050}});
    for (int bulge = 0; bulge < 6; ++bulge) {
        b.image(drawNet(bulge == 5 ? 0 : bulge));
    }
    // Frames 0-4 and 11: the near goal (at rest, then shaking); frames 5-10 the far goal.
    for (int f = 0; f < 12; ++f) {
        const bool far = f >= 5 && f <= 10;
        const int module = f == 11 ? 0 : (far ? f - 5 : f);
        b.frame({{module, far ? 0 : -32, -64, far ? kTransformFlipX : 0, false, 0}});
    }
    for (int condition = 0; condition < 3; ++condition) {
        const int nearRest = condition == 1 ? 11 : 0;
        const int farRest = condition == 1 ? 6 : 5;
        b.animation({nearRest, nearRest}, 4);
        b.animation({farRest, farRest}, 4);
        b.animation({1, 2, 3, 4, nearRest}, 2);
        b.animation({7, 8, 9, 10, farRest}, 2);
    }
    return b.bytes();
}

SpriteCanvas drawArrow(const int size, const bool up) {
    SpriteCanvas c(size, size);
    const int m = size / 2;
    c.polygon({{1, m - 2}, {m, m - 2}, {m, 1}, {size - 2, m}, {m, size - 2}, {m, m + 2}, {1, m + 2}},
              scenery::kYellow);
    c.outline(scenery::kBlack);
    return up ? c.turned().turned().turned() : c; // three quarters clockwise: pointing up
}

SpriteCanvas drawCornerFlag(const int wave) {
    SpriteCanvas c(12, 22);
    c.fill(1, 1, 2, 20, scenery::kWhite);
    c.polygon({{3, 1}, {10, 3 + wave}, {3, 7}}, scenery::kRed);
    c.outline(scenery::kBlack);
    return c;
}

Bytes arrowsSprite() {
    SpriteBuilder b = sceneryBuilder();
    const int flagA = b.image(drawCornerFlag(0));
    const int flagB = b.image(drawCornerFlag(2));
    const int right = b.image(drawArrow(20, false));
    const int up = b.image(drawArrow(20, true));
    const int rightSmall = b.image(drawArrow(16, false));
    const int upSmall = b.image(drawArrow(16, true));
    for (const int m : {flagA, flagB}) {
        b.frameOf(m, -2, -21);
    }
    for (const int m : {right, up, rightSmall, upSmall}) {
        b.frameOf(m, -b.module(m).width / 2, -b.module(m).height / 2);
    }
    b.animation({0, 0}, 6);
    b.animation({0, 1}, 6);
    b.animation({3, 5}, 6); // vertical scroll arrow
    b.animation({2, 4}, 6); // horizontal scroll arrow
    return b.bytes();
}

// A waving banner: the cloth moves with the phase.
Bytes bannerSprite() {
    using namespace scenery;
    SpriteBuilder b = sceneryBuilder();
    constexpr int kPhases = 13;
    for (int phase = 0; phase < kPhases; ++phase) {
        SpriteCanvas c(28, 30);
        c.fill(1, 1, 2, 28, kGrey);
        for (int x = 3; x < 26; ++x) {
            const int wave = (x + phase * 2) % 8 < 4 ? 0 : 1;
            c.fill(x, 2 + wave, 1, 8, x < 14 ? kBlue : kWhite);
            c.fill(x, 10 + wave, 1, 4, kRed);
        }
        c.outline(kBlack);
        b.frameOf(b.image(c), -2, -29);
    }
    std::vector<int> frames;
    for (int f = 0; f < kPhases; ++f) {
        frames.push_back(f);
    }
    b.animation(frames, 3);
    return b.bytes();
}

// The ball's shadow (small when the ball is low, larger and fainter when high) and the flash of
// a contact.
Bytes shadowSprite() {
    using namespace scenery;
    SpriteBuilder b = sceneryBuilder();
    SpriteCanvas low(8, 4);
    low.ellipse(3, 1, 3, 1, kDarkGreen);
    SpriteCanvas high(12, 5);
    high.ellipse(5, 2, 5, 2, kDarkGreen);
    SpriteCanvas flash(11, 11);
    flash.polygon({{5, 0}, {6, 4}, {10, 5}, {6, 6}, {5, 10}, {4, 6}, {0, 5}, {4, 4}}, kYellow);
    flash.set(5, 5, kWhite);
    b.frameOf(b.image(low), -4, -2);
    b.frameOf(b.image(high), -6, -2);
    b.frameOf(b.image(flash), -5, -5);
    b.animation({0, 0}, 4);
    b.animation({1, 2}, 3);
    return b.bytes();
}

// Marks on the pitch: footprints in snow, slide marks, ball marks and mud, each fading out.
Bytes effectsSprite() {
    using namespace scenery;
    SpriteBuilder b = sceneryBuilder();
    const int colours[] = {kSnow, kDarkGreen, kDarkGreen, kDarkGreen, kBrown, kBlack, kMud};
    for (int a = 0; a < 7; ++a) {
        std::vector<int> frames;
        for (int step = 0; step < 3; ++step) {
            const int w = a == 5 ? 5 - step : 10 - 2 * step;
            SpriteCanvas c(w, a == 5 ? w : 4);
            if (a == 5) {
                c.frame(0, 0, w, w, colours[a]);
            } else {
                c.ellipse(w / 2, 1, w / 2, 1, colours[a]);
            }
            frames.push_back(b.frameOf(b.image(c), -w / 2, -2));
        }
        b.animation(frames, 6);
    }
    return b.bytes();
}

// People at the side of the pitch: stewards, photographers, coaches, each in two poses.
Bytes pitchsideSprite() {
    using namespace scenery;
    SpriteBuilder b = sceneryBuilder();
    const int jackets[] = {kYellow, kOrange, kNavy, kBlack, kRed, kBlue, kGreen, kLightGrey};
    for (int figure = 0; figure < 8; ++figure) {
        for (int pose = 0; pose < 2; ++pose) {
            SpriteCanvas c(12, 22);
            c.disc(6, 3, 2, kSkin);
            c.fill(3, 6, 6, 8, jackets[figure]);
            c.fill(4, 14, 2, 7, kNavy);
            c.fill(7, 14, 2, 7, kNavy);
            if (figure % 3 == 1) { // a photographer's camera
                c.fill(pose == 0 ? 8 : 7, 6, 3, 3, kBlack);
            } else {
                c.fill(pose == 0 ? 1 : 9, 6 + pose, 2, 5, jackets[figure]);
            }
            c.outline(kBlack);
            b.frameOf(b.image(c), -6, -21);
        }
    }
    constexpr int kFigureAnimations = 64;
    for (int a = 0; a < kFigureAnimations; ++a) {
        const int figure = a % 8;
        b.animation({2 * figure, 2 * figure + 1, 2 * figure, 2 * figure + 1}, 6);
    }
    return b.bytes();
}

// Advertising boards and a substitution board.
Bytes boardsSprite() {
    using namespace scenery;
    SpriteBuilder b = sceneryBuilder();
    for (int lit = 0; lit < 2; ++lit) {
        SpriteCanvas c(64, 14);
        c.fill(0, 0, 64, 14, lit == 0 ? kNavy : kBlue);
        c.label(32 - SpriteCanvas::labelWidth("TARNWICK") / 2, 4, "TARNWICK", lit == 0 ? kWhite : kYellow);
        c.frame(0, 0, 64, 14, kBlack);
        b.frameOf(b.image(c), -32, -14);
    }
    for (const int colour : {kGreen, kRed}) {
        b.frameOf(b.image(drawBoard("12", colour, 1)), -8, -20);
    }
    b.animation({0, 1}, 8);
    b.animation({2, 2}, 8);
    b.animation({3, 3}, 8);
    b.animation({0, 1}, 8);
    return b.bytes();
}

// The benches, the marker above the player in focus, and the substitution board.
Bytes benchesSprite() {
    using namespace scenery;
    SpriteBuilder b = sceneryBuilder();
    SpriteCanvas bench(40, 16);
    bench.fill(0, 0, 40, 4, kBlue);
    bench.fill(0, 4, 2, 12, kGrey);
    bench.fill(38, 4, 2, 12, kGrey);
    bench.fill(2, 9, 36, 3, kLightGrey);
    bench.outline(kBlack);
    const int benchFrame = b.frameOf(b.image(bench), -20, -16);
    int markers[2];
    for (int bob = 0; bob < 2; ++bob) {
        SpriteCanvas marker(9, 9);
        marker.polygon({{0, bob}, {8, bob}, {4, 6 + bob}}, kYellow);
        marker.outline(kBlack);
        markers[bob] = b.frameOf(b.image(marker), -4, -40);
    }
    SpriteCanvas ring(18, 7);
    ring.ellipse(8, 3, 8, 3, kYellow);
    ring.ellipse(8, 3, 6, 2, 0);
    const int ringFrame = b.frameOf(b.image(ring), -9, -3);
    int boards[2];
    for (int on = 0; on < 2; ++on) {
        boards[on] = b.frameOf(b.image(drawBoard(on == 0 ? "+" : "-", on == 0 ? kGreen : kRed, 2)), -8, -44);
    }
    for (int a = 0; a < 4; ++a) {
        b.animation({benchFrame, benchFrame}, 8);
    }
    b.animation({benchFrame, benchFrame}, 8); // 4: bench
    b.animation({markers[0], markers[1]}, 6); // 5: bench / focus marker
    b.animation({markers[0], markers[1]}, 6); // 6
    b.animation({ringFrame, ringFrame}, 6);   // 7
    b.animation({boards[0], boards[1]}, 10);  // 8: substitution
    b.animation({boards[0], boards[0]}, 10);  // 9
    b.animation({boards[1], boards[0]}, 10);  // 10
    return b.bytes();
}

} // namespace

std::vector<std::vector<std::uint32_t>> kitTemplateRows() {
    std::vector<std::vector<std::uint32_t>> rows;
    for (const KitScheme& scheme : kSchemes) {
        rows.push_back(kitRow(scheme));
    }
    for (int r = 16; r < kit::kRows; ++r) {
        rows.push_back(rows[static_cast<std::size_t>(r - 16)]);
    }
    rows[19] = greyRow(0xFFA0A0A0);
    rows[20] = greyRow(0xFF707070);
    return rows;
}

Bytes sampleTableSprite(const int number) {
    switch (number) {
    case 0:
        return playersSprite();
    case 1:
        return keepersSprite();
    case 2:
        return ballSprite();
    case 3:
        return netsSprite();
    case 4:
        return arrowsSprite();
    case 5:
        return bannerSprite();
    case 6:
        return shadowSprite();
    case 7:
        return effectsSprite();
    case 8:
        return pitchsideSprite();
    case 9:
        return boardsSprite();
    case 10:
        return benchesSprite();
    case 11:
        return sampleFontSprite();
    default:
        throw std::invalid_argument("the sprite table has sprites 0 to 11");
    }
}

namespace {

std::string packName(const int constant) {
    const std::u16string& text = sampleConstants()[static_cast<std::size_t>(constant)].text;
    return std::string(text.begin(), text.end());
}

constexpr int kMenuPackEntries = 18;
// The sprites of the menu pack, by entry; its other entries (the image sets) belong to their
// own readers.
const std::pair<int, MenuSpriteRole> kMenuSprites[] = {
    {2, MenuSpriteRole::kRadar},       {3, MenuSpriteRole::kInterface}, {5, MenuSpriteRole::kBackdrop},
    {6, MenuSpriteRole::kIcons},       {7, MenuSpriteRole::kKeyIcons},  {8, MenuSpriteRole::kExtra},
    {9, MenuSpriteRole::kTwin},        {10, MenuSpriteRole::kBackdrop}, {11, MenuSpriteRole::kBackdrop},
    {12, MenuSpriteRole::kBackdrop},   {13, MenuSpriteRole::kBackdrop}, {14, MenuSpriteRole::kLogo},
    {16, MenuSpriteRole::kAnimations},
};
constexpr int kLogoEntry = kBadgeSheets;
// The menu pack's image sets: the status icon strip here, the pitch tile sets at 0 and 1.
constexpr std::size_t kStatusIconEntry = 4;

// Every entry that must hold something, per pack.
std::vector<std::pair<std::string, std::vector<int>>> requiredEntries() {
    std::vector<int> table;
    for (int n = 0; n < kSpriteTableSize; ++n) {
        table.push_back(n);
    }
    std::vector<int> menu;
    for (const auto& [entry, role] : kMenuSprites) {
        menu.push_back(entry);
    }
    std::vector<int> logo;
    for (int n = 0; n <= kLogoEntry; ++n) {
        logo.push_back(n);
    }
    return {{packName(kSpritePackConstant), table},
            {packName(kMenuPackConstant), menu},
            {packName(kLogoPackConstant), logo}};
}

void append(std::vector<ArchiveEntry>& entries, std::vector<ArchiveEntry> more) {
    for (ArchiveEntry& entry : more) {
        entries.push_back(std::move(entry));
    }
}

} // namespace

std::vector<ArchiveEntry> sampleSpritePackEntries() {
    std::vector<PackEntry> table;
    for (int n = 0; n < kSpriteTableSize; ++n) {
        table.push_back({true, sampleTableSprite(n), 0});
    }
    std::vector<ArchiveEntry> entries;
    append(entries, packArchiveEntries(packName(kSpritePackConstant), buildPackParts(table),
                                       "loadSpriteFromPack, loadResources, startMatch"));

    std::vector<PackEntry> menu(kMenuPackEntries, emptyPackEntry());
    for (const auto& [entry, role] : kMenuSprites) {
        menu[static_cast<std::size_t>(entry)] = {true, sampleMenuSprite(role), 0};
    }
    menu[kStatusIconEntry] = {true, sampleStatusIconStrip(), 0};
    for (const int entry : kPitchTileSetEntries) {
        menu[static_cast<std::size_t>(entry)] = {true, samplePitchTileSet(entry), 0};
    }
    append(entries, packArchiveEntries(packName(kMenuPackConstant), buildPackParts(menu),
                                       "loadMenuResources, loadMatchScreen, startMatch"));

    std::vector<PackEntry> logo;
    for (int sheet = 0; sheet < kBadgeSheets; ++sheet) {
        logo.push_back({true, sampleBadgeSheet(sheet), 0});
    }
    logo.push_back({true, sampleLogoPng(), 0});
    append(entries, packArchiveEntries(packName(kLogoPackConstant), buildPackParts(logo),
                                       "paintTeamBadge, loadMatchScreen, the title screen"));
    return entries;
}

void checkSampleSpritePacks(const Bytes& archive, const std::vector<DirectoryEntry>& directory,
                            std::vector<std::string>& problems) {
    for (const auto& [name, required] : requiredEntries()) {
        std::vector<std::optional<Bytes>> entries;
        std::string problem;
        if (!readPackBack(archive, directory, name, entries, problem)) {
            problems.push_back(problem);
            continue;
        }
        for (const int entry : required) {
            if (static_cast<std::size_t>(entry) >= entries.size() ||
                !entries[static_cast<std::size_t>(entry)] ||
                entries[static_cast<std::size_t>(entry)]->empty()) {
                problems.push_back("pack " + name + ": entry " + std::to_string(entry) + " is empty");
            }
        }
    }
}

} // namespace tools
