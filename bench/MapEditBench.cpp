// The level map's costly moments: rebuilding the whole 513 x 513 picture (level change,
// display switch) and a flood fill over the whole map.
#include "maps/MapEditTools.h"
#include "maps/MapRenderer.h"
#include "platform/ScriptedPrompter.h"

#include <benchmark/benchmark.h>

namespace zentrik {
namespace {

SymbolStrip stripedStrip() {
    SymbolStrip strip;
    for (int y = 0; y < kStripHeight; ++y)
        for (int x = 0; x < kStripWidth; ++x)
            strip.setPixel(x, y, uint16_t((x * 31 + y * 7) & 0x7FFF));
    return strip;
}

void BM_RenderWholeMap(benchmark::State& state) {
    const SymbolStrip strip = stripedStrip();
    ObjectDescriptionTable table;
    Plane walls(kPlaneWords), objects(kPlaneWords);
    for (int i = 0; i < kPlaneWords; ++i) {
        walls[size_t(i)] = uint16_t(i % 600);
        objects[size_t(i)] = uint16_t(i % 7 == 0 ? i % 300 : 0);
    }
    MapView view;
    view.strip = &strip;
    view.table = &table;
    view.walls = &walls;
    view.objects = &objects;
    view.grid = state.range(0) != 0;
    MapPicture picture;
    for (auto _ : state) {
        picture.render(view);
        benchmark::DoNotOptimize(picture.data());
    }
}
BENCHMARK(BM_RenderWholeMap)->Arg(0)->Arg(1);

void BM_FillWholeMap(benchmark::State& state) {
    FakeClock clock;
    QuietTime quiet;
    ScriptedPrompter prompter;
    MapEditController tools(clock, quiet, prompter);
    Plane walls(kPlaneWords), objects(kPlaneWords);
    tools.setPlanes(&walls, &objects);
    tools.setPenMode(PenMode::Fill);
    uint16_t value = 1;
    for (auto _ : state) {
        tools.left.wall = value++;
        tools.press(31, 31, true);
        tools.release(31, 31);
    }
    benchmark::DoNotOptimize(walls.data());
}
BENCHMARK(BM_FillWholeMap);

} // namespace
} // namespace zentrik
