// java_lang_System's native routines: bulk array copies, the collector, and the clock.
#pragma once

#include <functional>

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime::System {

// Copies n elements of src from srcPos to dst from dstPos (one array may be both). Bad
// arguments are logged with the stack trace and copy nothing; nothing raises.
void arraycopy(Object* src, jint srcPos, Object* dst, jint dstPos, jint n);

// One full collection of the current Application's objects.
void gc();

// Milliseconds since the program started, from the clock the host installed.
jlong currentTimeMillis();

// Replaces the clock (the host installs its timer; tests a fixed clock); null restores the
// default, a monotonic clock counting from the first use.
using Clock = std::function<jlong()>;
void setClock(Clock clock);

} // namespace runtime::System
