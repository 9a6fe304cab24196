// Loading and saving the shareware maps: the reading job, and the writing job in both Carmack
// modes and without Carmack.
#include "maps/MapArchiveReader.h"
#include "maps/MapArchiveWriter.h"
#include "platform/ScriptedPrompter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::vector<uint8_t> gameFile(const char* name) {
    const std::filesystem::path dir = ZENTRIK_DEFAULT_GAMEDATA;
    std::ifstream in(dir / "wl1" / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::vector<uint8_t>& maps() {
    static const auto bytes = gameFile("GAMEMAPS.WL1");
    return bytes;
}
const std::vector<uint8_t>& header() {
    static const auto bytes = gameFile("MAPHEAD.WL1");
    return bytes;
}

zentrik::LevelSet load() {
    zentrik::ScriptedPrompter prompter;
    zentrik::InlineProgress progress;
    zentrik::LevelSet set;
    zentrik::LoadMapsWorker(progress, header(), maps(), zentrik::MapReadOptions{}, set, prompter);
    return set;
}

void LoadSharewareMaps(benchmark::State& state) {
    if (maps().empty()) {
        state.SkipWithError("game data not found");
        return;
    }
    for (auto _ : state) {
        zentrik::LevelSet set = load();
        benchmark::DoNotOptimize(set.levels.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(maps().size()));
}
BENCHMARK(LoadSharewareMaps)->Unit(benchmark::kMillisecond);

// Argument 0: Carmack compatible, 1: Carmack best result, 2: RLEW only.
void SaveSharewareMaps(benchmark::State& state) {
    if (maps().empty()) {
        state.SkipWithError("game data not found");
        return;
    }
    zentrik::LevelSet set = load();
    set.carmack = state.range(0) != 2;
    set.carmackMode = state.range(0) == 1 ? 1 : 0;
    size_t written = 0;
    for (auto _ : state) {
        zentrik::InlineProgress progress;
        zentrik::MapArchiveBytes out;
        zentrik::SaveMapsWorker(progress, set, out);
        written = out.map.size();
        benchmark::DoNotOptimize(out.map.data());
    }
    state.counters["mapBytes"] = double(written);
}
BENCHMARK(SaveSharewareMaps)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
