// Speed of the fixed heaps: allocate/free pairs, a churning fragmented heap, and an allocation
// that has to compact the relocatable heap first. Goal: a free and an allocation of the churn
// among 10,000 live buffers under 60 ns.
#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <vector>

#include "runtime/Log.h"
#include "runtime/VirtualMemoryManager.h"

namespace {

using runtime::jint;
using runtime::VirtualMemoryManager;

// Allocate and free one buffer of range(0) bytes in an empty heap (range(1): relocatable).
void allocateAndFree(benchmark::State& state) {
    VirtualMemoryManager heap;
    heap.init(runtime::kSecondaryHeapSize, state.range(1) != 0);
    const auto n = static_cast<jint>(state.range(0));
    for (auto _ : state) {
        void* data = heap.allocate(n);
        benchmark::DoNotOptimize(data);
        heap.free(data);
    }
}
BENCHMARK(allocateAndFree)->ArgsProduct({{16, 256, 4096}, {0, 1}});

// Random allocations and frees among range(0) live buffers of 8..520 bytes: the free list
// grows long and best fit walks it.
void churn(benchmark::State& state) {
    const auto slots = static_cast<std::size_t>(state.range(0));
    VirtualMemoryManager heap;
    heap.init(runtime::kObjectHeapSize, false);
    std::vector<void*> live(slots, nullptr);
    std::mt19937 random(7);
    for (auto& data : live) {
        data = heap.allocate(static_cast<jint>(8 + random() % 512));
    }
    for (auto _ : state) {
        void*& data = live[random() % slots];
        heap.free(data);
        // DoNotOptimize gets a const value: given the vector element itself, GCC 12 may leave
        // the element without the new pointer.
        void* const fresh = heap.allocate(static_cast<jint>(8 + random() % 512));
        benchmark::DoNotOptimize(fresh);
        data = fresh;
    }
    state.counters["freeFragments"] = heap.freeFragmentCount();
}
BENCHMARK(churn)->Arg(100)->Arg(1000)->Arg(10000);

// A relocatable heap of 1 MiB cut into 64-byte buffers with every other one freed: a 4 KiB
// request fits only after compaction.
void compact(benchmark::State& state) {
    constexpr jint kHeapSize = 1 << 20;
    constexpr jint kBuffers = kHeapSize / 64;
    const runtime::LogSink previous = runtime::setLogSink([](const std::string&) {});
    std::vector<void*> owners(kBuffers, nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        VirtualMemoryManager heap;
        heap.init(kHeapSize, true);
        for (void*& data : owners) {
            data = heap.allocate(48);
            heap.setFragmentRelocPointer(data, &data);
        }
        for (jint i = 0; i < kBuffers; i += 2) {
            heap.free(owners[i]);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(heap.allocate(4096));
    }
    runtime::setLogSink(previous);
}
BENCHMARK(compact)->Unit(benchmark::kMicrosecond);

} // namespace
