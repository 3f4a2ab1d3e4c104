// A runtime with the game's static block for framework tests: the sample constant pool, the
// key-queue arrays and the named
// scalars the class initialisers give them, a clock the test sets (System::currentTimeMillis), and
// a virtual platform clock so the canvas's sleeps pass at once. Scripted doubles of the
// framework's interfaces record what the canvas asks of its neighbours.
#pragma once

#include <string>
#include <vector>

#include "game/framework/FrameServices.h"
#include "game/framework/GameStatics.h"
#include "game/framework/MenuServices.h"
#include "game/framework/PromotionServices.h"
#include "platform/Clock.h"
#include "platform/Service.h"
#include "runtime/Service.h"
#include "tests/runtime/SamplePoolFixture.h"

namespace game::testing {

using runtime::jint;
using runtime::jlong;

// Every call a double received, as "name a,b".
class CallLog {
public:
    void add(const std::string& name, const std::vector<jint>& arguments = {});
    // The calls so far, then forgets them.
    std::vector<std::string> take();
    std::vector<std::string> calls;
};

// Records paint, stores top and menu states as the interim does, and runs a frame body when set.
class ScriptedFrame final : public framework::FrameServices {
public:
    explicit ScriptedFrame(CallLog& log) : log(log) {}
    void paint(profile::Graphics* screen) override;
    void setTopState(jint state) override;
    void setMenuState(jint state) override;
    void squadListLongPress() override;

    void (*frameBody)() = nullptr;

private:
    CallLog& log;
};

class ScriptedMenus final : public framework::MenuServices {
public:
    explicit ScriptedMenus(CallLog& log) : log(log) {}
    void updateEventList(runtime::Object* eventList) override;

private:
    CallLog& log;
};

class ScriptedPromotion final : public framework::PromotionServices {
public:
    explicit ScriptedPromotion(CallLog& log) : log(log) {}
    void promotionPointerPressed(jint x, jint y) override;
    void promotionPointerReleased(jint x, jint y) override;
    void promotionPointerDragged(jint x, jint y) override;

private:
    CallLog& log;
};

// Installs the three doubles for its lifetime.
class ScriptedNeighbours {
public:
    CallLog log;
    ScriptedFrame frame{log};
    ScriptedMenus menus{log};
    ScriptedPromotion promotion{log};

private:
    runtime::ScopedService<framework::FrameServices> frameScope{&framework::installFrameServices, frame};
    runtime::ScopedService<framework::MenuServices> menusScope{&framework::installMenuServices, menus};
    runtime::ScopedService<framework::PromotionServices> promotionScope{&framework::installPromotionServices,
                                                                        promotion};
};

class FrameworkFixture : public runtime::SamplePoolFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    GameStatics* block() { return statics(); }
    // The milliseconds System::currentTimeMillis answers.
    static jlong now;

    platform::VirtualClock platformClock{0, 0};
    ScriptedNeighbours neighbours;

private:
    platform::ScopedService<platform::Clock> clockScope{&platform::installClock, platformClock};
};

// Sets the press and release state of the touch as the canvas slots leave it in a frame.
void touchReleasedAt(jint x, jint y);
void touchHeldAt(jint x, jint y);

} // namespace game::testing
