// The size of a randomized or exhaustive case for the build it runs in. The optimised run takes
// the full size; a step costs 10-30 times more under the sanitizers (or unoptimised), and
// collecting at every allocation costs 10-100 times more again. Each case names its three sizes
// where it declares them, and records the one it ran, under that name, as a property of its report.
#pragma once

#include "runtime/Collector.h"

#include <gtest/gtest.h>

namespace testing_support {

struct CaseSize {
    int optimised; // the full size
    int checked;   // sanitizers, or no optimisation
    int stressed;  // collecting and compacting at every allocation
};

inline bool optimisedBuild() {
#if defined(__OPTIMIZE__) && !defined(__SANITIZE_ADDRESS__)
    return true;
#else
    return false;
#endif
}

inline int sizeForThisBuild(const char* name, const CaseSize& size) {
    const int chosen = runtime::gcStress() ? size.stressed : optimisedBuild() ? size.optimised : size.checked;
    testing::Test::RecordProperty(name, chosen);
    return chosen;
}

} // namespace testing_support
