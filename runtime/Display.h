// javax_microedition_lcdui_Display: the handle through which the midlet chooses what the screen
// shows. It holds nothing of its own: every Display acts on the one Application.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct javax_microedition_lcdui_Displayable;
struct javax_microedition_midlet_MIDlet;

struct javax_microedition_lcdui_Display : Object {
    static constexpr jint kClassId = kDisplay;

    explicit javax_microedition_lcdui_Display(const jint id = kClassId) : Object(id) {}

    // A new Display on every call (the midlet is not used), so two Displays are never the same
    // object although they act on the same screen.
    static javax_microedition_lcdui_Display* getDisplay(javax_microedition_midlet_MIDlet* midlet);

    // Makes displayable (null for none) the one the Application paints and sends keys to.
    void setCurrent(javax_microedition_lcdui_Displayable* displayable);
};

using Display = javax_microedition_lcdui_Display;

} // namespace runtime
