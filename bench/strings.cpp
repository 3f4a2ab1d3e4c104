// Text building and decoding: the string work the game does every frame (labels built by
// appends) and at loading (names and texts decoded from UTF-8 data).
#include <benchmark/benchmark.h>

#include <string>

#include "runtime/Application.h"
#include "runtime/Arrays.h"
#include "runtime/Log.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/StringBuffer.h"

namespace runtime {
namespace {

// One Application with the full heaps for the whole run; the collector frees the garbage
// whenever a heap fills.
Application& benchApplication() {
    static Application* application = [] {
        setLogSink([](const std::string&) {});
        auto* created = new Application();
        created->init();
        return created;
    }();
    return *application;
}

void BM_BuildLabel(benchmark::State& state) {
    benchApplication();
    String* prefix = newStringFromCString("Goals: ");
    String* separator = newStringFromCString(" - ");
    jint value = 0;
    for (auto _ : state) {
        StringBuffer* buffer = newStringBuffer(16);
        buffer->append(prefix);
        buffer->appendInt(value++);
        buffer->append(separator);
        buffer->appendInt(-value);
        benchmark::DoNotOptimize(buffer->toString());
    }
}
BENCHMARK(BM_BuildLabel);

void BM_DecodeUtf8(benchmark::State& state) {
    benchApplication();
    const std::string sample = "Caf\xC3\xA9 \xE2\x82\xAC 12, na\xC3\xAFve text of the club database. ";
    const auto n = static_cast<jint>(state.range(0));
    ByteArray* bytes = newByteArray(n);
    for (jint i = 0; i < n; ++i) {
        (*bytes)[i] = static_cast<jbyte>(sample[static_cast<std::size_t>(i) % sample.size()]);
    }
    String* encoding = newStringFromCString("UTF-8");
    for (auto _ : state) {
        String* text = newObject<String>();
        text->initBytes(bytes, 0, n, encoding);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * n);
}
BENCHMARK(BM_DecodeUtf8)->Arg(32)->Arg(2048);

} // namespace
} // namespace runtime
