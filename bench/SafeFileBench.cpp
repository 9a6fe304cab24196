// What the safe replacement costs: a three-file set the size of the shareware graphics archive
// replaced with every flush, against the same steps with the flushes left out (what saves did
// before they were flushed). The difference is the price of surviving a power cut.
#include "io/FileOps.h"
#include "io/SafeFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace zentrik;
namespace fs = std::filesystem;

class NoFlush final : public FileOps {
public:
    Status write(const fs::path& p, std::span<const uint8_t> b) override {
        return systemFileOps().write(p, b);
    }
    Status flush(const fs::path&) override { return {}; }
    Status flushFolder(const fs::path&) override { return {}; }
    Status link(const fs::path& f, const fs::path& t) override {
        return systemFileOps().link(f, t);
    }
    Status rename(const fs::path& f, const fs::path& t) override {
        return systemFileOps().rename(f, t);
    }
    Status remove(const fs::path& p) override { return systemFileOps().remove(p); }
};

void replaceSet(benchmark::State& state, bool flushed) {
    const fs::path dir = fs::temp_directory_path() / ("zentrik-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::vector<uint8_t> dict(1024, 1), graph(326568, 2), head(471, 3);
    NoFlush noFlush;
    ScopedFileOps use(flushed ? systemFileOps() : noFlush);
    for (auto _ : state) {
        FileReplacement set;
        if (!set.stage(dir / "VGADICT.WL1", dict) || !set.stage(dir / "VGAGRAPH.WL1", graph) ||
            !set.stage(dir / "VGAHEAD.WL1", head) || !set.commit())
            state.SkipWithError("the replacement failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(dict.size() + graph.size() + head.size()));
    fs::remove_all(dir);
}

void ReplaceGraphicsSetFlushed(benchmark::State& state) {
    replaceSet(state, true);
}
void ReplaceGraphicsSetUnflushed(benchmark::State& state) {
    replaceSet(state, false);
}

BENCHMARK(ReplaceGraphicsSetFlushed)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReplaceGraphicsSetUnflushed)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
