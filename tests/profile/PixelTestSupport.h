// Helpers for the pixel tests: files, reference bitmaps, surfaces over test-owned memory and PNG
// writing for the golden images; and golden text tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <png.h>

#include "profile/Painter.h"

namespace profile::test {

std::string fixturePath(const std::string& relative);
std::vector<std::uint8_t> readFile(const std::string& path);

// A 32-bit BMP (bit-field masks, either row order) as top-down 0xAARRGGBB values.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};
bool readBmp(const std::vector<std::uint8_t>& file, Bitmap& out);

// A surface whose pixels live in a vector; rows of the even width, like the profile's images.
struct OwnedSurface : Surface {
    OwnedSurface(jint w, jint h, jint pixelType = kPixelRgb565, std::uint16_t fill = 0);
    OwnedSurface(const OwnedSurface&) = delete;
    OwnedSurface& operator=(const OwnedSurface&) = delete;

    std::uint16_t& at(jint x, jint y) { return row16(y)[x]; }
    std::uint16_t at(jint x, jint y) const { return row16(y)[x]; }
    // Every pixel of the width x height area (padding excluded), row by row.
    std::vector<std::uint16_t> visible() const;

    std::vector<std::uint16_t> memory;
};

// Writes the RGB565 pixels of a surface as an 8-bit RGB PNG (exact round trip through decodePng).
bool writePng(const std::string& path, const Surface& surface);

// Compares surface pixel for pixel with the golden image fixturePath(relative), reporting the first
// differences as test failures; with TARNWICK_UPDATE_GOLDENS=1 it rewrites the golden instead.
void expectGolden(const std::string& relative, const OwnedSurface& surface);

// Compares text line by line with the golden table fixturePath(relative), reporting the first
// differing lines as test failures; with TARNWICK_UPDATE_GOLDENS=1 it rewrites the table instead.
void expectTextGolden(const std::string& relative, const std::string& text);

// A small PNG built in memory: rows of raw samples in the PNG's own layout for the colour type
// and bit depth; palette as RGB triples, transparency as the tRNS chunk's body.
struct PngSpec {
    int width = 1;
    int height = 1;
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    std::vector<std::vector<std::uint8_t>> rows;
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> transparency;
    bool interlaced = false;
};
std::vector<std::uint8_t> encodePng(const PngSpec& spec);

} // namespace profile::test
