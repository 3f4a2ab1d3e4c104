// The system font through FreeType: hinted for monochrome output and rendered as one-bit glyphs,
// so no edge pixel is ever a blend of text and background.
#include "platform/SystemFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>

#include "runtime/Log.h"

namespace platform {

struct FreeTypeFont::Library {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

namespace {

// Hinting for one-bit output: the advances are whole pixels, the same when measuring and drawing.
constexpr FT_Int32 kMeasureFlags = FT_LOAD_TARGET_MONO;
constexpr FT_Int32 kRenderFlags = FT_LOAD_TARGET_MONO | FT_LOAD_RENDER;

constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateEnd = 0xE000;

// 26.6 fixed point to whole pixels, rounding up (a line must hold every ascender).
int ceilPixels(const FT_Pos value) {
    return static_cast<int>((value + 63) >> 6);
}

// The character at text[i]: a surrogate pair makes one; i moves past what was read.
char32_t nextCharacter(const std::uint16_t* const text, const int count, int& i) {
    const char32_t unit = text[i++];
    if (unit >= kHighSurrogateFirst && unit < kLowSurrogateFirst && i < count &&
        text[i] >= kLowSurrogateFirst && text[i] < kSurrogateEnd) {
        const char32_t low = text[i++];
        return 0x10000 + ((unit - kHighSurrogateFirst) << 10) + (low - kLowSurrogateFirst);
    }
    return unit;
}

bool bitSet(const FT_Bitmap& bitmap, const unsigned row, const unsigned column) {
    const unsigned char* start =
        bitmap.pitch >= 0
            ? bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch
            : bitmap.buffer + static_cast<std::ptrdiff_t>(bitmap.rows - 1 - row) * -bitmap.pitch;
    return (start[column >> 3] & (0x80u >> (column & 7))) != 0;
}

} // namespace

FreeTypeFont::~FreeTypeFont() {
    close();
}

void FreeTypeFont::close() {
    if (library == nullptr) {
        return;
    }
    if (library->face != nullptr) {
        FT_Done_Face(library->face);
    }
    if (library->library != nullptr) {
        FT_Done_FreeType(library->library);
    }
    delete library;
    library = nullptr;
    fontMetrics = {};
}

bool FreeTypeFont::open(const std::string& path, const int pixelSize) {
    close();
    library = new Library();
    if (FT_Init_FreeType(&library->library) != 0) {
        runtime::log("FreeType cannot be started");
        close();
        return false;
    }
    if (FT_New_Face(library->library, path.c_str(), 0, &library->face) != 0) {
        runtime::log("Font file %s cannot be opened", path.c_str());
        close();
        return false;
    }
    if (FT_IS_SCALABLE(library->face) == 0 ||
        FT_Set_Pixel_Sizes(library->face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        runtime::log("Font file %s has no %d-pixel size", path.c_str(), pixelSize);
        close();
        return false;
    }
    const FT_Size_Metrics& size = library->face->size->metrics;
    fontMetrics.ascent = ceilPixels(size.ascender);
    fontMetrics.height = fontMetrics.ascent + ceilPixels(-size.descender);
    return true;
}

int FreeTypeFont::measure(const std::uint16_t* const text, const int count) {
    if (library == nullptr) {
        return 0;
    }
    int width = 0;
    for (int i = 0; i < count;) {
        if (FT_Load_Char(library->face, nextCharacter(text, count, i), kMeasureFlags) == 0) {
            width += static_cast<int>((library->face->glyph->advance.x + 32) >> 6);
        }
    }
    return width;
}

void FreeTypeFont::draw(const std::uint16_t* const text, const int count, std::uint32_t* const pixels,
                        const int width, const int height, const int stride, const std::uint32_t foreground,
                        const std::uint32_t background) {
    fillPixels(pixels, width, height, stride, background);
    if (library == nullptr) {
        return;
    }
    int pen = 0;
    for (int i = 0; i < count;) {
        if (FT_Load_Char(library->face, nextCharacter(text, count, i), kRenderFlags) != 0) {
            continue;
        }
        const FT_GlyphSlot glyph = library->face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            const int left = pen + glyph->bitmap_left;
            const int top = fontMetrics.ascent - glyph->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                const int y = top + static_cast<int>(row);
                if (y < 0 || y >= height) {
                    continue;
                }
                for (unsigned column = 0; column < bitmap.width; ++column) {
                    const int x = left + static_cast<int>(column);
                    if (x >= 0 && x < width && bitSet(bitmap, row, column)) {
                        pixels[static_cast<std::ptrdiff_t>(y) * stride + x] = foreground;
                    }
                }
            }
        }
        pen += static_cast<int>((glyph->advance.x + 32) >> 6);
    }
}

} // namespace platform
