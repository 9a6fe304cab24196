// Frames of the 3D view per second on shareware level 1: an open room, a long corridor and a
// room full of sprites; no floors (mode 0) and per-cell floor textures (mode 3); the file's
// 64 x 64 walls and the same walls doubled to 128 x 128; at 600 x 375 and at 1600 x 1000.
#include "app/Settings.h"
#include "io/SafeFile.h"
#include "maps/LevelSetEditor.h"
#include "maps/MapArchiveFiles.h"
#include "pagefile/PageFileReader.h"
#include "platform/ScriptedPrompter.h"
#include "world/RayCaster.h"
#include "world/SymbolSet.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace zentrik {
namespace {

struct Shareware {
    LevelSet set;
    ScriptedPrompter prompter;
    SymbolSet symbols;
    WallSet walls, walls128;
    SpriteSet sprites;
    bool ok = false;

    Shareware() {
        const std::filesystem::path dir = std::filesystem::path(ZENTRIK_DEFAULT_GAMEDATA) / "wl1";
        LevelSetEditor editor(set, prompter);
        Settings settings;
        InlineJobRunner jobs;
        SteadyClock clock;
        QuietTime quiet;
        MapArchiveFiles files(editor, settings, MapFileServices{prompter, jobs, quiet, clock, {}});
        if (!files.loadMaps(MapFileName::split(dir / "GAMEMAPS.WL1")))
            return;
        auto bytes = readWholeFile(dir / "VSWAP.WL1");
        InlineProgress progress;
        if (!bytes || LoadTexturesWorker(*bytes, progress, prompter, walls) != JobResult::Done ||
            LoadSpritesWorker(*bytes, progress, prompter, sprites) != JobResult::Done)
            return;
        symbols = loadSymbolSetFolder(
            std::filesystem::path(ZENTRIK_SOURCE_DIR) / "data/MapObjects/Wolfenstein 3D", prompter);
        walls128 = doubled(walls);
        Level& level = set.levels[0];
        level.planes[2].resize(kPlaneWords);
        for (int i = 0; i < kPlaneWords; ++i) // floors and ceilings from the first walls
            level.planes[2][size_t(i)] = uint16_t((i % 7) | ((i % 5 + 8) << 8));
        ok = true;
    }

    static WallSet doubled(const WallSet& w) {
        WallSet out;
        out.side = kHighSide;
        out.textureBytes = kHighTextureBytes;
        out.images.resize(w.images.size());
        out.raw.resize(w.images.size() * size_t(kHighTextureBytes));
        for (size_t t = 0; t < w.images.size(); ++t)
            for (int c = 0; c < kHighSide; ++c)
                for (int r = 0; r < kHighSide; ++r)
                    out.raw[t * kHighTextureBytes + size_t(c * kHighSide + r)] =
                        w.raw[t * kLowTextureBytes + size_t((c / 2) * kLowSide + r / 2)];
        return out;
    }
};

const Shareware& shareware() {
    static const Shareware s;
    return s;
}

// state.range: 0 pose (0 open room, 1 corridor, 2 sprites), 1 floor mode, 2 wall side,
// 3 picture width (the height is 375 / 600 of it).
void BM_RenderFrame(benchmark::State& state) {
    const Shareware& s = shareware();
    if (!s.ok) {
        state.SkipWithError("shareware data not found");
        return;
    }
    static constexpr ViewerPose kPoses[] = {{int32_t(28.5 * 65536), int32_t(33.5 * 65536), 0},
                                            {int32_t(2.5 * 65536), int32_t(46.5 * 65536), 90},
                                            {int32_t(6.5 * 65536), int32_t(33.5 * 65536), 0}};
    auto map = std::make_unique<WorldMap>();
    map->build(&s.set.levels[0], s.symbols.objects, 4);
    RenderOptions options;
    options.floorMode = FloorMode(state.range(1));
    const RenderScene scene{map.get(), state.range(2) == 128 ? &s.walls128 : &s.walls, &s.sprites,
                            nullptr};
    auto frame = std::make_unique<WorldFrame>();
    frame->resize(int(state.range(3)), int(state.range(3) * kViewHeight / kViewWidth));
    for (auto _ : state) {
        renderFrame(scene, kPoses[state.range(0)], options, *frame);
        benchmark::DoNotOptimize(frame->pixels.data());
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["sprites"] = frame->spriteCount;
}
BENCHMARK(BM_RenderFrame)
    ->ArgNames({"pose", "floor", "walls", "width"})
    ->ArgsProduct({{0, 1, 2}, {0, 3}, {64, 128}, {kViewWidth}})
    ->ArgsProduct({{0, 1, 2}, {3}, {64}, {1600}});

} // namespace
} // namespace zentrik
