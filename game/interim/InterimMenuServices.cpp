// The interim menu flow services (see InterimMenuServices.h): the built operations forward to
// the menu toolkit and the sound routines.
#include "game/interim/InterimMenuServices.h"

#include "game/core/Sound.h"
#include "game/interim/InterimLog.h"
#include "game/screens/menus/DayAdvance.h"
#include "game/screens/menus/MenuToolkit.h"
#include "game/screens/menus/PlayerActionsMenu.h"

namespace game::interim {

namespace {
void familyHandler() {
    logFirstCall("the menu family handlers (no effect)");
}
} // namespace

void InterimMenuServices::updateEventList(runtime::Object* /*eventList*/) {
    core::stopAllSounds();
}

bool InterimMenuServices::listHasEntryOfType400() {
    logFirstCall("listHasEntryOfType400 (false: no entry of type 400 is listed)");
    return false;
}

void InterimMenuServices::setMenuAnimation(const runtime::jint kind, const runtime::jboolean force) {
    menus::setMenuAnimation(kind, force);
}

void InterimMenuServices::updateMainMenu() {
    familyHandler();
}

void InterimMenuServices::updateNewGameMenu() {
    familyHandler();
}

void InterimMenuServices::updateMenu128() {
    menus::updateMenu128();
}

void InterimMenuServices::updateMenu256() {
    familyHandler();
}

void InterimMenuServices::updateMenu512() {
    familyHandler();
}

void InterimMenuServices::updateMenu1024() {
    familyHandler();
}

void InterimMenuServices::updateMenu2048() {
    familyHandler();
}

void InterimMenuServices::updateMenu4096() {
    familyHandler();
}

void InterimMenuServices::updateMenu8192() {
    familyHandler();
}

void InterimMenuServices::updateMenu16384() {
    familyHandler();
}

void InterimMenuServices::updateMenu65536() {
    familyHandler();
}

void InterimMenuServices::updateMenu131072() {
    menus::updateMenu131072();
}

void InterimMenuServices::updateMenu524288() {
    familyHandler();
}

void InterimMenuServices::updateSquadMenu() {
    familyHandler();
}

void InterimMenuServices::updateMenu4194304() {
    familyHandler();
}

void InterimMenuServices::updateMatchDayMenu() {
    familyHandler();
}

} // namespace game::interim
