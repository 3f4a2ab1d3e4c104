// Actors on the screen and marks on the pitch: the screen placement and visibility of an actor,
// a player's trail of marks and his slide mark, painting the trail, and the ball's depth tests
// against the goal frame.
#include "game/match/model/PitchMarks.h"

#include "game/core/GameStatics.h"
#include "game/match/CPlayer.h"
#include "game/match/Geometry.h"
#include "game/match/model/Ball.h"
#include "game/match/model/MatchRecords.h"
#include "game/sprites/ASprite.h"

namespace game::match {

namespace {

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;
constexpr jint kProjected = 0;
constexpr jint kBallKind = 2;
constexpr jint kByteMask = 0xFF;
constexpr jint kByteShift = 8;
constexpr jint kDirectionMask = 7;
// Trail mark bytes.
constexpr jint kMarkSprite = 0;
constexpr jint kMarkAnim = 1;
constexpr jint kMarkFrames = 2;
constexpr jint kMarkFrame = 3;
constexpr jint kMarkX = 4;
constexpr jint kMarkY = 6;
constexpr jint kMarkAnimMask = 63;
constexpr jint kMarkFlipShift = 6;
constexpr jint kMarkFlipMask = 3;
// The two trails by pitchCondition, the cadence of the first, and the marks' animations.
constexpr jint kFirstCondition = 1;
constexpr jint kSecondCondition = 2;
constexpr jint kTrailCadence = 4;
constexpr jint kFootprintAnim = 0;
constexpr jint kSlideAnimDown = 3;
constexpr jint kSlideAnimSide = 4;
constexpr jint kSlideAnimOther = 2;
constexpr jint kSecondTrailAnim = 6;
constexpr jint kSlidingState = 15;
constexpr jint kDivingState = 90;
// A slide mark follows its player until it is this old; its mirrored views add 64.
constexpr jint kSlideFollowAge = 4;
constexpr jint kSlideMirrored = 64;
constexpr jint kFirstMirroredView = 5;
constexpr jint kViewPivot = 8;
// Slide mark ints.
constexpr jint kSlideView = 0;
constexpr jint kSlideAge = 1;
constexpr jint kSlideX = 2;
constexpr jint kSlideY = 3;
// The net at the +x end on the pitch image: its box, its back and the slanted front side.
constexpr jint kNetLeft = 2120;
constexpr jint kNetRight = 2246;
constexpr jint kNetTop = 547;
constexpr jint kNetBottom = 636;
constexpr jint kNetFloor = 596;
constexpr jint kNetBack = 587;
constexpr jint kNetSlantTop = 554;
constexpr jint kNetSlantRise = 126;
constexpr jint kNetSlantRun = 40;
constexpr jint kBallHalfWidth = 4;
constexpr jint kBallHeight = 7;
// The goal frame in pitch units: the line at the -x end, the side and the height above the bar.
constexpr jint kFarGoalLine = -140032;
constexpr jint kNearGoalLine = 135168;
constexpr jint kGoalSide = 9728;
constexpr jint kAboveBar = 12544;

sprites::ASprite* effectsSprite() {
    runtime::ObjectArray* const table = statics()->sprites;
    return table != nullptr && table->inBounds(kEffectsSprite)
               ? static_cast<sprites::ASprite*>((*table)[kEffectsSprite])
               : nullptr;
}

jint markShort(const runtime::ByteArray* trail, const jint at) {
    return static_cast<runtime::jshort>(((*trail)[at] & kByteMask) | ((*trail)[at + 1] & kByteMask)
                                                                         << kByteShift);
}

void putMarkShort(runtime::ByteArray* trail, const jint at, const jint v) {
    (*trail)[at] = static_cast<runtime::jbyte>(v);
    (*trail)[at + 1] = static_cast<runtime::jbyte>(v >> kByteShift);
}

// The animation of the mark the player leaves this frame; -1 for none.
jint trailAnimation(CPlayer* p, const jint condition) {
    if (condition == kSecondCondition && p->state == kSlidingState) {
        switch (p->direction) {
        case 4:
            return kSlideAnimDown;
        case 2:
        case 3:
        case 7:
            return kSlideAnimSide;
        default:
            return kSlideAnimOther;
        }
    }
    if (condition != kFirstCondition && condition != kSecondCondition) {
        return -1;
    }
    p->trailTick += 1;
    if (p->trailTick % kTrailCadence != 0 || (p->vx == 0 && p->vy == 0)) {
        return -1;
    }
    return condition == kFirstCondition ? kFootprintAnim : kSecondTrailAnim;
}

// Writes the mark of animation anim at trailNext, at the player's projected point.
void writeMark(CPlayer* p, const jint anim) {
    runtime::ByteArray* const trail = p->trail;
    const jint at = p->trailNext * kTrailMarkBytes;
    if (trail == nullptr || !trail->inBounds(at + kTrailMarkBytes - 1)) {
        return;
    }
    const sprites::ASprite* const effects = effectsSprite();
    const jint frames = effects != nullptr && anim < effects->animationCount()
                            ? (*effects->animFrameCount)[anim] & kByteMask
                            : 0;
    GameStatics* const s = statics();
    projectToScreen(p->x, p->y, p->z);
    (*trail)[at + kMarkSprite] = static_cast<runtime::jbyte>(kEffectsSprite);
    (*trail)[at + kMarkAnim] = static_cast<runtime::jbyte>(anim);
    (*trail)[at + kMarkFrames] = static_cast<runtime::jbyte>(frames);
    (*trail)[at + kMarkFrame] = 0;
    putMarkShort(trail, at + kMarkX, s->projectedX);
    putMarkShort(trail, at + kMarkY, s->projectedY);
    p->trailNext = (p->trailNext + 1) % kTrailMarks;
}

// The slide mark's first int within the shared ring, or -1 when the player holds none.
jint slideMarkAt(const CPlayer* p) {
    const runtime::IntArray* const marks = statics()->slideMarks;
    const jint at = p->slideMark * kSlideMarkInts;
    return marks != nullptr && p->slideMark >= 0 && p->slideMark < kSlideMarks &&
                   marks->inBounds(at + kSlideMarkInts - 1)
               ? at
               : -1;
}

} // namespace

void Actor::updateScreenPosition(const jint camX, const jint camY) {
    GameStatics* const s = statics();
    if (placement == kProjected) {
        projectToScreen(x, y, z);
        screenX = s->projectedX;
        screenY = s->projectedY;
        if (kind == kBallKind) {
            projectToScreen(x, y, 0);
            s->ballGroundX = s->projectedX;
            s->ballGroundY = s->projectedY;
        }
    }
    visible = screenX + boxRight >= camX && screenX + boxLeft <= camX + kScreenWidth &&
                      screenY + boxBottom >= camY && screenY + boxTop <= camY + kScreenHeight
                  ? 1
                  : 0;
}

void CPlayer::updateTrail() {
    GameStatics* const s = statics();
    const jint anim = trailAnimation(this, s->pitchCondition);
    if (anim >= 0) {
        writeMark(this, anim);
    }
    if (startSlide != 0) {
        slideMark = s->slideMarkNext;
        s->slideMarkNext = (s->slideMarkNext + 1) % kSlideMarks;
        const jint at = slideMarkAt(this);
        if (at >= 0) {
            const jint d = (direction - 1) & kDirectionMask;
            (*s->slideMarks)[at + kSlideView] = d >= kFirstMirroredView ? kViewPivot - d + kSlideMirrored : d;
            (*s->slideMarks)[at + kSlideAge] = 0;
        }
        startSlide = 0;
    }
    const jint at = slideMarkAt(this);
    if ((state == kSlidingState || state == kDivingState) && at >= 0 &&
        (*s->slideMarks)[at + kSlideAge] < kSlideFollowAge) {
        projectToScreen(x, y, z);
        (*s->slideMarks)[at + kSlideX] = s->projectedX;
        (*s->slideMarks)[at + kSlideY] = s->projectedY;
    }
    if (visible == 0 && trail != nullptr) {
        for (jint m = 0; m < kTrailMarks && trail->inBounds(m * kTrailMarkBytes); ++m) {
            (*trail)[m * kTrailMarkBytes + kMarkSprite] = static_cast<runtime::jbyte>(kTrailMarkOff);
        }
    }
}

void CPlayer::paintPlayerEffects(profile::Graphics* const g, const jint camX, const jint camY) {
    for (jint m = 0; m < kTrailMarks; ++m) {
        // Held through the paint, which may allocate (module images): the array is re-read.
        runtime::ByteArray* const marks = trail;
        const jint at = m * kTrailMarkBytes;
        if (marks == nullptr || !marks->inBounds(at + kTrailMarkBytes - 1)) {
            return;
        }
        const jint spriteIndex = (*marks)[at + kMarkSprite] & kByteMask;
        const jint frames = (*marks)[at + kMarkFrames] & kByteMask;
        const jint shown = (*marks)[at + kMarkFrame] & kByteMask;
        if (spriteIndex == kTrailMarkOff || shown >= frames) {
            continue;
        }
        const jint animByte = (*marks)[at + kMarkAnim] & kByteMask;
        const jint sx = markShort(marks, at + kMarkX);
        const jint sy = markShort(marks, at + kMarkY);
        (*marks)[at + kMarkFrame] = static_cast<runtime::jbyte>(shown + 1);
        runtime::ObjectArray* const table = statics()->sprites;
        auto* const sprite = table != nullptr && table->inBounds(spriteIndex)
                                 ? static_cast<sprites::ASprite*>((*table)[spriteIndex])
                                 : nullptr;
        if (sprite != nullptr) {
            sprite->paintAnimFrame(g, animByte & kMarkAnimMask, shown, sx - camX, sy - camY,
                                   (animByte >> kMarkFlipShift) & kMarkFlipMask, 0, 0);
        }
    }
}

bool isBallInGoalNet() {
    GameStatics* const s = statics();
    const Actor* const ball = s->ball;
    if (ball == nullptr) {
        return false;
    }
    projectToScreen(ball->x, ball->y, ball->z);
    const jint sx = s->projectedX;
    const jint sy = s->projectedY;
    if (sx - kBallHalfWidth < kNetLeft || sx + kBallHalfWidth > kNetRight || sy - kBallHeight < kNetTop ||
        sy > kNetBottom || sy - kBallHeight >= kNetFloor) {
        return false;
    }
    if (sy - kBallHeight > kNetBack) {
        return true;
    }
    return (sy - kNetSlantTop) * kNetSlantRise > (sx - kNetLeft) * kNetSlantRun;
}

bool ballGoalDepthTest() {
    const Actor* const ball = statics()->ball;
    if (ball == nullptr) {
        return false;
    }
    if (ball->x <= 0) {
        return ball->x < kFarGoalLine || ball->y > kGoalSide || ball->z > kAboveBar;
    }
    if (ball->x <= kNearGoalLine || ball->z > kAboveBar) {
        return true;
    }
    return isBallInGoal() ? isBallInGoalNet() : ball->y >= kGoalSide;
}

} // namespace game::match
