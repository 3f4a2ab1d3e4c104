// javax_microedition_lcdui_Command: a labelled action offered on a screen (the promotion screen's
// soft keys). Its constructor is the two setters, which check their arguments.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

struct String;

// The profile's command types: SCREEN 1, BACK 2, CANCEL 3, OK 4, HELP 5, STOP 6, EXIT 7, ITEM 8.
inline constexpr jint kCommandTypeFirst = 1;
inline constexpr jint kCommandTypeLast = 8;

struct javax_microedition_lcdui_Command : Object {
    static constexpr jint kClassId = kCommand;

    explicit javax_microedition_lcdui_Command(jint id = kClassId);

    // A null label raises NullPointerException and changes nothing.
    void setLabels(String* shortLabel, String* fullLabel);
    // A type outside 1..8 raises IllegalArgumentException and changes nothing.
    void setType(jint type, jint commandPriority);

    String* label = nullptr;
    String* longLabel = nullptr;
    jint commandType = 0;
    jint priority = 0;
};

using Command = javax_microedition_lcdui_Command;

} // namespace runtime
