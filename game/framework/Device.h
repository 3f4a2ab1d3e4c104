// The game canvas Device (class 112): the one displayable of the game and its game loop. The host
// calls its input and notify slots from its event pump and its paint once per pass of the loop;
// the canvas turns key and touch events into the input statics, pauses and resumes the game on
// focus changes, and runs the loop that paces the frames. It carries no game fields: all game
// state is in the static-field block.
#pragma once

#include "runtime/Displayable.h"
#include "runtime/JavaTypes.h"
#include "runtime/Runnable.h"

namespace game {

using runtime::jint;

class Device : public runtime::javax_microedition_lcdui_Displayable, public runtime::java_lang_Runnable {
public:
    static constexpr jint kClassId = runtime::kDevice;

    // Sets up the statics the canvas owns: no previous menu state, the preset tables and squad
    // lists filled with -1, and the 480 x 800 back buffer with its Graphics.
    Device();

    // The interface cast: the Runnable view for kRunnable, null for anything else.
    void* getInterface(jint interfaceClassId) override;

    // A key went down: ignored in the first four frames of a top-level state; otherwise held, and
    // queued unless the frame already has a key.
    void keyPressed(jint keyCode) override;
    // A key came up: always queued.
    void keyReleased(jint keyCode) override;
    // A touch went down, came up or moved; in menu state 38 the promotion screen sees it too.
    void pointerPressed(jint x, jint y) override;
    void pointerReleased(jint x, jint y) override;
    void pointerDragged(jint x, jint y) override;
    // Resume: after 100 ms clears the pause and the keys, asks for full repaints, places the
    // highlight of the pop-up that shows, and may go back into an interrupted match.
    void showNotify() override;
    // Interruption: pauses the game; a match goes to the pause menu; the touch is forgotten.
    void hideNotify() override;
    // The per-frame entry (graphics: the screen's Graphics); see TopStates.h.
    void paint(runtime::Object* graphics) override;
    // The game loop: at most one frame every 50 ms while the game runs, 200 ms sleeps while it is
    // paused; destroys the midlet when the game ends.
    void run() override;
};

} // namespace game
