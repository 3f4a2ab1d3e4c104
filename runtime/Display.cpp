// javax_microedition_lcdui_Display (see Display.h).
#include "runtime/Display.h"

#include "runtime/Application.h"
#include "runtime/ObjectManager.h"

namespace runtime {

javax_microedition_lcdui_Display*
javax_microedition_lcdui_Display::getDisplay(javax_microedition_midlet_MIDlet* /*midlet*/) {
    return newObject<javax_microedition_lcdui_Display>();
}

void javax_microedition_lcdui_Display::setCurrent(javax_microedition_lcdui_Displayable* const displayable) {
    Application::getInstance()->currentDisplayable = displayable;
}

} // namespace runtime
