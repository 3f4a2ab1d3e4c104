// javax_microedition_midlet_MIDlet (see MIDlet.h).
#include "runtime/MIDlet.h"

#include "runtime/Application.h"
#include "runtime/ClassTable.h"
#include "runtime/Hashtable.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"

namespace runtime {

namespace {

AppPropertyHooks appPropertyHooks;

constexpr jint kPropertiesCapacity = 11;

} // namespace

void setAppPropertyHooks(const AppPropertyHooks& hooks) {
    appPropertyHooks = hooks;
}

void javax_microedition_midlet_MIDlet::init() {
    registerRefFields(this, &properties);
    loadProperties();
    if (StaticClass* block = Application::getInstance()->getStaticClass()) {
        block->runningMidlet = this;
        ++block->midletCount;
    }
}

void javax_microedition_midlet_MIDlet::loadProperties() {
    properties = newObject<java_util_Hashtable>(kPropertiesCapacity);
    if (appPropertyHooks.load != nullptr) {
        appPropertyHooks.load(properties);
    }
}

String* javax_microedition_midlet_MIDlet::getAppProperty(String* const name) {
    // The table takes no null key; no property has one.
    Object* value = name != nullptr && properties != nullptr ? properties->findValue(name) : nullptr;
    return appPropertyHooks.answer != nullptr ? appPropertyHooks.answer(value) : static_cast<String*>(value);
}

} // namespace runtime
