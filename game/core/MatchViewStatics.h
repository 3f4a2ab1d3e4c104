// The statics of the match view's shared routines: the scrolling pitch buffer and its tile
// layers, the camera, the overview map, the sliding banner, the flash timer, the movement target
// and the event marks.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace profile {
struct Graphics;
struct Image;
} // namespace profile

namespace game {

namespace match {
class Actor;
}
namespace sprites {
struct ASprite;
struct ASpriteInstance;
} // namespace sprites

struct MatchViewStatics {
    // The ring buffer of pitch tiles (496 x 816) and the tile window it holds.
    runtime::StaticRef<profile::Image> pitchBuffer;
    runtime::StaticRef<profile::Graphics> pitchGraphics;
    runtime::jboolean backgroundForceRedraw; // the next background call redraws the whole window
    runtime::jint backgroundTileX0;
    runtime::jint backgroundTileY0;
    runtime::jint backgroundTileX1;
    runtime::jint backgroundTileY1;

    // The tile images of the four pitch layers (their maps are pitchTileMaps and pitchFlipMaps).
    runtime::StaticRef<runtime::ObjectArray> pitchTileImages; // Image: the layer's tiles, 16 x 16 each
    runtime::StaticRef<runtime::IntArray> pitchTilesPerRow;   // tiles per row of the layer's image

    // The camera: the window's top-left on the pitch image, its limits, target and move.
    runtime::jint cameraX;
    runtime::jint cameraY;
    runtime::jint cameraTargetX;
    runtime::jint cameraTargetY;
    runtime::jint cameraStepX; // the subject's screen motion; in a pan the 8.8 step
    runtime::jint cameraStepY;
    runtime::jint cameraLastStepX;
    runtime::jint cameraLastStepY;
    runtime::jint cameraMode; // 0 follow, 1 follow without the hold, 2 scripted pan
    runtime::StaticRef<match::Actor> cameraSubject;
    runtime::jboolean cameraFollowsPlayer;
    runtime::StaticRef<match::Actor> cameraLastSubject;
    runtime::jint cameraLastDirection;
    runtime::jint cameraHold; // frames left to keep still
    runtime::jint cameraHoldLength;
    runtime::jboolean cameraArrived; // jump onto the target at the start of the next update
    runtime::jboolean cameraNoLead;
    runtime::jboolean cameraFlightLead;
    runtime::jint cameraMoving; // pan progress factor
    runtime::jint cameraStartX;
    runtime::jint cameraStartY;
    runtime::jboolean cameraAtTarget;
    runtime::jboolean cameraFollowFlag; // follow again after the pan
    runtime::jint cameraPanCountdown;
    runtime::jint cameraSubjectScreenX;
    runtime::jint cameraSubjectScreenY;
    // The match engine's pan set-up keeps its last argument and its return flag here.
    runtime::jint panParameter;
    runtime::jboolean panReturn;

    // The overview map of the pitch.
    runtime::jboolean overviewVisible;
    runtime::jint overviewHalfWidth;
    runtime::jint overviewHalfHeight;
    runtime::jint overviewWidth;
    runtime::jint overviewHeight;
    runtime::jint overviewBoxWidth;
    runtime::jint overviewBoxHeight;
    runtime::jint overviewColourA;
    runtime::jint overviewFillA;
    runtime::jint overviewColourB;
    runtime::jint overviewFillB;
    runtime::jboolean overviewBlink;
    runtime::StaticRef<match::Actor> highlightedActor;

    // The sliding banner.
    runtime::jint bannerFrame; // 0..35
    runtime::jint bannerX;
    runtime::StaticRef<profile::Image> bannerImage;

    // The flash timer: at count 8 flashSource is copied into flashTarget, at 16 flashFlag and
    // flashActive are cleared.
    runtime::jboolean flashActive;
    runtime::jint flashCounter;
    runtime::jint flashSource;
    runtime::jint flashTarget;
    runtime::jboolean flashFlag;

    // The point setMoveTarget computes.
    runtime::jint linePointX;
    runtime::jint linePointY;

    // Event marks: the event of eventMarkWord (bits 13-15) and the events announced and done,
    // one bit each.
    runtime::jshort eventMarkWord;
    runtime::jbyte eventMarksAnnounced;
    runtime::jbyte eventMarksDone;

