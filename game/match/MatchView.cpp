// The match view and actor routines (see MatchView.h).
#include "game/match/MatchView.h"

#include "game/core/GameMath.h"
#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/ScreenRoutines.h"
#include "game/core/services/MatchServices.h"
#include "game/match/CPlayer.h"
#include "game/match/FrameRecordFormat.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Log.h"

namespace game::match {

using namespace game::core;

namespace {

using match::Actor;
using match::CPlayer;
using match::CTeam;

constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;
constexpr jint kTopLeft = profile::kAnchorTop | profile::kAnchorLeft;

// moveCameraTo: the point becomes the window's centre; the direction shifts it.
constexpr jint kHalfScreenWidth = 240;
constexpr jint kHalfScreenHeight = 400;
constexpr jint kShiftAcross = 60;
constexpr jint kShiftUpDown = 20;
constexpr jint kFixedShift = 8;
constexpr jint kPanMode = 2;

// isActorOnScreen: the window's part in which the camera leaves a player be.
constexpr jint kOnScreenLeft = 60;
constexpr jint kOnScreenRight = 420;
constexpr jint kOnScreenTop = 81;
constexpr jint kOnScreenBottom = 720;

// Flip bits of a cell: four cells a byte, the first in the top bits.
constexpr jint kCellsPerFlipByte = 4;
constexpr jint kFlipMask = 3;
constexpr jint kFlipTopShift = 6;

// blitPitchView: in match phase 15 the copy keeps off the top and bottom 24 rows.
constexpr jint kPhaseWithPanels = 15;
constexpr jint kPanelHeight = 24;

// paintOverview: the map's centre, the circle and the markers.
constexpr jint kWhite = 0xFFFFFF;
constexpr jint kOverviewCentreX = 361;
constexpr jint kOverviewCentreY = 652;
constexpr jint kOverviewCircleX = 341;
constexpr jint kOverviewCircleY = 632;
constexpr jint kOverviewCircleSize = 40;
constexpr jint kFullCircle = 360;
constexpr jint kOverviewScale = 6;
constexpr jint kOverviewOriginX = 360;
constexpr jint kOverviewOriginY = 651;
constexpr jint kFirstPlayerPair = frame::kFirstPlayerWord;
constexpr jint kFirstSecondTeamPair = frame::kFirstSecondTeamWord;
constexpr jint kBallPair = frame::kBallWord;
constexpr jint kAbsent = frame::kAbsent;
constexpr jint kBallColourA = 0xFFDC86;
constexpr jint kBallColourB = 0xE99E3E;
constexpr jint kHighlightFillA = 0x4492EE;
constexpr jint kHighlightFillB = 0x4476EE;
constexpr jint kHighlightOutline = 0x004ECC;

// paintSlideBanner: 35 steps; it slides in over frames 0-4, stands over 5-14 (blinking) and
// slides out over 15-20.
constexpr jint kBannerSteps = 35;
constexpr jint kBannerInLast = 4;
constexpr jint kBannerStandLast = 14;
constexpr jint kBannerOutLast = 20;
constexpr jint kBannerInStart = 720;
constexpr jint kBannerOutStart = 1455;
constexpr jint kBannerStep = 81;
constexpr jint kBannerCentre = 240;
constexpr jint kBannerBlinkFirst = 6;
constexpr jint kBannerBlinkPeriod = 4;
constexpr jint kBannerBlinkOff = 2;
constexpr jint kBannerY = 80;
constexpr jint kBannerClipWidth = 92;
constexpr jint kBannerClipHeight = 22;

// stepFlashTimer's two steps.
constexpr jint kFlashCopyCount = 8;
constexpr jint kFlashEndCount = 16;

// findBestPlayer's scan: player indexes 10 down to 2, down to 1 for kind 3.
constexpr jint kFirstScanned = 10;
constexpr jint kLastScanned = 2;
constexpr jint kLastScannedKind3 = 1;
// Record bytes the routines read.
constexpr jint kRecordByte1 = 1;
constexpr jint kRecordByte2 = 2;
constexpr jint kRecordUnavailability = 4;
constexpr jint kRecordByte15 = 15;
constexpr jint kRecordByte17 = 17;
constexpr jint kRecordCondition = 19;
constexpr jint kUnfitAbove = 4;

// The condition: its range, thresholds and rates by position group.
constexpr jint kConditionMax = 99;
constexpr jint kConditionFirstMark = 50;
constexpr jint kConditionSecondMark = 75;
constexpr jint kMatchMinutes = 90;
constexpr jint kFixedRateFlag = 64;
constexpr jint kKeeperGroup = 0;
constexpr jint kLastMiddleGroup = 5;
constexpr jint kOffPitch = 1;

// scaleVelocity: the scale's unit speed.
constexpr jint kVelocityUnit = 480;

// updateEventMarks: the event in bits 13-15.
constexpr jint kEventShift = 13;
constexpr jint kEventMask = 7;

template <typename T> T* arrayElement(runtime::ObjectArray* const array, const jint index) {
    if (array == nullptr || !array->inBounds(index)) {
        return nullptr;
    }
    runtime::Object* const element = (*array)[index];
    return element != nullptr && element->classId == T::kClassId ? static_cast<T*>(element) : nullptr;
}

profile::Image* imageElement(runtime::ObjectArray* const array, const jint index) {
    if (array == nullptr || !array->inBounds(index)) {
        return nullptr;
    }
    runtime::Object* const element = (*array)[index];
    return runtime::instanceOf(element, runtime::kImage) != 0 ? static_cast<profile::Image*>(element)
                                                              : nullptr;
}

jint absolute(const jint v) {
    return v < 0 ? -v : v;
}

// The offset of the team's player record in listRowRecords for squad entry slot, or -1.
jint matchRecordOffset(const jint teamIndex, const jint slot) {
    const jint offset = (teamIndex * kMatchRecordsPerTeam + slot) * kMatchRecordBytes;
    return holds(statics()->listRowRecords, offset, kMatchRecordBytes) ? offset : -1;
}

// The value of a player's record for findBestPlayer's kind.
jint bestPlayerValue(const runtime::ByteArray* const records, const jint offset, const jint kind) {
    const jint byte1 = (*records)[offset + kRecordByte1];
    const jint byte2 = (*records)[offset + kRecordByte2];
    switch (kind) {
    case kBestPlayerKind0:
        return byte1 / 3 + byte2 / 2;
    case kBestPlayerKind1:
        return byte1 * 6 / 7;
    case kBestPlayerKind2:
        return byte2 * 2 / 3 + (*records)[offset + kRecordByte15] / 4;
    case kBestPlayerKind3:
        return (*records)[offset + kRecordByte17];
    default:
        return 0;
    }
}

// The flip value 0..3 of cell index in a layer's flip map (0 without one).
jint cellFlip(const runtime::ByteArray* const flips, const jint index) {
    const jint byteIndex = index / kCellsPerFlipByte;
    if (flips == nullptr || !flips->inBounds(byteIndex)) {
        return 0;
    }
    const jint shift = kFlipTopShift - 2 * (index % kCellsPerFlipByte);
    return ((*flips)[byteIndex] >> shift) & kFlipMask;
}

// Paints one layer's cells of the range into the buffer.
void paintLayer(profile::Graphics* const g, const jint layer, const jint x0, const jint y0, const jint x1,
                const jint y1) {
    GameStatics* const s = statics();
    auto* const map = arrayElement<runtime::ByteArray>(s->pitchTileMaps, layer);
    auto* const flips = arrayElement<runtime::ByteArray>(s->pitchFlipMaps, layer);
    profile::Image* const tiles = imageElement(s->pitchTileImages, layer);
    runtime::IntArray* const perRowTable = s->pitchTilesPerRow;
    if (map == nullptr || tiles == nullptr || perRowTable == nullptr || !perRowTable->inBounds(layer)) {
        return;
    }
    const jint perRow = (*perRowTable)[layer];
    if (perRow <= 0) {
        return;
    }
    const jint rows = map->length / kPitchMapColumns;
    for (jint cy = y0; cy <= y1; ++cy) {
        if (cy < 0 || cy >= rows) {
            continue;
        }
        for (jint cx = x0; cx <= x1; ++cx) {
            if (cx < 0 || cx >= kPitchMapColumns) {
                continue;
            }
            const jint index = cx + cy * kPitchMapColumns;
            const jint tile = (*map)[index] & 0xFF;
            if (tile == kEmptyTile) {
                continue;
            }
            const jint srcX = (tile % perRow) * kTileSize;
            const jint srcY = (tile / perRow) * kTileSize;
            if (srcX + kTileSize > tiles->width || srcY + kTileSize > tiles->height) {
                continue;
            }
            const jint bx = (cx * kTileSize) % kPitchBufferWidth;
            const jint by = (cy * kTileSize) % kPitchBufferHeight;
            const jint flip = cellFlip(flips, index);
            g->setClip(bx, by, kTileSize, kTileSize);
            if (flip == 0) {
                g->drawImage(tiles, bx - srcX, by - srcY, kTopLeft);
                continue;
            }
            const jint transform = ((flip & 1) != 0 ? profile::kTransformMirror : profile::kTransformNone) +
                                   (flip > 1 ? profile::kTransformMirrorRot180 : profile::kTransformNone);
            g->drawRegion(tiles, srcX, srcY, kTileSize, kTileSize, transform, bx, by, kTopLeft);
        }
    }
}

// A player's marker of the overview: a 3 x 3 outline (4 x 4 pixels) round a 2 x 2 fill.
void paintOverviewPlayer(profile::Graphics* const g, const jint px, const jint py, const jint outline,
                         const jint fill) {
    g->setColor(outline);
    g->drawRect(px - 1, py - 1, 3, 3);
    g->setColor(fill);
    g->fillRect(px, py, 2, 2);
}

} // namespace

void moveCameraTo(const jboolean follow, jint x, jint y, const jint speed, const jint direction) {
    GameStatics* const s = statics();
    if (direction >= 0 && direction < kDirectionCount) {
        x += kDirectionSignX[direction] * kShiftAcross;
        y += kDirectionSignY[direction] * kShiftUpDown;
    }
    jint tx = x - kHalfScreenWidth;
    jint ty = y - kHalfScreenHeight;
    s->cameraMode = kPanMode;
    s->cameraFollowFlag = follow;
    s->cameraArrived = 0;
    if (tx == s->cameraTargetX && ty == s->cameraTargetY) {
        return;
    }
    tx = clamp(tx, 0, s->cameraMaxX);
    ty = clamp(ty, 0, s->cameraMaxY);
    s->cameraTargetX = tx;
    s->cameraTargetY = ty;
    const jint d1 = absolute(tx - s->cameraX);
    const jint d2 = absolute(ty - s->cameraY);
    jint stepX = 0;
    jint stepY = 0;
    if (d1 == 0 || d2 == 0) {
        stepX = clamp(speed, 0, d1) << kFixedShift;
        stepY = clamp(speed, 0, d2) << kFixedShift;
    } else if (d1 >= d2) {
        stepX = clamp(speed, 0, d1) << kFixedShift;
        stepY = stepX * d2 / d1;
    } else {
        stepY = clamp(speed, 0, d2) << kFixedShift;
        stepX = stepY * d1 / d2;
    }
    s->cameraStepX = tx < s->cameraX ? -stepX : stepX;
    s->cameraStepY = ty < s->cameraY ? -stepY : stepY;
    s->cameraMoving = 1;
    s->cameraStartX = s->cameraX;
    s->cameraStartY = s->cameraY;
}

bool isActorOnScreen(const Actor* const actor) {
    if (actor == nullptr) {
        return false;
    }
    GameStatics* const s = statics();
    const jint dx = actor->screenX - s->cameraX;
    const jint dy = actor->screenY - s->cameraY;
    return dx > kOnScreenLeft && dx < kOnScreenRight && dy >= kOnScreenTop && dy < kOnScreenBottom;
}

void paintPitchTiles(const jint x0, const jint y0, const jint x1, const jint y1) {
    profile::Graphics* const g = statics()->pitchGraphics;
    if (g == nullptr) {
        return;
    }
    for (jint layer = 0; layer < kPitchLayers; ++layer) {
        paintLayer(g, layer, x0, y0, x1, y1);
    }
    g->setClip(0, 0, kPitchBufferWidth, kPitchBufferHeight);
}

void blitPitchView(const jint srcX, const jint srcY, const jint w, const jint h, const jint dstX,
                   const jint dstY) {
    GameStatics* const s = statics();
    profile::Graphics* const g = s->currentGraphics;
    profile::Image* const buffer = s->pitchBuffer;
    if (g == nullptr || buffer == nullptr) {
        return;
    }
    if (s->matchPhase == kPhaseWithPanels) {
        g->setClip(0, kPanelHeight, kScreenWidth, kScreenHeight - 2 * kPanelHeight);
    } else {
        g->setClip(0, 0, kScreenWidth, kScreenHeight);
    }
    g->clipRect(dstX, dstY, w, h);
    g->drawImage(buffer, dstX - srcX, dstY - srcY, kTopLeft);
}

void paintOverview() {
    GameStatics* const s = statics();
    profile::Graphics* const g = s->currentGraphics;
    if (g == nullptr) {
        return;
    }
    runtime::ShortArray* const positions = s->frameRecord;
    if (s->overviewVisible != 0) {
        const jint left = kOverviewCentreX - s->overviewHalfWidth;
        const jint top = kOverviewCentreY - s->overviewHalfHeight;
        const jint boxTop = kOverviewCentreY - s->overviewBoxHeight / 2;
        g->setColor(kWhite);
        g->drawRect(left, top, s->overviewWidth, s->overviewHeight);
        g->drawLine(kOverviewCentreX, top, kOverviewCentreX, kOverviewCentreY + s->overviewHalfHeight);
        g->drawRect(left, boxTop, s->overviewBoxWidth, s->overviewBoxHeight);
        g->drawRect(left + s->overviewWidth - s->overviewBoxWidth, boxTop, s->overviewBoxWidth,
                    s->overviewBoxHeight);
        g->drawArc(kOverviewCircleX, kOverviewCircleY, kOverviewCircleSize, kOverviewCircleSize, 0,
                   kFullCircle);
        for (jint i = kFirstPlayerPair; i < kBallPair; i += 2) {
            if (positions == nullptr || !positions->inBounds(i + 1)) {
                break;
            }
            const jint x = (*positions)[i];
            const jint y = (*positions)[i + 1];
            if (x == kAbsent && y == kAbsent) {
                continue;
            }
            const bool firstTeam = i < kFirstSecondTeamPair;
            paintOverviewPlayer(g, x / kOverviewScale + kOverviewOriginX,
                                y / kOverviewScale + kOverviewOriginY,
                                firstTeam ? s->overviewColourA : s->overviewColourB,
                                firstTeam ? s->overviewFillA : s->overviewFillB);
        }
    }
    s->overviewBlink = s->overviewBlink != 0 ? 0 : 1;
    const bool blink = s->overviewBlink != 0;
    if (positions != nullptr && positions->inBounds(kBallPair + 1)) {
        const jint x = (*positions)[kBallPair];
        const jint y = (*positions)[kBallPair + 1];
        if (x != kAbsent || y != kAbsent) {
            const jint px = x / kOverviewScale + kOverviewOriginX;
            const jint py = y / kOverviewScale + kOverviewOriginY;
            g->setColor(blink ? kBallColourA : kBallColourB);
            g->fillArc(px - 1, py - 1, 3, 3, 0, kFullCircle);
            g->drawArc(px - 1, py - 1, 3, 3, 0, kFullCircle);
        }
    }
    const Actor* const highlighted = s->highlightedActor;
    if (highlighted != nullptr) {
        const jint hx = (highlighted->x >> kFixedShift) / kOverviewScale + kOverviewOriginX;
        const jint hy = (highlighted->y >> kFixedShift) / kOverviewScale + kOverviewOriginY;
        g->setColor(blink ? kHighlightFillA : kHighlightFillB);
        g->fillRect(hx - 1, hy - 1, 4, 4);
        g->setColor(kHighlightOutline);
        g->drawRect(hx - 2, hy - 2, 5, 5);
    }
}

void paintSlideBanner() {
    GameStatics* const s = statics();
    const jint frame = s->bannerFrame;
    if (frame >= kBannerSteps || frame < 0) {
        return;
    }
    if (frame <= kBannerInLast) {
        s->bannerX = kBannerInStart - kBannerStep * frame;
    } else if (frame <= kBannerStandLast) {
        s->bannerX = kBannerCentre;
    } else if (frame <= kBannerOutLast) {
        s->bannerX = kBannerOutStart - kBannerStep * frame;
    }
    const jint count = frame + 1;
    s->bannerFrame = count;
    if (count >= kBannerBlinkFirst && count <= kBannerStandLast &&
        count % kBannerBlinkPeriod < kBannerBlinkOff) {
        return;
    }
    profile::Graphics* const g = s->currentGraphics;
    profile::Image* const image = s->bannerImage;
    if (g == nullptr || image == nullptr) {
        return;
    }
    const jint left = s->bannerX - image->width / 2;
    g->setClip(left, kBannerY, kBannerClipWidth, kBannerClipHeight);
    g->drawImage(image, left, kBannerY, kTopLeft);
    g->setClip(0, 0, kScreenWidth, kScreenHeight);
}

void stepFlashTimer() {
    GameStatics* const s = statics();
    if (s->flashActive == 0) {
        return;
    }
    ++s->flashCounter;
    if (s->flashCounter == kFlashCopyCount) {
        s->flashTarget = s->flashSource;
    }
    if (s->flashCounter == kFlashEndCount) {
        s->flashFlag = 0;
        s->flashActive = 0;
    }
}

void setMoveTarget(const jint speed, const jint fromX, const jint fromY, const jint toX, const jint toY) {
    GameStatics* const s = statics();
    const jint dx = (toX - fromX) >> kFixedShift;
    const jint dy = (toY - fromY) >> kFixedShift;
    const jint distance = approxDistance(dx, dy);
    if (distance <= speed) {
        s->linePointX = toX;
        s->linePointY = toY;
        return;
    }
    s->linePointX = toX - (dx * speed / distance) * (1 << kFixedShift);
    s->linePointY = toY - (dy * speed / distance) * (1 << kFixedShift);
}

jint findBestPlayer(CTeam* const team, const jint kind) {
    if (team == nullptr || team->players == nullptr) {
        return -1;
    }
    runtime::ByteArray* const records = statics()->listRowRecords;
    const jint last = kind == kBestPlayerKind3 ? kLastScannedKind3 : kLastScanned;
    jint best = -1;
    jint bestValue = 0;
    for (jint i = kFirstScanned; i >= last; --i) {
        auto* const player = arrayElement<CPlayer>(team->players, i);
        if (player == nullptr || player->outOfPlay != 0) {
            continue;
        }
        const jint offset = matchRecordOffset(team->teamIndex, player->slot);
        if (offset < 0) {
            runtime::log("findBestPlayer: no match record for team %d, slot %d", team->teamIndex,
                         player->slot);
            continue;
        }
        const jint value = bestPlayerValue(records, offset, kind);
        if (value > bestValue) {
            best = i;
            bestValue = value;
        }
    }
    return best;
}

void initPlayerCondition(CPlayer* const player, const jint start) {
    if (player == nullptr) {
        return;
    }
    GameStatics* const s = statics();
    const CTeam* const team = player->team;
    const jint teamIndex = team != nullptr ? team->teamIndex : 0;
    const jint offset = matchRecordOffset(teamIndex, player->slot);
    if (offset >= 0) {
        player->conditionBase = (*s->listRowRecords)[offset + kRecordCondition];
    } else {
        runtime::log("initPlayerCondition: no match record for team %d, slot %d", teamIndex, player->slot);
    }
    player->fatigue = player->conditionBase;
    player->conditionElapsed = 0;
    player->conditionDecay = 0;
    player->conditionCount = 0;
    player->conditionAnnounced = 0;
    player->conditionLastTime = -1;
    player->conditionStart = start;
    // The unavailability byte is the one of the squad entry the line-up gives the player's slot.
    auto* const lineup = arrayElement<runtime::ByteArray>(s->lineup, teamIndex);
    if (lineup != nullptr && lineup->inBounds(player->slot)) {
        const jint entry = matchRecordOffset(teamIndex, (*lineup)[player->slot]);
        if (entry >= 0) {
            player->unfit = (*s->listRowRecords)[entry + kRecordUnavailability] > kUnfitAbove ? 1 : 0;
        }
    }
    const jint level = player->levelValue;
    const jint group = positionGroup(player->formationSlot);
    if ((player->flags & kFixedRateFlag) != 0 || (group > kKeeperGroup && group <= kLastMiddleGroup)) {
        player->conditionRate = 4 * level + 18;
    } else if (group == kKeeperGroup) {
        player->conditionRate = 2 * level + 9;
    } else {
        player->conditionRate = (level + 7) * 4;
    }
}

void updatePlayerCondition(CPlayer* const player, const jint time) {
    if (player == nullptr || player->outOfPlay == kOffPitch || time == player->conditionLastTime) {
        return;
    }
    player->conditionLastTime = time;
    jint elapsed = (time - player->conditionStart) * player->conditionRate / kMatchMinutes;
    if (elapsed < 0) {
        elapsed = 0;
    }
    player->conditionElapsed = elapsed;
    const jint work = (player->effort / 160 + player->workCounter / 10) * 5 / kMatchMinutes;
    const jint condition = clamp(player->conditionBase + (work + elapsed) * 3 / 4, 0, kConditionMax);
    player->fatigue = condition;
    const jint announced = player->conditionAnnounced;
    const bool pastFirst = condition > kConditionFirstMark && announced <= kConditionFirstMark;
    const bool pastSecond = condition > kConditionSecondMark && announced <= kConditionSecondMark;
    if (!pastFirst && !pastSecond) {
        return;
    }
    player->conditionAnnounced = condition;
    matchServices().applyEvent(player, kConditionReaction);
}

void scaleVelocity(const jint scale, const jint dx, const jint dy) {
    const jint length = approxDistance(dx, dy);
    if (length == 0) {
        return;
    }
    GameStatics* const s = statics();
    const jint speed = scale * kVelocityUnit >> kFixedShift;
    s->vectorX = dx * speed / length;
    s->vectorY = dy * speed / length;
}

void updateEventMarks() {
    GameStatics* const s = statics();
    if (s->eventMarkWord == 0) {
        return;
    }
    const jint bit = 1 << ((s->eventMarkWord >> kEventShift) & kEventMask);
    if ((s->eventMarksAnnounced & bit) == 0) {
        s->eventMarksAnnounced = static_cast<runtime::jbyte>(s->eventMarksAnnounced | bit);
        return;
    }
    s->eventMarksDone = static_cast<runtime::jbyte>(s->eventMarksDone | bit);
}

} // namespace game::match
