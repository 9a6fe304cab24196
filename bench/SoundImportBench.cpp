// How long a sound import takes: decoding a 16-bit stereo WAV of the given seconds at 44.1 kHz
// and converting it to the game's 8-bit mono at 7042 Hz (mix, band-limited resampling).
#include "io/ByteWriter.h"
#include "pagefile/SoundFile.h"
#include "pagefile/Wav.h"
#include "platform/ScriptedPrompter.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace zentrik;

std::vector<uint8_t> stereoWav(int seconds) {
    constexpr uint32_t kRate = 44100;
    const uint32_t frames = kRate * uint32_t(seconds);
    ByteWriter w;
    w.text("RIFF");
    w.u32(36 + frames * 4);
    w.text("WAVEfmt ");
    w.u32(16);
    w.u16(1);
    w.u16(2);
    w.u32(kRate);
    w.u32(kRate * 4);
    w.u16(4);
    w.u16(16);
    w.text("data");
    w.u32(frames * 4);
    for (uint32_t i = 0; i < frames; ++i) {
        w.u16(uint16_t(int16_t(12000 * std::sin(i * 0.125))));
        w.u16(uint16_t(int16_t(12000 * std::sin(i * 0.043))));
    }
    return w.take();
}

void ImportStereo44k(benchmark::State& state) {
    const auto file = stereoWav(int(state.range(0)));
    ScriptedPrompter prompter;
    for (auto _ : state) {
        auto sound = decodeSoundFile(file);
        auto out = convertSound(*sound, kDefaultSampleRate, prompter);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(ImportStereo44k)->Arg(1)->Arg(9)->Unit(benchmark::kMillisecond);

} // namespace
