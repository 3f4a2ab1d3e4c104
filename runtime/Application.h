// The Application: the one native object that ties the runtime together. It owns the two
// heaps, the ObjectManager, the static-field block, the midlet and the screen objects, the
// method-name stack and the pending exception. The host creates it, calls init, attaches the
// screen, starts the midlet, forwards paints and keys, and finally calls close.
#pragma once

#include <string>

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

class ObjectManager;
class VirtualMemoryManager;
struct StaticClass;
struct String;
struct StringBuffer;

inline constexpr jint kNameStackSize = 256;

class Application {
public:
    // The one Application of the run (set by the host, or by a test fixture).
    static Application* getInstance();
    static void setInstance(Application* application);

    void init();
    void createScreenGraphics(Object* screenImage);
    void startApp();
    void paintFrame();
    void keyPressed(jint keyCode);
    void keyReleased(jint keyCode);
    void close();

    StaticClass* getStaticClass() const { return staticClass; }
    ObjectManager* getObjectManager() const { return objectManager; }

    // Method-name stack, printed as a stack trace by the runtime's own checks.
    void pushName(const char* name);
    void popName();
    // "stacktrace:\n" and one name per line, top of the stack first.
    std::string stackTraceText() const;
    String* getStackTrace();
    void printStackTrace();

    // Collector roots, in this order.
    Object* m_midlet = nullptr;
    Object* currentDisplayable = nullptr;
    Object* screenImage = nullptr;
    Object* m_screenGraphics = nullptr;
    StringBuffer* decodingBuffer = nullptr;

    StaticClass* staticClass = nullptr;
    ObjectManager* objectManager = nullptr;
    jint paintCounter = 0;
    VirtualMemoryManager* objectHeap = nullptr;
    VirtualMemoryManager* secondaryHeap = nullptr;
    const char* nameStack[kNameStackSize] = {};
    jint nameDepth = 0;
    Object* pendingException = nullptr;
    jint tryRegion = 0;
};

// Prints the current Application's stack trace to the log (the runtime's checks call this).
void dumpStackTrace();

} // namespace runtime
