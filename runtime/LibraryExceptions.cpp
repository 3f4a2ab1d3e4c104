// Exceptions of the class library that build their own message.
#include "runtime/LibraryExceptions.h"

#include "runtime/ConstantPool.h"
#include "runtime/ObjectManager.h"
#include "runtime/StringBuffer.h"

namespace runtime {

namespace {
// Constant string 320: the text before the index of an ArrayIndexOutOfBoundsException.
constexpr jint kIndexMessageText = 320;
constexpr jint kIndexMessageCapacity = 16;
} // namespace

java_lang_ArrayIndexOutOfBoundsException* newArrayIndexOutOfBoundsException(const jint index) {
    // The message first: the exception then takes a finished String.
    StringBuffer* text = newStringBuffer(kIndexMessageCapacity);
    text->append(getConstantString(kIndexMessageText));
    text->appendInt(index);
    String* message = text->toString();
    return newObject<java_lang_ArrayIndexOutOfBoundsException>(message);
}

} // namespace runtime
