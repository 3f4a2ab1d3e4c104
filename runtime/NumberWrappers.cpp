// Slots of java_lang_Integer and java_lang_Boolean, and the library statics they keep.
#include "runtime/NumberWrappers.h"

#include "runtime/Application.h"
#include "runtime/ConstantPool.h"
#include "runtime/Numbers.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"

namespace runtime {

namespace {
// Constant strings 329 and 330: the texts of true and false.
constexpr jint kTrueText = 329;
constexpr jint kFalseText = 330;
} // namespace

jint java_lang_Integer::equals(Object* other) {
    return instanceOf(other, kInteger) && static_cast<java_lang_Integer*>(other)->value == value ? 1 : 0;
}

String* java_lang_Integer::toString() {
    return Integer::toString(value);
}

jint java_lang_Boolean::equals(Object* other) {
    return instanceOf(other, kBoolean) && static_cast<java_lang_Boolean*>(other)->value == value ? 1 : 0;
}

String* java_lang_Boolean::toString() {
    return getConstantString(value != 0 ? kTrueText : kFalseText);
}

void Boolean::staticInit() {
    StaticClass* block = Application::getInstance()->getStaticClass();
    block->booleanTrue = newObject<java_lang_Boolean>(jboolean{1});
    block->booleanFalse = newObject<java_lang_Boolean>(jboolean{0});
}

void Runtime::staticInit() {
    StaticClass* block = Application::getInstance()->getStaticClass();
    block->runtimeInstance = newObject<java_lang_Runtime>();
}

java_lang_Runtime* Runtime::getRuntime() {
    return Application::getInstance()->getStaticClass()->runtimeInstance;
}

} // namespace runtime
