// The class table: one record per class (name, id, superclass, reference-field offsets), the
// type tests that exception matching rests on, and the registration of reference fields that
// the collector follows.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct ClassRecord {
    Object* headerSpace[2] = {}; // the width of an object header; nothing reads it
    const char* name = nullptr;
    jint classId = 0;
    jint superClassId = 0;        // kNoClass for Object
    jint* refOffsets = nullptr;   // byte offsets of reference fields from the object's start
    jint refCount = 0;
};

struct StaticClass;

// Fills the 115 records of the block with names, ids and superclass ids.
void initClassTable(StaticClass* block);
// Adds the offsets of the object's reference fields to its class's list (a union over calls,
// so subclass constructors that register after their base still get all fields scanned).
void registerRefFields(Object* object, void* const* fieldAddresses, jint count);
// Frees every record's offset list (at shutdown).
void freeRefFieldLists();
ClassRecord* getClassRecord(jint classId);
ClassRecord* getClassRecordOf(Object* object);
jint isSubclassOf(const ClassRecord* record, const ClassRecord* target);

} // namespace runtime
