#include "vgagraph/VgaWriters.h"

#include "app/JobProtocol.h"
#include "io/ByteWriter.h"
#include "io/SafeFile.h"
#include "vgagraph/VgaFiles.h"
#include "vgagraph/VgaReaders.h"

#include <algorithm>

namespace zentrik {

namespace {

constexpr int kSaveBarMax = 103;
constexpr int kChunkBarFirst = 5;
constexpr int kChunkBarSpan = 98;
constexpr int kScreenRunOffset = 3; // screens go before chunk F' + P' + 3 when there are none

// The new VGAGRAPH in memory and the offsets of its chunks.
class ArchiveBuilder {
public:
    void copy(std::span<const uint8_t> stored) {
        m_offsets.push_back(uint32_t(m_graph.size()));
        m_graph.bytes(stored);
    }
    // Coded chunk; with a length field holding lengthField.
    Status coded(std::span<const uint8_t> data, const CodeTable& codes,
                 std::optional<uint32_t> lengthField) {
        auto bits = HuffmanEncode(data, codes);
        if (!bits)
            return bits.error();
        m_offsets.push_back(uint32_t(m_graph.size()));
        if (lengthField)
            m_graph.u32(*lengthField);
        m_graph.bytes(*bits);
        return {};
    }
    Result<std::vector<uint8_t>> header() const {
        std::vector<uint32_t> all = m_offsets;
        all.push_back(uint32_t(m_graph.size()));
        return writeHeader(all);
    }
    const std::vector<uint8_t>& graph() const { return m_graph.bytes(); }
    int chunks() const { return int(m_offsets.size()); }

private:
    ByteWriter m_graph;
    std::vector<uint32_t> m_offsets;
};

enum class Kind { Graphics, Fonts, Tile8s, Screens };

// One save: the models it reads, the target, and where it reports.
struct SaveJob {
    const VgaGraphState& state;
    const VgaFileSet& target;
    Prompter& prompter;
    Progress& progress;
    ArchiveBuilder out;

