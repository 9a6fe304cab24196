// What a picture page's export and import of one chunk cost: a 128-pixel sprite written as
// PNG and BMP, and read back through the importer (indices kept, or colour-matched from a
// 32-bit picture).
#include "imaging/BmpImport.h"
#include "imaging/BmpWriter.h"
#include "imaging/PictureFile.h"
#include "imaging/PngCodec.h"
#include "pagefile/ImageTarget.h"
#include "platform/ScriptedPrompter.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zentrik;

GamePalette palette() {
    GamePalette p;
    for (int i = 0; i < 256; ++i)
        p.entries[size_t(i)] = Rgb{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};
    return p;
}

IndexedImage sprite() {
    IndexedImage image(128, TransparentIndex);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        if (i % 5 != 0)
            image.pixels[i] = uint8_t(i * 31 % 255);
    return image;
}

void ExportSprite(benchmark::State& state) {
    const bool png = state.range(0) != 0;
    IndexedImage image = sprite();
    const GamePalette pal = palette();
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = png ? png8Bytes(ImageTarget(image, true), pal, true)->size()
                    : bmp8Bytes(ImageTarget(image, true), pal).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(ExportSprite)->Arg(0)->Arg(1);

void ImportSprite(benchmark::State& state) {
    const bool png = state.range(0) != 0;
    IndexedImage image = sprite();
    const GamePalette pal = palette();
    const auto file = png ? *png8Bytes(ImageTarget(image, true), pal, true)
                          : bmp8Bytes(ImageTarget(image, true), pal);
    NearestColorTable colors(pal);
    ScriptedPrompter prompter;
    for (auto _ : state) {
        InlineProgress progress;
        ImageTarget target(image, true);
        benchmark::DoNotOptimize(ImportBmpWorker(file, target, colors, prompter, progress));
    }
}
BENCHMARK(ImportSprite)->Arg(0)->Arg(1);

} // namespace
