// The Application: the one native object that ties the runtime together. It owns the two
// heaps, the ObjectManager, the static-field block, the midlet and the screen objects, the
// method-name stack and the pending exception. The host creates it, calls init, attaches the
// screen, starts the midlet, forwards paints and keys, and finally calls close.
#pragma once

#include <string>

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"
#include "runtime/VirtualMemoryManager.h"

namespace runtime {

class ObjectManager;
class VirtualMemoryManager;
struct StaticClass;
struct String;
struct StringBuffer;
struct javax_microedition_lcdui_Displayable;
struct javax_microedition_midlet_MIDlet;

inline constexpr jint kNameStackSize = 256;

// The Graphics and Image classes belong to the profile, which the runtime cannot include: the
// profile installs these operations on them for the screen.
struct ScreenHooks {
    // A new javax_microedition_lcdui_Graphics drawing into image.
    Object* (*createGraphics)(Object* image) = nullptr;
    jint (*imageWidth)(Object* image) = nullptr;
    jint (*imageHeight)(Object* image) = nullptr;
    // Translates graphics back to (0, 0).
    void (*resetTranslation)(Object* graphics) = nullptr;
    void (*setClip)(Object* graphics, jint x, jint y, jint width, jint height) = nullptr;
    void (*setColor)(Object* graphics, jint rgb) = nullptr;
};

// The game's static set-up. Without one, init makes a plain block and fills the class table.
struct StaticSetUp {
    // A new zeroed block of the game's own block type (createStaticBlock); deleted through
    // StaticClass's virtual destructor.
    StaticClass* (*createBlock)() = nullptr;
    // Fills the block: class table, constant pool, static root table, class initialisers.
    void (*run)(StaticClass* block) = nullptr;
};

// How init brings a runtime up. The defaults are the program's.
struct RuntimeOptions {
    jint objectHeapSize = kObjectHeapSize;
    jint secondaryHeapSize = kSecondaryHeapSize;
    // A heap that runs short collects and tries again; without, the allocation fails at once
    // (for tests that decide where collections happen).
    bool collectWhenFull = true;
    // Without a static set-up installed, the plain block also gets the constant pool that the
    // installed resource opener serves (the game's set-up always loads it).
    bool loadConstantPool = false;
};

// Creates the game's midlet (and records it in the midlet class's instance static).
using MidletFactory = javax_microedition_midlet_MIDlet* (*)();

class Application {
public:
    // The one Application of the run (set by the host, or by a test fixture).
    // Inline: every allocation asks, so the answer is one load.
    static Application* getInstance() { return s_current; }
    static void setInstance(Application* application) { s_current = application; }

    // Installed once by the profile and the game, before init.
    static void setScreenHooks(const ScreenHooks& hooks);
    static void setStaticSetUp(const StaticSetUp& setUp);
    static void setMidletFactory(MidletFactory factory);

    // Brings a runtime up: makes this the current Application, creates the heaps, the
    // ObjectManager and the static-field block and runs the static set-up (class table, constant
    // pool, class initialisers); false when the heaps cannot be had (nothing can run then).
    // Every program, test fixture, fuzz target and benchmark starts its runtime here.
    bool init(const RuntimeOptions& options = {});
    // Stores the screen image and creates the screen graphics drawing into it.
    void createScreenGraphics(Object* screenImage);
    // Creates the midlet and calls its startApp slot.
    void startApp();
    // One paint of the current displayable; every second one also collects.
    void paintFrame();
    // Forwarded to the current displayable, if any.
    void keyPressed(jint keyCode);
    void keyReleased(jint keyCode);
    // Takes the runtime down: destroys the midlet, frees every object, the static-field block
    // and the heaps.
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
    javax_microedition_midlet_MIDlet* m_midlet = nullptr;
    javax_microedition_lcdui_Displayable* currentDisplayable = nullptr; // set by Display::setCurrent
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

private:
    static inline Application* s_current = nullptr;
};

// Prints the current Application's stack trace to the log (the runtime's checks call this).
void dumpStackTrace();

} // namespace runtime
