// Pixel formats of the profile's images and the per-pixel colour arithmetic that Graphics and
// the PNG conversion share: RGB565, the key colour, ARGB4444, and the blends.
//
// Pixels are 16-bit values in native memory; everything here works on values, never on memory,
// so it is usable from any loop and testable on its own.
#pragma once

#include <cstdint>

#include "runtime/JavaTypes.h"

namespace profile {

using runtime::jint;

// Pixel types of an image.
inline constexpr jint kPixelRgb565 = 0;    // opaque
inline constexpr jint kPixelKeyed = 1;     // RGB565 where kKeyColour is transparent
inline constexpr jint kPixelArgb4444 = 2;  // 4 bits of alpha per pixel
inline constexpr jint kPixel8Bit = 3;      // one byte a pixel (never drawn)
inline constexpr jint kImageMutableFlag = 0x1000000; // bit 24 of initBuffer's type argument

// Magenta in RGB565: pixels of this value are transparent in keyed images.
inline constexpr std::uint16_t kKeyColour = 0xF81F;
// The ARGB colour whose RGB565 form is the key colour.
inline constexpr jint kKeyColourArgb = 0xFF00FF;

constexpr std::uint16_t toRgb565(const std::uint32_t argb) {
    return static_cast<std::uint16_t>(((argb >> 19) & 0x1F) << 11 | ((argb >> 10) & 0x3F) << 5 |
                                      ((argb >> 3) & 0x1F));
}

// The top four bits of each of A, R, G and B.
constexpr std::uint16_t toArgb4444(const std::uint32_t argb) {
    return static_cast<std::uint16_t>(((argb >> 28) & 0xF) << 12 | ((argb >> 20) & 0xF) << 8 |
                                      ((argb >> 12) & 0xF) << 4 | ((argb >> 4) & 0xF));
}

// RGB565 back to 0xFFRRGGBB, low bits filled by replicating the high ones (exact round trip).
constexpr std::uint32_t rgb565ToArgb(const std::uint16_t pixel) {
    const std::uint32_t r = (pixel >> 11) & 0x1F;
    const std::uint32_t g = (pixel >> 5) & 0x3F;
    const std::uint32_t b = pixel & 0x1F;
    return 0xFF000000u | ((r << 3) | (r >> 2)) << 16 | ((g << 2) | (g >> 4)) << 8 | ((b << 3) | (b >> 2));
}

// Rectangle fills with alpha a (0..254): each field keeps (256 - a) / 256 of its old value and
// gains the colour's 8-bit channel times a, shifted down to the field's width; the two parts are
// truncated separately.
constexpr std::uint16_t blendFill(const std::uint16_t old, const std::uint32_t argb, const jint a) {
    const jint keep = 256 - a;
    const jint red = ((((old >> 11) & 0x1F) * keep) >> 8) + ((static_cast<jint>((argb >> 16) & 0xFF) * a) >> 11);
    const jint green = ((((old >> 5) & 0x3F) * keep) >> 8) + ((static_cast<jint>((argb >> 8) & 0xFF) * a) >> 10);
    const jint blue = (((old & 0x1F) * keep) >> 8) + ((static_cast<jint>(argb & 0xFF) * a) >> 11);
    return static_cast<std::uint16_t>((red & 0x1F) << 11 | (green & 0x3F) << 5 | (blue & 0x1F));
}

// Lines and ARGB arrays with alpha a (0..255): each 5/6/5 field moves from old towards the new
// pixel by (new - old) * a >> 8.
constexpr std::uint16_t blendFields(const std::uint16_t old, const std::uint16_t pixel, const jint a) {
    const auto field = [a](const jint from, const jint to) { return from + (((to - from) * a) >> 8); };
    const jint red = field((old >> 11) & 0x1F, (pixel >> 11) & 0x1F);
    const jint green = field((old >> 5) & 0x3F, (pixel >> 5) & 0x3F);
    const jint blue = field(old & 0x1F, pixel & 0x1F);
    return static_cast<std::uint16_t>((red & 0x1F) << 11 | (green & 0x3F) << 5 | (blue & 0x1F));
}

// An ARGB4444 source pixel over an RGB565 one, alpha (p >> 12) * 17; each field is computed in
// its own bit position and masked after the add.
constexpr std::uint16_t blend4444(const std::uint16_t old, const std::uint16_t p) {
    const jint a = (p >> 12) * 17;
    const auto field = [a](const jint from, const jint to, const jint mask) {
        return (from + (((to - from) * a) >> 8)) & mask;
    };
    const jint red = field(old & 0xF800, ((p >> 8) & 0xF) << 12, 0xF800);
    const jint green = field(old & 0x07E0, ((p >> 4) & 0xF) << 7, 0x07E0);
    const jint blue = field(old & 0x001F, (p & 0xF) << 1, 0x001F);
    return static_cast<std::uint16_t>(red | green | blue);
}

// The stride in bytes of a 16-bit image row: the width made even, two bytes a pixel.
constexpr jint stride16(const jint width) { return (width + (width & 1)) * 2; }

} // namespace profile
