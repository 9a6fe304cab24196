// How long the heaviest picture edits take: a span fill over a large winding picture (every
// pixel recorded for undo), the undo of 4096 single-pixel steps, a full-screen fill undone
// and redone, and the question whether any chunk stands away from the save.
#include "draw/FillTool.h"
#include "draw/MemoryDevice.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zentrik;

// A comb of walls with one path through the whole picture: the worst case for a fill's
// bookkeeping, since every run leads into the next.
void comb(CMemoryDevice& dev) {
    const int w = dev.width(), h = dev.height();
    for (int x = 1; x < w; x += 2)
        for (int y = 0; y < h; ++y)
            dev.pixels()[size_t(y) * size_t(w) + size_t(x)] =
                y == ((x / 2) % 2 ? 0 : h - 1) ? 0 : 5;
}

void FillComb(benchmark::State& state) {
    const int side = int(state.range(0));
    CMemoryDevice dev(side, side);
    comb(dev);
    uint8_t colour = 1;
    for (auto _ : state) {
        spanFill(dev, {0, 0}, colour);
        colour = colour == 1 ? 0 : 1; // fill back and forth over the same region
    }
    state.SetItemsProcessed(state.iterations() * side * side / 2);
}
BENCHMARK(FillComb)->Arg(64)->Arg(128)->Arg(1023);

void UndoFullRing(benchmark::State& state) {
    CMemoryDevice dev(64, 64);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 4096; ++i) { // 4096 steps of one pixel each
            dev.startUndoRecord(UndoKind::PixelList);
            dev.setPixel(i % 64, i / 64, uint8_t(i));
            dev.closeUndoRecord();
        }
        state.ResumeTiming();
        while (dev.undo()) {
        }
    }
    state.SetItemsProcessed(state.iterations() * 4096);
}
BENCHMARK(UndoFullRing);

// A 320 x 200 picture filled in one step (64,000 pixel entries), then undone and redone.
void FullScreenFillUndoRedo(benchmark::State& state) {
    CMemoryDevice dev(320, 200);
    uint8_t colour = 1;
    for (auto _ : state) {
        spanFill(dev, {0, 0}, colour);
        dev.undo();
        dev.redo();
        colour = colour == 1 ? 2 : 1;
    }
    state.SetItemsProcessed(state.iterations() * 64000);
}
BENCHMARK(FullScreenFillUndoRedo);

// The title's * asks after every edit whether the set still differs from its save: with one
// edited and saved history per chunk (a whole WL6 page file has about 660 chunks), the answer
// walks them all.
void AwayFromSavedOverManyChunks(benchmark::State& state) {
    CMemoryDevice dev(64, 64);
    const int chunks = int(state.range(0));
    for (int c = 0; c < chunks; ++c) {
        dev.showChunk(c);
        dev.startUndoRecord(UndoKind::PixelList);
        dev.setPixel(1, 1, uint8_t(c));
        dev.closeUndoRecord();
    }
    dev.undoRing().markSaved();
    for (auto _ : state)
        benchmark::DoNotOptimize(dev.undoRing().awayFromSaved());
    state.SetItemsProcessed(state.iterations() * chunks);
}
BENCHMARK(AwayFromSavedOverManyChunks)->Arg(100)->Arg(1000);

} // namespace
