// javax_microedition_midlet_MIDlet: the base of the game's midlet, which the Application
// creates, starts and destroys.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct String;

struct javax_microedition_midlet_MIDlet : Object {
    static constexpr jint kClassId = kMIDlet;

    // The application property of that name (the property reader comes with the profile's
    // application properties; until one is attached no property is known).
    virtual String* getAppProperty(String* /*name*/) { return nullptr; }
    virtual void startApp() {}
    virtual void pauseApp() {}
    virtual void destroyApp(jboolean /*unconditional*/) {}

protected:
    explicit javax_microedition_midlet_MIDlet(const jint id = kClassId) : Object(id) {}
};

} // namespace runtime
