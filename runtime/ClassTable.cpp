// The class table: names and superclasses of the 115 classes, the type tests, and the lists of
// reference-field offsets the collector follows.
#include "runtime/ClassTable.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "runtime/Application.h"
#include "runtime/Log.h"
#include "runtime/StaticClass.h"

namespace runtime {

namespace {

// The 115 class names in id order, NUL-separated.
constexpr char kClassNames[] = "Object\0"
                               "Class\0"
                               "String\0"
                               "StringBuffer\0"
                               "ObjectArray\0"
                               "BoolArray\0"
                               "ByteArray\0"
                               "CharArray\0"
                               "ShortArray\0"
                               "IntArray\0"
                               "Long64Array\0"
                               "FloatArray\0"
                               "DoubleArray\0"
                               "com_samsung_util_AudioClip\0"
                               "com_sun_cldc_i18n_uclc_DefaultCaseConverter\0"
                               "java_io_ByteArrayInputStream\0"
                               "java_io_ByteArrayOutputStream\0"
                               "java_io_ConsoleOutputStream\0"
                               "java_io_DataInputStream\0"
                               "java_io_DataOutputStream\0"
                               "java_io_EOFException\0"
                               "java_io_InputStream\0"
                               "java_io_IOException\0"
                               "java_io_OutputStream\0"
                               "java_io_PrintStream\0"
                               "java_io_UTFDataFormatException\0"
                               "java_lang_ArithmeticException\0"
                               "java_lang_ArrayIndexOutOfBoundsException\0"
                               "java_lang_ArrayStoreException\0"
                               "java_lang_Boolean\0"
                               "java_lang_Character\0"
                               "java_lang_ClassNotFoundException\0"
                               "java_lang_Error\0"
                               "java_lang_Exception\0"
                               "java_lang_Float\0"
                               "java_lang_IllegalArgumentException\0"
                               "java_lang_IllegalStateException\0"
                               "java_lang_IndexOutOfBoundsException\0"
                               "java_lang_Integer\0"
                               "java_lang_InterruptedException\0"
                               "java_lang_Long\0"
                               "java_lang_Math\0"
                               "java_lang_NullPointerException\0"
                               "java_lang_Runnable\0"
                               "java_lang_Runtime\0"
                               "java_lang_RuntimeException\0"
                               "java_lang_StringDecoder\0"
                               "java_lang_System\0"
                               "java_lang_Thread\0"
                               "java_lang_Throwable\0"
                               "java_util_Calendar\0"
                               "java_util_CalendarImpl\0"
                               "java_util_Date\0"
                               "java_util_EmptyStackException\0"
                               "java_util_Enumeration\0"
                               "java_util_Hashtable_Entry\0"
                               "java_util_Hashtable_HashtableEnumerator\0"
                               "java_util_Hashtable\0"
                               "java_util_HashtableEntry\0"
                               "java_util_NoSuchElementException\0"
                               "java_util_Random\0"
                               "java_util_Stack\0"
                               "java_util_TimeZone\0"
                               "java_util_TimeZoneImpl\0"
                               "java_util_Vector\0"
                               "javax_microedition_io_Connection\0"
                               "javax_microedition_io_ConnectionNotFoundException\0"
                               "javax_microedition_io_Connector\0"
                               "javax_microedition_io_ContentConnection\0"
                               "javax_microedition_io_File\0"
                               "javax_microedition_io_HttpConnection\0"
                               "javax_microedition_io_InputConnection\0"
                               "javax_microedition_io_OutputConnection\0"
                               "javax_microedition_io_ResourceInputStream\0"
                               "javax_microedition_io_StreamConnection\0"
                               "javax_microedition_lcdui_Canvas\0"
                               "javax_microedition_lcdui_Command\0"
                               "javax_microedition_lcdui_CommandListener\0"
                               "javax_microedition_lcdui_Display\0"
                               "javax_microedition_lcdui_Displayable\0"
                               "javax_microedition_lcdui_Font\0"
                               "javax_microedition_lcdui_Graphics\0"
                               "javax_microedition_lcdui_Image\0"
                               "javax_microedition_lcdui_game_GameCanvas\0"
                               "javax_microedition_lcdui_game_Sprite\0"
                               "javax_microedition_media_Control\0"
                               "javax_microedition_media_Controllable\0"
                               "javax_microedition_media_Manager\0"
                               "javax_microedition_media_MediaException\0"
                               "javax_microedition_media_Player\0"
                               "javax_microedition_media_PlayerListener\0"
                               "javax_microedition_media_control_MIDIControl\0"
                               "javax_microedition_media_control_VolumeControl\0"
                               "javax_microedition_midlet_MIDlet\0"
                               "javax_microedition_rms_InvalidRecordIDException\0"
                               "javax_microedition_rms_RecordComparator\0"
                               "javax_microedition_rms_RecordEnumeration\0"
                               "javax_microedition_rms_RecordEnumerationImpl\0"
                               "javax_microedition_rms_RecordFilter\0"
                               "javax_microedition_rms_RecordListener\0"
                               "javax_microedition_rms_RecordStore\0"
                               "javax_microedition_rms_RecordStoreException\0"
                               "javax_microedition_rms_RecordStoreFullException\0"
                               "javax_microedition_rms_RecordStoreNotFoundException\0"
                               "javax_microedition_rms_RecordStoreNotOpenException\0"
                               "Actor\0"
                               "ASprite\0"
                               "ASpriteInstance\0"
                               "CPlayer\0"
                               "CState\0"
                               "CTeam\0"
                               "DBG_CLASS\0"
                               "Device\0"
                               "Quorlin\0"
                               "IGP";

struct SuperClassEntry {
    jint classId;
    jint superClassId;
};

// Every class not listed here derives directly from Object (interfaces included).
constexpr SuperClassEntry kSuperClassExceptions[] = {
    {kObject, kNoClass},
    {kError, kThrowable},
    {kException, kThrowable},
    {kIOException, kException},
    {kClassNotFoundException, kException},
    {kInterruptedException, kException},
    {kRuntimeException, kException},
    {kMediaException, kException},
    {kRecordStoreException, kException},
    {kArithmeticException, kRuntimeException},
    {kArrayStoreException, kRuntimeException},
    {kIllegalArgumentException, kRuntimeException},
    {kIllegalStateException, kRuntimeException},
    {kIndexOutOfBoundsException, kRuntimeException},
    {kNullPointerException, kRuntimeException},
    {kEmptyStackException, kRuntimeException},
    {kNoSuchElementException, kRuntimeException},
    {kArrayIndexOutOfBoundsException, kIndexOutOfBoundsException},
    {kEOFException, kIOException},
    {kUTFDataFormatException, kIOException},
    {kConnectionNotFoundException, kIOException},
    {kInvalidRecordIDException, kRecordStoreException},
    {kRecordStoreFullException, kRecordStoreException},
    {kRecordStoreNotFoundException, kRecordStoreException},
    {kRecordStoreNotOpenException, kRecordStoreException},
    {kByteArrayInputStream, kInputStream},
    {kDataInputStream, kInputStream},
    {kResourceInputStream, kInputStream},
    {kByteArrayOutputStream, kOutputStream},
    {kConsoleOutputStream, kOutputStream},
    {kDataOutputStream, kOutputStream},
    {kPrintStream, kOutputStream},
    {kCalendarImpl, kCalendar},
    {kTimeZoneImpl, kTimeZone},
    {kStack, kVector},
    {kCanvas, kDisplayable},
    {kGameCanvas, kCanvas},
    {kDevice, kCanvas},
    {kCState, kDevice},
    {kCPlayer, kActor},
    {kQuorlin, kMIDlet},
};

constexpr std::array<jint, kClassCount> makeSuperClassTable() {
    std::array<jint, kClassCount> table{};
    for (const SuperClassEntry& entry : kSuperClassExceptions) {
        table[entry.classId] = entry.superClassId;
    }
    return table;
}

constexpr std::array<jint, kClassCount> kSuperClasses = makeSuperClassTable();

StaticClass* currentBlock() {
    Application* application = Application::getInstance();
    return application != nullptr ? application->getStaticClass() : nullptr;
}

bool containsOffset(const ClassRecord& record, const jint offset) {
    for (jint i = 0; i < record.refCount; ++i) {
        if (record.refOffsets[i] == offset) {
            return true;
        }
    }
    return false;
}

// Offsets the per-class mask covers: one bit per 8-byte word.
constexpr std::uintptr_t kWordBytes = 8;
constexpr std::uintptr_t kMaskedOffsets = 64 * kWordBytes;

// No object comes near this size; a larger distance means the address is not a field of it.
constexpr std::uintptr_t kMaxFieldOffset = 1 << 20;

// Byte offset of a field from its object's start, or -1 when the address lies outside the object.
jint fieldOffset(const Object* object, const void* field) {
    const auto objectAddress = reinterpret_cast<std::uintptr_t>(object);
    const auto fieldAddress = reinterpret_cast<std::uintptr_t>(field);
    if (fieldAddress < objectAddress || fieldAddress - objectAddress > kMaxFieldOffset) {
        return -1;
    }
    return static_cast<jint>(fieldAddress - objectAddress);
}

} // namespace

void initClassTable(StaticClass* block) {
    if (block == nullptr) {
        log("initClassTable block=null");
        return;
    }
    const char* name = kClassNames;
    for (jint id = 0; id < kClassCount; ++id) {
        ClassRecord& record = block->classes[id];
        record.name = name;
        record.classId = id;
        record.superClassId = kSuperClasses[id];
        name += std::strlen(name) + 1;
    }
}

void detail::registerRefFieldAddresses(Object* object, void* const* fieldAddresses, const jint count) {
    ClassRecord* record = getClassRecordOf(object);
    if (record == nullptr || count <= 0 || fieldAddresses == nullptr) {
        return;
    }
    // Every object of a class after its first registers the same fields: one mask test each.
    std::uint64_t wanted = 0;
    bool masked = true;
    for (jint i = 0; i < count && masked; ++i) {
        const std::uintptr_t offset =
            reinterpret_cast<std::uintptr_t>(fieldAddresses[i]) - reinterpret_cast<std::uintptr_t>(object);
        masked = offset < kMaskedOffsets && offset % kWordBytes == 0;
        wanted |= std::uint64_t{1} << (offset / kWordBytes % 64);
    }
    if (masked && (record->refWordMask & wanted) == wanted) {
        return;
    }
    // Later calls for the same class add what earlier ones lacked: a subclass constructor
    // registers its own fields after its base constructor registered the base's.
    bool anyNew = false;
    for (jint i = 0; i < count; ++i) {
        const jint offset = fieldOffset(object, fieldAddresses[i]);
        if (offset < 0) {
            log("registerRefFields offset");
            dumpStackTrace();
            continue;
        }
        anyNew = anyNew || !containsOffset(*record, offset);
    }
    if (!anyNew) {
        return;
    }
    auto* grown =
        static_cast<jint*>(std::realloc(record->refOffsets, sizeof(jint) * (record->refCount + count)));
    if (grown == nullptr) {
        log("registerRefFields malloc failed");
        dumpStackTrace();
        return;
    }
    record->refOffsets = grown;
    for (jint i = 0; i < count; ++i) {
        const jint offset = fieldOffset(object, fieldAddresses[i]);
        if (offset >= 0 && !containsOffset(*record, offset)) {
            record->refOffsets[record->refCount++] = offset;
            if (offset < static_cast<jint>(kMaskedOffsets) && offset % kWordBytes == 0) {
                record->refWordMask |= std::uint64_t{1} << (offset / kWordBytes);
            }
        }
    }
}

void freeRefFieldLists() {
    StaticClass* block = currentBlock();
    if (block == nullptr) {
        return;
    }
    for (ClassRecord& record : block->classes) {
        std::free(record.refOffsets);
        record.refOffsets = nullptr;
        record.refCount = 0;
        record.refWordMask = 0;
    }
}

ClassRecord* getClassRecord(const jint classId) {
    StaticClass* block = currentBlock();
    if (block == nullptr) {
        return nullptr;
    }
    // Records sit at their own index once the table is filled; the search covers a block
    // whose records were placed otherwise.
    if (classId >= 0 && classId < kClassCount) {
        ClassRecord& record = block->classes[classId];
        if (record.name != nullptr && record.classId == classId) {
            return &record;
        }
    }
    for (ClassRecord& record : block->classes) {
        if (record.name != nullptr && record.classId == classId) {
            return &record;
        }
    }
    return nullptr;
}

ClassRecord* getClassRecordOf(Object* object) {
    return object != nullptr ? getClassRecord(object->classId) : nullptr;
}

jint isSubclassOf(const ClassRecord* record, const ClassRecord* target) {
    if (record == nullptr || target == nullptr) {
        return 0;
    }
    // The chain of a sound table is at most a few classes long; the bound stops a damaged one.
    for (jint steps = 0; steps <= kClassCount; ++steps) {
        if (record->classId == target->classId) {
            return 1;
        }
        if (record->superClassId == kNoClass) {
            return 0;
        }
        record = getClassRecord(record->superClassId);
        if (record == nullptr) {
            log("superClass not found");
            dumpStackTrace();
            return 0;
        }
    }
    log("superClass not found");
    dumpStackTrace();
    return 0;
}

} // namespace runtime
