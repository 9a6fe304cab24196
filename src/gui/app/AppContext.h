#pragma once

#include "app/ChangeFlags.h"
#include "app/IniFile.h"
#include "app/Settings.h"
#include "maps/LevelSet.h"
#include "platform/Clock.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

#include <filesystem>

namespace zentrik::gui {

// Where the program finds its own files: the program folder (settings, extensions.txt,
// MapObjects/, palette/) and the per-user folder used when the program folder is read-only.
struct ProgramPaths {
    std::filesystem::path programDir;
    std::filesystem::path userConfigDir;
};

// Everything the editor holds for the whole run: the settings and their file, the changed
// flags, the quiet time and the data sets. The main window and its pages share it; the
// Prompter and the job runner are plugged in by whoever builds the window (tests script them).
class AppContext {
public:
    explicit AppContext(ProgramPaths paths) : m_paths(std::move(paths)) {}
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Reads the settings file (in the program folder, or the per-user folder when the program
    // folder cannot be written), makes StdPath the current folder and sets the wheel step.
    void startUp();
    // Writes the settings (ShowAbout as 0) and saves the file. Runs once; later calls do
    // nothing.
    void shutDown();
    // After a file was chosen for loading: its folder becomes StdPath, in the file at once, and
    // the current folder, so the next file dialog opens there.
    void saveStdPath(const std::filesystem::path& folder);
    // What the Config page changed takes effect without a restart.
    void applySettings() { wheelStep = settings.wheelStep(); }

    const ProgramPaths& paths() const { return m_paths; }
    bool isShutDown() const { return m_shutDown; }

    Settings settings;
    IniFile ini;
    ChangeFlags changes;
    QuietTime quiet;
    LevelSet levels;
    int wheelStep = 120;

    const Clock* clock = &m_steadyClock;
    Prompter* prompter = nullptr;
    JobRunner* jobs = nullptr;

private:
    ProgramPaths m_paths;
    SteadyClock m_steadyClock;
    bool m_shutDown = false;
};

} // namespace zentrik::gui
