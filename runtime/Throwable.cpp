// The Throwable constructor shared by every exception class.
#include "runtime/Throwable.h"

#include "runtime/ClassTable.h"
#include "runtime/ConstantPool.h"

namespace runtime {

namespace {
// Constant string 1: the empty text, the message of an exception built without one.
constexpr jint kNoMessageText = 1;
} // namespace

java_lang_Throwable::java_lang_Throwable(const jint id, String* text) : Object(id) {
    message = text != nullptr ? text : getConstantString(kNoMessageText);
    stackTrace = nullptr;
    registerRefFields(this, &message, &stackTrace);
}

} // namespace runtime
