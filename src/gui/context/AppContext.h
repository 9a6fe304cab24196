#pragma once

#include "app/ExtensionTable.h"
#include "app/IniFile.h"
#include "app/Settings.h"
#include "app/Workspace.h"
#include "context/AppMessages.h"
#include "context/Pens.h"
#include "imaging/PaletteLibrary.h"
#include "platform/Clock.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "world/SymbolSet.h"

#include <QImage>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zentrik::gui {

// Where the program finds its own files: the program folder (settings, extensions.txt,
// MapObjects/, palette/) and the per-user folder used when the program folder is read-only.
struct ProgramPaths {
    std::filesystem::path programDir;
    std::filesystem::path userConfigDir;
};

// Hands every call on to whatever Prompter the context holds at that moment, so the palette
// library and the extension table can be built before the window plugs its Prompter in.
class PrompterRelay final : public Prompter {
public:
    explicit PrompterRelay(Prompter*& target) : m_target(target) {}
    void message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               MessageIcon icon) override;
    std::optional<int> choose(const std::string& text, const std::string& caption,
                              const std::vector<std::string>& buttons, int preferred,
                              MessageIcon icon) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& initialPath) override;

private:
    Prompter*& m_target;
};

// The same for the job runner (inline when none is plugged in) and the clock.
class JobRunnerRelay final : public JobRunner {
public:
    explicit JobRunnerRelay(JobRunner*& target) : m_target(target) {}
    int run(const JobWorker& worker) override;
    void beginBatch() override {
        if (m_target)
            m_target->beginBatch();
    }
    void endBatch() override {
        if (m_target)
            m_target->endBatch();
    }

private:
    JobRunner*& m_target;
};

class ClockRelay final : public Clock {
public:
    explicit ClockRelay(const Clock*& target) : m_target(target) {}
    uint32_t ticks() const override { return m_target->ticks(); }

private:
    const Clock*& m_target;
};

// Everything the editor holds for the whole run: the settings and their file, the quiet time,
// the workspace with every data set, the extension table, the palettes and the pens. The
// main window and its pages share it; the Prompter and the job runner are plugged in by
// whoever builds the window (tests script them).
class AppContext {
public:
    explicit AppContext(ProgramPaths paths);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Reads the settings file (in the program folder, or the per-user folder when the program
    // folder cannot be written), makes StdPath the current folder, sets the wheel step, reads
    // the extension table and applies the current extension, then lists the symbol sets and
    // the palettes of the program folder.
    void startUp();
    // Writes the settings (ShowAbout as 0) and extensions.txt. Runs once; later calls do
    // nothing.
    void shutDown();
    // After a file was chosen for loading: its folder becomes StdPath, in the file at once, and
    // the current folder, so the next file dialog opens there.
    void saveStdPath(const std::filesystem::path& folder);
    // What the Config page changed takes effect without a restart.
    void applySettings() { wheelStep = settings.wheelStep(); }

    // A click on a row of the extension list (the row after the last record is the new row).
    bool selectExtension(int row);
    // After a map load: the extension of the file's suffix becomes current (its names,
    // symbols and palette).
    void selectExtensionByName(const std::string& suffix);
    // Loads a map-symbol set of MapObjects and announces the new symbols.
    void loadSymbolSet(const std::string& name);
    // Only the strip of a set ("Symbols" tab): the names and descriptions stay.
    bool loadSymbolStrip(const std::string& name);

    // "%u %s" of a plane-0 or plane-1 value with the current symbol set's names.
    std::string plane0Label(uint16_t value) const;
    std::string objectLabel(uint16_t value) const;
    // The 7 x 7 map symbol of a plane-0 value or an object value (null without a symbol set).
    QImage symbolImage(bool object, uint16_t value) const;

    const ProgramPaths& paths() const { return m_paths; }
    bool isShutDown() const { return m_shutDown; }
    bool isStarted() const { return m_started; }

    Settings settings;
    IniFile ini;
    QuietTime quiet;
    int wheelStep = 120;

    const Clock* clock = &m_steadyClock;
    Prompter* prompter = nullptr;
    JobRunner* jobs = nullptr;

    AppMessages messages;
    PrompterRelay relay{prompter};
    JobRunnerRelay jobRelay{jobs};
    ClockRelay clockRelay{clock};
    PaletteLibrary palettes;
    ExtensionTable extensions{relay};
    // Every loaded data set with its history and "modified" state (built on the relays).
    Workspace workspace;
    // The map-symbol sets found in MapObjects and the one in use.
    std::vector<std::string> symbolSetNames;
    std::string symbolSetName;
    SymbolSet symbols;
    PenPair pens;
    EditPlane editPlane = EditPlane::Walls;

private:
    void scanSymbolSets();

    ProgramPaths m_paths;
    SteadyClock m_steadyClock;
    bool m_started = false;
    bool m_shutDown = false;
};

} // namespace zentrik::gui
