// The helpers every menu handler shares: touch tests for arrow controls and rectangles, a key
// test without side effects, rounding and currency conversion, the separator line, the squad
// list and the team ratings and ranking, the inbox scan for a message awaiting an answer, the
// formation editor's entry queue and mask, the front-end background animation, leaving the game
// and joining texts. They work on the static-field block and keep no state of their own.
#pragma once

#include <initializer_list>

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/String.h"

namespace profile {
struct Graphics;
}

namespace game::menus {

using runtime::jboolean;
using runtime::jint;

// Steps value by touch on two 80x80 arrow squares at (leftX, y) and (rightX, y): the press marks
// the square held (leftArrowHeld, rightArrowHeld), the release inside a square steps by -1 or
// +1, wrapping within 0..count-1; clamped, a step past either end is never taken (nor its square
// marked). Marks the redraw when markRedraw. Unchanged while touch input is locked.
jint testArrowButtonsTouch(jint leftX, jint rightX, jint y, jint value, jint count, jboolean markRedraw,
                           jboolean clamped);
jint testArrowButtonsTouchClamped(jint leftX, jint rightX, jint y, jint value, jint count,
                                  jboolean markRedraw);
// Steps value by -1 or +1 (wrapping) for a release within 28 pixels across and 36 up or down of
// the arrow centre (leftX, y) or (rightX, y).
jint testArrowPointsTouch(jint leftX, jint rightX, jint y, jint value, jint count, jboolean markRedraw);
// Steps value by -1 or +1 (wrapping) for a release on a 48-wide arrow at leftX or rightX,
// between y - 8 and y + 28.
jint testArrowSquaresTouch(jint leftX, jint rightX, jint y, jint value, jint count, jboolean markRedraw);
// The last press lies strictly inside the rectangle (whether or not a touch is held); false
// while touch input is locked.
jboolean pointerPressedInRect(jint x, jint y, jint w, jint h);
// A key test that moves nothing: the soft keys by a released touch on their zones, then the
// frame's keys unless a touch is held or released this frame (a pending touch masks them).
jboolean isKeyPressedSimple(jint mask);
// One frame of the two-button question's answer, after its box is painted: a touch on a button
// (104 or 286, 92 wide, at touchListRow, 80 high) moves the choice there unless the highlight is
// moving, and its release arms the touch and ends the frame; confirmMask, or an armed touch once
// the highlight has stopped, answers. The chosen button (0 the first), or -1 while unanswered.
jint answerTwoButtonQuestion(jint confirmMask);
// One frame of a one-button notice's close, after its box is painted: true on key 8448 or a
// release on its button (194, touchListRow, 92, 80).
jboolean oneButtonNoticeClosed();
// n / 10, plus 1 when the remainder is 5 or more (a negative n is only truncated).
jint divideBy10Rounded(jint n);
// factor converted from the reference currency to the one shown, rounded: ratioTable's entries
// as percentages, the product formed wide and held within the int range; a zero or missing
// reference entry converts nothing.
jint computeRoundedRatio(jint factor);
// Three lines from x1 to x2: 0x292929 at y + 1, 0xCACCCB at y, 0xA3A7A7 at y + 2.
void drawSeparatorLine(profile::Graphics* g, jint x1, jint x2, jint y);
// Starts the season's play: the list positions back to the top, the squad view reset and the
// season calendar started (the day advance). True.
jboolean startSeasonPlay();
// squadList := the ids of the team's filled squad slots 0..29, in order; the scroll to the top.
void listTeamSquad(jint team);
// teamRatings of all 260 teams (wage budget / 5 + 3 x squad strength) and the first entries
// of the user team's balance, funds and projection series.
void initTeamAttributeTable();
// Ranks the 260 teams by rating, the user team's taken from userRating: teamRanking's pair k
// becomes (team at rank k + 1, the team there before). Equal ratings keep their order.
void rankTeamsByRating();
// The newest listed inbox message that waits for an answer (pendingMessageFound, its display
// index, the one before it and the list length); only the flag is cleared when none does.
void findPendingInboxMessage();
// An empty, enabled entry queue of 11 entries of 2 ints, every int -1.
void initEntryQueue();
// A bit for every flag of 1, with the forced entries of menu states 8192 and 0x100000.
jint buildEntryMask(runtime::IntArray* flags);
// The front-end background animation of kind 1..9 (anything else: none), unless it runs already
// and force is clear; then the pointer sprite onto the front-end menu's item.
void setMenuAnimation(jint kind, jboolean force);
// The place of the first family bit of menuFamilyBits in the order 0x400, 0x40000, 0x80000,
// 0x100000 ... 0x4000000; -2 for none.
jint familyListIndex(jint menuFamilyBits);
// 0 when promotion content is there to show, else -1.
jint isPromotionContentAvailable();
// Stops every sound and ends the game loop.
void quitGame();
// The texts joined in order into a new string.
runtime::String* joinTexts(std::initializer_list<runtime::String*> texts);

} // namespace game::menus
