// The static-field block: the static fields of every translated class, then the runtime's
// areas (the static root table the collector reads, the constant pool, the class records).
//
// The game keeps its own static fields in a block type that derives from this one; the runtime
// only knows the runtime areas.
#pragma once

#include "runtime/ClassTable.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct ObjectArray;
struct java_lang_Boolean;
struct java_lang_Runtime;
struct String;
struct java_io_PrintStream;
struct java_util_Hashtable;
struct javax_microedition_midlet_MIDlet;

// The game's table of reference-typed static fields has 683 entries.
inline constexpr jint kStaticRootCapacity = 683;

struct StaticClass {
    // Reference statics of the class library (the static set-up lists them in rootTable).
    java_lang_Boolean* booleanTrue = nullptr;     // java_lang_Boolean.TRUE
    java_lang_Boolean* booleanFalse = nullptr;    // java_lang_Boolean.FALSE
    java_lang_Runtime* runtimeInstance = nullptr; // the one java_lang_Runtime
    java_util_Hashtable* fontCache = nullptr;     // Font's cache: Integer(face | style | size) -> Font
    javax_microedition_midlet_MIDlet* runningMidlet = nullptr; // the last midlet constructed
    // Each entry is the address of a reference-typed static field; null entries are skipped.
    Object** rootTable[kStaticRootCapacity] = {};
    jint rootCount = 0;
    ObjectArray* constantPool = nullptr;
    // What getConstantString gives for an index outside the pool: one permanent empty String.
    String* missingConstant = nullptr;
    // java_lang_System.out and .err (one print stream over the console) and its property table.
    java_io_PrintStream* systemOut = nullptr;
    java_io_PrintStream* systemErr = nullptr;
    Object* systemProperties = nullptr;
    // The number of midlets constructed, added to the start value the static set-up gives it.
    jlong midletCount = 0;
    ClassRecord classes[kClassCount] = {};
};

// Lists a reference-typed static field of the block in its root table (once), so the collector
// keeps what the field holds.
template <typename T>
void addStaticRoot(StaticClass* const block, T** const field) {
    Object** const entry = reinterpret_cast<Object**>(field);
    for (jint i = 0; i < block->rootCount; ++i) {
        if (block->rootTable[i] == entry) {
            return;
        }
    }
    if (block->rootCount < kStaticRootCapacity) {
        block->rootTable[block->rootCount++] = entry;
    }
}

} // namespace runtime