    void step(int i, int n, int barFirst = kChunkBarFirst, int barSpan = kChunkBarSpan) {
        progress.setCounter(std::to_string(i + 1) + "/" + std::to_string(n));
        progress.setPosition(n > 0 ? int(int64_t(i) * barSpan / n) + barFirst : barFirst);
    }
    void phase(const std::string& text, const std::string& counter, int bar) {
        progress.setPhase(text);
        progress.setCounter(counter);
        progress.setPosition(bar);
    }
    // Done, or the code after reporting the Error.
    int check(const Status& s) {
        if (s)
            return JobResult::Done;
        report(prompter, s.error());
        return JobResult::FailedUntouched;
    }
};

std::vector<uint8_t> pictureTableBytes(const GraphicsSet& g) {
    ByteWriter w(g.table.size() * kPictureTableEntryBytes);
    for (const PictureSize& p : g.table) {
        w.u16(uint16_t(p.width));
        w.u16(uint16_t(p.height));
    }
    return w.take();
}

// The picture table's length field holds its true expanded length, 4 x P, like every other
// chunk's, so that a reader taking the field at its word gets the whole table.
Status codedPictureTable(SaveJob& job) {
    const auto table = pictureTableBytes(job.state.graphics);
    return job.out.coded(table, job.state.codes, uint32_t(table.size()));
}

// Pictures from `first` on, then the chunks `after`; the counter runs over both.
int writePicturesAndAfter(SaveJob& job, const std::vector<std::span<const uint8_t>>& after,
                          int barFirst, int barSpan) {
    const auto& g = job.state.graphics;
    const int total = g.pictureCount() + int(after.size());
    for (int i = 0; i < total; ++i) {
        if (job.progress.cancelled())
            return JobResult::Failed;
        job.step(i, total, barFirst, barSpan);
        if (i >= g.pictureCount()) {
            job.out.copy(after[size_t(i - g.pictureCount())]);
            continue;
        }
        const auto& pic = g.pictures[size_t(i)];
        if (int code = job.check(job.out.coded(pic, job.state.codes, uint32_t(pic.size())));
            code != JobResult::Done)
            return code;
    }
    return JobResult::Done;
}

int buildNewGraphics(SaveJob& job) {
    const auto& g = job.state.graphics;
    job.phase("Saving graphics...", "Picture table", 1);
    if (int code = job.check(codedPictureTable(job)); code != JobResult::Done)
        return code;
    job.phase("Saving graphics...", "Fonts", 2);
    for (const auto& f : g.fontChunks)
        job.out.copy(f);
    std::vector<std::span<const uint8_t>> after(g.otherChunks.begin(), g.otherChunks.end());
    return writePicturesAndAfter(job, after, 3, 100);
}

std::vector<std::span<const uint8_t>> storedRange(const VgaArchive& a, int from, int to) {
    std::vector<std::span<const uint8_t>> out;
    for (int c = std::max(from, 0); c < to; ++c)
        out.push_back(a.storedBytes(c));
    return out;
}

int rebuildGraphics(SaveJob& job, const VgaArchive& a, const ArchiveLayout& layout) {
    const int fonts = layout.fonts, pictures = int(layout.pictures.size());
    const auto after = storedRange(a, fonts + pictures + 1, a.chunkCount());
    job.phase("Rebuilding existing file with new graphics...", "Picture table", 3);
    if (int code = job.check(codedPictureTable(job)); code != JobResult::Done)
        return code;
    job.phase("Rebuilding existing file with new graphics...", "Fonts", 4);
    for (int c = kFirstFontChunk; c <= fonts; ++c)
        job.out.copy(a.storedBytes(c));
    return writePicturesAndAfter(job, after, kChunkBarFirst, kChunkBarSpan);
}

int rebuildFonts(SaveJob& job, const VgaArchive& a, int targetFonts) {
    const auto after = storedRange(a, targetFonts + 1, a.chunkCount());
    job.phase("Rebuilding existing file with new fonts...", "Picture table", 3);
    job.out.copy(a.storedBytes(kPictureTableChunk));
    job.phase("Rebuilding existing file with new fonts...", "Fonts", 4);
    const auto& fonts = job.state.fonts.fonts;
    const int total = int(fonts.size() + after.size());
    for (int i = 0; i < total; ++i) {
        if (job.progress.cancelled())
            return JobResult::Failed;
        job.step(i, total);
        if (i >= int(fonts.size())) {
            job.out.copy(after[size_t(i) - fonts.size()]);
            continue;
        }
        const auto& f = fonts[size_t(i)];
        if (int code = job.check(job.out.coded(f, job.state.codes, uint32_t(f.size())));
            code != JobResult::Done)
            return code;
    }
    return JobResult::Done;
}

// Chunk 0 of the tile8 and screens writers is the target's own, as stored.
void copyPictureTableChunk(SaveJob& job, const VgaArchive& a) {
    job.out.copy(a.storedBytes(kPictureTableChunk));
}

// The tiles up to the last one that holds a non-zero byte; none when all are zero.
std::span<const uint8_t> usedTiles(const std::vector<uint8_t>& tiles) {
    size_t end = std::min(tiles.size(), kTile8ChunkBytes);
    while (end > 0 &&
           std::all_of(tiles.begin() + std::ptrdiff_t(end - kTile8Bytes),
                       tiles.begin() + std::ptrdiff_t(end), [](uint8_t b) { return b == 0; }))
        end -= kTile8Bytes;
    return std::span(tiles).first(end);
}

int rebuildTile8s(SaveJob& job, const VgaArchive& a, const ArchiveLayout& layout) {
    const int tile8 = layout.tile8Chunk(), n = a.chunkCount();
    if (tile8 > n) {
        job.prompter.message("The graphics file holds fewer chunks than its picture table "
                             "names; there is no place for the tile8 chunk!",
                             "Graphics header corrupt!", MessageIcon::Exclamation);
        return JobResult::FailedUntouched;
    }
    job.phase("Rebuilding existing file with new tile8s...", "Picture table", 3);
    copyPictureTableChunk(job, a);
    // A target without a tile8 chunk gets one at its end rather than losing the tiles.
    const int last = std::max(n, tile8 + 1);
    for (int c = 1; c < last; ++c) {
        if (job.progress.cancelled())
            return JobResult::Failed;
        job.step(c - 1, last - 1);
        if (c != tile8) {
            job.out.copy(a.storedBytes(c));
            continue;
        }
        const auto tiles = usedTiles(job.state.tile8s.tiles);
        if (tiles.empty()) {
            job.out.copy({});
        } else if (int code = job.check(job.out.coded(tiles, job.state.codes, std::nullopt));
                   code != JobResult::Done) {
            return code;
        }
    }
    return JobResult::Done;
}

int rebuildScreens(SaveJob& job, const VgaArchive& a, const ArchiveLayout& layout) {
    const int n = a.chunkCount();
    const ChunkContext ctx{a, job.state.dict, layout.tile8Chunk()};
    // The first run of screens is replaced; chunks before and after it are copied.
    int runStart = -1, runLength = 0;
    for (int c = 1; c < n; ++c) {
        const bool screen = isScreenChunk(c, ctx);
        if (runStart < 0 && screen)
            runStart = c;
        if (runStart >= 0) {
            if (!screen)
                break;
            ++runLength;
        }
    }
    if (runStart < 0)
        runStart = std::min(layout.fonts + int(layout.pictures.size()) + kScreenRunOffset, n);
    job.phase("Rebuilding existing file with new screens...", "Picture table", 3);
    copyPictureTableChunk(job, a);
    const auto& screens = job.state.screens.screens;
    const int total = n - 1 - runLength + int(screens.size());
    int written = 0;
    for (int c = 1; c <= n; ++c) {
        if (c == runStart) {
            for (const ScreenRecord& s : screens) {
                if (job.progress.cancelled())
                    return JobResult::Failed;
                job.step(written++, total);
                const auto bytes = std::span(s.bytes).first(kScreenChunkBytes);
                if (int code = job.check(
                        job.out.coded(bytes, job.state.codes, uint32_t(kScreenChunkBytes)));
                    code != JobResult::Done)
                    return code;
            }
            c += runLength;
        }
        if (c >= n)
            break;
        if (job.progress.cancelled())
            return JobResult::Failed;
        job.step(written++, total);
        job.out.copy(a.storedBytes(c));
    }
    return JobResult::Done;
}

const char* refusalFor(Kind kind) {
    switch (kind) {
    case Kind::Fonts:
        return "Sorry, but it's not possible yet to create\nnew VGAGRAPH files while saving fonts!";
    case Kind::Tile8s:
        return "Sorry, but it's not possible yet to create\nnew VGAGRAPH files while saving "
               "tile8s!";
    default:
        return "Sorry, but it's not possible yet to create\nnew VGAGRAPH files while saving "
               "screens!";
    }
}

// Rebuilds `source` (the target archive as it stands) with the job's kind replaced.
int buildOver(SaveJob& job, Kind kind, const VgaArchive& source) {
    ArchiveLayout layout;
    layout.fonts = countFonts(source, job.state.dict);
    if (kind != Kind::Fonts)
        layout.pictures = readPictureTable(source, job.state.dict);
    switch (kind) {
    case Kind::Graphics:
        return rebuildGraphics(job, source, layout);
    case Kind::Fonts:
        return rebuildFonts(job, source, layout.fonts);
    case Kind::Tile8s:
        return rebuildTile8s(job, source, layout);
    case Kind::Screens:
        return rebuildScreens(job, source, layout);
    }
    return JobResult::FailedUntouched;
}

int build(SaveJob& job, Kind kind) {
    job.phase("Checking for existing graphics file...", "", 1);
    if (!std::filesystem::exists(job.target.graphPath())) {
        if (kind == Kind::Graphics)
            return buildNewGraphics(job);
        job.prompter.message(refusalFor(kind), "Graphics file doesn't exist!",
                             MessageIcon::Information);
        return JobResult::FailedUntouched;
    }
    job.phase("Scanning existing graphics file...", "", 2);
    auto archive = openArchive(
        job.target.headPath(), job.target.graphPath(),
        {"Couldn't open graphics header file:", "Couldn't open graphics file:"}, job.prompter);
    if (!archive)
        return JobResult::FailedUntouched;
    return buildOver(job, kind, *archive);
}

// Every kind in turn, each over the archive the one before built in memory, so that the
// target is replaced once and its .bak is the archive as it was before the command.
int buildAll(SaveJob& job, std::span<const Kind> kinds) {
    for (size_t i = 0; i < kinds.size(); ++i) {
        if (i == 0) {
            if (int code = build(job, kinds[i]); code != JobResult::Done)
                return code;
            continue;
        }
        auto head = job.out.header();
        if (!head)
            return job.check(head.error());
        VgaArchive built;
        built.table = parseHeader(*head);
        built.graph = job.out.graph();
        job.out = ArchiveBuilder{};
        if (int code = buildOver(job, kinds[i], built); code != JobResult::Done)
            return code;
    }
    return JobResult::Done;
}

// Stages the three files and replaces the targets together.
int commit(SaveJob& job, const std::vector<uint8_t>& dict) {
    auto head = job.out.header();
    if (!head) {
        report(job.prompter, head.error());
        return JobResult::FailedUntouched;
    }
    FileReplacement files;
    const struct {
        std::filesystem::path path;
        std::span<const uint8_t> bytes;
        const char* caption;
    } parts[] = {
        {job.target.dictPath(), dict, "Couldn't create dictionary file:"},
        {job.target.graphPath(), job.out.graph(), "Couldn't create new graphics file:"},
        {job.target.headPath(), *head, "Couldn't create graphics header file:"},
    };
    for (const auto& p : parts) {
        if (!files.stage(p.path, p.bytes)) {
            job.prompter.message(tmpPathOf(p.path).string(), p.caption, MessageIcon::Exclamation);
            return JobResult::FailedUntouched;
        }
    }
    if (job.progress.cancelled())
        return JobResult::Failed;
    if (auto st = files.commit(); !st) {
        report(job.prompter, st.error());
        return JobResult::Failed;
    }
    return JobResult::Done;
}

bool runSave(VgaGraphState& state, const VgaFileSet& target, std::span<const Kind> kinds,
             const char* caller, Prompter& prompter, JobRunner& runner) {
    if (!state.dictLoaded && !LoadHuffman(state, target.dictPath(), prompter))
        return false;
    const int code = runner.run([&](Progress& progress) {
        SaveJob job{state, target, prompter, progress, {}};
        progress.setRange(0, kSaveBarMax);
        job.phase("Saving dictionary...", "", 0);
        const std::vector<uint8_t> dict = SaveDictionaryBytes(state);
        if (int c = buildAll(job, kinds); c != JobResult::Done)
            return c;
        return commit(job, dict);
    });
    if (!checkJobResult(code, prompter, caller))
        return false;
    return code == JobResult::Done;
}

} // namespace

std::vector<uint8_t> SaveDictionaryBytes(const VgaGraphState& state) {
    return writeDictionary(state.dict);
}

bool SaveGraphics(VgaGraphState& state, const VgaFileSet& target, Prompter& prompter,
                  JobRunner& runner) {
    const Kind kind[] = {Kind::Graphics};
    if (!runSave(state, target, kind, "CZentrikDlg::SaveGraphics()", prompter, runner))
        return false;
    state.graphics.changed = false;
    return true;
}

bool SaveFonts(VgaGraphState& state, const VgaFileSet& target, Prompter& prompter,
               JobRunner& runner) {
    const Kind kind[] = {Kind::Fonts};
    if (!runSave(state, target, kind, "CZentrikDlg::SaveFonts()", prompter, runner))
        return false;
    state.fonts.changed = false;
    return true;
}

bool SaveTile8s(VgaGraphState& state, const VgaFileSet& target, Prompter& prompter,
                JobRunner& runner) {
    const Kind kind[] = {Kind::Tile8s};
    if (!runSave(state, target, kind, "CZentrikDlg::SaveTile8s()", prompter, runner))
        return false;
    state.tile8s.changed = false;
    return true;
}

bool SaveScreens(VgaGraphState& state, const VgaFileSet& target, Prompter& prompter,
                 JobRunner& runner) {
    const Kind kind[] = {Kind::Screens};
    if (!runSave(state, target, kind, "CZentrikDlg::SaveScreens()", prompter, runner))
        return false;
    state.screens.changed = false;
    return true;
}

bool SaveAllGraphics(VgaGraphState& state, const VgaFileSet& target, bool onlyChanged,
                     Prompter& prompter, JobRunner& runner) {
    const struct {
        Kind kind;
        bool loaded;
        bool& changed;
    } parts[] = {
        {Kind::Graphics, state.graphics.loaded, state.graphics.changed},
        {Kind::Screens, state.screens.loaded, state.screens.changed},
        {Kind::Fonts, state.fonts.loaded, state.fonts.changed},
        {Kind::Tile8s, state.tile8s.loaded, state.tile8s.changed},
    };
    if (!state.anyLoaded())
        return false;
    std::vector<Kind> kinds;
    for (const auto& p : parts)
        if (p.loaded && (!onlyChanged || p.changed))
            kinds.push_back(p.kind);
    if (kinds.empty())
        return true;
    if (!runSave(state, target, kinds, "CZentrikDlg::SaveAllGraphics()", prompter, runner))
        return false;
    for (const auto& p : parts)
        if (std::find(kinds.begin(), kinds.end(), p.kind) != kinds.end())
            p.changed = false;
    return true;
}

} // namespace zentrik
