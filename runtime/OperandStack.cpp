// The operand-stack operations that call out of the frame: constant strings, multi-dimensional
// arrays and the division log line.
#include "runtime/OperandStack.h"

#include "runtime/Application.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/String.h"

namespace runtime {

namespace {
// Descriptors name at most 255 dimensions.
constexpr jint kMaxDimensions = 255;
} // namespace

void OperandStack::pushConstString(OperandStack* frame, const jint n) {
    // The same string, and for a bad index the same logged fallback, as getConstantString.
    pushRef(frame, getConstantString(n));
}

void OperandStack::newMultiArray(OperandStack* frame, const char* descriptor, const jint dimensions) {
    if (dimensions < 1 || dimensions > kMaxDimensions) {
        log("newMultiArray dimensions=%d", dimensions);
        dumpStackTrace();
        popNPushRef(frame, nullptr, dimensions > 0 ? dimensions : 0);
        return;
    }
    jint counts[kMaxDimensions];
    for (jint i = 0; i < dimensions; ++i) {
        counts[i] = static_cast<jint>(frame->valueTop[i - dimensions]);
    }
    popN(frame, dimensions);
    pushRef(frame, runtime::newMultiArray(descriptor, counts, dimensions));
}

void OperandStack::logDivisionByZero(const char* operation) {
    log("%s division by zero", operation);
}

} // namespace runtime
