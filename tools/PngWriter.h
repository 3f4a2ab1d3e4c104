// A palettised PNG writer for the sample data and the tests: 8-bit indices, a PLTE chunk and a
// tRNS chunk right after it, uncompressed (stored) image data.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/SampleData.h"

namespace tools {

// The PNG of width x height palette indices (row by row) with the given ARGB palette: IHDR,
// PLTE, tRNS (the palette's alpha bytes), IDAT, IEND, in that order.
Bytes palettedPngBytes(int width, int height, const std::vector<std::uint8_t>& indices,
                       const std::vector<std::uint32_t>& palette);

// The CRC of a PNG chunk over its type and data.
std::uint32_t pngCrc(const std::uint8_t* bytes, std::size_t length);

} // namespace tools
