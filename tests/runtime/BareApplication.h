// A bare Application holding only a static-field block with a filled class table, installed as
// the current Application for the length of a test.
#pragma once

#include <memory>

#include "runtime/Application.h"
#include "runtime/ClassTable.h"
#include "runtime/StaticClass.h"

namespace runtime {

class BareApplication {
public:
    BareApplication() : previous(Application::getInstance()) {
        application->staticClass = block.get();
        Application::setInstance(application.get());
        initClassTable(block.get());
    }
    ~BareApplication() {
        freeRefFieldLists();
        application->staticClass = nullptr;
        Application::setInstance(previous);
    }
    BareApplication(const BareApplication&) = delete;
    BareApplication& operator=(const BareApplication&) = delete;

    std::unique_ptr<StaticClass> block{createStaticBlock<StaticClass>()};
    std::unique_ptr<Application> application = std::make_unique<Application>();

private:
    Application* previous;
};

} // namespace runtime
