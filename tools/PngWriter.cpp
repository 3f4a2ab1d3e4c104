// The palettised PNG writer (see PngWriter.h).
#include "tools/PngWriter.h"

#include <array>
#include <stdexcept>
#include <string>

namespace tools {

namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kBitDepth = 8;
constexpr int kColourTypePalette = 3;
constexpr std::size_t kLongestStoredBlock = 65535;
constexpr std::uint32_t kAdlerModulus = 65521;

void put32(Bytes& out, const std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void chunk(Bytes& out, const char* type, const Bytes& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, pngCrc(out.data() + start, out.size() - start));
}

// A zlib stream of stored deflate blocks.
Bytes zlibStored(const Bytes& raw) {
    Bytes out = {0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t length = std::min(kLongestStoredBlock, raw.size() - at);
        out.push_back(at + length == raw.size() ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + static_cast<long>(at),
                   raw.begin() + static_cast<long>(at + length));
        at += length;
    } while (at < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % kAdlerModulus;
        b = (b + a) % kAdlerModulus;
    }
    put32(out, b << 16 | a);
    return out;
}

} // namespace

std::uint32_t pngCrc(const std::uint8_t* bytes, const std::size_t length) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) {
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

Bytes palettedPngBytes(const int width, const int height, const std::vector<std::uint8_t>& indices,
                       const std::vector<std::uint32_t>& palette) {
    if (width < 1 || height < 1 || indices.size() != static_cast<std::size_t>(width) * height ||
        palette.empty() || palette.size() > 256) {
        throw std::invalid_argument("PNG: bad size or palette");
    }
    Bytes out(std::begin(kSignature), std::end(kSignature));
    Bytes header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {kBitDepth, kColourTypePalette, 0, 0, 0});
    chunk(out, "IHDR", header);
    Bytes colours;
    Bytes alphas;
    for (const std::uint32_t colour : palette) {
        colours.insert(colours.end(),
                       {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                        static_cast<std::uint8_t>(colour)});
        alphas.push_back(static_cast<std::uint8_t>(colour >> 24));
    }
    chunk(out, "PLTE", colours);
    chunk(out, "tRNS", alphas);
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        raw.insert(raw.end(), indices.begin() + static_cast<long>(y) * width,
                   indices.begin() + static_cast<long>(y + 1) * width);
    }
    chunk(out, "IDAT", zlibStored(raw));
    chunk(out, "IEND", {});
    return out;
}

} // namespace tools
