// The class table: one record per class (name, id, superclass, reference-field offsets), the
// type tests that exception matching rests on, and the registration of reference fields that
// the collector follows.
#pragma once

#include <cstdint>

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct ClassRecord {
    Object* headerSpace[2] = {}; // the width of an object header; nothing reads it
    const char* name = nullptr;
    jint classId = 0;
    jint superClassId = 0;      // kNoClass for Object
    jint* refOffsets = nullptr; // byte offsets of reference fields from the object's start
    jint refCount = 0;
    // Bit k set when byte offset 8k is in refOffsets (offsets below 512), so that constructing
    // an object of a class whose fields are known checks a mask instead of searching the list.
    std::uint64_t refWordMask = 0;
};

struct StaticClass;

// Fills the 115 records of the block with names, ids and superclass ids.
void initClassTable(StaticClass* block);
namespace detail {
// registerRefFields on addresses whose types were checked.
void registerRefFieldAddresses(Object* object, void* const* fieldAddresses, jint count);
} // namespace detail

// Adds the offsets of the object's reference fields to its class's list (a union over calls,
// so subclass constructors that register after their base still get all fields scanned), as in
// registerRefFields(this, &next, &name). The collector reads each field as an object's address,
// so a field that could hold an interface view (or a non-reference) does not compile here.
template <ObjectClass... Held>
requires(sizeof...(Held) > 0) void registerRefFields(Object* const object, Held** const... fields) {
    void* const addresses[] = {fields...};
    detail::registerRefFieldAddresses(object, addresses, static_cast<jint>(sizeof...(Held)));
}
// Frees every record's offset list (at shutdown).
void freeRefFieldLists();
ClassRecord* getClassRecord(jint classId);
ClassRecord* getClassRecordOf(Object* object);
jint isSubclassOf(const ClassRecord* record, const ClassRecord* target);

} // namespace runtime
