#pragma once

#include "app/Workspace.h"
#include "play/GameRunner.h"
#include "play/PlayFolder.h"
#include "play/PlayStart.h"

#include <optional>

namespace zentrik {

// What one "Play level" asks for.
struct PlayRequest {
    std::filesystem::path gameFolder;
    std::string suffix;
    int level = 0;
    std::optional<PlaySpot> from; // "Play from here"
};

// The game the workspace's maps came from: their folder and their file's suffix. Nothing when
// no maps are loaded.
std::optional<PlayRequest> workspaceGame(const Workspace& ws);

// Whether a set goes into the play folder from memory: it is loaded, and changed or read from
// somewhere else than the game folder.
bool needsWriting(const Workspace& ws, DataSet set, const std::filesystem::path& gameFolder);

// The writers that put the workspace into a play folder as it is in memory: the maps (also for
// "Play from here", whose start moves in the copy only), the page file's changed parts and the
// graphics archive's changed kinds. They work on copies: the workspace's sets, names, changed
// flags and histories stay as they are.
std::vector<PlayWriter> workspacePlayWriters(Workspace& ws, const PlayRequest& request);

struct PreparedPlay {
    PlayFolderReport report;
    PlayCommand command;
};

// Checks the runner against the game folder (so a missing runner or executable builds and
// starts nothing), builds the play folder, and gives the command that starts the game in it.
Result<PreparedPlay> preparePlay(const PlayRequest& request, std::vector<PlayWriter> writers,
                                 const RunnerSettings& runner, const std::filesystem::path& root,
                                 const std::string& pathVariable);

} // namespace zentrik
