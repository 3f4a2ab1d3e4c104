// Stand-in for the menu flow handlers' services until they are built.
#pragma once

#include "game/framework/MenuServices.h"

namespace game::interim {

class InterimMenuServices final : public framework::MenuServices {
public:
    // No effect.
    void updateEventList(runtime::Object* eventList) override;

private:
    bool eventListLogged = false;
};

} // namespace game::interim
