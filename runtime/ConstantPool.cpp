// Loading and fetching the constant pool.
#include "runtime/ConstantPool.h"

#include <cstdlib>

#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/CheckFailed.h"
#include "runtime/ConstantPoolFormat.h"
#include "runtime/Exceptions.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/StreamsData.h"
#include "runtime/String.h"

namespace runtime {

namespace {

ResourceOpener installedOpener = nullptr;

// Each string takes at least its two length bytes.
constexpr jint kMinimumStringBytes = 2;

[[noreturn]] void failLoading(const char* reason) {
    log("%s: %s; the game cannot run without its constant strings", kConstantPoolResource, reason);
    dumpStackTrace();
    std::exit(EXIT_FAILURE);
}

// True when a read left an exception pending. The exception is the reason for the failure and
// has no one left to catch it.
bool readFailed(java_io_DataInputStream* data) {
    if (getPendingException() == nullptr) {
        return false;
    }
    Application::getInstance()->pendingException = nullptr;
    data->close();
    return true;
}

} // namespace

void setResourceOpener(const ResourceOpener opener) {
    installedOpener = opener;
}

java_io_InputStream* openResource(String* const name) {
    return installedOpener != nullptr ? installedOpener(name) : nullptr;
}

void loadConstantPool(StaticClass* const block) {
    java_io_InputStream* stream = openResource(newStringFromCString(kConstantPoolResource));
    if (stream == nullptr) {
        failLoading("cannot be opened");
    }
    if (const char* reason = readConstantPool(block, stream)) {
        failLoading(reason);
    }
}

const char* readConstantPool(StaticClass* const block, java_io_InputStream* const stream) {
    java_io_DataInputStream* data = newObject<java_io_DataInputStream>(stream);
    const jint count = data->readInt();
    if (readFailed(data)) {
        return "cut off before its count";
    }
    if (count < 0 || count > data->available() / kMinimumStringBytes) {
        data->close();
        return "its count does not fit its size";
    }
    ObjectArray* pool = newObjectArray(count, kString);
    block->constantPool = pool;
    for (jint i = 0; i < count; ++i) {
        String* text = data->readUTF();
        if (readFailed(data)) {
            return "a string is cut off or not modified UTF-8";
        }
        text->collectable = 0;
        (*pool)[i] = text;
    }
    data->close();
    return nullptr;
}

String* getConstantString(const jint n) {
    Application* application = Application::getInstance();
    StaticClass* block = application != nullptr ? application->getStaticClass() : nullptr;
    if (block == nullptr) {
        checkFailed("getConstantString: no static block");
        return newStringFromCString("");
    }
    ObjectArray* pool = block->constantPool;
    if (pool != nullptr && pool->inBounds(n) && (*pool)[n] != nullptr) {
        return static_cast<String*>((*pool)[n]);
    }
    log("getConstantString: no constant string %d", n);
    dumpStackTrace();
    if (block->missingConstant == nullptr) {
        String* empty = newStringFromCString("");
        empty->collectable = 0;
        block->missingConstant = empty;
    }
    return block->missingConstant;
}

} // namespace runtime
