// The installed WidgetServices (see WidgetServices.h).
#include "game/sprites/WidgetServices.h"

#include "game/interim/InterimWidgetServices.h"
#include "runtime/Service.h"

namespace game::sprites {

namespace {
runtime::ServiceSlot<WidgetServices, interim::InterimWidgetServices>& slot() {
    static runtime::ServiceSlot<WidgetServices, interim::InterimWidgetServices> instance;
    return instance;
}
} // namespace

WidgetServices& widgetServices() {
    return slot().get();
}

WidgetServices* installWidgetServices(WidgetServices* const service) {
    return slot().install(service);
}

} // namespace game::sprites
