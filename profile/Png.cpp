// PNG chunk scan and decoding through libpng (see Png.h).
#include "profile/Png.h"

#include <png.h>

#include <atomic>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "profile/Painter.h"
#include "profile/Pixels.h"
#include "runtime/Log.h"

namespace profile {

namespace {

constexpr std::uint32_t kChunkIHDR = 0x49484452;
constexpr std::uint32_t kChunkPLTE = 0x504C5445;
constexpr std::uint32_t kChunkTRNS = 0x74524E53;
constexpr std::uint32_t kChunkIEND = 0x49454E44;
constexpr std::size_t kSignatureSize = 8;

constexpr jint kColourTypeGreyAlpha = 4;
constexpr jint kColourTypeRgbAlpha = 6;

std::uint32_t readBigEndian32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) << 24 | static_cast<std::uint32_t>(at[1]) << 16 |
           static_cast<std::uint32_t>(at[2]) << 8 | static_cast<std::uint32_t>(at[3]);
}

// Every block decoding allocates goes through here, so a test can see that none is left over.
std::atomic<std::int64_t> liveAllocations{0};

void* trackedAllocate(const std::size_t size, const bool zeroed) {
    void* block = zeroed ? std::calloc(1, size) : std::malloc(size);
    if (block != nullptr) {
        ++liveAllocations;
    }
    return block;
}

void trackedFree(void* block) {
    if (block != nullptr) {
        --liveAllocations;
        std::free(block);
    }
}

png_voidp allocateForLibpng(png_structp, const png_alloc_size_t size) { return trackedAllocate(size, false); }

void freeForLibpng(png_structp, const png_voidp block) { trackedFree(block); }

// Everything a decode owns. It lives in decodePng's frame, so after libpng's long jump the
// cleanup there finds every allocation, however far decoding had come.
struct DecodeContext {
    const std::uint8_t* data = nullptr;
    std::size_t length = 0;
    std::size_t position = 0;
    PngHeader header;
    jint type = kPixelRgb565;
    jint stride = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_bytep rowData = nullptr;
    png_bytepp rows = nullptr;
    std::uint16_t* pixels = nullptr;
};

[[noreturn]] void onPngError(png_structp png, const png_const_charp message) {
    runtime::log("createImage %s", message);
    png_longjmp(png, 1);
}

// Warnings concern ancillary chunks that decoding skips anyway.
void onPngWarning(png_structp, png_const_charp) {}

void readFromMemory(png_structp png, const png_bytep out, const png_size_t count) {
    auto* context = static_cast<DecodeContext*>(png_get_io_ptr(png));
    if (count > context->length - context->position) {
        png_error(png, "truncated data");
    }
    std::memcpy(out, context->data + context->position, count);
    context->position += count;
}

// Converts the 8-bit RGB or RGBA rows into the pixel buffer.
void convertRows(const DecodeContext& context, const bool keyed) {
    const jint width = context.header.width;
    const jint stridePixels = context.stride / 2;
    for (jint y = 0; y < context.header.height; ++y) {
        const png_byte* from = context.rows[y];
        std::uint16_t* to = context.pixels + static_cast<std::int64_t>(y) * stridePixels;
        for (jint x = 0; x < width; ++x) {
            if (keyed) {
                const std::uint32_t rgb = from[0] << 16 | from[1] << 8 | from[2];
                // Transparency comes from a tRNS chunk: clear pixels take the key colour, the
                // others are drawn opaque.
                to[x] = from[3] == 0 ? kKeyColour : toRgb565(rgb);
                from += 4;
            } else if (context.type == kPixelArgb4444) {
                to[x] = toArgb4444(static_cast<std::uint32_t>(from[3]) << 24 | from[0] << 16 | from[1] << 8 | from[2]);
                from += 4;
            } else {
                to[x] = toRgb565(from[0] << 16 | from[1] << 8 | from[2]);
                from += 3;
            }
        }
    }
}

