// Object's default slots and the instance test.
#include "runtime/Object.h"

#include <cstdint>
#include <cstdio>

#include "runtime/Application.h"
#include "runtime/ClassTable.h"
#include "runtime/Log.h"
#include "runtime/String.h"

namespace runtime {

namespace {
// Objects are identified by the low 32 bits of their address: the object heap is far smaller
// than 4 GiB and objects never move, so the value is stable and distinct within the heap.
std::uint32_t lowAddressBits(const Object* object) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(object));
}
} // namespace

jint Object::equals(Object* other) {
    return other == this ? 1 : 0;
}

Object* Object::clone() {
    log("clone");
    dumpStackTrace();
    return nullptr;
}

String* Object::toString() {
    char text[64];
    std::snprintf(text, sizeof text, "Object_id=%d @0x%x", static_cast<int>(classId), lowAddressBits(this));
    return newStringFromCString(text);
}

jint Object::hashCode() {
    return static_cast<jint>(lowAddressBits(this));
}

void* Object::getInterface(jint /*interfaceClassId*/) {
    return nullptr;
}

jint instanceOf(Object* object, const jint classId) {
    if (object == nullptr) {
        return 0;
    }
    // Interfaces derive from Object in the table, so only the interface cast can report one.
    if (object->getInterface(classId) != nullptr) {
        return 1;
    }
    return isSubclassOf(getClassRecordOf(object), getClassRecord(classId));
}

} // namespace runtime