    // The frame recorder: the redraw flag as recorded (word 1's bit 15), the marker of the player
    // being recorded and the marker word (54), the event written once its delay runs out, and
    // whether this record has already logged a refused sprite command.
    runtime::jboolean sceneRedrawRecorded;
    runtime::jint markerIndex;
    runtime::jint markerFlags;
    runtime::jbyte pendingEvent;
    runtime::jint pendingEventDelay;
    runtime::jboolean recordOverflowLogged;
    // The replay ring (short[8700]): the oldest kept record, the next write, not empty, and the
    // records read back so far.
    runtime::StaticRef<runtime::ShortArray> replayRing;
    runtime::jint ringReadPos;
    runtime::jint ringWritePos;
    runtime::jboolean ringHasData;
    runtime::jint replayFrameCounter;

    // The recording pass: entries of sortedActors in use; the ball's shadow and the one-shot
    // effect over it (shown with the trail while ballEffectActive); the ball sorted one pixel
    // higher; set while the trail is recorded; the trail (ballTrailStride ints an entry, x, y,
    // height first); ticks since the ball's spin last advanced; four ball marks {x, y, frame} in
    // pitch-image pixels; whether the view advances the animations; the ball's palette.
    runtime::jint sortedActorCount;
    runtime::StaticRef<match::Actor> ballShadow;
    runtime::StaticRef<match::Actor> ballEffectActor;
    runtime::jboolean ballEffectActive;
    runtime::jboolean ballSortsAbove;
    runtime::jboolean paintingTrail;
    runtime::StaticRef<runtime::IntArray> ballTrail;
    runtime::jint ballTrailLength;
    runtime::jint ballTrailStride;
    runtime::jint ballSpinCounter;
    runtime::jint ballMarks[12];
    runtime::jboolean animateActors;
    runtime::jint ballPalette;

    // The added-time board (80 x 60) and how far it has slid in; the kick-off pop-up's frames and
    // the time it started; the kinds 0..8 of the three special particles (null until the first
    // particle field is drawn).
    runtime::StaticRef<profile::Image> boardImage;
    runtime::jint boardSlide;
    runtime::jint periodIntroTicks;
    runtime::jlong periodIntroTime;
    runtime::StaticRef<runtime::IntArray> specialParticleKind;
    // The pre-match screen's animation (null until the match load makes it), and the match
    // loader's request to clear the screen once before its animation.
    runtime::StaticRef<sprites::ASpriteInstance> introAnimation;
    runtime::jboolean loadingClearPending;

    // The frame painter: the players' display names per team (String[2][], indexed through the
    // line-up), the strip of 24 x 24 icons beside the marked name, and per player (in the order of
    // the record's player commands) four 8-byte footprint records, the next one to reuse, the
    // commands painted and the low byte of the position sum at the last footprint.
    runtime::StaticRef<runtime::ObjectArray> teamNames;
    runtime::StaticRef<profile::Image> markerIcon;
    runtime::jbyte footprints[22][32];
    runtime::jbyte footprintNext[22];
    runtime::jbyte footprintTicks[22];
    runtime::jbyte footprintBase[22];
    // The highlights viewer: its ring (short[8700], the replay ring's layout), the first record,
    // the end, the next record to show, whether it plays by itself, the time the end was reached
    // and this frame's touch state of its two buttons.
    runtime::StaticRef<runtime::ShortArray> highlightsRing;
    runtime::jint highlightsStart;
    runtime::jint highlightsEnd;
    runtime::jint highlightsCursor;
    runtime::jboolean highlightsPlaying;
    runtime::jlong highlightsEndTime;
    runtime::jboolean forwardButtonDown;
    runtime::jboolean backButtonDown;
    // The records the viewer has shown (stepping back stops at none) and when it last stepped.
    runtime::jint highlightsShown;
    runtime::jlong highlightsStepTime;
    // Playback: the phase of the last record handled (2 once the interval screen opened), whether
    // playback may open the match-day sub-screen 9, and how far a skipped match plays (0 through
    // the half-time kick-off, stopping before extra time; 1 stopping at half time).
    runtime::jint lastShownPhase;
    runtime::jint shownRecordPos; // ring index of the record playback read last
    runtime::jboolean subScreen9Enabled;
    runtime::jint skipMode;
    // The radar panel: its images (0 the first team's dot, 1 the second's, 2..7 the frame pieces)
    // and the ball's sprite (frames 9..11 by the ball's height); a missing one is not drawn.
    runtime::StaticRef<runtime::ObjectArray> radarImages;
    runtime::StaticRef<sprites::ASprite> radarBallSprite;
};

} // namespace game
