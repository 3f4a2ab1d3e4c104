// Text layout in the sprite fonts (see TextLayout.h).
#include "game/sprites/TextLayout.h"

#include <vector>

#include "game/core/GameStatics.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/SpriteFormat.h"
#include "game/sprites/SpriteLoading.h"
#include "runtime/ConstantPool.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"

namespace game::sprites {

namespace {

using Units = std::vector<jchar>;

constexpr jint kCharacterMapConstant = 123;
constexpr jint kJoinTextConstant = 124;

constexpr jint kUnmappedWidth = 6; // a character without a glyph, the space among them
constexpr jint kIconWidth = 28;    // '~' and its character: an inline icon

constexpr jchar kCodeMark = '{'; // with the next character a zero-width colour or format code
constexpr jchar kBackquote = '`';
constexpr jchar kIconMark = '~';
constexpr jchar kSpace = ' ';
constexpr jchar kFirstGlyphCode = 33; // codes below have no glyph
constexpr jchar kSmallCaseOffset = 32;
constexpr jchar kSmallIo = 0x0451;
constexpr jchar kCapitalIo = 0x0401;
constexpr jchar kIoStandIn = 0x00CB; // the io draws as the E with diaeresis

// What measuring needs of a font: its glyph rectangles and its spacing. A font without a loaded
// sprite measures every glyph as 0 wide; a font without a spacing entry has spacing 0.
struct FontMetrics {
    runtime::ByteArray* rects = nullptr;
    jint spacing = 0;

    jint glyphWidth(const jint glyph) const {
        const jint at = glyph * sprites::kFrameRectBytes + sprites::kFrameRectWidth;
        return rects != nullptr && glyph >= 0 && rects->inBounds(at) ? (*rects)[at] : 0;
    }
};

FontMetrics fontMetrics(const jint font) {
    GameStatics* const s = statics();
    FontMetrics metrics;
    runtime::ByteArray* const spacing = s->fontSpacing;
    if (spacing != nullptr && spacing->inBounds(font)) {
        metrics.spacing = (*spacing)[font];
    }
    runtime::ObjectArray* const table = s->sprites;
    const jint entry = sprites::kFirstFontSprite + font;
    if (table == nullptr || font < 0 || !table->inBounds(entry)) {
        return metrics;
    }
    runtime::Object* const object = (*table)[entry];
    if (object != nullptr && object->classId == sprites::ASprite::kClassId) {
        metrics.rects = static_cast<sprites::ASprite*>(object)->frameRects;
    }
    return metrics;
}

// Width of units [from, to) as getStringWidth measures a String of them. Allocates nothing.
jint measureUnits(const jchar* const units, const jint from, const jint to, const FontMetrics& font) {
    jint width = 0;
    for (jint i = from; i < to; ++i) {
        const jchar c = units[i];
        if (c == kCodeMark || c == kBackquote || (i > from && units[i - 1] == kCodeMark)) {
            continue;
        }
        const jint glyph = getGlyphIndex(c);
        if (glyph != -1) {
            width += font.glyphWidth(glyph) + font.spacing;
        } else if (c == kIconMark) {
            width += kIconWidth;
            ++i;
        } else {
            width += kUnmappedWidth;
        }
    }
    return width - font.spacing;
}

Units unitsOf(runtime::String* const s) {
    return Units(s->chars, s->chars + s->length());
}

runtime::String* newStringOf(const Units& units) {
    auto* text = runtime::newObject<runtime::String>();
    text->initUnits(units.data(), static_cast<jint>(units.size()));
    return text;
}

// Step 1 of wrapping: every single break inside the text is dropped when a space stands beside
// it, else replaced by the join text.
void joinSingleBreaks(Units& t) {
    const Units join = unitsOf(runtime::getConstantString(kJoinTextConstant));
    std::size_t i = 0;
    while (i < t.size()) {
        const bool single = t[i] == kLineBreak && i != 0 && i != t.size() - 1 && t[i - 1] != kLineBreak &&
                            t[i + 1] != kLineBreak;
        if (!single) {
            ++i;
            continue;
        }
        const bool besideSpace = t[i - 1] == kSpace || t[i + 1] == kSpace;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(i));
        if (besideSpace) {
            continue;
        }
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(i), join.begin(), join.end());
        ++i;
    }
}

// Last index of c in [from, to), or -1.
jint lastIndexIn(const Units& t, const jchar c, const jint from, const jint to) {
    for (jint k = to - 1; k >= from; --k) {
        if (t[static_cast<std::size_t>(k)] == c) {
            return k;
        }
    }
    return -1;
}

jchar unitAt(const Units& t, const jint k) {
    return k >= 0 && static_cast<std::size_t>(k) < t.size() ? t[static_cast<std::size_t>(k)] : 0;
}

