// Offline rendering of one minute of a shareware song through libimflib.so, found beside the
// benchmark program. The "realtime" counter says how many times faster than real time it is.
#include "io/SafeFile.h"
#include "music/ImfPlayerBinding.h"
#include "music/MusicSet.h"
#include "music/SongModel.h"
#include "platform/ScriptedPrompter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint32_t kSeconds = 60;
constexpr uint32_t kBlock = 4096;

std::filesystem::path wl1(const char* name) {
    const char* env = std::getenv("ZENTRIK_GAMEDATA");
    return std::filesystem::path(env ? env : ZENTRIK_DEFAULT_GAMEDATA) / "wl1" / name;
}

void RenderOneMinute(benchmark::State& state) {
    zentrik::ScriptedPrompter prompter;
    zentrik::ImfPlayerBinding lib;
    if (!lib.load(prompter, zentrik::ImfPlayerBinding::defaultCandidates()) || !lib.hasRenderer()) {
        state.SkipWithError("libimflib.so not found (build the imflib target)");
        return;
    }
    const auto set = zentrik::readMusicSet(zentrik::readWholeFile(wl1("AUDIOHED.WL1")).value(),
                                           zentrik::readWholeFile(wl1("AUDIOT.WL1")).value())
                         .value();
    const auto& song = set.songs[size_t(state.range(0))];
    const auto span = zentrik::imfSpanOf(song.bytes());
    const auto& fn = lib.functions();
    IMFRenderer* r = fn.createRenderer(kRate);
    std::vector<int16_t> samples(kBlock);
    for (auto _ : state) {
        fn.startRenderer(r, song.buffer.data() + span.offset, uint32_t(span.length), 0);
        for (uint32_t done = 0; done < kRate * kSeconds; done += kBlock)
            fn.render(r, samples.data(), kBlock);
        benchmark::DoNotOptimize(samples.data());
    }
    fn.destroyRenderer(r);
    state.counters["realtime"] = benchmark::Counter(double(kSeconds) * double(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(RenderOneMinute)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
