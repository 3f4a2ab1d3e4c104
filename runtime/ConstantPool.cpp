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

void checkRead(java_io_DataInputStream* data, const char* what) {
    if (getPendingException() == nullptr) {
        return;
    }
    // The exception is the reason for the failure and has no one left to catch it.
    Application::getInstance()->pendingException = nullptr;
    data->close();
    failLoading(what);
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
    java_io_DataInputStream* data = newObject<java_io_DataInputStream>(stream);
    const jint count = data->readInt();
    checkRead(data, "cut off before its count");
    if (count < 0 || count > data->available() / kMinimumStringBytes) {
        data->close();
        failLoading("its count does not fit its size");
    }
    ObjectArray* pool = newObjectArray(count, kString);
    block->constantPool = pool;
    for (jint i = 0; i < count; ++i) {
        String* text = data->readUTF();
        checkRead(data, "a string is cut off or not modified UTF-8");
        text->collectable = 0;
        (*pool)[i] = text;
    }
    data->close();
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
