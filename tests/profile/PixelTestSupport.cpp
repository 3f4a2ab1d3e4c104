// Helpers for the pixel tests (see PixelTestSupport.h).
#include "PixelTestSupport.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "profile/Png.h"

namespace profile::test {

namespace {

std::uint32_t little32(const std::vector<std::uint8_t>& bytes, const std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// The value of the bits under mask, scaled to 0..255.
std::uint32_t channel(const std::uint32_t value, const std::uint32_t mask) {
    if (mask == 0) {
        return 0xFF;
    }
    const int shift = __builtin_ctz(mask);
    const std::uint32_t maximum = mask >> shift;
    return ((value & mask) >> shift) * 255 / maximum;
}

} // namespace

std::string fixturePath(const std::string& relative) {
    return std::string(TARNWICK_FIXTURES_DIR) + "/" + relative;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool readBmp(const std::vector<std::uint8_t>& file, Bitmap& out) {
    if (file.size() < 70 || file[0] != 'B' || file[1] != 'M') {
        return false;
    }
    const std::uint32_t dataOffset = little32(file, 10);
    const auto width = static_cast<std::int32_t>(little32(file, 18));
    const auto rawHeight = static_cast<std::int32_t>(little32(file, 22));
    const unsigned bitsPerPixel = file[28] | file[29] << 8;
    const std::uint32_t compression = little32(file, 30);
    if (bitsPerPixel != 32 || (compression != 3 && compression != 6) || width <= 0 || rawHeight == 0) {
        return false;
    }
    const std::uint32_t red = little32(file, 54);
    const std::uint32_t green = little32(file, 58);
    const std::uint32_t blue = little32(file, 62);
    const std::uint32_t alpha = little32(file, 66);
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (dataOffset + static_cast<std::size_t>(width) * height * 4 > file.size()) {
        return false;
    }
    out.width = width;
    out.height = height;
    out.argb.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int fileRow = rawHeight > 0 ? height - 1 - y : y;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value =
                little32(file, dataOffset + (static_cast<std::size_t>(fileRow) * width + x) * 4);
            out.argb[static_cast<std::size_t>(y) * width + x] =
                channel(value, alpha) << 24 | channel(value, red) << 16 | channel(value, green) << 8 |
                channel(value, blue);
        }
    }
    return true;
}

OwnedSurface::OwnedSurface(const jint w, const jint h, const jint pixelType, const std::uint16_t fill)
    : memory(static_cast<std::size_t>(stride16(w) / 2) * h, fill) {
    pixels = memory.data();
    width = w;
    height = h;
    stride = stride16(w);
    type = pixelType;
}

std::vector<std::uint16_t> OwnedSurface::visible() const {
    std::vector<std::uint16_t> result;
    for (jint y = 0; y < height; ++y) {
        result.insert(result.end(), row16(y), row16(y) + width);
    }
    return result;
}

bool writePng(const std::string& path, const Surface& surface) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<std::size_t>(surface.width) * 3);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, surface.width, surface.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (jint y = 0; y < surface.height; ++y) {
        for (jint x = 0; x < surface.width; ++x) {
            const std::uint32_t argb = rgb565ToArgb(surface.row16(y)[x]);
            row[x * 3] = static_cast<png_byte>(argb >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(argb >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(argb);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

std::vector<std::uint8_t> encodePng(const PngSpec& spec) {
    std::vector<std::uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &bytes,
        [](png_structp writer, png_bytep data, png_size_t count) {
            auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(writer));
            out->insert(out->end(), data, data + count);
        },
        nullptr);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (std::size_t i = 0; i + 2 < spec.palette.size(); i += 3) {
        palette.push_back({spec.palette[i], spec.palette[i + 1], spec.palette[i + 2]});
    }
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    png_color_16 transparentColour{};
    if (!spec.transparency.empty()) {
        if (spec.colourType == PNG_COLOR_TYPE_PALETTE) {
            png_set_tRNS(png, info, spec.transparency.data(), static_cast<int>(spec.transparency.size()),
                         nullptr);
        } else {
            // Grey: one 16-bit value; RGB: three.
            const auto sample = [&](std::size_t i) {
                return static_cast<png_uint_16>(spec.transparency[2 * i] << 8 | spec.transparency[2 * i + 1]);
            };
            if (spec.colourType == PNG_COLOR_TYPE_GRAY) {
                transparentColour.gray = sample(0);
            } else {
                transparentColour.red = sample(0);
                transparentColour.green = sample(1);
                transparentColour.blue = sample(2);
            }
            png_set_tRNS(png, info, nullptr, 0, &transparentColour);
        }
    }
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const auto& row : spec.rows) {
        rows.push_back(const_cast<png_bytep>(row.data()));
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

void expectGolden(const std::string& relative, const OwnedSurface& surface) {
    const std::string path = fixturePath(relative);
    const char* update = std::getenv("TARNWICK_UPDATE_GOLDENS");
    if (update != nullptr && std::string(update) == "1") {
        EXPECT_TRUE(writePng(path, surface)) << path;
        return;
    }
    const auto bytes = readFile(path);
    DecodedPng golden;
    ASSERT_TRUE(decodePng(bytes.data(), bytes.size(), golden)) << "missing golden " << path;
    std::unique_ptr<std::uint16_t, decltype(&std::free)> owner(golden.pixels, &std::free);
    ASSERT_EQ(golden.width, surface.width);
    ASSERT_EQ(golden.height, surface.height);
    jint mismatches = 0;
    for (jint y = 0; y < surface.height; ++y) {
        for (jint x = 0; x < surface.width; ++x) {
            const std::uint16_t expected = golden.pixels[y * (golden.stride / 2) + x];
            if (surface.at(x, y) != expected && mismatches++ < 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << surface.at(x, y)
                              << " != " << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << path;
}

void expectTextGolden(const std::string& relative, const std::string& text) {
    const std::string path = fixturePath(relative);
    const char* update = std::getenv("TARNWICK_UPDATE_GOLDENS");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream out(path);
        out << text;
        EXPECT_TRUE(out.good()) << path;
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << "missing golden " << path;
    std::istringstream got(text);
    std::string want;
    std::string line;
    int mismatches = 0;
    for (int number = 1; std::getline(in, want); ++number) {
        if (!std::getline(got, line)) {
            ADD_FAILURE() << path << ": line " << number << " missing: " << want;
            return;
        }
        if (line != want && mismatches++ < 5) {
            ADD_FAILURE() << path << ": line " << number << "\n got      " << line << "\n expected " << want;
        }
    }
    if (std::getline(got, line)) {
        ADD_FAILURE() << path << ": extra line " << line;
    }
    EXPECT_EQ(mismatches, 0) << path;
}

} // namespace profile::test
