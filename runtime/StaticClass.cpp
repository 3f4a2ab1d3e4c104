// Building the static root table: the StaticRef fields of a block register themselves while
// createStaticBlock constructs it.
#include "runtime/StaticClass.h"

#include <algorithm>
#include <cstdlib>

#include "runtime/Log.h"

namespace runtime {

namespace {

StaticRootCollection* currentCollection = nullptr;

[[noreturn]] void rootTableFailure(const char* message) {
    log("%s", message);
    std::exit(EXIT_FAILURE);
}

} // namespace

StaticRootCollection::StaticRootCollection() : previous(currentCollection) {
    currentCollection = this;
}

StaticRootCollection::~StaticRootCollection() {
    currentCollection = previous;
}

void StaticRootCollection::fill(StaticClass* const block) const {
    std::copy(slots, slots + count, block->rootTable);
    std::sort(block->rootTable, block->rootTable + count);
    block->rootCount = count;
}

void registerStaticRoot(Object** const slot) {
    StaticRootCollection* collection = currentCollection;
    if (collection == nullptr) {
        rootTableFailure("StaticRef outside a static block: it would not be a collector root");
    }
    if (collection->count >= kStaticRootCapacity) {
        log("static root table full: more than %d reference statics", kStaticRootCapacity);
        rootTableFailure("static root table full");
    }
    collection->slots[collection->count++] = slot;
}

} // namespace runtime
