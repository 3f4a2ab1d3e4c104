// Exceptions of the translated program. They never unwind the native stack: raising one makes
// it the Application's pending exception, with the stack-trace text of the moment. Every
// translated method checks after each call that can raise, and either continues at one of its
// own handlers, found in its handler table, or returns at once and leaves the exception to its
// caller. The host clears what no method caught when control comes back to it.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct java_lang_Throwable;

// One entry of a method's handler table; an entry with class id 0 ends the table. Handlers
// that catch everything name java_lang_Throwable.
struct HandlerEntry {
    jint classId = 0;
    jint start = 0; // first try region covered
    jint end = 0;   // first try region no longer covered
};

// Stores the current stack trace in the exception and makes it the pending one.
void throwException(java_lang_Throwable* exception);
// 0 when nothing is pending; otherwise remembers region as the try region and returns 1.
jint checkException(jint region);
// The pending exception, or null.
java_lang_Throwable* getPendingException();
// Whether an exception is pending: a translated method returns at once when a call left one.
inline bool exceptionPending() {
    return getPendingException() != nullptr;
}
// Index of the first entry whose region range holds the try region and whose class catches the
// pending exception (interface cast or subclass); the exception is then no longer pending.
// -1, leaving it pending, when none does or nothing is pending.
jint findHandler(const HandlerEntry* table);
// Catches the pending exception as a handler for classId would (subclasses and interface casts
// included): true when one was caught and is no longer pending. Anything else stays pending, so
// an Error still reaches the code that can deal with it.
bool catchException(jint classId);

// For the host after each call into translated code (paint, keys, pointer, notifications,
// startApp, run): an exception that no method caught is logged with its stack trace and
// cleared, so it neither unwinds unrelated code later nor stays a collector root. hostCall names
// the call for the log. Returns 1 when there was one.
jint clearStaleException(const char* hostCall);

} // namespace runtime
