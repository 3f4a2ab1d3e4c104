// The slots of the interfaces whose default is still an interim implementation: each accessor
// returns the installed service, else the interim one. They live here, beside their defaults, so
// that the interfaces' own folders never include this one; when an owner lands, its slot moves next
// to the owner's implementation, which becomes the default.
#include "game/interim/InterimFrameServices.h"
#include "game/interim/InterimFrameworkServices.h"
#include "game/interim/InterimInfoScreenServices.h"
#include "game/interim/InterimInformationScreenServices.h"
#include "game/interim/InterimManagementServices.h"
#include "game/interim/InterimMatchPanelServices.h"
#include "game/interim/InterimMatchServices.h"
#include "game/interim/InterimMenuServices.h"
#include "game/interim/InterimPromotionScreenServices.h"
#include "game/interim/InterimPromotionServices.h"
#include "game/interim/InterimSeasonScreenServices.h"
#include "runtime/Service.h"

// The accessor and installer of one interface whose default is Interim.
#define TARNWICK_INTERIM_SLOT(Interface, accessor, installer, Interim)                                       \
    Interface& accessor() {                                                                                  \
        return runtime::serviceSlot<Interface, interim::Interim>().get();                                    \
    }                                                                                                        \
    Interface* installer(Interface* const service) {                                                         \
        return runtime::serviceSlot<Interface, interim::Interim>().install(service);                         \
    }

namespace game::core {

TARNWICK_INTERIM_SLOT(FrameServices, frameServices, installFrameServices, InterimFrameServices)
TARNWICK_INTERIM_SLOT(FrameworkServices, frameworkServices, installFrameworkServices,
                      InterimFrameworkServices)
TARNWICK_INTERIM_SLOT(InfoScreenServices, infoScreenServices, installInfoScreenServices,
                      InterimInfoScreenServices)
TARNWICK_INTERIM_SLOT(InformationScreenServices, informationScreenServices, installInformationScreenServices,
                      InterimInformationScreenServices)
TARNWICK_INTERIM_SLOT(ManagementServices, managementServices, installManagementServices,
                      InterimManagementServices)
TARNWICK_INTERIM_SLOT(MatchPanelServices, matchPanelServices, installMatchPanelServices,
                      InterimMatchPanelServices)
TARNWICK_INTERIM_SLOT(MatchServices, matchServices, installMatchServices, InterimMatchServices)
TARNWICK_INTERIM_SLOT(MenuServices, menuServices, installMenuServices, InterimMenuServices)
TARNWICK_INTERIM_SLOT(PromotionScreenServices, promotionScreenServices, installPromotionScreenServices,
                      InterimPromotionScreenServices)
TARNWICK_INTERIM_SLOT(PromotionServices, promotionServices, installPromotionServices,
                      InterimPromotionServices)
TARNWICK_INTERIM_SLOT(SeasonScreenServices, seasonScreenServices, installSeasonScreenServices,
                      InterimSeasonScreenServices)

} // namespace game::core

#undef TARNWICK_INTERIM_SLOT
