// The midlet's application properties (see AppProperties.h).
#include "profile/AppProperties.h"

#include "profile/Resources.h"
#include "runtime/Hashtable.h"
#include "runtime/MIDlet.h"
#include "runtime/String.h"

namespace profile {

namespace {

void loadProperties(runtime::java_util_Hashtable* const properties) {
    String* text = loadAppDescriptor();
    // A descriptor of one character holds no property.
    if (text == nullptr || text->length() <= 1) {
        return;
    }
    // A later line with the same key replaces the earlier value.
    parseAppDescriptor(text, [properties](String* key, String* value) { properties->put(key, value); });
}

} // namespace

void installAppProperties() {
    runtime::setAppPropertyHooks({&loadProperties, &appPropertyText});
}

} // namespace profile
