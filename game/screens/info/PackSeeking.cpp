// Seeking and skipping within the open pack's part file.
#include "game/screens/info/PackSeeking.h"

#include "game/core/GameStatics.h"
#include "game/sprites/ResourcePack.h"
#include "runtime/Exceptions.h"
#include "runtime/Streams.h"

namespace game::info {

using namespace game::sprites;

namespace {

// Skips with the stream's own skip until n bytes are gone, the part ends or the skip raises
// (dropped); the number skipped.
jint skipOnStream(const jint n) {
    GameStatics* s = statics();
    jint done = 0;
    while (done < n) {
        const runtime::jlong skipped = s->packStream->skip(n - done);
        if (runtime::getPendingException() != nullptr) {
            runtime::catchException(runtime::kException);
            break;
        }
        if (skipped <= 0) {
            break;
        }
        done += static_cast<jint>(skipped);
        s->packPosition += static_cast<jint>(skipped);
    }
    return done;
}

// Skips by reading chunks into packSkipBuffer; readPack raises a part that ends first.
void skipByReading(const jint n) {
    GameStatics* s = statics();
    const jint chunk = s->packSkipBufferSize;
    if (s->packSkipBuffer == nullptr || s->packSkipBuffer->length < chunk) {
        s->packSkipBuffer = runtime::newByteArray(chunk);
    }
    for (jint left = n; left > 0;) {
        const jint part = left < chunk ? left : chunk;
        if (sprites::readPack(s->packSkipBuffer, 0, part) < part) {
            return;
        }
        left -= part;
    }
}

} // namespace

void skipPack(const jint n) {
    GameStatics* s = statics();
    if (n <= 0) {
        return;
    }
    if (s->packStream == nullptr) {
        sprites::raisePackError(sprites::kPackPartMissingMessage, "skip of %d bytes with no part open", n);
        return;
    }
    if (s->packSkipBufferSize > 0) {
        skipByReading(n);
        return;
    }
    const jint done = skipOnStream(n);
    if (done < n) {
        sprites::raisePackError(sprites::kPackPartMissingMessage, "part %d ends %d bytes early at %d",
                                s->packCurrentPart, n - done, s->packPosition);
    }
}

void seekPack(const jint position) {
    GameStatics* s = statics();
    if (position < 0) {
        sprites::raisePackError(sprites::kPackPartMissingMessage, "seek to %d", position);
        return;
    }
    if (s->packStream != nullptr && position == s->packPosition) {
        return;
    }
    if (s->packStream == nullptr || position < s->packPosition) {
        sprites::closePack();
        if (!sprites::openPackPart(s->packCurrentPart)) {
            return;
        }
    }
    skipPack(position - s->packPosition);
}

} // namespace game::info
