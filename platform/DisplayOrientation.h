// The display's orientation as the display settings report it.
//
// When the orientation changes the platform posts SDL event type kDisplayChangeEvent; the host
// answers by querying the orientation again. A desktop never rotates, so only tests post it.
#pragma once

#include <SDL.h>

namespace platform {

// 0 unrotated, 1 turned 90 degrees, 4 turned 270 degrees.
inline constexpr int kOrientationNone = 0;
inline constexpr int kOrientation90 = 1;
inline constexpr int kOrientation270 = 4;

// SDL event type that announces an orientation change (one above the first user event).
inline constexpr int kDisplayChangeEvent = SDL_USEREVENT + 1;

class DisplayOrientation {
public:
    virtual ~DisplayOrientation() = default;
    virtual int query() = 0;
};

class SystemDisplayOrientation final : public DisplayOrientation {
public:
    int query() override { return kOrientationNone; }
};

class ScriptedDisplayOrientation final : public DisplayOrientation {
public:
    int query() override {
        ++queries;
        return orientation;
    }
    int orientation = kOrientationNone;
    int queries = 0;
};

DisplayOrientation& displayOrientation();
DisplayOrientation* installDisplayOrientation(DisplayOrientation* replacement);

} // namespace platform
