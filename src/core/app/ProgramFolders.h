#pragma once

#include <filesystem>

namespace zentrik {

// The file that marks a folder as holding the program's data.
inline constexpr const char* kProgramDataMarker = "extensions.txt";
// Where an installed copy keeps its data, relative to the executable's folder.
inline constexpr const char* kInstalledDataFolder = "../share/zentrik";

// Where the program reads its shipped data and where it keeps what the user changes.
struct ProgramFolders {
    std::filesystem::path data;    // extensions.txt, MapObjects/, palette/ as shipped
    std::filesystem::path program; // the folder the editor reads and writes: settings and all
};

// The shipped data lies beside the executable in a build tree or a portable copy, and in
// ../share/zentrik after an installation. Falls back to the executable's folder when neither
// holds it, so the usual "cannot open" messages name a sensible place.
std::filesystem::path findDataFolder(const std::filesystem::path& exeDir);

// A build tree or a portable copy keeps everything beside the executable, as long as the user
// may write there. An installation is never written to: the per-user folder takes the program
// folder's place, and whatever of the shipped data it does not have yet is copied into it first,
// so the user's own palettes, symbol sets and extension table survive an upgrade.
ProgramFolders resolveProgramFolders(const std::filesystem::path& exeDir,
                                     const std::filesystem::path& userDir);

// The per-user folder for files the program makes for itself (the rebuilt song):
// $XDG_CACHE_HOME/Zentrik, else ~/.cache/Zentrik, else the system's temporary folder. Never
// the current folder, which is usually the game's.
std::filesystem::path userCacheFolder();

// The folder of the running executable (from /proc/self/exe), or the current folder.
std::filesystem::path executableFolder();

} // namespace zentrik
