// The system font: the one font the profile measures and draws its text with.
//
// Text is measured as one line (the sum of the glyph advances) and drawn monochrome into a 32-bit
// buffer: every pixel is either the background value or the text value, never a blend, so a
// caller can treat the background value as transparent.
//
// On Linux the font is DejaVu Sans through FreeType; when its file cannot be loaded a built-in
// bitmap font takes its place, so text still draws. Tests install a scripted font.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Where the font file is looked for, unless the environment variable kSystemFontVariable names
// another file.
inline constexpr char kSystemFontPath[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr char kSystemFontVariable[] = "TARNWICK_SYSTEM_FONT";
// The FreeType font's size in pixels: about the system text of a 480x800 handset.
inline constexpr int kSystemFontPixelSize = 20;

struct FontMetrics {
    int ascent = 0; // pixels from the top of a line to its baseline
    int height = 0; // pixels of a whole line: ascent + descent
};

class SystemFont {
public:
    virtual ~SystemFont() = default;
    virtual FontMetrics metrics() = 0;
    // Width in pixels of count UTF-16 units drawn as one line.
    virtual int measure(const std::uint16_t* text, int count) = 0;
    // Fills the width x height pixels (rows stride pixels apart, top row first) with background,
    // then draws the text from the top-left corner in foreground. Nothing is written outside the
    // buffer, whatever the text.
    virtual void draw(const std::uint16_t* text, int count, std::uint32_t* pixels, int width, int height,
                      int stride, std::uint32_t foreground, std::uint32_t background) = 0;
};

// DejaVu Sans (or any scalable font file) through FreeType, rendered in monochrome mode.
class FreeTypeFont final : public SystemFont {
public:
    FreeTypeFont() = default;
    ~FreeTypeFont() override;
    FreeTypeFont(const FreeTypeFont&) = delete;
    FreeTypeFont& operator=(const FreeTypeFont&) = delete;

    // Loads the font file at pixelSize; false (logged) when it cannot be used.
    bool open(const std::string& path, int pixelSize);

    FontMetrics metrics() override { return fontMetrics; }
    int measure(const std::uint16_t* text, int count) override;
    void draw(const std::uint16_t* text, int count, std::uint32_t* pixels, int width, int height, int stride,
              std::uint32_t foreground, std::uint32_t background) override;

private:
    void close();

    struct Library;
    Library* library = nullptr;
    FontMetrics fontMetrics;
};

// The built-in fallback: 5x8 glyphs of printable ASCII drawn at twice their size; every other
// character is a hollow box. Each character advances kAdvance pixels.
class BitmapFont final : public SystemFont {
public:
    static constexpr int kScale = 2;
    static constexpr int kAdvance = 6 * kScale;
    static constexpr int kAscent = 8 * kScale;
    static constexpr int kHeight = 9 * kScale;

    FontMetrics metrics() override { return {kAscent, kHeight}; }
    int measure(const std::uint16_t* text, int count) override;
    void draw(const std::uint16_t* text, int count, std::uint32_t* pixels, int width, int height, int stride,
              std::uint32_t foreground, std::uint32_t background) override;
};

// A font for tests: every unit advances `advance` pixels; a space draws nothing, any other unit a
// solid block one pixel narrower than its advance and as tall as the line. It records the texts
// it measured and drew.
class ScriptedSystemFont final : public SystemFont {
public:
    FontMetrics metrics() override { return fontMetrics; }
    int measure(const std::uint16_t* text, int count) override;
    void draw(const std::uint16_t* text, int count, std::uint32_t* pixels, int width, int height, int stride,
              std::uint32_t foreground, std::uint32_t background) override;

    FontMetrics fontMetrics{8, 10};
    int advance = 4;
    std::vector<std::u16string> measured;
    std::vector<std::u16string> drawn;
};

// Fills width x height pixels, rows stride pixels apart, with value.
void fillPixels(std::uint32_t* pixels, int width, int height, int stride, std::uint32_t value);

// The font in use: an installed one, else FreeType over the system font file, else (logged once)
// the built-in bitmap font.
SystemFont& systemFont();
// Installs replacement (null restores the default); returns the one installed before.
SystemFont* installSystemFont(SystemFont* replacement);
// The font file the default font loads: the environment's choice, else kSystemFontPath.
std::string systemFontFile();
// FreeType over the font file at kSystemFontPixelSize; when it cannot be loaded, a logged message
// and the bitmap font.
std::unique_ptr<SystemFont> loadSystemFont(const std::string& path);

} // namespace platform
