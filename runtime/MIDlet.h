// javax_microedition_midlet_MIDlet: the base of the game's midlet, which the Application
// creates, starts and destroys. Its constructor reads the application properties once.
//
// The properties come from the profile's application descriptor, which the runtime cannot
// include: the profile installs how they are read (AppPropertyHooks) before the midlet is made.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct String;
struct java_util_Hashtable;

struct AppPropertyHooks {
    // Puts each property of the descriptor into properties (String keys, String values).
    void (*load)(java_util_Hashtable* properties) = nullptr;
    // What getAppProperty answers for the value found: null for a key the descriptor lacks.
    String* (*answer)(Object* value) = nullptr;
};
void setAppPropertyHooks(const AppPropertyHooks& hooks);

struct javax_microedition_midlet_MIDlet : Object {
    static constexpr jint kClassId = kMIDlet;

    // The application property of that name. With the profile's hooks a missing one reads
    // "PROPERTY VALUE EMPTY", never null.
    virtual String* getAppProperty(String* name);
    virtual void startApp() {}
    virtual void pauseApp() {}
    virtual void destroyApp(jboolean /*unconditional*/) {}

    // The base constructor's work: registers properties, loads them, records this midlet as the
    // running one and counts it.
    void init();
    // A new property table (capacity 11) filled from the descriptor.
    void loadProperties();

    java_util_Hashtable* properties = nullptr;

protected:
    explicit javax_microedition_midlet_MIDlet(const jint id = kClassId) : Object(id) { init(); }
};

using MIDlet = javax_microedition_midlet_MIDlet;

} // namespace runtime
