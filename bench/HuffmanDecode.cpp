// Expanding every chunk of the shareware graphics archive: the table-driven decoder against
// the plain bit-by-bit walk. Throughput counts expanded bytes.
#include "io/ByteReader.h"
#include "io/SafeFile.h"
#include "vgagraph/Huffman.h"
#include "vgagraph/VgaArchive.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace zentrik;

struct Corpus {
    HuffmanDict dict;
    std::vector<std::span<const uint8_t>> streams;
    std::vector<size_t> lengths;
    VgaArchive archive;
    bool ok = false;
};

const Corpus& corpus() {
    static Corpus corpus = [] {
        Corpus c;
        const std::filesystem::path dir = std::filesystem::path(ZENTRIK_DEFAULT_GAMEDATA) / "wl1";
        auto dict = readWholeFile(dir / "VGADICT.WL1");
        auto head = readWholeFile(dir / "VGAHEAD.WL1");
        auto graph = readWholeFile(dir / "VGAGRAPH.WL1");
        if (!dict || !head || !graph)
            return c;
        auto d = readDictionary(*dict);
        if (!d)
            return c;
        c.dict = *d;
        c.archive.table = parseHeader(*head);
        c.archive.graph = std::move(*graph);
        for (int i = 0; i < c.archive.chunkCount(); ++i) {
            ByteReader r(c.archive.storedBytes(i));
            if (i == 147)
                c.lengths.push_back(kTile8ChunkBytes);
            else
                c.lengths.push_back(r.u32().value_or(0));
            c.streams.push_back(r.rest());
        }
        c.ok = true;
        return c;
    }();
    return corpus;
}

template <size_t (*Decode)(std::span<const uint8_t>, std::span<uint8_t>, const HuffmanDict&)>
void decodeArchive(benchmark::State& state) {
    const Corpus& c = corpus();
    if (!c.ok) {
        state.SkipWithError("game data not found");
        return;
    }
    std::vector<uint8_t> out(kMaxExpandedChunk / 64);
    int64_t bytes = 0;
    for (auto _ : state) {
        for (size_t i = 0; i < c.streams.size(); ++i) {
            const size_t n = std::min(c.lengths[i], out.size());
            bytes += int64_t(Decode(c.streams[i], std::span(out).first(n), c.dict));
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(bytes);
}

void TableDriven(benchmark::State& s) {
    decodeArchive<HuffmanDecode>(s);
}
void BitByBit(benchmark::State& s) {
    decodeArchive<HuffmanDecodeBitwise>(s);
}
BENCHMARK(TableDriven);
BENCHMARK(BitByBit);

void CountDecoded(benchmark::State& state) {
    const Corpus& c = corpus();
    if (!c.ok) {
        state.SkipWithError("game data not found");
        return;
    }
    for (auto _ : state)
        for (const auto& s : c.streams)
            benchmark::DoNotOptimize(HuffmanCountDecoded(s, c.dict));
}
BENCHMARK(CountDecoded);

} // namespace
