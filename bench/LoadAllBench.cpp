// A whole game folder at once: Load All of the shareware folder through the runner, and
// "Compress all" of it (every set read, then maps and the page file written back).
#include "app/LoadAllFiles.h"
#include "platform/ScriptedPrompter.h"

#include "ScratchGame.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace zentrik;
namespace fs = std::filesystem;

void run(benchmark::State& state, bool compress) {
    bench::ScratchGame scratch("zentrik-loadall-bench");
    auto scan = scanFolder(scratch.game);
    if (!scan || !proposeSuffix(*scan, "WL6")) {
        state.SkipWithError("the shareware files are missing");
        return;
    }
    const LoadAllNames names = selectForSuffix(*scan, *proposeSuffix(*scan, "WL6"), scratch.game);
    ScriptedPrompter prompter;
    Settings settings;
    InlineJobRunner jobs;
    SteadyClock clock;
    for (auto _ : state) {
        LoadAllFiles files(settings, prompter, jobs, clock);
        LoadAllSession session;
        benchmark::DoNotOptimize(session.load(files, names));
        if (compress)
            benchmark::DoNotOptimize(session.compressAll(files));
    }
}

void BM_LoadAllShareware(benchmark::State& state) {
    run(state, false);
}
void BM_CompressAllShareware(benchmark::State& state) {
    run(state, true);
}
BENCHMARK(BM_LoadAllShareware)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressAllShareware)->Unit(benchmark::kMillisecond);

} // namespace
