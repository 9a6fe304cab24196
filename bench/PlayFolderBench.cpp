// "Play level" before the game starts: the play folder of the shareware game built from a
// workspace, with nothing changed (every file a second name or a copy) and with the maps
// changed (the map archive encoded anew), and "Play from here" (the start moved in a copy).
#include "app/Workspace.h"
#include "platform/ScriptedPrompter.h"
#include "play/WorkspacePlay.h"

#include "ScratchGame.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace zentrik;
namespace fs = std::filesystem;

enum class Play { Unchanged, MapsChanged, FromHere };

void run(benchmark::State& state, Play kind) {
    bench::ScratchGame scratch("zentrik-play-bench");
    ScriptedPrompter prompter;
    InlineJobRunner jobs;
    SteadyClock clock;
    QuietTime quiet;
    Settings settings;
    GamePalette palette{};
    Workspace ws(
        WorkspaceServices{prompter, jobs, quiet, clock, settings, palette, nullptr, nullptr});
    if (!ws.loadMaps(MapFileName::split(scratch.game / "GAMEMAPS.WL1")) ||
        !ws.loadWalls(scratch.game / "VSWAP.WL1")) {
        state.SkipWithError("the shareware files are missing");
        return;
    }
    if (kind == Play::MapsChanged)
        ws.markEdited(DataSet::Maps);
    PlayRequest request = *workspaceGame(ws);
    if (kind == Play::FromHere)
        request.from = PlaySpot{30, 57, 90};
    for (auto _ : state) {
        auto report = buildPlayFolder(
            {request.gameFolder, scratch.dir / "play", workspacePlayWriters(ws, request)});
        if (!report) {
            state.SkipWithError(report.error().text.c_str());
            return;
        }
    }
}

void BM_PlayFolderUnchanged(benchmark::State& s) {
    run(s, Play::Unchanged);
}
void BM_PlayFolderMapsChanged(benchmark::State& s) {
    run(s, Play::MapsChanged);
}
void BM_PlayFolderFromHere(benchmark::State& s) {
    run(s, Play::FromHere);
}
BENCHMARK(BM_PlayFolderUnchanged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayFolderMapsChanged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayFolderFromHere)->Unit(benchmark::kMillisecond);

} // namespace
