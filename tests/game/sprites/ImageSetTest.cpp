// The image-set loader's strip mode: images wider than a strip still progress a row at a time,
// and the strips land one under the other as the whole image would.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/sprites/loading/StartupLoading.h"
#include "profile/Image.h"
#include "tests/support/GameRuntime.h"
#include "tools/SampleImageSets.h"

namespace game::sprites {
namespace {

class ImageSetTest : public testing_support::GameRuntimeTest {
protected:
    // An opaque image of width x height whose colour index changes along both axes.
    static runtime::ByteArray* stripes(const int width, const int height) {
        std::vector<std::uint32_t> palette;
        for (int i = 0; i < 16; ++i) {
            palette.push_back(0xFF000000u | static_cast<std::uint32_t>(0x101010 * i + 0x08));
        }
        std::vector<std::uint8_t> indices;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                indices.push_back(static_cast<std::uint8_t>((x / 7 + y) % 16));
            }
        }
        const tools::Bytes bytes = tools::encodePalettedImage(width, height, {palette}, 16, indices);
        runtime::ByteArray* out = runtime::newByteArray(static_cast<jint>(bytes.size()));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            (*out)[static_cast<jint>(i)] = static_cast<runtime::jbyte>(bytes[i]);
        }
        return out;
    }
};

TEST_F(ImageSetTest, StripsOfAnyWidthMakeTheWholeImage) {
    struct Case {
        int width;
        int height;
    };
    // 100 x 100 takes three strips of 48 rows (the last of 4); 5000 is wider than a strip holds,
    // so each strip is one row.
    const Case cases[] = {{100, 100}, {5000, 3}, {24, 144}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        runtime::ByteArray* bytes = stripes(c.width, c.height);
        profile::Image* whole = decodeImageSet(bytes, 0, 0);
        profile::Image* strips = decodeImageSet(bytes, 0, 1);
        ASSERT_NE(whole, nullptr);
        ASSERT_NE(strips, nullptr);
        ASSERT_EQ(strips->getWidth(), c.width);
        ASSERT_EQ(strips->getHeight(), c.height);
        int mismatches = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                mismatches += strips->row16(y)[x] != whole->row16(y)[x] ? 1 : 0;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
    EXPECT_EQ(decodeImageSet(runtime::newByteArray(3), 0, 1), nullptr);
}

} // namespace
} // namespace game::sprites
