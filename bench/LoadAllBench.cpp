// A whole game folder at once: Load All of the shareware folder through the runner, and
// "Compress all" of it (every set read, then maps and the page file written back).
#include "app/LoadAllFiles.h"
#include "platform/ScriptedPrompter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

using namespace zentrik;
namespace fs = std::filesystem;

fs::path gamedata() {
    const char* env = std::getenv("ZENTRIK_GAMEDATA");
    return fs::path(env ? env : ZENTRIK_DEFAULT_GAMEDATA) / "wl1";
}

// A scratch copy of the shareware folder, so compressing never touches the real files.
struct Scratch {
    fs::path dir = fs::temp_directory_path() / "zentrik-loadall-bench";
    Scratch() {
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const auto& e : fs::directory_iterator(gamedata()))
            fs::copy_file(e.path(), dir / e.path().filename());
    }
    ~Scratch() { fs::remove_all(dir); }
};

void run(benchmark::State& state, bool compress) {
    Scratch scratch;
    auto scan = scanFolder(scratch.dir);
    if (!scan || !proposeSuffix(*scan, "WL6")) {
        state.SkipWithError("the shareware files are missing");
        return;
    }
    const LoadAllNames names = selectForSuffix(*scan, *proposeSuffix(*scan, "WL6"), scratch.dir);
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
