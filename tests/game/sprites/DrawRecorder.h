// A recorder of what the widget and menu painters draw: probe sprites whose every module is a
// filled rectangle in a colour that encodes a number, and whose frame f places module f, so each
// paint call leaves a mark on the screen that tells which frame or module was painted where
// (the top-left pixel of the placed module). marks() reads the screen back into such records.
#pragma once

#include <map>
#include <ostream>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/game/sprites/PaintTestSupport.h"

namespace game::sprites::testing {

// Blue of every probe colour, which no other colour of these tests uses.
inline constexpr std::uint16_t kProbeBlue = 0x1F;

// The probe colour of number n (0-2047): n's top 5 bits in red, its low 6 bits in green.
constexpr std::uint32_t probeColour(const int n) {
    return 0xFF000000u | (static_cast<std::uint32_t>(n >> 6) << 19) |
           (static_cast<std::uint32_t>(n & 63) << 10) | 0xF8u;
}

// One painted probe: where its top-left pixel is and which number it shows.
struct Mark {
    jint x;
    jint y;
    int code;
    bool operator==(const Mark& other) const = default;
    bool operator<(const Mark& other) const {
        return std::tie(y, x, code) < std::tie(other.y, other.x, other.code);
    }
};

inline std::ostream& operator<<(std::ostream& out, const Mark& mark) {
    return out << "{" << mark.x << ", " << mark.y << ", " << mark.code << "}";
}

// What a probe sprite holds: `count` modules and frames, module m in the colour of base + m.
struct ProbeSpec {
    int count = 0;
    int base = 0;
    std::map<int, std::pair<int, int>> sizes;   // module -> (width, height); 1 x 1 otherwise
    std::map<int, std::pair<int, int>> offsets; // frame -> offset of its module; (0, 0) otherwise
    std::map<int, std::pair<int, int>> rects;   // frame -> rectangle size; its module's otherwise
    std::vector<std::vector<std::pair<int, int>>> animations; // (frame, duration) lists
};

inline tools::SpriteFile probeFile(const ProbeSpec& spec) {
    tools::SpriteFile file;
    for (int m = 0; m < spec.count; ++m) {
        tools::SpriteModule module;
        module.marker = kModuleMarkerFilled;
        module.colour = static_cast<std::int32_t>(probeColour(spec.base + m));
        const auto size = spec.sizes.find(m);
        module.width = size != spec.sizes.end() ? size->second.first : 1;
        module.height = size != spec.sizes.end() ? size->second.second : 1;
        file.modules.push_back(module);
    }
    for (int f = 0; f < spec.count; ++f) {
        const auto offset = spec.offsets.find(f);
        const int dx = offset != spec.offsets.end() ? offset->second.first : 0;
        const int dy = offset != spec.offsets.end() ? offset->second.second : 0;
        const auto& module = file.modules[static_cast<std::size_t>(f)];
        const auto rect = spec.rects.find(f);
        file.addFrame({{f, dx, dy}}, {0, 0, rect != spec.rects.end() ? rect->second.first : module.width,
                                      rect != spec.rects.end() ? rect->second.second : module.height});
    }
    for (const auto& animation : spec.animations) {
        std::vector<tools::AnimFrame> frames;
        for (const auto& [frame, duration] : animation) {
            frames.push_back({frame, duration});
        }
        file.addAnimation(frames);
    }
    return file;
}

class DrawRecorderTest : public PaintTest {
protected:
    // A probe sprite of kind 20 (drawn anywhere on the screen).
    ASprite* probe(const ProbeSpec& spec) { return loaded(kProbeKind, probeFile(spec)); }
    ASprite* probe(const int count, const int base = 0) {
        ProbeSpec spec;
        spec.count = count;
        spec.base = base;
        return probe(spec);
    }

    // Every probe pixel on the screen whose left and upper neighbours show another number.
    std::vector<Mark> marks() const {
        std::vector<Mark> found;
        for (jint y = 0; y < kScreenH; ++y) {
            for (jint x = 0; x < kScreenW; ++x) {
                const int code = codeAt(x, y);
                if (code >= 0 && (x == 0 || codeAt(x - 1, y) != code) &&
                    (y == 0 || codeAt(x, y - 1) != code)) {
                    found.push_back({x, y, code});
                }
            }
        }
        return found;
    }
    // The number a probe pixel shows; -1 for any other pixel.
    int codeAt(const jint x, const jint y) const {
        const std::uint16_t p = pixel(x, y);
        if ((p & kProbeBlue) != kProbeBlue) {
            return -1;
        }
        return (p >> 11) * 64 + ((p >> 5) & 63);
    }
    void clearScreen() {
        g->setClip(0, 0, kScreenW, kScreenH);
        g->setColor(static_cast<jint>(kBackground));
        g->fillRect(0, 0, kScreenW, kScreenH);
    }

    static constexpr jint kProbeKind = 20;
};

} // namespace game::sprites::testing
