#include "context/AppContext.h"

#include "context/SymbolImages.h"
#include "platform/ScriptedPrompter.h"

#include <algorithm>
#include <system_error>

namespace zentrik::gui {

namespace fs = std::filesystem;

namespace {

void makeCurrent(const fs::path& folder) {
    // A folder that has gone away leaves the current folder as it was, as the dialogs then
    // simply open elsewhere.
    std::error_code ec;
    fs::current_path(folder, ec);
}

} // namespace

void PrompterRelay::message(const std::string& text, const std::string& caption, MessageIcon icon) {
    if (m_target)
        m_target->message(text, caption, icon);
}

Answer PrompterRelay::ask(const std::string& text, const std::string& caption, Buttons buttons,
                          MessageIcon icon) {
    return m_target ? m_target->ask(text, caption, buttons, icon) : negativeAnswerFor(buttons);
}

std::optional<int> PrompterRelay::choose(const std::string& text, const std::string& caption,
                                         const std::vector<std::string>& buttons, int preferred,
                                         MessageIcon icon) {
    return m_target ? m_target->choose(text, caption, buttons, preferred, icon) : std::nullopt;
}

std::optional<std::string> PrompterRelay::openFile(const FileDialogRequest& request) {
    return m_target ? m_target->openFile(request) : std::nullopt;
}

std::optional<std::string> PrompterRelay::saveFile(const FileDialogRequest& request) {
    return m_target ? m_target->saveFile(request) : std::nullopt;
}

std::optional<std::string> PrompterRelay::chooseFolder(const std::string& title,
                                                       const std::string& initialPath) {
    return m_target ? m_target->chooseFolder(title, initialPath) : std::nullopt;
}

int JobRunnerRelay::run(const JobWorker& worker) {
    if (m_target)
        return m_target->run(worker);
    InlineJobRunner inlineRunner;
    return inlineRunner.run(worker);
}

AppContext::AppContext(ProgramPaths paths)
    : palettes(paths.programDir, relay),
      workspace(
          WorkspaceServices{relay, jobRelay, quiet, clockRelay, settings, palettes.current(),
                            [this](const fs::path& folder) { saveStdPath(folder); },
                            [this](const std::string& suffix) { selectExtensionByName(suffix); }}),
      m_paths(std::move(paths)) {
    palettes.onPaletteChanged = [this] {
        workspace.notePaletteSwitch();
        emit messages.paletteSwitched();
    };
    palettes.onPaletteAdded = [this](const std::string& name) {
        emit messages.paletteAdded(QString::fromStdString(name));
    };
    extensions.applyPalette = [this](const std::string& name) {
        ApplyPalette(palettes, name, relay);
    };
    extensions.loadSymbolSet = [this](const std::string& name) { loadSymbolSet(name); };
}

AppContext::~AppContext() = default;

void AppContext::startUp() {
    ini = IniFile(settingsFilePath(m_paths.programDir, m_paths.userConfigDir));
    ini.load();
    readSettings(ini, settings);
    const std::string stdPath = readStdPath(ini);
    if (!stdPath.empty())
        makeCurrent(stdPath);
    applySettings();

    extensions.load(m_paths.programDir, settings.lastExtension);
    scanSymbolSets();
    palettes.scan();
    m_started = true;
}

void AppContext::shutDown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (!m_started) // never started: there is nothing to write back
        return;
    writeSettings(ini, settings);
    (void)ini.save(); // a settings file that cannot be written is not worth a message at exit
    (void)extensions.save(m_paths.programDir);
}

void AppContext::saveStdPath(const fs::path& folder) {
    writeStdPath(ini, folder.string());
    (void)ini.save();
    makeCurrent(folder);
}

bool AppContext::selectExtension(int row) {
    if (!extensions.SelectExtension(row))
        return false;
    settings.lastExtension = extensions.lastExtension();
    return true;
}

void AppContext::selectExtensionByName(const std::string& suffix) {
    if (extensions.SelectExtensionByName(suffix))
        settings.lastExtension = extensions.lastExtension();
}

void AppContext::loadSymbolSet(const std::string& name) {
    SymbolSet loaded = LoadSymbolSet(m_paths.programDir, name, relay);
    applySymbolSetDefaults(loaded);
    symbols = std::move(loaded);
    symbolSetName = name;
    emit messages.symbolsChanged();
}

bool AppContext::loadSymbolStrip(const std::string& name) {
    Result<SymbolStrip> strip = readSymbolStrip(m_paths.programDir / kMapObjectsFolderName / name);
    if (!strip) {
        relay.message(strip.error().text, strip.error().caption, MessageIcon::Exclamation);
        return false;
    }
    symbols.strip = std::move(*strip);
    emit messages.symbolsChanged();
    return true;
}

std::string AppContext::plane0Label(uint16_t value) const {
    return TileNames::label(value, symbols.names.plane0);
}

std::string AppContext::objectLabel(uint16_t value) const {
    // An empty object slot reads the same in the pens, the side panel and the lists.
    if (value == 0 && !symbols.names.objects.contains(0))
        return kEmptySlotLabel;
    return TileNames::label(value, symbols.names.objects);
}

QImage AppContext::symbolImage(bool object, uint16_t value) const {
    return symbolToImage(symbols.strip.symbol(object ? SymbolStrip::objectIndex(value)
                                                     : SymbolStrip::plane0Index(value)));
}

void AppContext::scanSymbolSets() {
    symbolSetNames.clear();
    std::error_code ec;
    const fs::path folder = m_paths.programDir / kMapObjectsFolderName;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.empty() && name[0] != '.' && it->is_directory(ec))
            symbolSetNames.push_back(name);
    }
    // Sorted, so the lists read the same on every file system.
    std::sort(symbolSetNames.begin(), symbolSetNames.end());
}

} // namespace zentrik::gui
