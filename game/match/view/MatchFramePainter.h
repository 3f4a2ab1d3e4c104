// The match frame painter and the highlights viewer: one frame record becomes the picture on the
// screen (the pitch at the recorded camera, the marker layer, every sprite command in order with
// the sounds of its animation frame, the footprints and ball marks of a wet or snowy pitch, the
// marked player's name, fatigue bar and icon, and the particle field). The viewer steps or plays
// through the stored highlights ring, one record a step, and paints each with the same painter.
#pragma once

#include "runtime/JavaTypes.h"

namespace game::match {

using runtime::jint;

// The viewer's buttons under the pitch (inclusive ranges) and its pace while playing.
inline constexpr jint kViewerButtonTop = 599;
inline constexpr jint kViewerButtonBottom = 647;
inline constexpr jint kForwardButtonLeft = 167;
inline constexpr jint kForwardButtonRight = 214;
inline constexpr jint kBackButtonLeft = 66;
inline constexpr jint kBackButtonRight = 113;
inline constexpr jint kViewerPaceMillis = 80;

// The sound an animation frame of sprite set `set` asks for when it is shown; -1 none.
jint frameSound(jint set, jint frame);
// The fatigue bar's fill: its width of 30 pixels for the fatigue 0..99, and its colour.
jint fatigueBarWidth(jint fatigue);
jint fatigueBarColour(jint fatigue);

// Paints frameRecord into currentGraphics (nothing without one); frame sounds play unless the
// match is halted. showMarker draws the marked player's name, bar and icon.
void paintMatchFrame(bool showMarker);
// One frame of the highlights viewer: its buttons and keys, the back and forward steps through
// highlightsRing, the 80 ms pace while playing, and the painting of the shown record.
void updateHighlightsViewer();

// What the viewer waits with between two played records (a sleep of the given milliseconds
// unless replaced); returns the previous one. For tests.
using ViewerSleep = void (*)(jint millis);
ViewerSleep setViewerSleep(ViewerSleep sleep);

} // namespace game::match
