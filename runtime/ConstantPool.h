// The constant pool: every string literal of the translated program is one permanent String,
// loaded once at start-up from the resource "/constants.bin" (layout: ConstantPoolFormat.h) and
// fetched by index. The same index always gives the same object, so literals compare equal by
// identity as well as by content.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {

struct StaticClass;
struct String;
struct java_io_InputStream;

// The resource opener the pool reads through. The runtime sits below the profile, so the profile
// installs its getResourceAsStream here before the static set-up runs (tests install their own).
using ResourceOpener = java_io_InputStream* (*)(String* name);
void setResourceOpener(ResourceOpener opener);
// The installed opener's stream for name; null when none is installed or nothing has that name.
java_io_InputStream* openResource(String* name);

// Reads "/constants.bin" into the block's constant pool, every string made permanent. The game
// cannot run without its literals: a missing, cut-off or garbled pool is logged with the reason
// and ends the program with a non-zero exit code.
void loadConstantPool(StaticClass* block);

// String n of the pool. An index outside the pool is logged and gives a permanent empty String.
String* getConstantString(jint n);

} // namespace runtime
