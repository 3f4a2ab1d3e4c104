// Drawing the sample sprites: a small canvas of palette indices with the shapes the generator
// needs (rectangles, lines, discs, polygons, an outline around a drawing, a 3 x 5 label font),
// and a builder that turns canvases into the modules, frames and animations of a sprite file.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/SpriteWriter.h"

namespace tools {

class SpriteCanvas {
public:
    SpriteCanvas(int width, int height);

    int width() const { return columns; }
    int height() const { return rows; }
    const std::vector<std::uint8_t>& indices() const { return pixels; }
    int at(int x, int y) const;

    // Everything is clipped to the canvas.
    void set(int x, int y, int index);
    void fill(int x, int y, int w, int h, int index);
    void frame(int x, int y, int w, int h, int index); // a one-pixel rectangle outline
    void line(int x0, int y0, int x1, int y1, int index);
    void disc(int centreX, int centreY, int radius, int index);
    void ellipse(int centreX, int centreY, int radiusX, int radiusY, int index);
    void polygon(const std::vector<std::pair<int, int>>& corners, int index); // filled
    // Colours every empty pixel next to a drawn one (four neighbours) with index.
    void outline(int index);
    // Text in the 3 x 5 label font (digits, capitals and a few signs), scale pixels a dot.
    void label(int x, int y, std::string_view text, int index, int scale = 1);
    // Copies the drawn pixels of another canvas to (x, y).
    void blit(const SpriteCanvas& other, int x, int y);
    // The canvas mirrored left to right.
    SpriteCanvas mirrored() const;
    // The canvas turned a quarter clockwise (height x width).
    SpriteCanvas turned() const;

    // Width in pixels of text in the label font.
    static int labelWidth(std::string_view text, int scale = 1);

private:
    int columns;
    int rows;
    std::vector<std::uint8_t> pixels;
};

// Builds a sprite file: modules from canvases or rectangles, frames and animations.
class SpriteBuilder {
public:
    // A sprite whose palettes have `colours` colours, its modules encoded in pixelFormat.
    SpriteBuilder(int colours, int pixelFormat, std::int32_t flags = 0);

    int image(const SpriteCanvas& canvas);
    int filledRect(int width, int height, std::uint32_t colour);
    int outlineRect(int width, int height, std::uint32_t colour);
    // A frame of placed modules; the rectangle is the bounds of the modules, cut to the field.
    int frame(const std::vector<PlacedModule>& placed);
    // A frame of one module placed at (x, y).
    int frameOf(int module, int x, int y);
    int animation(const std::vector<int>& frames, int duration);
    int animation(const std::vector<AnimFrame>& frames) { return file.addAnimation(frames); }
    void palettes(const std::vector<std::vector<std::uint32_t>>& rows) { file.palettes = rows; }

    int moduleCount() const { return static_cast<int>(file.modules.size()); }
    int frameCount() const { return static_cast<int>(file.frames.size()); }
    const SpriteModule& module(int m) const { return file.modules[static_cast<std::size_t>(m)]; }
    // Appends a copy of module m (its pixels included).
    int copyModule(int m);

    Bytes bytes() const { return spriteFileBytes(file); }
    SpriteFile file;

private:
    int colours;
};

} // namespace tools
