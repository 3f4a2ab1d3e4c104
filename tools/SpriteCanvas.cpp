// The sample sprites' canvas and sprite builder (see SpriteCanvas.h).
#include "tools/SpriteCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "game/sprites/SpriteFormat.h"

namespace tools {

namespace {

constexpr int kLabelGlyphWidth = 3;
constexpr int kLabelGlyphHeight = 5;
constexpr int kLabelAdvance = kLabelGlyphWidth + 1;

// Rows of the 3 x 5 label font, top first; bit 2 is the left column.
struct LabelGlyph {
    char c;
    std::uint8_t rows[kLabelGlyphHeight];
};
constexpr LabelGlyph kLabelFont[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 2, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}},
    {'C', {7, 4, 4, 4, 7}}, {'D', {6, 5, 5, 5, 6}}, {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}},
    {'G', {7, 4, 5, 5, 7}}, {'H', {5, 5, 7, 5, 5}}, {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 7}},
    {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}}, {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}},
    {'O', {7, 5, 5, 5, 7}}, {'P', {7, 5, 7, 4, 4}}, {'Q', {7, 5, 5, 7, 1}}, {'R', {6, 5, 6, 5, 5}},
    {'S', {7, 4, 7, 1, 7}}, {'T', {7, 2, 2, 2, 2}}, {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}},
    {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}}, {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}},
    {'-', {0, 0, 7, 0, 0}}, {'.', {0, 0, 0, 0, 2}}, {'/', {1, 1, 2, 4, 4}}, {'+', {0, 2, 7, 2, 0}},
    {'*', {5, 2, 7, 2, 5}}, {'#', {5, 7, 5, 7, 5}}, {' ', {0, 0, 0, 0, 0}},
};

const LabelGlyph& labelGlyph(const char c) {
    for (const LabelGlyph& glyph : kLabelFont) {
        if (glyph.c == c) {
            return glyph;
        }
    }
    throw std::invalid_argument(std::string("label font: no glyph for '") + c + "'");
}

int clampTo(const int value, const int low, const int high) {
    return std::min(std::max(value, low), high);
}

} // namespace

SpriteCanvas::SpriteCanvas(const int width, const int height)
    : columns(width), rows(height), pixels(static_cast<std::size_t>(width) * height, 0) {}

int SpriteCanvas::at(const int x, const int y) const {
    if (x < 0 || y < 0 || x >= columns || y >= rows) {
        return 0;
    }
    return pixels[static_cast<std::size_t>(y) * columns + x];
}

void SpriteCanvas::set(const int x, const int y, const int index) {
    if (x >= 0 && y >= 0 && x < columns && y < rows) {
        pixels[static_cast<std::size_t>(y) * columns + x] = static_cast<std::uint8_t>(index);
    }
}

void SpriteCanvas::fill(const int x, const int y, const int w, const int h, const int index) {
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            set(column, row, index);
        }
    }
}

void SpriteCanvas::frame(const int x, const int y, const int w, const int h, const int index) {
    fill(x, y, w, 1, index);
    fill(x, y + h - 1, w, 1, index);
    fill(x, y, 1, h, index);
    fill(x + w - 1, y, 1, h, index);
}

void SpriteCanvas::line(int x0, int y0, const int x1, const int y1, const int index) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1;
    const int stepY = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (true) {
        set(x0, y0, index);
        if (x0 == x1 && y0 == y1) {
            return;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y0 += stepY;
        }
    }
}

void SpriteCanvas::disc(const int centreX, const int centreY, const int radius, const int index) {
    ellipse(centreX, centreY, radius, radius, index);
}

void SpriteCanvas::ellipse(const int centreX, const int centreY, const int radiusX, const int radiusY,
                           const int index) {
    for (int y = -radiusY; y <= radiusY; ++y) {
        for (int x = -radiusX; x <= radiusX; ++x) {
            const double nx = radiusX == 0 ? 0 : static_cast<double>(x) / (radiusX + 0.5);
            const double ny = radiusY == 0 ? 0 : static_cast<double>(y) / (radiusY + 0.5);
            if (nx * nx + ny * ny <= 1.0) {
                set(centreX + x, centreY + y, index);
            }
        }
    }
}

void SpriteCanvas::polygon(const std::vector<std::pair<int, int>>& corners, const int index) {
    // Even-odd scanline fill through pixel centres, then the edges themselves.
    for (int y = 0; y < rows; ++y) {
        std::vector<double> crossings;
        const double sy = y + 0.5;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const auto [ax, ay] = corners[i];
            const auto [bx, by] = corners[(i + 1) % corners.size()];
            if ((ay <= sy && by > sy) || (by <= sy && ay > sy)) {
                crossings.push_back(ax + (sy - ay) * (bx - ax) / static_cast<double>(by - ay));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            for (int x = static_cast<int>(std::ceil(crossings[i] - 0.5));
                 x <= static_cast<int>(std::floor(crossings[i + 1] - 0.5)); ++x) {
                set(x, y, index);
            }
        }
    }
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const auto [ax, ay] = corners[i];
        const auto [bx, by] = corners[(i + 1) % corners.size()];
        line(ax, ay, bx, by, index);
    }
}

