// Loading all four kinds of the shareware graphics archive, and saving its pictures into a
// copy of it.
#include "platform/Progress.h"
#include "platform/ScriptedPrompter.h"
#include "vgagraph/VgaReaders.h"
#include "vgagraph/VgaWriters.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace zentrik;
namespace fs = std::filesystem;

const VgaFileSet kWl1{fs::path(ZENTRIK_DEFAULT_GAMEDATA) / "wl1", "WL1"};

void LoadAllKinds(benchmark::State& state) {
    ScriptedPrompter prompter;
    InlineJobRunner runner;
    for (auto _ : state) {
        VgaGraphState vga;
        if (!LoadAllGraphics(vga, kWl1, prompter, runner)) {
            state.SkipWithError("cannot load the shareware archive");
            return;
        }
        benchmark::DoNotOptimize(vga.graphics.pictures.data());
    }
}
BENCHMARK(LoadAllKinds)->Unit(benchmark::kMillisecond);

void SavePictures(benchmark::State& state) {
    ScriptedPrompter prompter;
    InlineJobRunner runner;
    VgaGraphState vga;
    if (!LoadAllGraphics(vga, kWl1, prompter, runner)) {
        state.SkipWithError("cannot load the shareware archive");
        return;
    }
    const fs::path dir = fs::temp_directory_path() / "zentrik-bench-vgagraph";
    fs::create_directories(dir);
    for (const char* name : {"VGAGRAPH.WL1", "VGAHEAD.WL1", "VGADICT.WL1"}) {
        fs::copy_file(kWl1.folder / name, dir / name, fs::copy_options::overwrite_existing);
        fs::permissions(dir / name, fs::perms::owner_write, fs::perm_options::add);
    }
    const VgaFileSet target{dir, "WL1"};
    for (auto _ : state)
        if (!SaveGraphics(vga, target, prompter, runner))
            state.SkipWithError("save failed");
    fs::remove_all(dir);
}
BENCHMARK(SavePictures)->Unit(benchmark::kMillisecond);

} // namespace
