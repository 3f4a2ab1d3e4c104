// The midlet's application properties: read from "app.jad" (Resources.h) into the property table
// the midlet base makes, and answered by getAppProperty.
#pragma once

namespace profile {

// Makes the midlet base load its properties from "app.jad" and answer "PROPERTY VALUE EMPTY" for
// a property the descriptor does not define.
void installAppProperties();

} // namespace profile
