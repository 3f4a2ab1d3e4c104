// The match statistics panel (see MatchStatsPanel.h).
#include "game/match/view/MatchStatsPanel.h"

#include "game/core/GameStatics.h"
#include "game/core/TextPackage.h"
#include "game/core/services/MatchPanelServices.h"
#include "game/match/CPlayer.h"
#include "game/sprites/TextBoxes.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/ConstantPool.h"
#include "runtime/Log.h"
#include "runtime/StringBuffer.h"

namespace game::match {

using namespace game::sprites;
using namespace game::core;

namespace {

using runtime::getConstantString;
using runtime::jchar;
using runtime::String;

constexpr jint kEmptyText = 1;
constexpr jint kScoreSeparator = 122;
constexpr jint kGoalsGap = 129;
constexpr jint kFirstLabelText = 29;
constexpr jint kBufferCapacity = 16;
constexpr jint kPanelFont = 0;
constexpr jint kPlainPalette = 0;
constexpr jint kHighlightPalette = 1;

// Sprite-font anchors: 1 left, 2 centred, 4 right; + 8 raises the text by a font height.
constexpr jint kAnchorLeft = 1;
constexpr jint kAnchorCentre = 2;
constexpr jint kAnchorRight = 4;
constexpr jint kAnchorRaised = 8;

constexpr jint kBadgeWidth = 42;
constexpr jint kBadgeHeight = 28;
constexpr jint kBadgeTop = 133;
constexpr jint kLeftBadgeX = 98;
constexpr jint kRightBadgeX = 340;
constexpr jint kFrameColour = 0x000000;

constexpr jint kLeftNameX = 35;
constexpr jint kRightNameX = 445;
constexpr jint kNameY = 162;
constexpr jint kScoreX = 240;
constexpr jint kScoreY = 160;

constexpr jint kRowCount = 11;
constexpr jint kRowTop = 160;
constexpr jint kRowStep = 28;
constexpr jint kMatchDayRowTop = 190;
constexpr jint kMatchDayRowStep = 32;
constexpr jint kRowTextDrop = 7;
constexpr jint kLeftValueX = 34;
constexpr jint kRightValueX = 446;
constexpr jint kLabelX = 240;

// Rows 0-3 count what is better larger, 4-7 what is better smaller; 8 is the possession share
// and 9, 10 the success rates of entries 9, 10 over 11, 12.
constexpr jint kFirstSmallerBetterRow = 4;
constexpr jint kPossessionRow = 8;
constexpr jint kFirstRateRow = 9;
constexpr jint kRateDivisorShift = 2;
constexpr jint kPercent = 100;
constexpr jint kEvenShare = 50;
constexpr jint kStatEntries = 13;

void drawText(String* const text, const jint x, const jint y, const jint anchor, const jint palette) {
    drawFontLine(text, 0, text->length(), x, y, anchor, kPanelFont, palette);
}

// The team's badge slice and its one-pixel black frame.
void paintBadge(profile::Graphics* const g, profile::Image* const strip, const jint x, const jint team) {
    if (strip == nullptr) {
        return;
    }
    g->setClip(x, kBadgeTop, kBadgeWidth, kBadgeHeight);
    g->drawImage(strip, x, kBadgeTop - kBadgeHeight * team, 0);
    g->setClip(x - 1, kBadgeTop - 1, kBadgeWidth + 2, kBadgeHeight + 2);
    g->setColor(kFrameColour);
    g->drawRect(x - 1, kBadgeTop - 1, kBadgeWidth + 1, kBadgeHeight + 1);
}

String* teamName(const jint team) {
    runtime::ObjectArray* const names = statics()->matchTeamNames;
    if (names == nullptr || team < 0 || team >= names->length) {
        return nullptr;
    }
    return static_cast<String*>((*names)[team]);
}

String* valueText(const jint value, const jchar suffix) {
    runtime::StringBuffer* const text = runtime::newStringBuffer(kBufferCapacity);
    text->append(getConstantString(kEmptyText));
    text->appendInt(value);
    text->appendChar(suffix);
    return text->toString();
}

const short* teamStats(const jint team) {
    runtime::ObjectArray* const stats = statics()->matchStats;
    if (stats == nullptr || team < 0 || team >= stats->length) {
        return nullptr;
    }
    auto* const row = static_cast<runtime::ShortArray*>((*stats)[team]);
    return row != nullptr && row->length >= kStatEntries ? row->data() : nullptr;
}

jint rate(const short hits, const short tries) {
    return tries == 0 ? 0 : kPercent * hits / tries;
}

} // namespace

StatRowValues statRowValues(const jint row, const short* const a, const short* const b) {
    StatRowValues values;
    if (row < kPossessionRow) {
        values.left = a[row];
        values.right = b[row];
    } else if (row == kPossessionRow) {
        const jint left = static_cast<unsigned short>(a[row]);
        const jint total = left + static_cast<unsigned short>(b[row]);
        values.left = total == 0 ? kEvenShare : kPercent * left / total;
        values.right = kPercent - values.left;
    } else {
        values.left = rate(a[row], a[row + kRateDivisorShift]);
        values.right = rate(b[row], b[row + kRateDivisorShift]);
    }
    return values;
}

void paintMatchStats() {
    GameStatics* const s = statics();
    if (s->badgeStrip == nullptr) {
        matchPanelServices().prepareFixtureHeader();
    }
    profile::Graphics* const g = s->currentGraphics;
    if (g == nullptr) {
        return;
    }
    const jint offset =
        s->panelTextOffsets != nullptr && s->panelTextOffsets->length > 0 ? (*s->panelTextOffsets)[0] : 0;
    const jint teamA = s->matchTeamIndexA;
    const jint teamB = s->matchTeamIndexB;

    paintBadge(g, s->badgeStrip, kLeftBadgeX, teamA);
    if (String* const name = teamName(teamA); name != nullptr) {
        drawText(name, kLeftNameX, kNameY + offset, kAnchorLeft + kAnchorRaised, kHighlightPalette);
    }
    paintBadge(g, s->badgeStrip, kRightBadgeX, teamB);
    if (String* const name = teamName(teamB); name != nullptr) {
        drawText(name, kRightNameX, kNameY + offset, kAnchorRight + kAnchorRaised, kHighlightPalette);
    }

    match::CTeam* const shownFirst = s->sidesSwapped != 0 ? s->firstTeam.get() : s->secondTeam.get();
    match::CTeam* const shownSecond = s->sidesSwapped != 0 ? s->secondTeam.get() : s->firstTeam.get();
    runtime::StringBuffer* const score = runtime::newStringBuffer(kBufferCapacity);
    score->append(getConstantString(kEmptyText));
    score->appendInt(matchPanelServices().teamGoals(shownFirst));
    score->append(getConstantString(kGoalsGap));
    score->appendInt(matchPanelServices().teamGoals(shownSecond));
    drawText(score->toString(), kScoreX, kScoreY + offset, kAnchorCentre + kAnchorRaised, kHighlightPalette);
    drawText(getConstantString(kScoreSeparator), kScoreX, kScoreY + offset, kAnchorCentre + kAnchorRaised,
             kHighlightPalette);

    const short* const statsA = teamStats(teamA);
    const short* const statsB = teamStats(teamB);
    if (statsA == nullptr || statsB == nullptr) {
        runtime::log("paintMatchStats: no statistics for teams %d and %d", teamA, teamB);
        return;
    }
    for (jint row = 0; row < kRowCount; ++row) {
        const jint y =
            s->matchDayMode != 0 ? kMatchDayRowTop + kMatchDayRowStep * row : kRowTop + kRowStep * row;
        const StatRowValues values = statRowValues(row, statsA, statsB);
        const bool smallerBetter = row >= kFirstSmallerBetterRow && row < kPossessionRow;
        const bool leftBetter = smallerBetter ? values.left < values.right : values.left > values.right;
        const bool rightBetter = smallerBetter ? values.right < values.left : values.right > values.left;
        const jchar suffix = row < kPossessionRow ? ' ' : '%';
        drawText(valueText(values.left, suffix), kLeftValueX, y + kRowTextDrop, kAnchorLeft,
                 leftBetter ? kHighlightPalette : kPlainPalette);
        drawText(valueText(values.right, suffix), kRightValueX, y + kRowTextDrop, kAnchorRight,
                 rightBetter ? kHighlightPalette : kPlainPalette);
        String* const label = getText(kFirstLabelText + row);
        if (label != nullptr) {
            drawText(label, kLabelX, y + kRowTextDrop, kAnchorCentre, kPlainPalette);
        }
    }
}

} // namespace game::match
