// The software mixer's cost per second of sound: the audio thread must mix far faster than real
// time, with every sound the game may play at once (one music and a few effects).
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/SdlWaveOut.h"

namespace {

void mixOneSecond(benchmark::State& state) {
    const auto outputs = static_cast<int>(state.range(0));
    platform::SdlWaveOut waveOut(platform::SdlWaveOut::Mode::Capture, 44100);
    platform::WaveFormat format;
    format.formatTag = platform::kWaveFormatPcm;
    format.channels = 1;
    format.samplesPerSecond = 22050; // resampled: the slower path
    format.bitsPerSample = 16;
    format.blockAlign = 2;
    format.averageBytesPerSecond = 44100;
    std::vector<std::uint8_t> samples(22050 * 2, 0x11);
    std::vector<platform::WaveHeader> headers(static_cast<std::size_t>(outputs));
    for (platform::WaveHeader& header : headers) {
        platform::WaveHandle handle = platform::kNoWaveHandle;
        waveOut.open(&handle, 0, format, nullptr, 0);
        header.data = samples.data();
        header.bufferLength = static_cast<std::uint32_t>(samples.size());
        header.flags = platform::kWaveHeaderBeginLoop | platform::kWaveHeaderEndLoop;
        header.loops = 0x7FFFFFFF;
        waveOut.prepareHeader(handle, &header);
        waveOut.write(handle, &header);
    }
    for (auto _ : state) {
        waveOut.render(44100);
        benchmark::DoNotOptimize(waveOut.takeCapture());
    }
}
BENCHMARK(mixOneSecond)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

} // namespace
