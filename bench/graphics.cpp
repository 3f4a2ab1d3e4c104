// Drawing and decoding speed, in pixels per second: a full-screen fill, a 64 x 64 keyed region
// in each of the eight transforms, a full-screen image copy, and PNG decoding.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdlib>
#include <vector>

#include "profile/Painter.h"
#include "profile/Png.h"

namespace {

using profile::jint;
using profile::Painter;
using profile::Surface;

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;

struct Buffer {
    Buffer(const jint w, const jint h, const jint type) : memory(static_cast<std::size_t>(profile::stride16(w) / 2) * h) {
        surface.pixels = memory.data();
        surface.width = w;
        surface.height = h;
        surface.stride = profile::stride16(w);
        surface.type = type;
        for (std::size_t i = 0; i < memory.size(); ++i) {
            memory[i] = static_cast<std::uint16_t>(i * 2654435761u >> 16);
        }
    }
    std::vector<std::uint16_t> memory;
    Surface surface;
};

void fillRectFullScreen(benchmark::State& state) {
    Buffer screen(kScreenWidth, kScreenHeight, profile::kPixelRgb565);
    Painter painter;
    painter.attach(&screen.surface);
    painter.setColor(0x336699);
    for (auto _ : state) {
        painter.fillRect(0, 0, kScreenWidth, kScreenHeight);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kScreenWidth * kScreenHeight);
}
BENCHMARK(fillRectFullScreen);

void drawRegionKeyed64(benchmark::State& state) {
    Buffer screen(kScreenWidth, kScreenHeight, profile::kPixelRgb565);
    Buffer sprite(64, 64, profile::kPixelKeyed);
    for (std::size_t i = 0; i < sprite.memory.size(); i += 7) {
        sprite.memory[i] = profile::kKeyColour;
    }
    Painter painter;
    painter.attach(&screen.surface);
    const auto transform = static_cast<jint>(state.range(0));
    for (auto _ : state) {
        painter.drawRegion(&sprite.surface, 0, 0, 64, 64, transform, 100, 200, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 64 * 64);
}
BENCHMARK(drawRegionKeyed64)->DenseRange(0, 7);

void drawImageFullScreen(benchmark::State& state) {
    Buffer screen(kScreenWidth, kScreenHeight, profile::kPixelRgb565);
    Buffer image(kScreenWidth, kScreenHeight, profile::kPixelRgb565);
    Painter painter;
    painter.attach(&screen.surface);
    for (auto _ : state) {
        painter.drawImage(&image.surface, 0, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kScreenWidth * kScreenHeight);
}
BENCHMARK(drawImageFullScreen);

// A 256 x 256 RGBA or palette PNG with some structure, encoded once.
std::vector<std::uint8_t> encodeSample(const bool palette) {
    constexpr int kSize = 256;
    std::vector<std::uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &bytes,
        [](png_structp writer, png_bytep data, png_size_t count) {
            auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(writer));
            out->insert(out->end(), data, data + count);
        },
        nullptr);
    png_set_IHDR(png, info, kSize, kSize, 8, palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> colours(256);
    std::vector<png_byte> alphas(256);
    for (int i = 0; i < 256; ++i) {
        colours[i] = {static_cast<png_byte>(i), static_cast<png_byte>(255 - i), static_cast<png_byte>(i * 7)};
        alphas[i] = i % 16 == 0 ? 0 : 255;
    }
    if (palette) {
        png_set_PLTE(png, info, colours.data(), 256);
        png_set_tRNS(png, info, alphas.data(), 256, nullptr);
    }
    png_write_info(png, info);
    std::vector<png_byte> row(kSize * 4);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const auto value = static_cast<png_byte>((x * y) >> 4 ^ x);
            if (palette) {
                row[x] = value;
            } else {
                row[x * 4] = value;
                row[x * 4 + 1] = static_cast<png_byte>(y);
                row[x * 4 + 2] = static_cast<png_byte>(x);
                row[x * 4 + 3] = static_cast<png_byte>(x + y);
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

void decodePng(benchmark::State& state) {
    const auto bytes = encodeSample(state.range(0) != 0);
    for (auto _ : state) {
        profile::DecodedPng image;
        if (!profile::decodePng(bytes.data(), bytes.size(), image)) {
            state.SkipWithError("decode failed");
            break;
        }
        std::free(image.pixels);
    }
    state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(decodePng)->ArgName("palette")->Arg(0)->Arg(1);

} // namespace
