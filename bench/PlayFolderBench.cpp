// "Play level" before the game starts: the play folder of the shareware game built from a
// workspace, with nothing changed (every file a second name or a copy) and with the maps
// changed (the map archive encoded anew), and "Play from here" (the start moved in a copy).
#include "app/Workspace.h"
#include "platform/ScriptedPrompter.h"
#include "play/WorkspacePlay.h"

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

struct Scratch {
    fs::path dir = fs::temp_directory_path() / "zentrik-play-bench";
    Scratch() {
        fs::remove_all(dir);
        fs::create_directories(dir / "game");
        for (const auto& e : fs::directory_iterator(gamedata()))
            fs::copy_file(e.path(), dir / "game" / e.path().filename());
    }
    ~Scratch() { fs::remove_all(dir); }
};

enum class Play { Unchanged, MapsChanged, FromHere };

void run(benchmark::State& state, Play kind) {
    Scratch scratch;
    ScriptedPrompter prompter;
    InlineJobRunner jobs;
    SteadyClock clock;
    QuietTime quiet;
    Settings settings;
    GamePalette palette{};
    Workspace ws(
        WorkspaceServices{prompter, jobs, quiet, clock, settings, palette, nullptr, nullptr});
    if (!ws.loadMaps(MapFileName::split(scratch.dir / "game" / "GAMEMAPS.WL1")) ||
        !ws.loadWalls(scratch.dir / "game" / "VSWAP.WL1")) {
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
