// PLACEHOLDER until the constant pool lands: only the declaration the string classes use.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {

struct String;

// String n of the constant pool.
String* getConstantString(jint n);

} // namespace runtime
