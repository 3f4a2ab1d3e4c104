// The drawing primitives over 16-bit pixel memory (see Painter.h).
#include "profile/Painter.h"

#include <algorithm>
#include <cstring>

#include "runtime/Application.h"
#include "runtime/Log.h"

namespace profile {

namespace {

// Larger radii would overflow the ellipse arithmetic and walk for minutes; nothing the size of
// a screen comes close.
constexpr jint kMaxRadius = 16383;

// One transform: flag bit 0 = source x reversed, bit 1 = source y reversed, bit 2 = axes swapped.
// The start is a corner of the destination rectangle; steps are unit moves in x and y.
enum Corner : std::uint8_t { kZero, kWidthLess1, kHeightLess1 };
struct TransformStep {
    jint flags;
    Corner startX, startY; // in terms of the source region's width and height
    jint pixelX, pixelY;   // destination move per source pixel
    jint rowX, rowY;       // destination move per source row
};

constexpr TransformStep kTransformSteps[8] = {
    {0, kZero, kZero, 1, 0, 0, 1},                // none
    {2, kZero, kHeightLess1, 1, 0, 0, -1},        // mirror, rotated 180
    {1, kWidthLess1, kZero, -1, 0, 0, 1},         // mirror
    {3, kWidthLess1, kHeightLess1, -1, 0, 0, -1}, // rotated 180
    {6, kZero, kZero, 0, 1, 1, 0},                // mirror, rotated 270
    {4, kHeightLess1, kZero, 0, 1, -1, 0},        // rotated 90
    {7, kZero, kWidthLess1, 0, -1, 1, 0},         // rotated 270
    {5, kHeightLess1, kWidthLess1, 0, -1, -1, 0}, // mirror, rotated 90
};

jlong cornerOffset(const Corner corner, const jlong width, const jlong height) {
    switch (corner) {
    case kZero:
        return 0;
    case kWidthLess1:
        return width - 1;
    case kHeightLess1:
        return height - 1;
    }
    return 0;
}

void storePair(std::uint16_t* at, const std::uint32_t pair) { std::memcpy(at, &pair, sizeof pair); }

// The "above/below/right/left" outcode of a point relative to a clip box of width w, height h.
jint outcode(const jlong x, const jlong y, const jlong w, const jlong h) {
    jint code = 0;
    if (y < 0) {
        code |= 1;
    } else if (y >= h) {
        code |= 2;
    }
    if (x >= w) {
        code |= 4;
    } else if (x < 0) {
        code |= 8;
    }
    return code;
}

// a + (b - a) * numerator / denominator with truncating division, free of overflow.
jlong interpolate(const jlong a, const jlong b, const jlong numerator, const jlong denominator) {
    return a + static_cast<jlong>(static_cast<__int128>(b - a) * numerator / denominator);
}

// Start angles above 360 reduce into 1..360.
jint reduceAngle(const jint angle) { return angle > 360 ? (angle - 1) % 360 + 1 : angle; }

// Clips the span [start, start + size) to [low, high); false when less than a pixel is left.
bool clipSpan(jlong& start, jlong& size, const jint low, const jint high) {
    if (start < low) {
        if (start + size < low) {
            return false;
        }
        size -= low - start;
        start = low;
    }
    if (start + size > high) {
        size = high - start;
    }
    return size >= 1;
}

// 8.8 fixed-point slope of an edge, 0 for a flat one.
jlong slope(const jlong dx, const jlong dy) { return dy == 0 ? 0 : dx * 256 / dy; }

} // namespace

void logFault(const char* message) {
    runtime::log("%s", message);
    runtime::dumpStackTrace();
}

void fillRect16(std::uint16_t* first, const jint stridePixels, const jint w, const jint h,
                const std::uint16_t value) {
    if (h < 1) {
        logFault("FillRect16 h > 0");
        return;
    }
    const std::uint32_t pair = static_cast<std::uint32_t>(value) * 0x10001u;
    std::uint16_t* row = first;
    for (jint y = 0; y < h; ++y, row += stridePixels) {
        std::uint16_t* p = row;
        jint n = w;
        if ((reinterpret_cast<std::uintptr_t>(p) & 3) != 0 && n > 0) {
            *p++ = value;
            --n;
        }
        for (; n >= 8; n -= 8, p += 8) {
            storePair(p, pair);
            storePair(p + 2, pair);
            storePair(p + 4, pair);
            storePair(p + 6, pair);
        }
        for (; n >= 2; n -= 2, p += 2) {
            storePair(p, pair);
        }
        if (n > 0) {
            *p = value;
        }
    }
}

bool containsKeyColour(const std::uint16_t* pixels, const jlong count) {
    return pixels != nullptr && std::find(pixels, pixels + count, kKeyColour) != pixels + count;
}

void Painter::attach(Surface* target) {
    surface = target;
    colour = 0;
    clipX1 = 0;
    clipY1 = 0;
    clipX2 = target != nullptr ? target->width : 0;
    clipY2 = target != nullptr ? target->height : 0;
    translateX = 0;
    translateY = 0;
}

void Painter::setColor(const jint rgb) { colour = static_cast<jint>(static_cast<std::uint32_t>(rgb) | 0xFF000000u); }

void Painter::setColorRGB(const jint r, const jint g, const jint b) {
    if (r < 0 || r > 255) {
        logFault("setColor r");
    }
    if (g < 0 || g > 255) {
        logFault("setColor g");
    }
    if (b < 0 || b > 255) {
        logFault("setColor b");
    }
    // Bits above r are set so the colour is opaque; out-of-range parts spill as they did.
    const std::uint32_t high = static_cast<std::uint32_t>(r) | 0xFFFFFF00u;
    colour = static_cast<jint>(((high << 8 | static_cast<std::uint32_t>(g)) << 8) | static_cast<std::uint32_t>(b));
}

void Painter::setClip(const jint x, const jint y, const jint w, const jint h) {
    clipX1 = x + translateX;
    clipY1 = y + translateY;
    clipX2 = clipX1 + w;
    clipY2 = clipY1 + h;
    clipX1 = std::max(clipX1, 0);
    clipY1 = std::max(clipY1, 0);
    if (surface != nullptr) {
        clipX2 = std::min(clipX2, surface->width);
        clipY2 = std::min(clipY2, surface->height);
    }
}

void Painter::clipRect(const jint x, const jint y, const jint w, const jint h) {
    const jint left = x + translateX;
    const jint top = y + translateY;
    clipX1 = std::max(clipX1, left);
    clipY1 = std::max(clipY1, top);
    clipX2 = std::min(clipX2, left + w);
    clipY2 = std::min(clipY2, top + h);
    clipX1 = std::max(clipX1, 0);
    clipY1 = std::max(clipY1, 0);
    if (surface != nullptr) {
        clipX2 = std::min(clipX2, surface->width);
        clipY2 = std::min(clipY2, surface->height);
    }
}

void Painter::translate(const jint dx, const jint dy) {
    translateX += dx;
    translateY += dy;
}

Painter::Box Painter::drawableBox() const {
    if (surface == nullptr || surface->pixels == nullptr || surface->type < kPixelRgb565 ||
        surface->type > kPixelArgb4444) {
        return {0, 0, 0, 0};
    }
    // The fields are public, so the clip is limited here again rather than trusted.
    const Box box = {std::max(clipX1, 0), std::max(clipY1, 0),
                     std::min({clipX2, surface->width, surface->stride / 2}), std::min(clipY2, surface->height)};
    if (box.x2 <= box.x1 || box.y2 <= box.y1) {
        return {0, 0, 0, 0};
    }
    return box;
}

bool Painter::clipRectangle(jlong x, jlong y, jlong w, jlong h, Box& out) const {
    const Box box = drawableBox();
    x += translateX;
    y += translateY;
    if (!clipSpan(x, w, box.x1, box.x2) || !clipSpan(y, h, box.y1, box.y2)) {
        return false;
    }
    out = {static_cast<jint>(x), static_cast<jint>(y), static_cast<jint>(x + w), static_cast<jint>(y + h)};
    return true;
}

void Painter::fillRect(const jint x, const jint y, const jint w, const jint h) { fillWide(x, y, w, h); }

void Painter::fillWide(const jlong x, const jlong y, const jlong w, const jlong h) {
    Box area;
    if (clipRectangle(x, y, w, h, area)) {
        fillClipped(area);
    }
}

void Painter::fillClipped(const Box& area) {
    const jint width = area.x2 - area.x1;
    const jint alpha = (static_cast<std::uint32_t>(colour) >> 24) & 0xFF;
    if (alpha == 0xFF) {
        fillRect16(surface->row16(area.y1) + area.x1, surface->stride / 2, width, area.y2 - area.y1,
                   toRgb565(static_cast<std::uint32_t>(colour)));
        return;
    }
    for (jint y = area.y1; y < area.y2; ++y) {
        std::uint16_t* p = surface->row16(y) + area.x1;
        for (jint i = 0; i < width; ++i) {
            p[i] = blendFill(p[i], static_cast<std::uint32_t>(colour), alpha);
        }
    }
}

void Painter::plot(const jint x, const jint y) {
    std::uint16_t* p = surface->row16(y) + x;
    const jint alpha = (static_cast<std::uint32_t>(colour) >> 24) & 0xFF;
    const std::uint16_t pixel = toRgb565(static_cast<std::uint32_t>(colour));
    *p = alpha == 0xFF ? pixel : blendFields(*p, pixel, alpha);
}

void Painter::drawLine(const jint x1, const jint y1, const jint x2, const jint y2) {
    const Box box = drawableBox();
    const jlong width = static_cast<jlong>(box.x2) - box.x1;
    const jlong height = static_cast<jlong>(box.y2) - box.y1;
    if (width < 1 || height < 1) {
        return;
    }
    // Relative to the clip's corner from here on.
    jlong ax = static_cast<jlong>(x1) + translateX - box.x1;
    jlong ay = static_cast<jlong>(y1) + translateY - box.y1;
    jlong bx = static_cast<jlong>(x2) + translateX - box.x1;
    jlong by = static_cast<jlong>(y2) + translateY - box.y1;
    // Each pass puts one end on an edge, so a handful of passes always settles the line.
    for (jint pass = 0;; ++pass) {
        const jint codeA = outcode(ax, ay, width, height);
        const jint codeB = outcode(bx, by, width, height);
        if ((codeA | codeB) == 0) {
            break;
        }
        if ((codeA & codeB) != 0 || pass == 8) {
            return;
        }
        const jint code = codeA != 0 ? codeA : codeB;
        jlong x;
        jlong y;
        if ((code & 1) != 0) {
            x = interpolate(ax, bx, 0 - ay, by - ay);
            y = 0;
        } else if ((code & 2) != 0) {
            x = interpolate(ax, bx, height - 1 - ay, by - ay);
            y = height - 1;
        } else if ((code & 4) != 0) {
            y = interpolate(ay, by, width - 1 - ax, bx - ax);
            x = width - 1;
        } else {
            y = interpolate(ay, by, 0 - ax, bx - ax);
            x = 0;
        }
        if (code == codeA) {
            ax = x;
            ay = y;
        } else {
            bx = x;
            by = y;
        }
    }
    // Bresenham along the major axis.
    const jlong dx = bx > ax ? bx - ax : ax - bx;
    const jlong dy = by > ay ? by - ay : ay - by;
    const jlong stepX = bx >= ax ? 1 : -1;
    const jlong stepY = by >= ay ? 1 : -1;
    const bool xMajor = dx >= dy;
    const jlong major = xMajor ? dx : dy;
    const jlong minor = xMajor ? dy : dx;
    jlong error = 2 * minor - major;
    jlong x = ax;
    jlong y = ay;
    for (jlong i = 0; i <= major; ++i) {
        plot(static_cast<jint>(x + box.x1), static_cast<jint>(y + box.y1));
        if (error >= 0) {
            if (xMajor) {
                y += stepY;
            } else {
                x += stepX;
            }
            error -= 2 * major;
        }
        error += 2 * minor;
        if (xMajor) {
            x += stepX;
        } else {
            y += stepY;
        }
    }
}

void Painter::outline(const jint left, const jint top, const jint right, const jint bottom) {
    drawLine(left, top, right, top);
    drawLine(left, top, left, bottom);
    drawLine(right, top, right, bottom);
    drawLine(left, bottom, right, bottom);
}

void Painter::drawRect(const jint x, const jint y, const jint w, const jint h) { outline(x, y, x + w, y + h); }

void Painter::fillRoundRect(const jint x, const jint y, const jint w, const jint h, const jint arcWidth,
                            const jint /*arcHeight: the corners are circles of the arc width*/) {
    const jint r = std::max(arcWidth - 2, 0) >> 1;
    if (r > kMaxRadius) {
        logFault("fillRoundRect arcWidth");
        return;
    }
    // Two crossed rectangles grow outwards along the midpoint circle; their outlines draw the
    // corners, and a fill covers the middle.
    jint aLeft = x + r;
    jint aTop = y;
    jint aRight = x + r + w - 1 - 2 * r;
    jint aBottom = y + h - 1;
    jint bLeft = x;
    jint bTop = y + r;
    jint bRight = x + w - 1;
    jint bBottom = y + r + h - 1 - 2 * r;
    outline(aLeft, aTop, aRight, aBottom);
    outline(bLeft, bTop, bRight, bBottom);
    if (r >= 1) {
        jint d = 1 - r;
        jint east = 3;
        jint southEast = 5 - 2 * r;
        for (jint step = 0, remaining = r; step < remaining;) {
            if (d < 0) {
                d += east;
                east += 2;
                southEast += 2;
            } else {
                d += southEast;
                east += 2;
                southEast += 4;
                --remaining;
                ++aTop;
                --aBottom;
                ++bLeft;
                --bRight;
            }
            ++step;
            --aLeft;
            ++aRight;
            --bTop;
            ++bBottom;
            outline(aLeft, aTop, aRight, aBottom);
            outline(bLeft, bTop, bRight, bBottom);
        }
    }
    fillRect(x + r, y + r, w - 2 * r, h - 2 * r);
}

void Painter::drawArc(const jint x, const jint y, const jint w, const jint h, const jint startAngle,
                      const jint arcAngle) {
    arc(x, y, w, h, startAngle, arcAngle, false);
}

void Painter::fillArc(const jint x, const jint y, const jint w, const jint h, const jint startAngle,
                      const jint arcAngle) {
    arc(x, y, w, h, startAngle, arcAngle, true);
}

void Painter::arc(const jint x, const jint y, const jint w, const jint h, const jint startAngle,
                  const jint arcAngle, const bool fill) {
    const jint a = w / 2;
    const jint b = h / 2;
    if (a < 0 || b < 0) {
        return; // a negative size draws nothing
    }
    if (a > kMaxRadius || b > kMaxRadius) {
        logFault(fill ? "fillArc w, h" : "drawArc w, h");
        return;
    }
    const jint start = reduceAngle(startAngle);
    const jint end = reduceAngle(start + arcAngle);
    // Only quadrants that the arc covers whole are drawn.
    const bool upperRight = start == 0 && end >= 90;
    const bool upperLeft = start <= 90 && end >= 180;
    const bool lowerLeft = start <= 180 && end >= 270;
    const bool lowerRight = start <= 270 && end == 360;
    if (!upperRight && !upperLeft && !lowerLeft && !lowerRight) {
        return;
    }
    const jlong cx = static_cast<jlong>(x) + a;
    const jlong cy = static_cast<jlong>(y) + b;
    const auto points = [&](const jlong dx, const jlong dy) {
        if (fill) {
            if (upperRight) {
                fillWide(cx, cy - dy, dx + 1, 1);
            }
            if (upperLeft) {
                fillWide(cx - dx, cy - dy, dx + 1, 1);
            }
            if (lowerLeft) {
                fillWide(cx - dx, cy + dy, dx + 1, 1);
            }
            if (lowerRight) {
                fillWide(cx, cy + dy, dx + 1, 1);
            }
            return;
        }
        if (upperRight) {
            fillWide(cx + dx, cy - dy, 1, 1);
        }
        if (upperLeft) {
            fillWide(cx - dx, cy - dy, 1, 1);
        }
        if (lowerLeft) {
            fillWide(cx - dx, cy + dy, 1, 1);
        }
        if (lowerRight) {
            fillWide(cx + dx, cy + dy, 1, 1);
        }
    };
    // Midpoint ellipse; the quarter terms of the decision values are rounded through 16.16.
    const jlong a2 = static_cast<jlong>(a) * a;
    const jlong b2 = static_cast<jlong>(b) * b;
    const auto quarter = [](const jlong v) { return (v * 16384 + 32768) >> 16; };
    jlong px = 0;
    jlong py = b;
    jlong stepX = 0;
    jlong stepY = 2 * a2 * py;
    jlong d = b2 - a2 * b + quarter(a2);
    while (stepX < stepY) {
        points(px, py);
        ++px;
        stepX += 2 * b2;
        if (d < 0) {
            d += stepX + b2;
        } else {
            --py;
            stepY -= 2 * a2;
            d += stepX - stepY + b2;
        }
    }
    d = b2 * (px * px + px) + quarter(b2) + a2 * (py - 1) * (py - 1) - a2 * b2;
    while (py >= 0) {
        points(px, py);
        --py;
        stepY -= 2 * a2;
        if (d > 0) {
            d += a2 - stepY;
        } else {
            ++px;
            stepX += 2 * b2;
            d += stepX - stepY + a2;
        }
    }
}

void Painter::fillTriangle(const jint x1, const jint y1, const jint x2, const jint y2, const jint x3,
                           const jint y3) {
    struct Point {
        jlong x, y;
    };
    Point p[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
    for (jint pass = 0; pass < 2; ++pass) {
        if (p[0].y > p[1].y) {
            std::swap(p[0], p[1]);
        }
        if (p[1].y > p[2].y) {
            std::swap(p[1], p[2]);
        }
    }
    const Point& top = p[0];
    const Point& middle = p[1];
    const Point& bottom = p[2];
    const jlong topToMiddle = slope(middle.x - top.x, middle.y - top.y);
    const jlong topToBottom = slope(bottom.x - top.x, bottom.y - top.y);
    const jlong middleToBottom = slope(bottom.x - middle.x, bottom.y - middle.y);
    jlong left = top.x * 256;
    jlong right = left;
    if (top.y == middle.y) {
        left = std::min(top.x, middle.x) * 256;
        right = std::max(top.x, middle.x) * 256;
    }
    // Only rows inside the clip are filled; edges are advanced to the first of them directly.
    const Box box = drawableBox();
    const jlong firstVisible = static_cast<jlong>(box.y1) - translateY;
    const jlong endVisible = static_cast<jlong>(box.y2) - translateY;
    const auto rows = [&](const jlong from, const jlong to, const jlong leftStep, const jlong rightStep) {
        const jlong first = std::max(from, firstVisible);
        const jlong end = std::min(to, endVisible);
        for (jlong row = first; row < end; ++row) {
            const jlong l = (left + leftStep * (row - from)) >> 8;
            const jlong r = (right + rightStep * (row - from)) >> 8;
            fillWide(l, row, r - l, 1);
        }
        if (to > from) {
            left += leftStep * (to - from);
            right += rightStep * (to - from);
        }
    };
    rows(top.y, middle.y, std::min(topToMiddle, topToBottom), std::max(topToMiddle, topToBottom));
    rows(middle.y, bottom.y + 1, std::max(middleToBottom, topToBottom), std::min(middleToBottom, topToBottom));
}

void Painter::drawImage(const Surface* source, const jint x, const jint y, const jint anchor) {
    if (source == nullptr) {
        logFault("drawRegion pSrc");
        return;
    }
    drawRegion(source, 0, 0, source->width, source->height, kTransformNone, x, y, anchor);
}

void Painter::drawRegion(const Surface* source, const jint xSrc, const jint ySrc, const jint width,
                         const jint height, const jint transform, const jint x, const jint y, const jint anchor) {
    const jint flags = transform >= 0 && transform < 8 ? kTransformSteps[transform].flags : 0;
    const bool swapped = (flags & 4) != 0;
    jlong destWidth = swapped ? height : width;
    jlong destHeight = swapped ? width : height;
    jlong left = x;
    jlong top = y;
    if ((anchor & kAnchorHCenter) != 0) {
        left -= destWidth >> 1;
    } else if ((anchor & kAnchorRight) != 0) {
        left -= destWidth;
    }
    if ((anchor & kAnchorVCenter) != 0) {
        top -= destHeight >> 1;
    } else if ((anchor & kAnchorBottom) != 0) {
        top -= destHeight;
    }
    left += translateX;
    top += translateY;

    // Trim the destination to the clip and move the source origin by what the transform maps
    // to each trimmed edge.
    const Box box = drawableBox();
    const jlong cutLeft = std::max<jlong>(0, box.x1 - left);
    const jlong cutRight = std::max<jlong>(0, left + destWidth - box.x2);
    const jlong cutTop = std::max<jlong>(0, box.y1 - top);
    const jlong cutBottom = std::max<jlong>(0, top + destHeight - box.y2);
    left += cutLeft;
    top += cutTop;
    destWidth -= cutLeft + cutRight;
    destHeight -= cutTop + cutBottom;
    if (destWidth < 1 || destHeight < 1) {
        return;
    }
    jlong sourceX = xSrc;
    jlong sourceY = ySrc;
    jlong sourceWidth;
    jlong sourceHeight;
    if (!swapped) {
        sourceX += (flags & 1) != 0 ? cutRight : cutLeft;
        sourceY += (flags & 2) != 0 ? cutBottom : cutTop;
        sourceWidth = destWidth;
        sourceHeight = destHeight;
    } else {
        sourceY += (flags & 2) != 0 ? cutLeft : cutRight;
        sourceX += (flags & 1) != 0 ? cutBottom : cutTop;
        sourceWidth = destHeight;
        sourceHeight = destWidth;
    }
    blitRegion(source, sourceX, sourceY, sourceWidth, sourceHeight, transform, static_cast<jint>(left),
               static_cast<jint>(top));
}

void Painter::blitRegion(const Surface* source, const jlong xSrc, const jlong ySrc, const jlong width,
                         const jlong height, const jint transform, const jint x, const jint y) {
    if (source == nullptr || source->pixels == nullptr) {
        logFault("drawRegion pSrc");
        return;
    }
    if (xSrc < 0 || xSrc + width > source->width || xSrc + width > source->stride / 2) {
        logFault("drawRegion x_src");
        return;
    }
    if (ySrc < 0 || ySrc + height > source->height) {
        logFault("drawRegion y_src");
        return;
    }
    if (transform < 0 || transform > 7) {
        logFault("drawRegion transform");
        return;
    }
    if (source->type < kPixelRgb565 || source->type > kPixelArgb4444) {
        logFault("m_pixelType");
        return;
    }
    const TransformStep& step = kTransformSteps[transform];
    const jlong destStride = surface->stride / 2;
    const jlong startX = x + cornerOffset(step.startX, width, height);
    const jlong startY = y + cornerOffset(step.startY, width, height);
    const jlong pixelStep = step.pixelX + step.pixelY * destStride;
    const jlong rowStep = step.rowX + step.rowY * destStride;
    std::uint16_t* destination = surface->row16(0);
    for (jlong j = 0; j < height; ++j) {
        const std::uint16_t* from = source->row16(static_cast<jint>(ySrc + j)) + xSrc;
        std::uint16_t* to = destination + startY * destStride + startX + j * rowStep;
        switch (source->type) {
        case kPixelRgb565:
            if (pixelStep == 1) {
                std::memmove(to, from, static_cast<std::size_t>(width) * 2);
                break;
            }
            for (jlong i = 0; i < width; ++i, to += pixelStep) {
                *to = from[i];
            }
            break;
        case kPixelKeyed:
            for (jlong i = 0; i < width; ++i, to += pixelStep) {
                if (from[i] != kKeyColour) {
                    *to = from[i];
                }
            }
            break;
        default: // ARGB4444
            for (jlong i = 0; i < width; ++i, to += pixelStep) {
                *to = blend4444(*to, from[i]);
            }
            break;
        }
    }
}

void Painter::drawRGB(const jint* values, const jint length, const jint offset, const jint scanLength,
                      const jint x, const jint y, const jint w, const jint h, const bool processAlpha) {
    Box area;
    if (!clipRectangle(x, y, w, h, area)) {
        return;
    }
    const jlong first = static_cast<jlong>(offset) + (area.y1 - (static_cast<jlong>(y) + translateY)) * scanLength +
                        (area.x1 - (static_cast<jlong>(x) + translateX));
    const jlong last = first + static_cast<jlong>(area.y2 - area.y1 - 1) * scanLength;
    const jint width = area.x2 - area.x1;
    if (values == nullptr || std::min(first, last) < 0 || std::max(first, last) + width > length) {
        logFault("drawRGB");
        return;
    }
    const bool target4444 = surface->type == kPixelArgb4444;
    for (jint row = 0; row < area.y2 - area.y1; ++row) {
        const jint* from = values + first + static_cast<jlong>(row) * scanLength;
        std::uint16_t* to = surface->row16(area.y1 + row) + area.x1;
        for (jint i = 0; i < width; ++i) {
            const auto argb = static_cast<std::uint32_t>(from[i]);
            if (target4444) {
                to[i] = toArgb4444(argb);
                continue;
            }
            if (!processAlpha) {
                to[i] = toRgb565(argb);
                continue;
            }
            const jint alpha = static_cast<jint>(argb >> 24);
            if (alpha == 0xFF) {
                to[i] = toRgb565(argb);
            } else if (alpha != 0) {
                to[i] = blendFields(to[i], toRgb565(argb), alpha);
            }
        }
    }
}

} // namespace profile
