// The position-fit grade (see PositionMasks.h).
#include "game/match/PositionMasks.h"

namespace game::match {

namespace {
constexpr jint kGoalkeeper = 0x1;
constexpr jint kDefence = 0x3E;
constexpr jint kMidfield = 0x1FC0;
constexpr jint kAttack = 0x2000;
// The central groups and the two flanks (one side's groups, the other side's groups).
constexpr jint kCentre = 0x24C2;
constexpr jint kFlankA = 0x2914;
constexpr jint kFlankB = 0x3228;
constexpr jint kSameGroup = 0;
constexpr jint kNearLine = 1;
constexpr jint kNextLine = 2;
constexpr jint kFarLine = 3;
constexpr jint kKeeperMismatch = 7;
} // namespace

jint comparePositionMasks(const jint a, const jint b) {
    if ((a & b) != 0) {
        return kSameGroup;
    }
    if (((a | b) & kGoalkeeper) != 0) {
        return kKeeperMismatch;
    }
    // The centre-and-flank grade; it stands only for a mask outside the three lines.
    const jint centre = a & kCentre;
    const jint flank = (a & kFlankA) != 0 ? kFlankA : kFlankB;
    const bool wide = (a & kFlankA) != 0 || (a & kFlankB) != 0;
    const jint bFlank = b & flank;
    const bool bCentre = (b & kCentre) != 0;
    jint grade = kSameGroup;
    if (centre == 0 && wide && bFlank == 0 && !bCentre) {
        grade = kFarLine;
    }
    if (centre != 0 || (wide && bFlank != 0) || (wide && bFlank == 0 && bCentre)) {
        grade = (centre == 0 && bFlank == 0) || (centre != 0 && !bCentre) ? kNextLine : kNearLine;
    }
    // Then by line.
    if ((a & kMidfield) != 0) {
        return (b & kMidfield) != 0 ? kNearLine : kNextLine;
    }
    if ((a & kDefence) == 0 && (a & kAttack) == 0) {
        return grade;
    }
    if (((a & kDefence) != 0 && (b & kDefence) != 0) || ((a & kDefence) == 0 && (b & kAttack) != 0)) {
        return kNearLine;
    }
    return (b & kMidfield) == 0 ? kFarLine : kNextLine;
}

} // namespace game::match
