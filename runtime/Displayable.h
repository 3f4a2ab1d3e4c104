// javax_microedition_lcdui_Displayable: the base of everything the Application can show (the
// game canvas). Its slots, after Object's six, are the ones the Application and the host call.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct javax_microedition_lcdui_Displayable : Object {
    static constexpr jint kClassId = kDisplayable;

    // The width and height of the screen image (0 before the host attached one).
    virtual jint getWidth();
    virtual jint getHeight();
    // A slot nothing calls; kept so the later slots stay where subclasses expect them.
    virtual void unusedSlot() {}
    virtual void keyPressed(jint /*keyCode*/) {}
    virtual void keyReleased(jint /*keyCode*/) {}
    virtual void pointerPressed(jint /*x*/, jint /*y*/) {}
    virtual void pointerReleased(jint /*x*/, jint /*y*/) {}
    virtual void pointerDragged(jint /*x*/, jint /*y*/) {}
    virtual void showNotify() {}
    virtual void hideNotify() {}
    // graphics is the screen's javax_microedition_lcdui_Graphics (a profile class).
    virtual void paint(Object* /*graphics*/) {}

protected:
    explicit javax_microedition_lcdui_Displayable(const jint id = kClassId) : Object(id) {}
};

} // namespace runtime
