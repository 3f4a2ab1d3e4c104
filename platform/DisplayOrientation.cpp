// The installed display-orientation service.
#include "platform/DisplayOrientation.h"

#include "platform/Service.h"

namespace platform {

namespace {
ServiceSlot<DisplayOrientation, SystemDisplayOrientation>& slot() {
    static ServiceSlot<DisplayOrientation, SystemDisplayOrientation> instance;
    return instance;
}
} // namespace

DisplayOrientation& displayOrientation() {
    return slot().get();
}

DisplayOrientation* installDisplayOrientation(DisplayOrientation* const replacement) {
    return slot().install(replacement);
}

} // namespace platform
