// The common header and default behaviour of every object of the translated program.
//
// An object is a C++ object whose first word is its virtual table pointer, followed by the
// 16-bit class id, the collectable byte and the mark byte. Objects live in the object heap,
// are created by newObject (ObjectManager.h) and are never destroyed by C++: the collector calls
// release() and then returns the memory. So every field must be trivially destructible, and
// every field has a default member initializer (memory arrives zeroed, but the constructor owns
// the field values).
//
// Each class is constructed with its own class id passed up the constructor chain, so the id is
// final before any base constructor body runs (base constructors register reference fields
// against it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "runtime/JavaTypes.h"

namespace runtime {

struct String;

// Class ids of the 115 classes; the table of names and superclasses is in ClassTable.cpp.
enum ClassId : jint {
    kObject = 0,
    kClass = 1,
    kString = 2,
    kStringBuffer = 3,
    kObjectArray = 4,
    kBoolArray = 5,
    kByteArray = 6,
    kCharArray = 7,
    kShortArray = 8,
    kIntArray = 9,
    kLong64Array = 10,
    kFloatArray = 11,
    kDoubleArray = 12,
    kAudioClip = 13,
    kDefaultCaseConverter = 14,
    kByteArrayInputStream = 15,
    kByteArrayOutputStream = 16,
    kConsoleOutputStream = 17,
    kDataInputStream = 18,
    kDataOutputStream = 19,
    kEOFException = 20,
    kInputStream = 21,
    kIOException = 22,
    kOutputStream = 23,
    kPrintStream = 24,
    kUTFDataFormatException = 25,
    kArithmeticException = 26,
    kArrayIndexOutOfBoundsException = 27,
    kArrayStoreException = 28,
    kBoolean = 29,
    kCharacter = 30,
    kClassNotFoundException = 31,
    kError = 32,
    kException = 33,
    kFloat = 34,
    kIllegalArgumentException = 35,
    kIllegalStateException = 36,
    kIndexOutOfBoundsException = 37,
    kInteger = 38,
    kInterruptedException = 39,
    kLong = 40,
    kMath = 41,
    kNullPointerException = 42,
    kRunnable = 43,
    kRuntime = 44,
    kRuntimeException = 45,
    kStringDecoder = 46,
    kSystem = 47,
    kThread = 48,
    kThrowable = 49,
    kCalendar = 50,
    kCalendarImpl = 51,
    kDate = 52,
    kEmptyStackException = 53,
    kEnumeration = 54,
    kHashtableEntryInner = 55, // java_util_Hashtable_Entry
    kHashtableEnumerator = 56,
    kHashtable = 57,
    kHashtableEntry = 58,
    kNoSuchElementException = 59,
    kRandom = 60,
    kStack = 61,
    kTimeZone = 62,
    kTimeZoneImpl = 63,
    kVector = 64,
    kConnection = 65,
    kConnectionNotFoundException = 66,
    kConnector = 67,
    kContentConnection = 68,
    kFile = 69,
    kHttpConnection = 70,
    kInputConnection = 71,
    kOutputConnection = 72,
    kResourceInputStream = 73,
    kStreamConnection = 74,
    kCanvas = 75,
    kCommand = 76,
    kCommandListener = 77,
    kDisplay = 78,
    kDisplayable = 79,
    kFont = 80,
    kGraphics = 81,
    kImage = 82,
    kGameCanvas = 83,
    kSprite = 84,
    kControl = 85,
    kControllable = 86,
    kManager = 87,
    kMediaException = 88,
    kPlayer = 89,
    kPlayerListener = 90,
    kMIDIControl = 91,
    kVolumeControl = 92,
    kMIDlet = 93,
    kInvalidRecordIDException = 94,
    kRecordComparator = 95,
    kRecordEnumeration = 96,
    kRecordEnumerationImpl = 97,
    kRecordFilter = 98,
    kRecordListener = 99,
    kRecordStore = 100,
    kRecordStoreException = 101,
    kRecordStoreFullException = 102,
    kRecordStoreNotFoundException = 103,
    kRecordStoreNotOpenException = 104,
    kActor = 105,
    kASprite = 106,
    kASpriteInstance = 107,
    kCPlayer = 108,
    kCState = 109,
    kCTeam = 110,
    kDBG_CLASS = 111,
    kDevice = 112,
    kQuorlin = 113,
    kIGP = 114,
};

inline constexpr jint kClassCount = 115;
// Class id of a freed object, and the superclass id meaning "none".
inline constexpr jint kNoClass = 0xFEEE;
// The mark byte of a new object. The collector never takes it for a mark of its own.
inline constexpr std::uint8_t kNewObjectMark = 1;

struct Object {
    // Virtual slots in the order every class shares; subclasses append their own.
    // Called by the collector just before the memory is freed; gives back what the object owns
    // outside itself.
    virtual void release() {}
    virtual jint equals(Object* other);
    // No class supports cloning: logs "clone", prints the stack trace and returns null.
    virtual Object* clone();
    virtual String* toString();
    // The low 32 bits of the object's address; objects never move, so it is stable.
    virtual jint hashCode();
    // The interface cast: the embedded view of the interface, or null.
    virtual void* getInterface(jint interfaceClassId);

    jshort classId = 0;                 // read signed as a class-table index; 0xFEEE once freed
    std::uint8_t collectable = 1;       // 0: permanent, never freed by a normal collection
    std::uint8_t mark = kNewObjectMark; // the collector's: which collection last reached it

protected:
    explicit Object(const jint id = kObject) : classId(static_cast<jshort>(id)) {}
    ~Object() = default;
};

// 1 when object is an instance of the class (or implements the interface) classId; null gives 0.
jint instanceOf(Object* object, jint classId);

// A class whose objects a reference field or static may hold for the collector: one derived from
// Object. An interface view is not one (its address lies inside its object), and neither is a
// primitive.
template <typename T>
concept ObjectClass = std::is_base_of_v<Object, T>;

} // namespace runtime
