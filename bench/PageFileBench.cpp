// The page file's costs: loading all three parts of the shareware file, saving sprites with
// each encoder, importing a 128 x 128 24-bit bitmap, and shrinking all walls.
#include "imaging/BmpImport.h"
#include "imaging/ColorMatch.h"
#include "io/ByteWriter.h"
#include "io/SafeFile.h"
#include "pagefile/PageFileReader.h"
#include "pagefile/PageFileWriter.h"
#include "pagefile/Resolution.h"
#include "pagefile/SpriteEncoder.h"
#include "platform/ScriptedPrompter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

using namespace zentrik;

const std::vector<uint8_t>& vswap() {
    static const std::vector<uint8_t> bytes = [] {
        const char* env = std::getenv("ZENTRIK_GAMEDATA");
        const std::filesystem::path dir =
            env ? std::filesystem::path(env) : std::filesystem::path(ZENTRIK_DEFAULT_GAMEDATA);
        auto r = readWholeFile(dir / "wl1" / "VSWAP.WL1");
        return r ? r.value() : std::vector<uint8_t>{};
    }();
    return bytes;
}

GamePalette spreadPalette() {
    GamePalette p;
    for (int i = 0; i < 256; ++i)
        p.entries[size_t(i)] = Rgb{uint8_t(i * 37), uint8_t(i * 101), uint8_t(i * 13)};
    return p;
}

void BM_LoadAllThreeParts(benchmark::State& state) {
    if (vswap().empty())
        return state.SkipWithError("VSWAP.WL1 not found");
    ScriptedPrompter prompter;
    for (auto _ : state) {
        InlineProgress p;
        WallSet w;
        SpriteSet s;
        SoundSet snd;
        LoadTexturesWorker(vswap(), p, prompter, w);
        LoadSpritesWorker(vswap(), p, prompter, s);
        LoadSoundsWorker(vswap(), p, prompter, snd);
        benchmark::DoNotOptimize(snd.sounds.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(vswap().size()));
}
BENCHMARK(BM_LoadAllThreeParts)->Unit(benchmark::kMillisecond);

void BM_SaveSprites(benchmark::State& state) {
    if (vswap().empty())
        return state.SkipWithError("VSWAP.WL1 not found");
    ScriptedPrompter prompter;
    InlineProgress p;
    SpriteSet sprites;
    LoadSpritesWorker(vswap(), p, prompter, sprites);
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<uint8_t> out;
        SaveSpritesWorker(vswap(), sprites, int(state.range(0)), p, prompter, out);
        bytes = out.size();
    }
    state.counters["fileBytes"] = double(bytes);
}
BENCHMARK(BM_SaveSprites)
    ->Arg(kSpriteCompressionNone)
    ->Arg(kSpriteCompressionGood)
    ->Unit(benchmark::kMillisecond);

struct Chunk : BmpTarget {
    int side;
    std::vector<uint8_t> px;
    explicit Chunk(int s) : side(s), px(size_t(s * s)) {}
    int width() const override { return side; }
    int height() const override { return side; }
    uint8_t getPixel(int x, int y) const override { return px[size_t(y * side + x)]; }
    void setPixel(int x, int y, uint8_t v) override { px[size_t(y * side + x)] = v; }
};

std::vector<uint8_t> bitmap24(int side) {
    ByteWriter b;
    const size_t stride = size_t(side) * 3;
    b.text("BM");
    b.u32(uint32_t(54 + stride * size_t(side)));
    b.u32(0);
    b.u32(54);
    b.u32(40);
    b.i32(side);
    b.i32(side);
    b.u16(1);
    b.u16(24);
    b.fill(24);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            b.u8(uint8_t(x * 2));
            b.u8(uint8_t(y * 2));
            b.u8(uint8_t(x * y));
        }
    return b.take();
}

// Arg 0: copy into a 128 x 128 chunk; arg 1: resample into a 64 x 64 chunk. The colour cache
// starts empty in every round, as after a palette change.
void BM_ImportBitmap128(benchmark::State& state) {
    const auto file = bitmap24(128);
    const GamePalette pal = spreadPalette();
    NearestColorTable colors(pal);
    const bool resample = state.range(0) != 0;
    for (auto _ : state) {
        ScriptedPrompter prompter;
        if (resample)
            prompter.expectQuestion(Answer::Yes);
        InlineProgress p;
        Chunk chunk(resample ? 64 : 128);
        colors.markStale();
        ImportBmpWorker(file, chunk, colors, prompter, p);
        benchmark::DoNotOptimize(chunk.px.data());
    }
}
BENCHMARK(BM_ImportBitmap128)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ShrinkAllWalls(benchmark::State& state) {
    if (vswap().empty())
        return state.SkipWithError("VSWAP.WL1 not found");
    ScriptedPrompter prompter;
    InlineProgress p;
    WallSet low, high;
    LoadTexturesWorker(vswap(), p, prompter, low);
    const GamePalette pal = spreadPalette();
    NearestColorTable colors(pal);
    ChangeWallResolutionWorker(low, ResolutionChange::Stretch, pal, colors, p, high);
    for (auto _ : state) {
        WallSet out;
        colors.markStale();
        ChangeWallResolutionWorker(high, ResolutionChange::Shrink, pal, colors, p, out);
        benchmark::DoNotOptimize(out.raw.data());
    }
}
BENCHMARK(BM_ShrinkAllWalls)->Unit(benchmark::kMillisecond);

} // namespace
