#include "vgagraph/VgaReaders.h"

#include "app/JobProtocol.h"
#include "io/SafeFile.h"
#include "vgagraph/VgaFiles.h"

namespace zentrik {

namespace {

constexpr uint64_t kMaxDictFile = 1024 * 1024;
constexpr const char* kDictFilter = "Wolf3D(WL6)|*.WL6|Wolf3D Demo(WL1)|*.WL1|Spear of "
                                    "Destiny(SOD)|*.SOD|Operation Zusammenkunft(OZ6)|*.OZ6|All "
                                    "files|*.*||";

bool ensureDictionary(VgaGraphState& state, const VgaFileSet& files, bool reread,
                      Prompter& prompter) {
    if (state.dictLoaded && !reread)
        return true;
    return LoadHuffman(state, files.dictPath(), prompter);
}

std::filesystem::path graphPathOf(const VgaFileSet& files,
                                  const std::optional<std::filesystem::path>& graphPath) {
    return graphPath ? *graphPath : files.graphPath();
}

} // namespace

bool LoadHuffman(VgaGraphState& state, const std::filesystem::path& path, Prompter& prompter) {
    std::filesystem::path chosen = path;
    auto bytes = readWholeFile(chosen, kMaxDictFile);
    if (!bytes) {
        prompter.message(path.string(), "CZentrikDlg::LoadHuffman(): Couldn't open file:",
                         MessageIcon::Exclamation);
        auto picked = prompter.openFile(
            {"Please select the graphics dictionary...", kDictFilter, "", "Vgadict.*"});
        if (!picked)
            return false;
        chosen = *picked;
        bytes = readWholeFile(chosen, kMaxDictFile);
        if (!bytes)
            return false;
    }
    auto dict = readDictionary(*bytes);
    if (!dict) {
        report(prompter, dict.error());
        return false;
    }
    state.dict = std::move(*dict);
    state.codes = BuildCodeTable(state.dict);
    state.dictLoaded = true;
    state.dictSource = chosen;
    return true;
}

int loadGraphicsJob(const VgaArchive& archive, const HuffmanDict& dict, GraphicsSet& out,
                    Prompter& prompter, Progress& progress) {
    JobReporter reporter(progress);
    reporter.begin("Loading graphics header...", "");
    GraphicsSet set;
    progress.setPhase("Load graphics table...");
    progress.setPosition(1);
    const int fonts = countFonts(archive, dict);
    for (int c = kFirstFontChunk; c <= fonts; ++c) {
        auto stored = archive.storedBytes(c);
        set.fontChunks.emplace_back(stored.begin(), stored.end());
    }
    set.firstPictureChunk = fonts + 1;
    set.table = readPictureTable(archive, dict);
    const int count = int(set.table.size());
    const ChunkContext ctx{archive, dict, set.firstPictureChunk + count};
    progress.setPhase("Load graphics...");
    for (int i = 0; i < count; ++i) {
        if (progress.cancelled())
            return JobResult::Failed;
        progress.setCounter(std::to_string(i + 1) + "/" + std::to_string(count));
        progress.setPosition(int(int64_t(i) * 100 / count) + 2);
        auto chunk = LoadChunk(set.firstPictureChunk + i, ctx);
        if (!chunk) {
            report(prompter, chunk.error(), MessageIcon::None);
            return JobResult::Failed;
        }
        const PictureSize s = set.table[size_t(i)];
        if (int64_t(chunk->size()) != int64_t(s.width) * s.height) {
            prompter.message("The size of a graphic doesn't correspond\nto the width and height "
                             "of the pictable!",
                             "Graphics pictable or Huffman table corrupt!",
                             MessageIcon::Exclamation);
            return JobResult::Failed;
        }
        set.pictures.push_back(std::move(*chunk));
    }
    for (int c = set.firstPictureChunk + count; c < archive.chunkCount(); ++c) {
        auto stored = archive.storedBytes(c);
        set.otherChunks.emplace_back(stored.begin(), stored.end());
    }
    out = std::move(set);
    return JobResult::Done;
}

bool LoadGraphics(VgaGraphState& state, const VgaFileSet& files,
                  std::optional<std::filesystem::path> graphPath, bool rereadDictionary,
                  Prompter& prompter, JobRunner& runner) {
    if (!ensureDictionary(state, files, rereadDictionary, prompter))
        return false;
    std::filesystem::path headPath = files.headPath();
    if (!std::filesystem::is_regular_file(headPath)) {
        prompter.message(headPath.string(), "CZentrikDlg::LoadGraphics(): Couldn't open file:",
                         MessageIcon::Exclamation);
        auto picked = prompter.openFile(
            {"Please select the graphics header...", kDictFilter, "", "Vgahead.*"});
        if (!picked)
            return false;
        headPath = *picked;
    }
    // The old pictures go first: a failed or cancelled load leaves none.
    state.graphics = GraphicsSet{};
    const auto path = graphPathOf(files, graphPath);
    GraphicsSet loaded;
    const int code = runner.run([&](Progress& progress) {
        auto archive = openArchive(
            headPath, path,
            {"Need VGAHEAD! Couldn't open file:", "Need VGAGRAPH! Couldn't open file:"}, prompter);
        if (!archive)
            return JobResult::Failed;
        return loadGraphicsJob(*archive, state.dict, loaded, prompter, progress);
    });
    if (!checkJobResult(code, prompter, "CZentrikDlg::LoadGraphics()") || code != JobResult::Done)
        return false;
    state.graphics = std::move(loaded);
    state.graphics.source = path;
    state.graphics.loaded = true;
    return true;
}

bool LoadFonts(VgaGraphState& state, const VgaFileSet& files,
               std::optional<std::filesystem::path> graphPath, bool rereadDictionary,
               Prompter& prompter) {
    if (!ensureDictionary(state, files, rereadDictionary, prompter))
        return false;
    const auto path = graphPathOf(files, graphPath);
    auto archive = openArchive(files.headPath(), path,
                               {"CZentrikDlg::LoadFonts: Couldn't open header file:",
                                "CZentrikDlg::LoadFonts: Couldn't open file:"},
                               prompter);
    if (!archive)
        return false;
    FontSet set;
    const int fonts = countFonts(*archive, state.dict);
    const ChunkContext ctx{*archive, state.dict, -1};
    for (int c = kFirstFontChunk; c <= fonts; ++c) {
        auto chunk = LoadChunk(c, ctx);
        if (!chunk || chunk->size() < kFontGlyphStart)
            break;
        set.fonts.push_back(std::move(*chunk));
    }
    set.source = path;
    set.loaded = true;
    state.fonts = std::move(set);
    return true;
}

namespace {

enum class ScreensOutcome { Loaded, NoneFound, Failed };

ScreensOutcome loadScreens(VgaGraphState& state, const VgaFileSet& files,
                           const std::filesystem::path& path, bool rereadDictionary,
                           Prompter& prompter) {
    if (!ensureDictionary(state, files, rereadDictionary, prompter))
        return ScreensOutcome::Failed;
    auto archive = openArchive(files.headPath(), path,
                               {"CZentrikDlg::LoadScreens: Couldn't open header file:",
                                "CZentrikDlg::LoadScreens(): Couldn't open file:"},
                               prompter);
    if (!archive)
        return ScreensOutcome::Failed;
    // The tile8 chunk of this archive, not of the pictures loaded from another one.
    const ArchiveLayout layout = scanLayout(*archive, state.dict);
    const ChunkContext ctx{*archive, state.dict, layout.tile8Chunk()};
    ScreenSet set;
    for (int c = 1; c < archive->chunkCount(); ++c) {
        auto chunk = LoadChunk(c, ctx);
        if (chunk && isScreenData(*chunk))
            set.screens.push_back({std::move(*chunk), uint32_t(c)});
    }
    if (set.screens.empty())
        return ScreensOutcome::NoneFound;
    set.source = path;
    set.loaded = true;
    state.screens = std::move(set);
    return ScreensOutcome::Loaded;
}

} // namespace

bool LoadScreens(VgaGraphState& state, const VgaFileSet& files,
                 std::optional<std::filesystem::path> graphPath, bool rereadDictionary,
                 Prompter& prompter) {
    return loadScreens(state, files, graphPathOf(files, graphPath), rereadDictionary, prompter) ==
           ScreensOutcome::Loaded;
}

bool LoadTile8s(VgaGraphState& state, const VgaFileSet& files,
                std::optional<std::filesystem::path> graphPath, bool rereadDictionary,
                Prompter& prompter) {
    if (!ensureDictionary(state, files, rereadDictionary, prompter))
        return false;
    const auto path = graphPathOf(files, graphPath);
    auto archive = openArchive(
        files.headPath(), path,
        {"Couldn't open file:", "CZentrikDlg::LoadTile8s: Couldn't open file:"}, prompter);
    if (!archive)
        return false;
    const ArchiveLayout layout = scanLayout(*archive, state.dict);
    auto chunk = LoadChunk(layout.tile8Chunk(), {*archive, state.dict, layout.tile8Chunk()});
    if (!chunk) {
        report(prompter, chunk.error(), MessageIcon::None);
        return false;
    }
    Tile8Set set;
    set.tiles = std::move(*chunk);
    set.source = path;
    set.loaded = true;
    state.tile8s = std::move(set);
    return true;
}

bool LoadAllGraphics(VgaGraphState& state, const VgaFileSet& files, Prompter& prompter,
                     JobRunner& runner, std::optional<std::filesystem::path> graphPath) {
    state.graphics = {};
    state.fonts = {};
    state.screens = {};
    state.tile8s = {};
    state.dictLoaded = false;
    const auto path = graphPathOf(files, graphPath);
    if (!LoadGraphics(state, files, path, false, prompter, runner))
        return false;
    if (loadScreens(state, files, path, false, prompter) == ScreensOutcome::Failed)
        return false;
    return LoadFonts(state, files, path, false, prompter) &&
           LoadTile8s(state, files, path, false, prompter);
}

} // namespace zentrik
