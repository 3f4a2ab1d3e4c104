// Sprite-drawn widgets the screens share: club badges, the animated scroll-arrow pairs, the two
// possession share bars, the soft-key icon row, a scene of sprite frames read from the frame
// record, and the twin-figure frame-stepping animation. Each draws into currentGraphics (or the
// Graphics passed) and keeps its state in statics.
#pragma once

#include "runtime/JavaTypes.h"

namespace profile {
struct Graphics;
}

namespace game::sprites {

using runtime::jint;

// The team id that stands for no club: only the clip is set.
inline constexpr jint kNoTeam = 65535;

// Sets the clip of g to the 42 x 28 badge at (x, y) (and leaves it so), then paints the club's
// badge from the badge sheet of its league. A missing sheet, or an id outside its sheet, paints
// nothing.
void paintTeamBadge(profile::Graphics* g, jint teamId, jint x, jint y);
// Steps the arrow actor of the orientation (1 horizontal, other vertical) and paints its frame
// `distance` either side of (x, y): `which` bit 1 the left (upper) arrow, bit 0 the right (lower).
void paintArrowPair(jint x, jint y, jint distance, jint orientation, jint which);
// paintArrowPair with both arrows.
void paintArrowPairBoth(jint x, jint y, jint distance, jint orientation);
// The 420 x 30 horizontal possession share bar in its frame: team b's share from the left.
void paintShareBarHorizontal();
// The 30 x 480 vertical possession share bar in its frame: team b's share from the bottom.
void paintShareBarVertical();
// Soft-key icons 1-4 for mask bits 0-3, 74 pixels apart at y 595, the row placed by its length;
// keeps the row in keyIconList / keyIconCount and the mask in actionButtonSet. An empty mask
// draws nothing.
void paintKeyIconRow(jint mask);
// The scene of the frame record: the pitch background at its scroll position, then its sprite
// entries of four elements from element 7.
void paintSceneList();
// One frame of twin animation i: advances its step by the phase in a 16-frame cycle, paints the
// two figures, and stops the animation at the end of the cycle.
void stepTwinFrames(jint i);
// Paints frame `frame` of the twin sprite (loaded on first use) at (240, 384), then steps twin
// animation i while it runs.
void paintAnimatedBadge(jint frame, jint i);

} // namespace game::sprites