// The libpng part. It returns false after a long jump; nothing here owns anything that the
// jump could skip, all of it is in the context.
bool runLibpng(DecodeContext& context) {
    if (setjmp(png_jmpbuf(context.png)) != 0) {
        return false;
    }
    png_structp png = context.png;
    png_infop info = context.info;
    png_set_read_fn(png, &context, readFromMemory);
    png_read_info(png, info);
    // Rows are written by the scanned size, so libpng must agree with it.
    if (png_get_image_width(png, info) != static_cast<png_uint_32>(context.header.width) ||
        png_get_image_height(png, info) != static_cast<png_uint_32>(context.header.height) ||
        png_get_color_type(png, info) != context.header.colourType) {
        png_error(png, "IHDR differs from the chunk scan");
    }
    const bool keyed = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    // Every colour type and depth arrives as 8-bit RGB, or RGBA when there is alpha.
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_packing(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const std::size_t width = context.header.width;
    const std::size_t height = context.header.height;
    const std::size_t channels = keyed || context.type == kPixelArgb4444 ? 4 : 3;
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    if (png_get_channels(png, info) != channels || png_get_bit_depth(png, info) != 8 || rowBytes != width * channels) {
        png_error(png, "unexpected row layout");
    }
    context.rowData = static_cast<png_bytep>(trackedAllocate(rowBytes * height, false));
    context.rows = static_cast<png_bytepp>(trackedAllocate(height * sizeof(png_bytep), false));
    context.pixels = static_cast<std::uint16_t*>(
        trackedAllocate(static_cast<std::size_t>(context.stride) * height, true));
    if (context.rowData == nullptr || context.rows == nullptr || context.pixels == nullptr) {
        png_error(png, "out of memory");
    }
    for (std::size_t y = 0; y < height; ++y) {
        context.rows[y] = context.rowData + y * rowBytes;
    }
    png_read_image(png, context.rows);
    convertRows(context, keyed);
    return true;
}

} // namespace

PngHeader scanPngHeader(const std::uint8_t* data, const std::size_t length) {
    PngHeader header;
    std::size_t position = kSignatureSize;
    while (data != nullptr && position <= length && length - position >= 8) {
        const auto chunkLength = static_cast<jint>(readBigEndian32(data + position));
        const std::uint32_t chunkType = readBigEndian32(data + position + 4);
        position += 8;
        if (chunkType == kChunkIEND || chunkLength < 0) {
            break;
        }
        if (chunkType == kChunkIHDR) {
            if (chunkLength < 10 || length - position < 10) {
                break;
            }
            header.found = true;
            header.width = static_cast<jint>(readBigEndian32(data + position));
            header.height = static_cast<jint>(readBigEndian32(data + position + 4));
            header.bitDepth = data[position + 8];
            header.colourType = data[position + 9];
        } else if (chunkType == kChunkPLTE) {
            header.paletteCount = chunkLength / 3;
        } else if (chunkType == kChunkTRNS) {
            header.hasTransparency = true;
        }
        position += static_cast<std::size_t>(chunkLength) + 4; // data and CRC
    }
    return header;
}

bool decodePng(const std::uint8_t* data, const std::size_t length, DecodedPng& out) {
    DecodeContext context;
    context.data = data;
    context.length = data != nullptr ? length : 0;
    context.header = scanPngHeader(data, context.length);
    const PngHeader& header = context.header;
    if (!header.found) {
        runtime::log("createImage no IHDR");
        return false;
    }
    const std::int64_t stride = (static_cast<std::int64_t>(header.width) + (header.width & 1)) * 2;
    if (header.width < 1 || header.height < 1 || stride * header.height > kMaxPixelBytes) {
        runtime::log("createImage size %dx%d", header.width, header.height);
        return false;
    }
    context.stride = static_cast<jint>(stride);
    const bool alpha = header.colourType == kColourTypeRgbAlpha || header.colourType == kColourTypeGreyAlpha;
    context.type = alpha ? kPixelArgb4444 : kPixelRgb565;

    context.png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning, nullptr,
                                           allocateForLibpng, freeForLibpng);
    if (context.png == nullptr) {
        runtime::log("createImage png_create_read_struct");
        return false;
    }
    png_set_expand(context.png);
    // A chunk's length field comes from the file: a text chunk claiming 2 GiB made libpng allocate
    // that much before finding the data missing. Decoding needs no ancillary chunk but tRNS, so
    // the others are skipped unread, and any other chunk allocation is capped.
    static constexpr png_byte kSkippedChunks[] = "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0"
                                                 "pHYs\0sBIT\0sCAL\0sPLT\0sRGB\0tEXt\0tIME\0zTXt";
    png_set_keep_unknown_chunks(context.png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks,
                                static_cast<int>(sizeof kSkippedChunks / 5));
    png_set_chunk_malloc_max(context.png, static_cast<png_alloc_size_t>(kMaxPixelBytes));
    context.info = png_create_info_struct(context.png);
    const bool decoded = context.info != nullptr && runLibpng(context);

    trackedFree(context.rows);
    trackedFree(context.rowData);
    png_destroy_read_struct(&context.png, context.info != nullptr ? &context.info : nullptr, nullptr);
    if (!decoded) {
        trackedFree(context.pixels);
        return false;
    }
    --liveAllocations; // the pixels now belong to the caller
    out.pixels = context.pixels;
    out.width = header.width;
    out.height = header.height;
    out.stride = context.stride;
    out.type = context.type;
    if (out.type != kPixelArgb4444) {
        out.type = containsKeyColour(out.pixels, static_cast<std::int64_t>(out.stride / 2) * out.height) ? kPixelKeyed
                                                                                                         : kPixelRgb565;
    }
    return true;
}

std::int64_t pngLiveAllocations() { return liveAllocations.load(); }

} // namespace profile
