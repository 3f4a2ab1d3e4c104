// The game's midlet Quorlin (class 113). The Application creates it and calls startApp at start
// and on every resume; it creates the one canvas, shows it and starts the canvas's loop.
#pragma once

#include "runtime/JavaTypes.h"
#include "runtime/MIDlet.h"

namespace game {

using runtime::jboolean;
using runtime::jint;

class Quorlin : public runtime::javax_microedition_midlet_MIDlet {
public:
    static constexpr jint kClassId = runtime::kQuorlin;

    // Runs the midlet constructor (which counts the instance) and records this as the midlet.
    Quorlin();

    // The midlet factory the program installs (runtime::Application::setMidletFactory).
    static runtime::javax_microedition_midlet_MIDlet* create();

    // Shows the canvas (creating it and its thread the first time) and resumes it.
    void startApp() override;
    // Interrupts the canvas; two menu states first note a pause in menuFrames.
    void pauseApp() override;
    // Shows nothing more, ends the host's main loop and forgets the canvas.
    void destroyApp(jboolean unconditional) override;
};

} // namespace game
