// What the map tools' notifications cost now that any number of views may listen: one
// notification per written cell, and a flood fill over the whole map with two listeners (the
// map control and the page), as in the editor.
#include "app/Signal.h"
#include "maps/MapEditTools.h"
#include "platform/ScriptedPrompter.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

namespace zentrik {
namespace {

void BM_PlainCallback(benchmark::State& state) {
    int calls = 0;
    std::function<void(int, int)> f = [&](int x, int y) { calls += x + y; };
    for (auto _ : state)
        f(1, 2);
    benchmark::DoNotOptimize(calls);
}
BENCHMARK(BM_PlainCallback);

void BM_SignalNotify(benchmark::State& state) {
    int calls = 0;
    Signal<int, int> signal;
    std::vector<Connection> listeners;
    for (int i = 0; i < state.range(0); ++i)
        listeners.push_back(signal.connect([&](int x, int y) { calls += x + y; }));
    for (auto _ : state)
        signal(1, 2);
    benchmark::DoNotOptimize(calls);
}
BENCHMARK(BM_SignalNotify)->Arg(1)->Arg(3);

void BM_FillWholeMapWithTwoListeners(benchmark::State& state) {
    FakeClock clock;
    clock.set(100000);
    QuietTime quiet;
    ScriptedPrompter prompter;
    ObjectDescriptionTable table;
    Plane walls(kPlaneWords), objects(kPlaneWords);
    MapEditController tools(clock, quiet, prompter);
    tools.view.table = &table;
    tools.setPlanes(&walls, &objects);
    tools.setPenMode(PenMode::Fill);
    int cells = 0;
    Connection a = tools.cellChanged.connect([&](int, int) { ++cells; });
    Connection b = tools.modified.connect([&] { ++cells; });
    uint16_t value = 1;
    for (auto _ : state) {
        tools.left.wall = value++;
        tools.press(0, 0, true);
        tools.release(0, 0);
    }
    benchmark::DoNotOptimize(cells);
}
BENCHMARK(BM_FillWholeMapWithTwoListeners);

} // namespace
} // namespace zentrik
