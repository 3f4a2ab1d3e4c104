// Allocation-heavy workloads the way translated game code runs them: short-lived arrays, labels
// built by appends, Hashtables with Integer keys and Vectors of Integers. Each drops its
// references as the game would, so the collector reclaims the garbage inside the measurement.
//
// Each benchmark iteration is one whole workload; the "ns_per_op" counter is the wall time per
// operation (collections included). Goals on one core: int[16] <= 10 ns, a label <= 50 ns, a
// Hashtable put + get <= 55 ns, a Vector add + read <= 8 ns.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/Hashtable.h"
#include "runtime/Log.h"
#include "runtime/NumberWrappers.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"
#include "runtime/Vector.h"

namespace {

using namespace runtime;

constexpr jint kArrays = 5'000'000;
constexpr jint kLiveArrays = 1024;
constexpr jint kArrayLength = 16;
constexpr jint kLabels = 200'000;
constexpr jint kTableOperations = 200'000;
constexpr jint kTableSize = 50'000;
constexpr jint kVectorOperations = 1'000'000;
constexpr jint kVectorSize = 250'000;

// What a workload keeps alive, listed in the static root table.
Object* liveRoot = nullptr;
// Results a workload computes, so the compiler keeps the work.
jint checksum = 0;

// One Application with the full heaps for the whole run, so every benchmark finds the heaps'
// pages already mapped; the workload's root is listed in the static root table.
void startRuntime() {
    static const bool started = [] {
        setLogSink([](const std::string&) {});
        auto* application = new Application();
        application->init();
        StaticClass* block = application->getStaticClass();
        block->rootTable[block->rootCount++] = &liveRoot;
        return true;
    }();
    benchmark::DoNotOptimize(started);
}

// Runs one workload per iteration and reports the wall time per operation.
template <typename Workload> void measure(benchmark::State& state, const jint operations, Workload workload) {
    startRuntime();
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        workload();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        liveRoot = nullptr;
    }
    benchmark::DoNotOptimize(checksum);
    state.counters["ns_per_op"] = seconds * 1e9 / (static_cast<double>(operations) * state.iterations());
}

// new int[16], the newest 1,024 kept in a ring.
void BM_AllocateIntArrays(benchmark::State& state) {
    measure(state, kArrays, [] {
        ObjectArray* live = newObjectArray(kLiveArrays);
        liveRoot = live;
        for (jint i = 0; i < kArrays; ++i) {
            IntArray* array = newIntArray(kArrayLength);
            (*array)[0] = i;
            (*live)[i % kLiveArrays] = array;
        }
        checksum += static_cast<IntArray*>((*live)[0])->data()[0];
    });
}
BENCHMARK(BM_AllocateIntArrays)->Unit(benchmark::kMillisecond);

// new StringBuffer().append("Player ").append(i).toString(), the label dropped.
void BM_BuildLabels(benchmark::State& state) {
    measure(state, kLabels, [] {
        String* prefix = newStringFromCString("Player ");
        liveRoot = prefix;
        for (jint i = 0; i < kLabels; ++i) {
            StringBuffer* buffer = newStringBuffer();
            buffer->append(prefix);
            buffer->appendInt(i);
            String* label = buffer->toString();
            checksum += label->length();
        }
    });
}
BENCHMARK(BM_BuildLabels)->Unit(benchmark::kMillisecond);

// Tables of 50,000: put(Integer(i), Integer(i)), then get(Integer(i)) for each; the table is
// dropped before the next one.
void BM_HashtablePutGet(benchmark::State& state) {
    measure(state, kTableOperations, [] {
        for (jint made = 0; made < kTableOperations; made += kTableSize) {
            auto* table = newObject<java_util_Hashtable>();
            liveRoot = table;
            for (jint i = 0; i < kTableSize; ++i) {
                auto* key = newObject<java_lang_Integer>(i);
                table->put(key, key);
            }
            for (jint i = 0; i < kTableSize; ++i) {
                auto* key = newObject<java_lang_Integer>(i);
                checksum += static_cast<java_lang_Integer*>(table->findValue(key))->value;
            }
        }
    });
}
BENCHMARK(BM_HashtablePutGet)->Unit(benchmark::kMillisecond);

// Vectors of 250,000: addElement(Integer(i)) for each, then elementAt(i) for each; the vector is
// dropped before the next one.
void BM_VectorAddRead(benchmark::State& state) {
    measure(state, kVectorOperations, [] {
        for (jint made = 0; made < kVectorOperations; made += kVectorSize) {
            auto* vector = newObject<java_util_Vector>(10, 0);
            liveRoot = vector;
            for (jint i = 0; i < kVectorSize; ++i) {
                vector->addElement(newObject<java_lang_Integer>(i));
            }
            for (jint i = 0; i < kVectorSize; ++i) {
                checksum += static_cast<java_lang_Integer*>(vector->elementAt(i))->value;
            }
        }
    });
}
BENCHMARK(BM_VectorAddRead)->Unit(benchmark::kMillisecond);

} // namespace
