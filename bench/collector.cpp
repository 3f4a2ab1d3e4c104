// Full collections of the object heap: the pause with about 5 MB of small live objects in
// chains, the same with as much garbage again to sweep, and with an empty heap.
// Goals: a full collection of 5 MB live under 1 ms; with 2.5 MB of garbage besides, under 0.8 ms.
#include <benchmark/benchmark.h>

#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/ClassTable.h"
#include "runtime/Collector.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"

namespace {

using namespace runtime;

constexpr jint kLiveBytes = 5 * 1024 * 1024;
constexpr jint kChainLength = 100;

// A small object of the kind the game is made of: two references and a little data.
struct BenchNode : Object {
    Object* next = nullptr;
    Object* side = nullptr;
    jint value = 0;

    BenchNode() : Object(kActor) { registerRefFields(this, &next, &side); }
};

// The static block of the benchmark: the root the whole graph hangs from.
struct BenchStatics : StaticClass {
    StaticRef<Object> graphRoot;
};

// Bytes one node costs in the heap, header and fragment rounding included.
constexpr jint kNodeBytes = static_cast<jint>((sizeof(BenchNode) + 7) / 8 * 8 + 8);

// Chains of nodes, every fourth node holding a small array: the shape of lists and records.
jint buildChains(ObjectArray* heads, const jint bytes) {
    jint made = 0;
    const jint chains = heads->length;
    const jint perChain = bytes / kNodeBytes / chains;
    for (jint c = 0; c < chains; ++c) {
        BenchNode* head = newObject<BenchNode>();
        heads->data()[c] = head;
        BenchNode* current = head;
        ++made;
        for (jint i = 1; i < perChain; ++i) {
            auto* node = newObject<BenchNode>();
            current->next = node;
            if (i % 4 == 0) {
                current->side = newIntArray(4);
                ++made;
            }
            current = node;
            ++made;
        }
    }
    return made;
}

// Garbage of the same shape, made in a frame of its own so that no live word names it.
[[gnu::noinline]] void makeGarbage(const jint chains, const jint bytes) {
    buildChains(newObjectArray(chains), bytes);
}

class Runtime {
public:
    Runtime() {
        StaticSetUp setUp;
        setUp.createBlock = []() -> StaticClass* { return createStaticBlock<BenchStatics>(); };
        setUp.run = [](StaticClass* block) { initClassTable(block); };
        Application::setStaticSetUp(setUp);
        application.init();
    }
    ~Runtime() {
        application.close();
        Application::setStaticSetUp(StaticSetUp{});
        Application::setInstance(nullptr);
    }
    ObjectManager* manager() { return application.getObjectManager(); }

private:
    Application application;
};

void BM_CollectLiveGraph(benchmark::State& state) {
    Runtime runtime;
    ObjectArray* heads = newObjectArray(kLiveBytes / kNodeBytes / kChainLength);
    static_cast<BenchStatics*>(Application::getInstance()->getStaticClass())->graphRoot = heads;
    const jint live = buildChains(heads, kLiveBytes) + 1;
    for (auto _ : state) {
        runtime.manager()->gc(0);
    }
    state.counters["live objects"] = live;
    state.counters["marked/s"] =
        benchmark::Counter(static_cast<double>(live) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CollectLiveGraph)->Unit(benchmark::kMicrosecond);

void BM_CollectLiveGraphAndGarbage(benchmark::State& state) {
    Runtime runtime;
    ObjectArray* heads = newObjectArray(kLiveBytes / kNodeBytes / kChainLength);
    static_cast<BenchStatics*>(Application::getInstance()->getStaticClass())->graphRoot = heads;
    buildChains(heads, kLiveBytes);
    for (auto _ : state) {
        state.PauseTiming();
        makeGarbage(heads->length, kLiveBytes / 2);
        clearDeadStack();
        state.ResumeTiming();
        runtime.manager()->gc(0);
    }
}
BENCHMARK(BM_CollectLiveGraphAndGarbage)->Unit(benchmark::kMicrosecond);

void BM_CollectEmptyHeap(benchmark::State& state) {
    Runtime runtime;
    for (auto _ : state) {
        runtime.manager()->gc(0);
    }
}
BENCHMARK(BM_CollectEmptyHeap)->Unit(benchmark::kMicrosecond);

} // namespace
