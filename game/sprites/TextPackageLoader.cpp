// The text-package loaders.
#include "game/sprites/TextPackageLoader.h"

#include "game/core/GameStatics.h"
#include "game/sprites/PackFormat.h"
#include "game/sprites/ResourcePack.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/Streams.h"
#include "runtime/String.h"

namespace game::sprites {

using runtime::IntArray;
using runtime::java_io_InputStream;

namespace {

// What a failed load leaves: no texts, with tables that getText can read.
void installEmptyTextPackage() {
    GameStatics* s = statics();
    s->textCount = 0;
    s->textOffsets = runtime::newIntArray(1);
    s->textBytes = runtime::newByteArray(0);
}

jint failTextPackage(const char* reason, const jint value) {
    runtime::log("text package: %s (%d); no texts are loaded", reason, value);
    installEmptyTextPackage();
    return 0;
}

// A count or offset read with readStreamInt; false when the read raised (the exception is
// caught, as the container's reader catches everything while it reads its tables).
bool readContainerInt(java_io_InputStream* stream, jint& value) {
    value = readStreamInt(stream);
    return runtime::catchException(runtime::kException) == 0 && runtime::getPendingException() == nullptr;
}

} // namespace

jint loadTextPackage(java_io_InputStream* const stream, const jint limit) {
    jint count = 0;
    if (!readContainerInt(stream, count)) {
        return failTextPackage("the count cannot be read", 0);
    }
    if (count < 0 || textContainerHeaderBytes(count) > limit) {
        return failTextPackage("the text count does not fit the entry", count);
    }
    IntArray* offsets = runtime::newIntArray(count + 1);
    for (jint i = 1; i <= count; ++i) {
        jint end = 0;
        if (!readContainerInt(stream, end)) {
            return failTextPackage("the end offsets cannot be read; text", i - 1);
        }
        if (end < (*offsets)[i - 1]) {
            return failTextPackage("an end offset decreases at text", i - 1);
        }
        (*offsets)[i] = end;
    }
    const jint total = (*offsets)[count];
    const jint header = static_cast<jint>(textContainerHeaderBytes(count));
    if (total > limit - header) {
        return failTextPackage("the texts run past the entry; bytes", total);
    }
    runtime::ByteArray* bytes = runtime::newByteArray(total);
    if (readStreamFully(stream, bytes, 0, total) != total) {
        return failTextPackage("the texts are cut short; bytes", total);
    }
    GameStatics* s = statics();
    s->textCount = count;
    s->textOffsets = offsets;
    s->textBytes = bytes;
    return total + header;
}

jint loadTextPackage(java_io_InputStream* const stream) {
    if (stream == nullptr) {
        return failTextPackage("no stream", 0);
    }
    const jint limit = stream->available();
    if (runtime::getPendingException() != nullptr) {
        runtime::catchException(runtime::kException);
        return failTextPackage("the stream cannot tell its size", 0);
    }
    return loadTextPackage(stream, limit);
}

void loadTextPackageEntry(runtime::String* const packName, const jint entry) {
    GameStatics* s = statics();
    if (runtime::ObjectArray* cache = s->textCache) {
        for (jint i = 0; i < cache->length; ++i) {
            (*cache)[i] = nullptr;
        }
    }
    s->textCache = nullptr;
    s->textCount = 0;
    s->textBytes = nullptr;
    s->textOffsets = nullptr;
    openPack(packName);
    const jint size = openPackEntry(entry);
    if (runtime::getPendingException() == nullptr) {
        // The container is read straight from the part stream: the cursor moves past it too.
        s->packPosition += loadTextPackage(s->packStream, size);
    } else {
        failTextPackage("pack entry cannot be opened; entry", entry);
    }
    closePack();
}

} // namespace game::sprites
