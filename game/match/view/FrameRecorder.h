// The frame recorder and the replay ring: the header of a tick's frame record, its sprite
// commands, appending the finished record to the ring (which sets the ticks run per frame) and
// reading the oldest kept record back. All of it is game state and runs without a screen.
#pragma once

#include "runtime/JavaTypes.h"

namespace runtime {
struct ShortArray;
}

namespace game::match {

using runtime::jint;

// The frame record, created at its full capacity when it is missing or shorter (null when the
// allocation failed).
runtime::ShortArray* ensureFrameRecord();
// Writes header words 1..54 and sets frameLength to 55; a pending event is written in the one
// record whose delay is 0, and the delay then counts down to -1. Nothing in the menus.
void recordFrameHeader();
// Appends one sprite command at frameLength and advances it by 4; a command that would leave no
// room for the trailer is refused (logged once per record). Nothing in the menus.
void recordSpriteCommand(jint setIndex, jint x, jint y, jint flipX, jint flipY, jint frameCode, jint palette);
// Appends the finished record (frameLength + 1 shorts with its length at both ends) to the ring,
// dropping the oldest records it needs room for, and sets matchSpeedBase from the distance
// between writer and reader. Nothing in the menus.
void commitFrameRecord();
// Asks for the whole scene to be drawn again (backgroundForceRedraw).
void setViewRefresh();
// Takes the redraw request into sceneRedrawRecorded, which the next header records as bit 15 of
// word 1.
void copyViewRefresh();
// Copies the record at ringReadPos into frameRecord and sets frameLength to its length; the read
// position stays. A length outside 111..359 prints constant string 127 and changes nothing.
void readFrameRecord();
// Copies the record at ring index `at` of a ring of the replay ring's length (the replay ring or
// the highlights ring) into frameRecord, wrapping at the ring's end, and sets frameLength; returns
// its length, or -1 (nothing copied) for a missing ring or record or an implausible length.
jint copyRingRecord(const runtime::ShortArray* ring, jint at);

} // namespace game::match
