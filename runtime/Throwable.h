// java_lang_Throwable: the base of every exception of the translated program.
//
// Every exception class of the class table shares this layout and its slots; only the class id
// differs (see LibraryExceptions.h for the classes the library raises).
#pragma once

#include "runtime/Object.h"
#include "runtime/String.h"

namespace runtime {

struct java_lang_Throwable : Object {
    static constexpr jint kClassId = kThrowable;

    String* message = nullptr;
    String* stackTrace = nullptr; // filled when the exception is raised

    // With no message the text is constant string 1 (the empty text).
    explicit java_lang_Throwable(const jint id = kClassId, String* text = nullptr);

    // The message itself, with no class name added.
    String* toString() override { return message; }
};

} // namespace runtime
