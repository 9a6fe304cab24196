#pragma once

#include "Result.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zentrik {

// Where play folders live: Zentrik/play in the per-user cache folder ($XDG_CACHE_HOME when it
// is an absolute path, else $HOME/.cache). Empty when neither variable helps.
std::filesystem::path playRoot();
std::filesystem::path playRootFrom(const char* xdgCacheHome, const char* home);
// One play folder per data-set suffix ("WL6", "SOD"), so a WL6 and a SOD game do not share
// save games or configuration.
std::filesystem::path playFolderOf(const std::filesystem::path& root, const std::string& suffix);

// Puts one part of the workspace into the play folder being built (the folder is given); says
// what went wrong to the user itself and returns false then.
using PlayWriter = std::function<bool(const std::filesystem::path& folder)>;

struct PlayFolderRequest {
    std::filesystem::path gameFolder;
    std::filesystem::path playFolder;
    // Run in order once every file of the game folder is in the new folder.
    std::vector<PlayWriter> writers;
};

struct PlayFolderReport {
    std::vector<std::string> linked; // second names of the game's own files
    std::vector<std::string> copied; // files the game may write (configuration, save games)
};

// Builds the play folder aside (PLAY.partial) and puts it in place of the old one only when
// complete. The game's data archives and executables get a second name where the file system
// allows it (else a copy); every other file is copied, since the game writes its configuration
// and save games in place. Nothing in the game folder is ever opened for writing; a folder
// that holds the play folder, or lies in it, is refused.
Result<PlayFolderReport> buildPlayFolder(const PlayFolderRequest& request);

// Writes bytes as a new file in the play folder: a second name of a game file there is
// dropped first, never written through.
bool writePlayFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// The name a data file takes in a folder: an existing file named STEM.EXT in any case, else
// STEM.EXT in upper case.
std::string playFileName(const std::filesystem::path& folder, const std::string& stem,
                         const std::string& ext);

} // namespace zentrik
