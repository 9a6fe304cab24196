#include "play/WorkspacePlay.h"

#include "io/SafeFile.h"
#include "maps/MapArchiveWriter.h"
#include "pagefile/PageFileWriter.h"
#include "vgagraph/VgaWriters.h"

namespace zentrik {

namespace fs = std::filesystem;

namespace {

constexpr int kCarmackEnable = 1;
constexpr int kCarmackDisable = 2;
constexpr const char* kCaption = "Play level";

std::string extOf(const fs::path& p) {
    std::string ext = p.extension().string();
    return ext.empty() ? ext : ext.substr(1);
}

std::string stemOr(const fs::path& p, const char* fallback) {
    return p.empty() ? std::string(fallback) : p.stem().string();
}

PlayWriter mapsWriter(Workspace& ws, const PlayRequest& request) {
    return [&ws, request](const fs::path& folder) {
        const WorkspaceServices& services = ws.services();
        LevelSet copy = ws.levels();
        if (services.settings.carmackCompress == kCarmackEnable)
            copy.carmack = true;
        else if (services.settings.carmackCompress == kCarmackDisable)
            copy.carmack = false;
        copy.carmackMode = services.settings.carmackMode;
        if (request.from) {
            if (request.level < 0 || request.level >= copy.levelCount())
                return false;
            if (Status st = movePlayerStart(copy.levels[size_t(request.level)], *request.from);
                !st) {
                services.prompter.message(st.error().text, st.error().caption);
                return false;
            }
        }
        MapArchiveBytes bytes;
        const int code = services.jobs.run(
            [&](Progress& progress) { return SaveMapsWorker(progress, copy, bytes); });
        if (code != JobResult::Done)
            return false;
        const fs::path map =
            folder /
            playFileName(folder, stemOr(ws.source(DataSet::Maps), kGamemapsBase), request.suffix);
        const fs::path head =
            folder /
            playFileName(folder, stemOr(ws.mapFiles().headerPath(), kMapheadBase), request.suffix);
        if (!writePlayFile(map, bytes.map) || !writePlayFile(head, bytes.header)) {
            services.prompter.message(map.string(), "Cannot Write", MessageIcon::Exclamation);
            return false;
        }
        return true;
    };
}

PlayWriter pageFileWriter(Workspace& ws, const PlayRequest& request, PageParts parts) {
    fs::path named = parts.walls     ? ws.source(DataSet::Walls)
                     : parts.sprites ? ws.source(DataSet::Sprites)
                                     : ws.source(DataSet::Sounds);
    const std::string stem = stemOr(named, "VSWAP");
    return [&ws, request, parts, stem](const fs::path& folder) {
        const WorkspaceServices& services = ws.services();
        const fs::path target = folder / playFileName(folder, stem, request.suffix);
        std::vector<uint8_t> current;
        if (std::error_code ec; fs::exists(target, ec)) {
            auto old = readWholeFile(target);
            if (!old) {
                services.prompter.message(old.error().text, old.error().caption);
                return false;
            }
            current = std::move(*old);
        }
        const PageFiles& pages = ws.pageFiles();
        const int compression = services.settings.spriteCompression;
        const int code = services.jobs.run([&](Progress& p) {
            // Each part goes into the file the previous one built, as a save of them does.
            auto step = [&](auto&& worker) {
                std::vector<uint8_t> next;
                const int c = worker(next);
                if (c == JobResult::Done)
                    current = std::move(next);
                return c;
            };
            Prompter& prompter = services.prompter;
            int c = JobResult::Done;
            if (parts.walls)
                c = step([&](auto& o) {
                    return SaveTexturesWorker(current, pages.walls, p, prompter, o);
                });
            if (c == JobResult::Done && parts.sprites)
                c = step([&](auto& o) {
                    return SaveSpritesWorker(current, pages.sprites, compression, p, prompter, o);
                });
            if (c == JobResult::Done && parts.sounds)
                c = step([&](auto& o) {
                    return SaveSoundsWorker(current, pages.sounds, p, prompter, o);
                });
            return c;
        });
        if (code != JobResult::Done)
            return false;
        if (!writePlayFile(target, current)) {
            services.prompter.message(target.string(), "Cannot Write", MessageIcon::Exclamation);
            return false;
        }
        return true;
    };
}

PlayWriter graphicsWriter(Workspace& ws, const PlayRequest& request, VgaGraphState chosen) {
    return [&ws, request, chosen = std::move(chosen)](const fs::path& folder) mutable {
        const WorkspaceServices& services = ws.services();
        const std::string& ext = request.suffix;
        VgaFileSet target{folder, ext, folder / playFileName(folder, "VGAHEAD", ext),
                          folder / playFileName(folder, "VGAGRAPH", ext),
                          folder / playFileName(folder, "VGADICT", ext)};
        return SaveAllGraphics(chosen, target, true, services.prompter, services.jobs);
    };
}

} // namespace

std::optional<PlayRequest> workspaceGame(const Workspace& ws) {
    if (!ws.isLoaded(DataSet::Maps) || ws.source(DataSet::Maps).empty())
        return std::nullopt;
    PlayRequest r;
    r.gameFolder = ws.source(DataSet::Maps).parent_path();
    r.suffix = extOf(ws.source(DataSet::Maps));
    r.level = ws.currentLevel();
    return r;
}

bool needsWriting(const Workspace& ws, DataSet set, const fs::path& gameFolder) {
    if (!ws.isLoaded(set))
        return false;
    if (ws.isModified(set))
        return true;
    const fs::path source = ws.source(set);
    std::error_code ec;
    return source.empty() || !fs::exists(source, ec) ||
           !fs::equivalent(source.parent_path(), gameFolder, ec);
}

std::vector<PlayWriter> workspacePlayWriters(Workspace& ws, const PlayRequest& request) {
    const fs::path& game = request.gameFolder;
    std::vector<PlayWriter> writers;
    if (ws.isLoaded(DataSet::Maps) && (request.from || needsWriting(ws, DataSet::Maps, game)))
        writers.push_back(mapsWriter(ws, request));
    const PageParts parts{needsWriting(ws, DataSet::Walls, game),
                          needsWriting(ws, DataSet::Sprites, game),
                          needsWriting(ws, DataSet::Sounds, game)};
    if (parts.any())
        writers.push_back(pageFileWriter(ws, request, parts));
    VgaGraphState chosen = ws.graphics();
    chosen.graphics.changed = needsWriting(ws, DataSet::Graphics, game);
    chosen.fonts.changed = needsWriting(ws, DataSet::Fonts, game);
    chosen.screens.changed = needsWriting(ws, DataSet::Screens, game);
    chosen.tile8s.changed = needsWriting(ws, DataSet::Tile8s, game);
    if (chosen.anyChanged())
        writers.push_back(graphicsWriter(ws, request, std::move(chosen)));
    return writers;
}

Result<PreparedPlay> preparePlay(const PlayRequest& request, std::vector<PlayWriter> writers,
                                 const RunnerSettings& runner, const fs::path& root,
                                 const std::string& pathVariable) {
    PlayTarget target{request.gameFolder, request.level, request.suffix, runner.skill};
    if (auto check = runnerCommand(target, runner, pathVariable); !check)
        return check.error();
    if (root.empty())
        return Error{"No folder for the play folder: neither XDG_CACHE_HOME nor HOME is set.",
                     kCaption};
    PlayFolderRequest folder{request.gameFolder, playFolderOf(root, request.suffix),
                             std::move(writers)};
    auto report = buildPlayFolder(folder);
    if (!report)
        return report.error();
    target.folder = folder.playFolder;
    auto command = runnerCommand(target, runner, pathVariable);
    if (!command)
        return command.error();
    if (Status st = writeRunnerFiles(*command); !st)
        return st.error();
    return PreparedPlay{std::move(*report), std::move(*command)};
}

} // namespace zentrik
