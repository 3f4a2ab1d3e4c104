// javax_microedition_lcdui_Command (see Command.h).
#include "runtime/Command.h"

#include "runtime/ClassTable.h"
#include "runtime/Exceptions.h"
#include "runtime/LibraryExceptions.h"
#include "runtime/ObjectManager.h"

namespace runtime {

javax_microedition_lcdui_Command::javax_microedition_lcdui_Command(const jint id) : Object(id) {
    registerRefFields(this, &label, &longLabel);
}

void javax_microedition_lcdui_Command::setLabels(String* const shortLabel, String* const fullLabel) {
    if (shortLabel == nullptr) {
        throwException(newObject<java_lang_NullPointerException>());
        return;
    }
    label = shortLabel;
    longLabel = fullLabel;
}

void javax_microedition_lcdui_Command::setType(const jint type, const jint commandPriority) {
    if (type < kCommandTypeFirst || type > kCommandTypeLast) {
        throwException(newObject<java_lang_IllegalArgumentException>());
        return;
    }
    commandType = type;
    priority = commandPriority;
}

} // namespace runtime
