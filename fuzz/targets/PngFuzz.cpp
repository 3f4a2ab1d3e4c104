// Fuzz target "png": the bytes are a PNG image, decoded by Image::createImage as the game makes
// its images. A decoded image must have a sane size, a pixel type the painter knows, rows wide
// enough for its width, and every pixel readable; decoding must give back all it allocated.
#include <cstdint>

#include "fuzz/FuzzRuntime.h"
#include "profile/Image.h"
#include "profile/Pixels.h"
#include "profile/Png.h"

namespace {

using runtime::jint;

void fuzzPng(const std::uint8_t* data, const std::size_t size) {
    profile::Image* image =
        profile::Image::createImage(fuzzing::byteArrayOf(data, size), 0, static_cast<jint>(size));
    if (profile::pngLiveAllocations() != 0) {
        fuzzing::fail("decoding kept %lld blocks", static_cast<long long>(profile::pngLiveAllocations()));
    }
    if (image == nullptr) {
        return;
    }
    if (image->width < 1 || image->height < 1 || image->pixels == nullptr ||
        image->stride < image->width * 2 || image->stride % 4 != 0 ||
        static_cast<std::int64_t>(image->stride) * image->height > profile::kMaxPixelBytes) {
        fuzzing::fail("a %d x %d image with rows of %d bytes", image->width, image->height, image->stride);
    }
    if (image->type != profile::kPixelRgb565 && image->type != profile::kPixelKeyed &&
        image->type != profile::kPixelArgb4444) {
        fuzzing::fail("an image of pixel type %d", image->type);
    }
    // Every row is read whole, so a buffer smaller than its rows shows.
    std::uint32_t sum = 0;
    for (jint y = 0; y < image->height; ++y) {
        const std::uint16_t* row = image->row16(y);
        for (jint x = 0; x < image->stride / 2; ++x) {
            sum += row[x];
        }
        // The padding pixel of an odd width is 0.
        if (image->width % 2 != 0 && row[image->width] != 0) {
            fuzzing::fail("padding pixel of row %d is not 0", y);
        }
    }
    // The sum is used, so the reads cannot be left out.
    __asm__ volatile("" : : "r"(sum));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, const std::size_t size) {
    return fuzzing::runInput(data, size, &fuzzPng);
}
