// The club database's side of the interface the sprite and resource code calls (a player's age,
// the inbox ring's append) and its slot: the club database's own routines are the default.
#include "game/club/ClubRecords.h"
#include "game/club/InboxMessages.h"
#include "game/core/services/ClubDatabaseServices.h"
#include "runtime/Service.h"

namespace game::club {
namespace {

class ClubDatabaseRoutines final : public core::ClubDatabaseServices {
public:
    jint getPlayerAge(const jint player) override { return club::getPlayerAge(player); }
    void storeRecentRecord(runtime::ByteArray* const message) override { club::storeRecentRecord(message); }
};

} // namespace
} // namespace game::club

namespace game::core {

ClubDatabaseServices& clubDatabaseServices() {
    return runtime::serviceSlot<ClubDatabaseServices, club::ClubDatabaseRoutines>().get();
}

ClubDatabaseServices* installClubDatabaseServices(ClubDatabaseServices* const service) {
    return runtime::serviceSlot<ClubDatabaseServices, club::ClubDatabaseRoutines>().install(service);
}

} // namespace game::core