// Where a line that reached maxWidth at i breaks: at its last space (at or before i, or before
// i - 1 when t[i] is a space); with a colour code in the line, in front of the character that
// precedes the last code before that space, unless a space or backquote follows the code's
// mark or that leaves the line empty.
jint chooseCut(const Units& t, const jint lineStart, const jint i, const bool braceSeen) {
    jint p = unitAt(t, i) == kSpace ? i - 1 : i;
    if (unitAt(t, p) != kSpace) {
        const jint space = lastIndexIn(t, kSpace, lineStart, p);
        if (space >= 0) {
            p = space;
        }
    }
    const jint spaceCut = p;
    if (!braceSeen) {
        return spaceCut;
    }
    if (unitAt(t, p) != kCodeMark) {
        const jint code = lastIndexIn(t, kCodeMark, lineStart, p);
        if (code >= 0) {
            p = code;
        }
    }
    const jchar next = unitAt(t, p + 1);
    if (next == kSpace || next == kBackquote) {
        return spaceCut;
    }
    if (unitAt(t, p) == kCodeMark) {
        return p - 1 > lineStart ? p - 1 : spaceCut;
    }
    return p;
}

bool isBreakCharacter(const jchar c) {
    return c == kSpace || c == kLineBreak;
}

} // namespace

jint getGlyphIndex(const jchar c) {
    GameStatics* const s = statics();
    if (c >= 'A' && c <= 'Z') {
        return s->upperCaseGlyphBase + (c - 'A');
    }
    if (c >= 'a' && c <= 'z') {
        return s->upperCaseGlyphBase + (c - 'a');
    }
    if (c >= '0' && c <= '9') {
        return s->digitGlyphBase + (c - '0');
    }
    if (c < kFirstGlyphCode) {
        return -1;
    }
    const runtime::String* const map = runtime::getConstantString(kCharacterMapConstant);
    jint position = map->indexOf(c);
    if (position < 0) {
        position = map->indexOf(c - kSmallCaseOffset);
    }
    if (position < 0 && (c == kSmallIo || c == kCapitalIo)) {
        position = map->indexOf(kIoStandIn);
    }
    return position;
}

jint getStringWidth(runtime::String* const s, const jint font) {
    if (s == nullptr) {
        return 0;
    }
    return measureUnits(s->chars, 0, s->length(), fontMetrics(font));
}

jint getTextWidth(runtime::String* const s, const jint font) {
    if (s == nullptr) {
        return 0;
    }
    if (s->indexOf(kLineBreak) < 0) {
        return getStringWidth(s, font);
    }
    const FontMetrics metrics = fontMetrics(font);
    const jint length = s->length();
    jint widest = 0;
    jint lineStart = 0;
    while (lineStart <= length) {
        jint lineEnd = s->indexOf(kLineBreak, lineStart);
        if (lineEnd < 0) {
            lineEnd = length;
        }
        const jint width = measureUnits(s->chars, lineStart, lineEnd, metrics);
        widest = width > widest ? width : widest;
        lineStart = lineEnd + 1;
    }
    return widest;
}

jint countTextLines(runtime::String* const s) {
    if (s == nullptr) {
        return 0;
    }
    GameStatics* const block = statics();
    if (s == block->lastCountedText.get()) {
        return block->lastCountedLines;
    }
    jint count = 1;
    for (jint i = 0; i < s->length(); ++i) {
        count += s->chars[i] == kLineBreak ? 1 : 0;
    }
    block->lastCountedText = s;
    block->lastCountedLines = count;
    return count;
}

runtime::String* wrapText(runtime::String* const s, const jint maxWidth, const jint font,
                          const jboolean joinLines) {
    if (s == nullptr || s->length() == 0) {
        return s;
    }
    Units t = unitsOf(s);
    if (joinLines != 0) {
        joinSingleBreaks(t);
    }
    const FontMetrics metrics = fontMetrics(font);
    const jint length = static_cast<jint>(t.size());
    Units result;
    result.reserve(t.size() + t.size() / 8);
    jint lineStart = 0;
    bool braceSeen = false;
    // The pass at i == length measures the whole last line, so it too is broken when too wide.
    for (jint i = 1; i <= length;) {
        const jint width = measureUnits(t.data(), lineStart, i, metrics);
        const jchar c = unitAt(t, i);
        braceSeen = braceSeen || c == kCodeMark;
        if (width < maxWidth && c != kLineBreak) {
            ++i;
            continue;
        }
        // A break that comes while the line still fits ends the line there; a line that reached
        // the width is broken at a space even when a break follows.
        jint cut = width < maxWidth ? i : chooseCut(t, lineStart, i, braceSeen);
        // A cut inside a word keeps the character there for the next line; when it would leave
        // nothing on this line, the line ends where it reached the width.
        if (!isBreakCharacter(unitAt(t, cut)) && cut <= lineStart) {
            cut = i;
        }
        if (cut >= length) {
            break; // a last line without a space stays whole
        }
        result.insert(result.end(), t.begin() + lineStart, t.begin() + cut);
        result.push_back(kLineBreak);
        lineStart = isBreakCharacter(t[static_cast<std::size_t>(cut)]) ? cut + 1 : cut;
        i = lineStart + 1;
        braceSeen = false;
    }
    if (lineStart < length) {
        result.insert(result.end(), t.begin() + lineStart, t.end());
    }
    return newStringOf(result);
}

} // namespace game::sprites
