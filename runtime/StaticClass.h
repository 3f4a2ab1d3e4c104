// The static-field block: the static fields of every translated class, then the runtime's
// areas (the static root table the collector reads, the constant pool, the class records).
//
// The game keeps its own static fields in a block type that derives from this one; the runtime
// only knows the runtime areas.
#pragma once

#include <type_traits>

#include "runtime/ClassTable.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"
#include "runtime/StaticRef.h"

namespace runtime {

struct ObjectArray;
struct java_lang_Boolean;
struct java_lang_Runtime;
struct String;
struct java_io_PrintStream;
struct java_util_Hashtable;
struct javax_microedition_midlet_MIDlet;

// Room for every reference static: the game's (683 on the handset) and the class library's.
// Declaring more is a fatal error at start-up, never a silently dropped root.
inline constexpr jint kStaticRootCapacity = 1024;

// Blocks are created by createStaticBlock only (their StaticRef fields list themselves in the
// root table as they are constructed); the game's block type derives from this one.
struct StaticClass {
    StaticClass() = default;
    StaticClass(const StaticClass&) = delete;
    // Copies every field's value (a snapshot put back); the root table keeps naming the fields
    // of the block it was built for.
    StaticClass& operator=(const StaticClass&) = default;
    virtual ~StaticClass() = default;

    // Each entry is the address of a reference-typed static field, in ascending field order.
    Object** rootTable[kStaticRootCapacity] = {};
    jint rootCount = 0;

    // Reference statics of the class library.
    StaticRef<java_lang_Boolean> booleanTrue;     // java_lang_Boolean.TRUE
    StaticRef<java_lang_Boolean> booleanFalse;    // java_lang_Boolean.FALSE
    StaticRef<java_lang_Runtime> runtimeInstance; // the one java_lang_Runtime
    StaticRef<java_util_Hashtable> fontCache;     // Font's cache: Integer(face | style | size) -> Font
    StaticRef<javax_microedition_midlet_MIDlet> runningMidlet; // the last midlet constructed
    StaticRef<ObjectArray> constantPool;
    // What getConstantString gives for an index outside the pool: one permanent empty String.
    StaticRef<String> missingConstant;
    // java_lang_System.out and .err (one print stream over the console) and its property table.
    StaticRef<java_io_PrintStream> systemOut;
    StaticRef<java_io_PrintStream> systemErr;
    StaticRef<Object> systemProperties;
    // The number of midlets constructed, added to the start value the static set-up gives it.
    jlong midletCount = 0;
    ClassRecord classes[kClassCount] = {};
};

// Collects the addresses that StaticRef constructors register while a block is constructed.
class StaticRootCollection {
public:
    StaticRootCollection();
    ~StaticRootCollection();
    StaticRootCollection(const StaticRootCollection&) = delete;
    StaticRootCollection& operator=(const StaticRootCollection&) = delete;
    // Copies the registered addresses into block's root table in ascending order.
    void fill(StaticClass* block) const;

private:
    friend void registerStaticRoot(Object** slot);
    Object** slots[kStaticRootCapacity] = {};
    jint count = 0;
    StaticRootCollection* previous = nullptr;
};

// A new block of type Block, every field zero or null, with its root table filled.
template <typename Block> Block* createStaticBlock() {
    static_assert(std::is_base_of_v<StaticClass, Block>);
    StaticRootCollection collection;
    Block* block = new Block();
    collection.fill(block);
    return block;
}

} // namespace runtime
