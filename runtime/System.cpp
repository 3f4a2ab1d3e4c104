// System::arraycopy, System::gc and the clock behind System::currentTimeMillis.
#include "runtime/System.h"

#include <chrono>
#include <cstring>
#include <utility>

#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/CheckFailed.h"
#include "runtime/ObjectManager.h"

namespace runtime::System {

namespace {

bool isArray(const Object* object) {
    return object->classId >= kObjectArray && object->classId <= kDoubleArray;
}

jlong monotonicMillis() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return duration_cast<milliseconds>(steady_clock::now() - start).count();
}

Clock& installedClock() {
    static Clock clock;
    return clock;
}

} // namespace

void arraycopy(Object* src, const jint srcPos, Object* dst, const jint dstPos, const jint n) {
    if (src == nullptr || dst == nullptr) {
        checkFailed("NullPointerException");
        return;
    }
    if (src->classId != dst->classId || !isArray(src)) {
        checkFailed("ArrayStoreException");
        return;
    }
    if (n < 0) {
        checkFailed("arraycopy length");
        return;
    }
    if (n == 0) {
        return;
    }
    auto* from = static_cast<Array*>(src);
    auto* to = static_cast<Array*>(dst);
    // The position checks in the order the messages tell; n > length - position rather than
    // position + n > length, since the sum can overflow.
    const char* failure = srcPos < 0                  ? "src_position"
                          : dstPos < 0                ? "dst_position"
                          : srcPos >= from->length    ? "src_position"
                          : dstPos >= to->length      ? "dst_position"
                          : n > from->length - srcPos ? "src_position"
                          : n > to->length - dstPos   ? "dst_position"
                                                      : nullptr;
    if (failure != nullptr) {
        checkFailed(failure);
        return;
    }
    const jint size = from->elementSize();
    auto* fromBytes =
        static_cast<const unsigned char*>(from->elements) + static_cast<std::size_t>(srcPos) * size;
    auto* toBytes = static_cast<unsigned char*>(to->elements) + static_cast<std::size_t>(dstPos) * size;
    const std::size_t bytes = static_cast<std::size_t>(n) * size;
    if (src == dst) {
        std::memmove(toBytes, fromBytes, bytes);
        return;
    }
    std::memcpy(toBytes, fromBytes, bytes);
}

void gc() {
    Application* application = Application::getInstance();
    if (application == nullptr || application->getObjectManager() == nullptr) {
        checkFailed("System::gc without an Application");
        return;
    }
    application->getObjectManager()->gc(0);
}

jlong currentTimeMillis() {
    const Clock& clock = installedClock();
    return clock ? clock() : monotonicMillis();
}

void setClock(Clock clock) {
    installedClock() = std::move(clock);
}

} // namespace runtime::System
