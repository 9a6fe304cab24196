#include "app/AppContext.h"

#include <system_error>

namespace zentrik::gui {

namespace {

void makeCurrent(const std::filesystem::path& folder) {
    // A folder that has gone away leaves the current folder as it was, as the dialogs then
    // simply open elsewhere.
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
}

} // namespace

void AppContext::startUp() {
    ini = IniFile(settingsFilePath(m_paths.programDir, m_paths.userConfigDir));
    ini.load();
    readSettings(ini, settings);
    const std::string stdPath = readStdPath(ini);
    if (!stdPath.empty())
        makeCurrent(stdPath);
    applySettings();
}

void AppContext::shutDown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (ini.path().empty()) // never started: there is nothing to write back
        return;
    writeSettings(ini, settings);
    (void)ini.save(); // a settings file that cannot be written is not worth a message at exit
}

void AppContext::saveStdPath(const std::filesystem::path& folder) {
    writeStdPath(ini, folder.string());
    (void)ini.save();
    makeCurrent(folder);
}

} // namespace zentrik::gui
