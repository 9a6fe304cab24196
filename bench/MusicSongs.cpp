// Reading the shareware songs and building every song model (and its rebuild).
#include "io/SafeFile.h"
#include "music/ImfWriter.h"
#include "music/MusicSet.h"
#include "music/NoteEditor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
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

// What "Update IMF" does after one drag in the piano roll, on the largest shareware song: the
// drag and its cut rules, the rebuild of the IMF data, and the model built again from it.
void RebuildLargestSongAfterDrag(benchmark::State& state) {
    const auto set = zentrik::readMusicSet(files().head, files().audio).value();
    const auto largest =
        std::max_element(set.songs.begin(), set.songs.end(),
                         [](const auto& a, const auto& b) { return a.length < b.length; });
    zentrik::SongModel model =
        zentrik::buildSongModel(largest->buffer, zentrik::imfSpanOf(largest->bytes()));
    auto& notes =
        *std::max_element(model.notes.begin(), model.notes.end(),
                          [](const auto& a, const auto& b) { return a.size() < b.size(); });
    zentrik::NoteEditor editor;
    editor.snap = false;
    editor.hZoom = 1; // one tick per pixel, so the press lands exactly on the note
    const size_t target = notes.size() / 2;
    int step = 1;
    int64_t grabs = 0;
    for (auto _ : state) {
        const zentrik::NoteEvent& n = notes[std::min(target, notes.size() - 1)];
        const int x = editor.xOfTime(n.start + n.duration / 6);
        const int y = editor.yOfNote(n);
        grabs += editor.press(notes, model.songLength, x, y).grabbed;
        editor.drag(notes, x + step, y);
        editor.release(notes);
        step = -step;
        auto built = zentrik::buildImf(model);
        auto again = zentrik::buildSongModel(built.bytes, built.span);
        benchmark::DoNotOptimize(again);
    }
    state.counters["bytes"] = double(largest->length);
    state.counters["notes"] = double(notes.size());
    state.counters["grabbed"] = double(grabs) / double(std::max<int64_t>(1, state.iterations()));
}
BENCHMARK(RebuildLargestSongAfterDrag)->Unit(benchmark::kMicrosecond);

} // namespace
