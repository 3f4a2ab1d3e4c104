// The print stream, the console and java_lang_System's stream statics.
#include "runtime/StreamsPrint.h"

#include "runtime/Application.h"
#include "runtime/ClassTable.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/Hashtable.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"
#include "runtime/Throwable.h"

namespace runtime {

namespace {

constexpr jint kLineFeed = 10;
// Constant strings of the one system property: its key and its value.
constexpr jint kSystemPropertyKey = 321;
constexpr jint kSystemPropertyValue = 322;

// A print stream records no error state: an I/O error under it is simply forgotten.
void dropIOException() {
    Application* application = Application::getInstance();
    if (application != nullptr && instanceOf(application->pendingException, kIOException) != 0) {
        application->pendingException = nullptr;
    }
}

} // namespace

java_io_PrintStream::java_io_PrintStream(java_io_OutputStream* const stream)
    : java_io_OutputStream(kClassId), out(stream) {
    registerRefFields(this, &out);
}

void java_io_PrintStream::close() {
    if (out != nullptr) {
        out->close();
        dropIOException();
    }
}

void java_io_PrintStream::flush() {
    if (out != nullptr) {
        out->flush();
        dropIOException();
    }
}

void java_io_PrintStream::write(const jint b) {
    if (out != nullptr) {
        out->write(b);
        dropIOException();
    }
}

void java_io_PrintStream::write(ByteArray* const b, const jint off, const jint len) {
    if (out != nullptr) {
        out->write(b, off, len);
        dropIOException();
    }
}

void java_io_PrintStream::print(String* const s) {
    if (out == nullptr) {
        return;
    }
    ByteArray* bytes = (s != nullptr ? s : String::valueOfObject(nullptr))->getBytes();
    out->write(bytes);
    dropIOException();
}

void java_io_PrintStream::println(String* const s) {
    print(s);
    if (getPendingException() != nullptr || out == nullptr) {
        return;
    }
    out->write(kLineFeed);
    dropIOException();
}

void System::staticInit(StaticClass* const block) {
    // The console and its print stream last the whole run, like the statics that hold them.
    java_io_ConsoleOutputStream* console = newObject<java_io_ConsoleOutputStream>();
    console->collectable = 0;
    java_io_PrintStream* stream = newObject<java_io_PrintStream>(console);
    stream->collectable = 0;
    block->systemOut = stream;
    block->systemErr = stream;

    // The one system property.
    java_util_Hashtable* properties = newObject<java_util_Hashtable>();
    block->systemProperties = properties;
    properties->put(getConstantString(kSystemPropertyKey), getConstantString(kSystemPropertyValue));
}

} // namespace runtime