void SpriteCanvas::outline(const int index) {
    const SpriteCanvas before = *this;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            if (before.at(x, y) == 0 && (before.at(x - 1, y) != 0 || before.at(x + 1, y) != 0 ||
                                         before.at(x, y - 1) != 0 || before.at(x, y + 1) != 0)) {
                set(x, y, index);
            }
        }
    }
}

void SpriteCanvas::label(const int x, const int y, const std::string_view text, const int index,
                         const int scale) {
    int penX = x;
    for (const char c : text) {
        const LabelGlyph& glyph = labelGlyph(c);
        for (int row = 0; row < kLabelGlyphHeight; ++row) {
            for (int column = 0; column < kLabelGlyphWidth; ++column) {
                if ((glyph.rows[row] >> (kLabelGlyphWidth - 1 - column) & 1) != 0) {
                    fill(penX + column * scale, y + row * scale, scale, scale, index);
                }
            }
        }
        penX += kLabelAdvance * scale;
    }
}

int SpriteCanvas::labelWidth(const std::string_view text, const int scale) {
    return text.empty() ? 0 : (static_cast<int>(text.size()) * kLabelAdvance - 1) * scale;
}

void SpriteCanvas::blit(const SpriteCanvas& other, const int x, const int y) {
    for (int row = 0; row < other.rows; ++row) {
        for (int column = 0; column < other.columns; ++column) {
            if (const int index = other.at(column, row); index != 0) {
                set(x + column, y + row, index);
            }
        }
    }
}

SpriteCanvas SpriteCanvas::mirrored() const {
    SpriteCanvas flipped(columns, rows);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            flipped.set(columns - 1 - x, y, at(x, y));
        }
    }
    return flipped;
}

SpriteCanvas SpriteCanvas::turned() const {
    SpriteCanvas quarter(rows, columns);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            quarter.set(rows - 1 - y, x, at(x, y));
        }
    }
    return quarter;
}

SpriteBuilder::SpriteBuilder(const int colours, const int pixelFormat, const std::int32_t flags)
    : colours(colours) {
    file.flags = flags | game::sprites::kFlagPixelSection;
    file.pixelFormat = pixelFormat;
}

int SpriteBuilder::image(const SpriteCanvas& canvas) {
    SpriteModule module;
    module.width = canvas.width();
    module.height = canvas.height();
    module.pixels = encodePixels(file.pixelFormat, canvas.indices(), colours);
    file.modules.push_back(std::move(module));
    return moduleCount() - 1;
}

int SpriteBuilder::filledRect(const int width, const int height, const std::uint32_t colour) {
    file.modules.push_back(
        {game::sprites::kModuleMarkerFilled, 0, 0, static_cast<std::int32_t>(colour), width, height, {}});
    return moduleCount() - 1;
}

int SpriteBuilder::outlineRect(const int width, const int height, const std::uint32_t colour) {
    file.modules.push_back(
        {game::sprites::kModuleMarkerOutline, 0, 0, static_cast<std::int32_t>(colour), width, height, {}});
    return moduleCount() - 1;
}

int SpriteBuilder::copyModule(const int m) {
    file.modules.push_back(module(m));
    return moduleCount() - 1;
}

int SpriteBuilder::frame(const std::vector<PlacedModule>& placed) {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool first = true;
    for (const PlacedModule& p : placed) {
        if (p.nested) {
            continue;
        }
        const SpriteModule& m = module(p.number);
        const int w = (p.transform & game::sprites::kTransformRotate) != 0 ? m.height : m.width;
        const int h = (p.transform & game::sprites::kTransformRotate) != 0 ? m.width : m.height;
        left = first ? p.x : std::min(left, p.x);
        top = first ? p.y : std::min(top, p.y);
        right = first ? p.x + w : std::max(right, p.x + w);
        bottom = first ? p.y + h : std::max(bottom, p.y + h);
        first = false;
    }
    return file.addFrame(placed, {clampTo(left, -128, 127), clampTo(top, -128, 127),
                                  clampTo(right - left, 0, 255), clampTo(bottom - top, 0, 255)});
}

int SpriteBuilder::frameOf(const int module, const int x, const int y) {
    return frame({{module, x, y, 0, false, 0}});
}

int SpriteBuilder::animation(const std::vector<int>& frames, const int duration) {
    std::vector<AnimFrame> records;
    for (const int f : frames) {
        records.push_back({f, duration, 0, 0, 0});
    }
    return file.addAnimation(records);
}

} // namespace tools
