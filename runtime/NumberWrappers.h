// The class library's small value classes: java_lang_Integer, java_lang_Boolean (with its
// TRUE and FALSE statics) and the java_lang_Runtime singleton.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct String;

struct java_lang_Integer : Object {
    static constexpr jint kClassId = kInteger;

    jint value = 0;

    explicit java_lang_Integer(const jint v = 0, const jint id = kClassId) : Object(id), value(v) {}

    // 1 for another Integer with the same value.
    jint equals(Object* other) override;
    // The decimal text of the value.
    String* toString() override;
    jint hashCode() override { return value; }
    virtual jlong longValue() { return value; }
};

struct java_lang_Boolean : Object {
    static constexpr jint kClassId = kBoolean;

    jboolean value = 0;

    explicit java_lang_Boolean(const jboolean v = 0, const jint id = kClassId) : Object(id), value(v) {}

    // 1 for another Boolean with the same value.
    jint equals(Object* other) override;
    // Constant string 329 for true, 330 for false.
    String* toString() override;
    jint hashCode() override { return value != 0 ? 1 : 0; }
};

struct java_lang_Runtime : Object {
    static constexpr jint kClassId = kRuntime;

    explicit java_lang_Runtime(const jint id = kClassId) : Object(id) {}

    // The class's own two slots; on this system both do nothing.
    virtual void gc() {}
    virtual void exit(jint /*status*/) {}
};

namespace Boolean {
// Creates the TRUE and FALSE statics in the static-field block (once, by the static set-up).
void staticInit();
} // namespace Boolean

namespace Runtime {
// Creates the one Runtime instance in the static-field block (once, by the static set-up).
void staticInit();
java_lang_Runtime* getRuntime();
} // namespace Runtime

} // namespace runtime
