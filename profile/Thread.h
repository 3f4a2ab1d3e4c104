// java_lang_Thread: the game makes one around its canvas, but no second thread ever runs
// translated code. The host drives the canvas's run itself; sleeping and yielding are where the
// host pumps its events.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"
#include "runtime/Runnable.h"

namespace profile {

using runtime::jint;
using runtime::jlong;

struct java_lang_Thread : runtime::Object, runtime::java_lang_Runnable {
    static constexpr jint kClassId = runtime::kThread;

    explicit java_lang_Thread(runtime::Object* runTarget = nullptr, const jint id = kClassId);

    void* getInterface(jint interfaceClassId) override;
    // Runs the target's run, when the target is runnable.
    void run() override;

    // Logs "WARNING: multithread not supported" and starts nothing.
    void start();
    // Pumps the host's events, waiting the given milliseconds.
    static void sleep(jlong milliseconds);
    // Pumps the host's events, waiting at most 5 milliseconds.
    static void yield();

    runtime::Object* target = nullptr;
};

using Thread = java_lang_Thread;

} // namespace profile
