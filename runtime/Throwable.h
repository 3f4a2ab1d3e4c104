// java_lang_Throwable: the base of every exception of the translated program.
// (The library's exception classes arrive with the number wrappers; this is what raising needs.)
#pragma once

#include "runtime/Object.h"
#include "runtime/String.h"

namespace runtime {

struct java_lang_Throwable : Object {
    static constexpr jint kClassId = kThrowable;

    String* message = nullptr;
    String* stackTrace = nullptr; // filled when the exception is raised

    explicit java_lang_Throwable(const jint id = kClassId, String* text = nullptr);
};

} // namespace runtime
