// Carmack and RLEW on the planes of the shareware maps: the compressor in both modes (against
// the exhaustive reference search) and the two decoders.
#include "io/ByteReader.h"
#include "maps/Carmack.h"
#include "maps/LevelSet.h"
#include "maps/Rlew.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace zentrik;

namespace {

std::vector<uint8_t> readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path gamedata() {
    const char* env = std::getenv("ZENTRIK_GAMEDATA");
    return env && *env ? std::filesystem::path(env)
                       : std::filesystem::path(ZENTRIK_DEFAULT_GAMEDATA);
}

struct Planes {
    std::vector<std::vector<uint8_t>> stored;    // Carmack data as in GAMEMAPS, no length word
    std::vector<std::vector<uint8_t>> rlew;      // RLEW streams with their 8192 length word
    std::vector<std::vector<uint16_t>> expanded; // 4096 words each
    size_t rlewBytes = 0, storedBytes = 0;
};

const Planes& planes() {
    static const Planes p = [] {
        Planes out;
        const auto head = readFile(gamedata() / "wl1/MAPHEAD.WL1");
        const auto maps = readFile(gamedata() / "wl1/GAMEMAPS.WL1");
        ByteReader h(head);
        h.u16();
        for (int level = 0; level < 100; ++level) {
            auto off = h.i32();
            if (!off || *off <= 0 || size_t(*off) + LevelHeader::kSize > maps.size())
                continue;
            auto hdr = LevelHeader::read(std::span(maps).subspan(size_t(*off)));
            for (int pl = 0; pl < 3; ++pl) {
                const auto start = size_t(hdr->planeStart[size_t(pl)]);
                const auto len = hdr->planeLength[size_t(pl)];
                if (len < 2 || start + len > maps.size())
                    continue;
                std::vector<uint8_t> stored(maps.begin() + long(start) + 2,
                                            maps.begin() + long(start + len));
                const uint16_t rlewLen = uint16_t(maps[start] | (maps[start + 1] << 8));
                std::vector<uint16_t> rlewWords(rlewLen / 2);
                ExpandCarmack(stored, rlewWords);
                std::vector<uint8_t> rlew;
                for (uint16_t w : rlewWords) {
                    rlew.push_back(uint8_t(w));
                    rlew.push_back(uint8_t(w >> 8));
                }
                std::vector<uint16_t> plane(kPlaneWords);
                ExpandRlew(std::span(rlew).subspan(2), plane, 0xABCD);
                out.storedBytes += stored.size();
                out.rlewBytes += rlew.size();
                out.stored.push_back(std::move(stored));
                out.rlew.push_back(std::move(rlew));
                out.expanded.push_back(std::move(plane));
            }
        }
        return out;
    }();
    return p;
}

template <auto Compress> void compressAll(benchmark::State& state) {
    const auto& p = planes();
    if (p.rlew.empty()) {
        state.SkipWithError("game data not found (set ZENTRIK_GAMEDATA)");
        return;
    }
    const auto mode = CarmackMode(state.range(0));
    size_t outBytes = 0;
    for (auto _ : state) {
        outBytes = 0;
        for (const auto& r : p.rlew) {
            auto c = Compress(r, mode);
            outBytes += c.size();
            benchmark::DoNotOptimize(c.data());
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.rlewBytes));
    state.counters["planes"] = double(p.rlew.size());
    state.counters["out_bytes"] = double(outBytes);
    state.counters["stored_bytes"] = double(p.storedBytes);
}

void BM_CompressCarmack(benchmark::State& s) {
    compressAll<CompressCarmack>(s);
}
void BM_CompressCarmackReference(benchmark::State& s) {
    compressAll<CompressCarmackReference>(s);
}
BENCHMARK(BM_CompressCarmack)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressCarmackReference)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ExpandCarmack(benchmark::State& state) {
    const auto& p = planes();
    std::vector<uint16_t> out(kPlaneWords + 1);
    for (auto _ : state)
        for (const auto& s : p.stored) {
            ExpandCarmack(s, out);
            benchmark::DoNotOptimize(out.data());
        }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.rlewBytes));
}
BENCHMARK(BM_ExpandCarmack)->Unit(benchmark::kMicrosecond);

void BM_CompressRlew(benchmark::State& state) {
    const auto& p = planes();
    for (auto _ : state)
        for (const auto& e : p.expanded) {
            auto r = CompressRlew(e, 0xABCD);
            benchmark::DoNotOptimize(r.data());
        }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.expanded.size()) * kPlaneBytes);
}
BENCHMARK(BM_CompressRlew)->Unit(benchmark::kMicrosecond);

void BM_ExpandRlew(benchmark::State& state) {
    const auto& p = planes();
    std::vector<uint16_t> out(kPlaneWords);
    for (auto _ : state)
        for (const auto& r : p.rlew) {
            ExpandRlew(std::span(r).subspan(2), out, 0xABCD);
            benchmark::DoNotOptimize(out.data());
        }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.expanded.size()) * kPlaneBytes);
}
BENCHMARK(BM_ExpandRlew)->Unit(benchmark::kMicrosecond);

} // namespace
