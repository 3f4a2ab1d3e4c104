// The Application's life: start-up of the heaps, the ObjectManager and the static-field block,
// the screen graphics, the midlet, the per-frame paint with its periodic collection, key
// forwarding, and the close that frees everything.
#include "runtime/Application.h"

#include <cstdlib>

#include "runtime/ClassTable.h"
#include "runtime/ConstantPool.h"
#include "runtime/Displayable.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/MIDlet.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/VirtualMemoryManager.h"

namespace runtime {

namespace {

// The periodic collection's flags (no effect beyond a normal collection).
constexpr jint kGcPaint = 1;
constexpr jint kPaintColor = 0xFFFFFF;
constexpr jboolean kUnconditional = 1;

ScreenHooks screenHooks;
StaticSetUp staticSetUp;
MidletFactory midletFactory = nullptr;

StaticClass* createBlock() {
    if (staticSetUp.createBlock != nullptr) {
        return staticSetUp.createBlock();
    }
    return createStaticBlock<StaticClass>();
}

jint screenImageWidth(const Application* application) {
    if (application == nullptr || application->screenImage == nullptr || screenHooks.imageWidth == nullptr) {
        return 0;
    }
    return screenHooks.imageWidth(application->screenImage);
}

jint screenImageHeight(const Application* application) {
    if (application == nullptr || application->screenImage == nullptr || screenHooks.imageHeight == nullptr) {
        return 0;
    }
    return screenHooks.imageHeight(application->screenImage);
}

void clipToScreen(const Application* application) {
    if (application->m_screenGraphics == nullptr || screenHooks.setClip == nullptr) {
        return;
    }
    screenHooks.setClip(application->m_screenGraphics, 0, 0, screenImageWidth(application),
                        screenImageHeight(application));
}

VirtualMemoryManager* createHeap(const jint size, const bool relocatable, const bool collectWhenFull,
                                 Application* application) {
    auto* heap = new VirtualMemoryManager();
    if (!heap->init(size, relocatable)) {
        delete heap;
        return nullptr;
    }
    if (!collectWhenFull) {
        heap->setCollectHook([](jint) {});
        return heap;
    }
    // A failed allocation collects (keeping the object under construction) and tries again.
    heap->setCollectHook([application](const jint flags) {
        if (application->objectManager != nullptr) {
            application->objectManager->gc(flags);
        }
    });
    return heap;
}

void destroyHeap(VirtualMemoryManager*& heap) {
    if (heap == nullptr) {
        return;
    }
    heap->destroy();
    delete heap;
    heap = nullptr;
}

} // namespace

void Application::setScreenHooks(const ScreenHooks& hooks) {
    screenHooks = hooks;
}

void Application::setStaticSetUp(const StaticSetUp& setUp) {
    staticSetUp = setUp;
}

void Application::setMidletFactory(const MidletFactory factory) {
    midletFactory = factory;
}

bool Application::init(const RuntimeOptions& options) {
    // Every runtime routine reaches the Application through the instance, the set-up included.
    setInstance(this);

    log("new MemoryManagers");
    objectHeap = createHeap(options.objectHeapSize, false, options.collectWhenFull, this);
    secondaryHeap = createHeap(options.secondaryHeapSize, true, options.collectWhenFull, this);
    if (objectHeap == nullptr || secondaryHeap == nullptr) {
        log("Application::init: the heaps cannot be created");
        destroyHeap(objectHeap);
        destroyHeap(secondaryHeap);
        return false;
    }

    log("new ObjectManager");
    objectManager = new ObjectManager();
    objectManager->application = this;

    log("new StaticClass");
    staticClass = createBlock();

    nameDepth = 0;
    pendingException = nullptr;
    tryRegion = 0;
    decodingBuffer = nullptr;

    log("Application::init");
    if (staticSetUp.run != nullptr) {
        staticSetUp.run(staticClass);
    } else {
        initClassTable(staticClass);
        if (options.loadConstantPool) {
            loadConstantPool(staticClass);
        }
    }
    paintCounter = 0;
    return true;
}

void Application::createScreenGraphics(Object* image) {
    screenImage = image;
    log("m_screenGraphics");
    if (screenHooks.createGraphics == nullptr) {
        log("createScreenGraphics: no Graphics for the screen");
        dumpStackTrace();
        return;
    }
    m_screenGraphics = screenHooks.createGraphics(image);
}

void Application::startApp() {
    if (midletFactory == nullptr) {
        log("Application::startApp: no midlet class");
        dumpStackTrace();
        return;
    }
    m_midlet = midletFactory();
    log("Application::startApp");
    if (m_midlet != nullptr) {
        m_midlet->startApp();
        clearStaleException("startApp");
    }
}

void Application::paintFrame() {
    if (currentDisplayable != nullptr && m_screenGraphics != nullptr) {
        if (screenHooks.resetTranslation != nullptr) {
            screenHooks.resetTranslation(m_screenGraphics);
        }
        clipToScreen(this);
        if (screenHooks.setColor != nullptr) {
            screenHooks.setColor(m_screenGraphics, kPaintColor);
        }
        currentDisplayable->paint(m_screenGraphics);
        clearStaleException("paint");
        ++paintCounter;
        if (paintCounter > 1 && objectManager != nullptr) {
            objectManager->gc(kGcPaint);
            paintCounter = 0;
        }
    }
    // The paint may have moved the clip; the host copies the whole screen afterwards.
    clipToScreen(this);
}

void Application::keyPressed(const jint keyCode) {
    if (currentDisplayable != nullptr) {
        currentDisplayable->keyPressed(keyCode);
        clearStaleException("keyPressed");
    }
}

void Application::keyReleased(const jint keyCode) {
    if (currentDisplayable != nullptr) {
        currentDisplayable->keyReleased(keyCode);
        clearStaleException("keyReleased");
    }
}

void Application::close() {
    log("Application::close");
    log("Application::destoryMIDlet");
    if (m_midlet != nullptr) {
        m_midlet->destroyApp(kUnconditional);
    } else {
        log("m_midlet is already NULL.");
    }
    // Every object is freed below: no field may keep pointing at one.
    screenImage = nullptr;
    m_screenGraphics = nullptr;
    m_midlet = nullptr;
    decodingBuffer = nullptr;
    currentDisplayable = nullptr;
    pendingException = nullptr;

    if (staticClass != nullptr) {
        staticClass->constantPool = nullptr;
    }
    if (objectManager != nullptr) {
        // Before the static-field block goes, so release slots may still read statics.
        objectManager->gc(kGcFreeAll);
        std::free(objectManager->objects);
        std::free(objectManager->markObjects);
        std::free(objectManager->markNext);
        delete objectManager;
        objectManager = nullptr;
    }
    if (staticClass != nullptr) {
        freeRefFieldLists();
        delete staticClass;
        staticClass = nullptr;
    }
    destroyHeap(objectHeap);
    destroyHeap(secondaryHeap);
}

jint javax_microedition_lcdui_Displayable::getWidth() {
    return screenImageWidth(Application::getInstance());
}

jint javax_microedition_lcdui_Displayable::getHeight() {
    return screenImageHeight(Application::getInstance());
}

} // namespace runtime
