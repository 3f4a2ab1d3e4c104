// A small runtime for tests (see RuntimeFixture.h).
#include "tests/runtime/RuntimeFixture.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/ClassTable.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"
#include "runtime/VirtualMemoryManager.h"

namespace runtime {

RuntimeFixture::RuntimeFixture(const jint objectHeapSize, const jint secondaryHeapSize)
    : objectHeapSize(objectHeapSize), secondaryHeapSize(secondaryHeapSize) {}

void RuntimeFixture::SetUp() {
    previousSink = setLogSink([this](const std::string& line) { lines.push_back(line); });
    Application::setInstance(&application);

    application.objectHeap = new VirtualMemoryManager();
    ASSERT_TRUE(application.objectHeap->init(objectHeapSize, false));
    application.secondaryHeap = new VirtualMemoryManager();
    ASSERT_TRUE(application.secondaryHeap->init(secondaryHeapSize, true));
    application.objectHeap->setCollectHook([](jint) {});
    application.secondaryHeap->setCollectHook([](jint) {});

    application.objectManager = new ObjectManager();
    application.objectManager->application = &application;
    application.staticClass = new StaticClass();
    initClassTable(application.staticClass);
}

void RuntimeFixture::TearDown() {
    // Every object still alive is released before its heap goes, so the pixels, sound buffers
    // and files it owns go with it. Statics stay readable until then: release slots may use them.
    application.pendingException = nullptr;
    if (ObjectManager* manager = application.objectManager) {
        manager->gc(kGcFreeAll);
        std::free(manager->objects);
        std::free(manager->markObjects);
        std::free(manager->markNext);
        delete manager;
        application.objectManager = nullptr;
    }
    if (application.staticClass != nullptr) {
        application.staticClass->constantPool = nullptr;
    }
    freeRefFieldLists();
    delete application.staticClass;
    application.staticClass = nullptr;
    for (VirtualMemoryManager** heap : {&application.objectHeap, &application.secondaryHeap}) {
        if (*heap != nullptr) {
            (*heap)->destroy();
            delete *heap;
            *heap = nullptr;
        }
    }
    Application::setInstance(nullptr);
    setLogSink(previousSink);
}

bool RuntimeFixture::logged(const std::string& line) const {
    for (const std::string& candidate : lines) {
        if (candidate == line) {
            return true;
        }
    }
    return false;
}

void RuntimeFixture::logToStderr() {
    setLogSink([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
}

std::string RuntimeFixture::text(const String* string) {
    std::string result;
    if (string == nullptr) {
        return result;
    }
    for (jint i = 0; i < string->length(); ++i) {
        result += static_cast<char>(string->chars[i]);
    }
    return result;
}

} // namespace runtime
