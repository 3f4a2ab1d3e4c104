// The profile's side of the Application's screen hooks: the runtime cannot include Graphics and
// Image, so the host installs these operations on them before Application::init.
#pragma once

namespace profile {

// Lets the Application create the screen Graphics over the screen Image, read the image's size,
// and reset the Graphics' translation, clip and colour before each paint.
void installScreenHooks();

} // namespace profile
