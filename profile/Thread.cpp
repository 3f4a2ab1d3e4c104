// The Thread class of the single-threaded runtime.
#include "profile/Thread.h"

#include <limits>

#include "platform/Clock.h"
#include "profile/Host.h"
#include "runtime/ClassTable.h"
#include "runtime/Log.h"

namespace profile {

namespace {
constexpr jint kYieldMilliseconds = 5;
} // namespace

java_lang_Thread::java_lang_Thread(runtime::Object* const runTarget, const jint id)
    : runtime::Object(id), target(runTarget) {
    runtime::registerRefFields(this, &target);
}

void* java_lang_Thread::getInterface(const jint interfaceClassId) {
    if (interfaceClassId == runtime::kRunnable) {
        return static_cast<runtime::java_lang_Runnable*>(this);
    }
    return nullptr;
}

void java_lang_Thread::run() {
    if (target == nullptr || target == this) {
        return;
    }
    if (auto* runnable =
            static_cast<runtime::java_lang_Runnable*>(target->getInterface(runtime::kRunnable))) {
        runnable->run();
    }
}

void java_lang_Thread::start() {
    runtime::log("WARNING: multithread not supported");
}

void java_lang_Thread::sleep(const jlong milliseconds) {
    // A negative wait is no wait; a huge one is capped where the pump's counter ends.
    jlong wait = milliseconds < 0 ? 0 : milliseconds;
    if (wait > std::numeric_limits<jint>::max()) {
        wait = std::numeric_limits<jint>::max();
    }
    if (Host* host = Host::getInstance()) {
        host->pumpEvents(static_cast<jint>(wait));
        return;
    }
    platform::clock().delay(static_cast<std::uint32_t>(wait));
}

void java_lang_Thread::yield() {
    sleep(kYieldMilliseconds);
}

} // namespace profile
