// The statics of the canvas class Device: life cycle, frame, keys and touch, the match screen and
// sound, the resource-pack reader, the text package, and the tables Device::staticInit creates.
//
// Reference statics are StaticRef fields (each one is a collector root); everything else is a
// plain field. The block arrives zeroed, so no field needs an initialiser here: the values after
// set-up are the ones Device::staticInit stores.
#pragma once

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/StaticRef.h"

namespace runtime {
struct String;
struct java_util_Random;
struct java_io_InputStream;
} // namespace runtime

namespace profile {
struct Graphics;
struct Image;
} // namespace profile

namespace game {

class Device;
class Quorlin;

using runtime::jboolean;
using runtime::jbyte;
using runtime::jint;
using runtime::jlong;
using runtime::jshort;
using runtime::StaticRef;

struct DeviceStatics {
    // Life cycle and frame.
    StaticRef<Quorlin> midlet;                       // the running midlet; null once the loop ends
    StaticRef<Device> canvas;                        // the one canvas
    jboolean gameRunning;                            // the game loop runs while set
    jboolean paused;                                 // an interruption: the loop sleeps
    jboolean interrupted;                            // set with paused by hideNotify
    jboolean resumeRedraw;                           // set by showNotify until the next frame ends
    jlong frameCount;                                // passes of the game loop
    jlong matchTicks;                                // match ticks; also the key-press time stamp
    jint topState;                                   // top-level state of the frame entry
    jint framesInState;                              // frames since topState was entered
    jint previousTopState;                           // topState before its last change
    StaticRef<profile::Graphics> currentGraphics;    // what all game drawing uses in a frame
    StaticRef<profile::Image> backBufferImage;       // the 480x800 image a frame is drawn into
    StaticRef<profile::Graphics> backBufferGraphics; // draws into backBufferImage
    jboolean inPaint;                                // re-entry guard of the frame entry
    jboolean inMatchTick;                            // a match tick paints the match view
    jlong frameStartTime;                            // milliseconds at the start of the frame
    jint menuFrames;                                 // frames in the menus and the match view

    // Keys and touch.
    jint heldKeys;                         // game keys held now
    jint frameKeys;                        // key mask of the current frame
    jint pressedKeys;                      // keys newly pressed this frame
    StaticRef<runtime::IntArray> keyQueue; // ring of key masks, read once per frame
    jbyte keyQueueWrite;
    jbyte keyQueueRead;
    StaticRef<runtime::Long64Array> keyPressTicks; // matchTicks at the last press, per key bit
    jboolean leftSoftKeyTaken;                     // the last accepted key was the left soft key (or fire)
    jboolean rightSoftKeyTaken;                    // the last accepted key was the right soft key
    jboolean touchDown;                            // a touch is held
    jboolean touchReleased;                        // a touch was released this frame
    jboolean touchPressedNow;                      // a touch was pressed this frame
    jint pointerPressX;
    jint pointerPressY;
    jint pointerReleaseX;
    jint pointerReleaseY;
    jint touchRepeatCounter; // touch tests answer false while it is non-zero

    // Match screen and sound.
    jint matchCommand;     // pressed on-screen match button (158, 159, 160, 162); -1 none
    jboolean soundEnabled; // the answer to the first-run sound question
    jint soundVolumeStep;  // 0 all, 1 music only, 2 effects only, 3 none
    StaticRef<runtime::java_util_Random> gameRandom; // the game's one generator

    // The open resource pack.
    StaticRef<runtime::String> packName; // kept after close: names the cached header
    StaticRef<runtime::java_io_InputStream> packStream;
    jint packPosition;                            // read position in the open part
    jint packEntryCount;                          // entries of the whole pack, 0..65535
    StaticRef<runtime::IntArray> packPartOffsets; // offsets of the open part's entries
    jshort packPartCount;
    StaticRef<runtime::ShortArray> packPartStarts; // first entry of each part
    jint packCurrentPart;                          // the part whose stream is open

    // The text package.
    jint textCount;
    StaticRef<runtime::IntArray> textOffsets; // textCount + 1 end offsets, element 0 is 0
    StaticRef<runtime::ByteArray> textBytes;
    StaticRef<runtime::ObjectArray> textCache;

    // Sprites and palettes.
    StaticRef<runtime::ObjectArray> sprites;          // ASprite by number; font f is element 11 + f
    StaticRef<runtime::ObjectArray> sharedPalettes;   // int[][]: template rows from the kind-0 sprite file
    StaticRef<runtime::ObjectArray> composedPalettes; // int[66][44]: kit palettes of kinds 0 and 1
    StaticRef<runtime::IntArray> paletteWork;         // shared decode target of module pixels
    StaticRef<runtime::BoolArray> paletteSlotMask;    // by kind: module images cached at load
};

} // namespace game
