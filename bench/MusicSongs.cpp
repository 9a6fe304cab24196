// Reading the shareware songs and building every song model (and its rebuild).
#include "io/SafeFile.h"
#include "music/ImfWriter.h"
#include "music/MusicSet.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::filesystem::path wl1(const char* name) {
    const char* env = std::getenv("ZENTRIK_GAMEDATA");
    return std::filesystem::path(env ? env : ZENTRIK_DEFAULT_GAMEDATA) / "wl1" / name;
}

struct Files {
    std::vector<uint8_t> head = zentrik::readWholeFile(wl1("AUDIOHED.WL1")).value();
    std::vector<uint8_t> audio = zentrik::readWholeFile(wl1("AUDIOT.WL1")).value();
};

const Files& files() {
    static Files f;
    return f;
}

void LoadShareWareSongs(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state) {
        auto set = zentrik::readMusicSet(f.head, f.audio);
        benchmark::DoNotOptimize(set);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.audio.size()));
}
BENCHMARK(LoadShareWareSongs);

void BuildEverySongModel(benchmark::State& state) {
    const auto set = zentrik::readMusicSet(files().head, files().audio).value();
    for (auto _ : state)
        for (const auto& song : set.songs) {
            auto model = zentrik::buildSongModel(song.buffer, zentrik::imfSpanOf(song.bytes()));
            benchmark::DoNotOptimize(model);
        }
    state.counters["songs"] = double(set.songs.size());
}
BENCHMARK(BuildEverySongModel);

void RebuildEverySong(benchmark::State& state) {
    const auto set = zentrik::readMusicSet(files().head, files().audio).value();
    std::vector<zentrik::SongModel> models;
    for (const auto& song : set.songs)
        models.push_back(zentrik::buildSongModel(song.buffer, zentrik::imfSpanOf(song.bytes())));
    for (auto _ : state)
        for (const auto& m : models) {
            auto built = zentrik::buildImf(m);
            benchmark::DoNotOptimize(built);
        }
}
BENCHMARK(RebuildEverySong);

} // namespace
