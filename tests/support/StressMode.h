// Scopes for the collector's stress mode (collecting and compacting at every allocation).
//
// Fixtures bring their runtime or game up with stress paused: the bring-up is the same for every
// case and costs seconds under stress, and the cases about the bring-up itself ask for it under
// stress. The case's own steps run in the mode the run chose. A case that switches the mode puts
// it back, so that the next case of the same process runs in the run's mode too.
#pragma once

#include "runtime/Collector.h"

namespace testing_support {

// Sets the stress mode for its lifetime; StressMode(false) pauses it.
class StressMode {
public:
    explicit StressMode(const bool on) { runtime::setGcStress(on); }
    ~StressMode() { runtime::setGcStress(was_); }
    StressMode(const StressMode&) = delete;
    StressMode& operator=(const StressMode&) = delete;

private:
    const bool was_ = runtime::gcStress();
};

} // namespace testing_support
