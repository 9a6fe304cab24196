// The level check runs after every edit on the map page, in the background: a whole level must
// check in well under 10 ms. E1M2 is the busiest shipped level (344 statics, 82 actors).
#include "check/LevelCheck.h"
#include "maps/MapArchiveReader.h"
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

void CheckWholeLevel(benchmark::State& state) {
    const auto header = gameFile("MAPHEAD.WL1"), maps = gameFile("GAMEMAPS.WL1");
    if (maps.empty()) {
        state.SkipWithError("game data not found");
        return;
    }
    zentrik::ScriptedPrompter prompter;
    zentrik::InlineProgress progress;
    zentrik::LevelSet set;
    zentrik::LoadMapsWorker(progress, header, maps, zentrik::MapReadOptions{}, set, prompter);
    const zentrik::SymbolSet symbols = zentrik::LoadSymbolSet(
        std::filesystem::path(ZENTRIK_SOURCE_DIR) / "data", "Wolfenstein 3D", prompter);
    const zentrik::Level& level = set.levels[size_t(state.range(0))];
    for (auto _ : state) {
        zentrik::LevelCheckResult r = zentrik::checkLevel(level, zentrik::CheckRules{symbols});
        benchmark::DoNotOptimize(r.problems.data());
    }
}
BENCHMARK(CheckWholeLevel)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
