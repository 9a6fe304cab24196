#include "window/CommandLine.h"

namespace zentrik::gui {

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h")
            return {CommandLine::Action::Help, std::nullopt, {}};
        if (arg == "--version")
            return {CommandLine::Action::Version, std::nullopt, {}};
        // Qt's own options (-platform, -style, ...) have been taken out by QApplication when
        // this runs inside the editor; anything else that looks like an option is a mistake.
        if (arg.size() > 1 && arg[0] == '-')
            return {CommandLine::Action::Usage, std::nullopt, "unknown option: " + arg};
        if (line.openPath)
            return {CommandLine::Action::Usage, std::nullopt,
                    "only one folder or file can be opened"};
        line.openPath = arg;
    }
    return line;
}

std::string commandLineHelp() {
    return versionText() +
           " - editor for the data files of Wolfenstein 3D and its mods\n\n"
           "usage: zentrik [FOLDER | FILE]\n"
           "       zentrik --help | --version\n\n"
           "FOLDER   a game folder to open (its data files are loaded)\n"
           "FILE     one of a game folder's data files (GAMEMAPS.WL6, VSWAP.SOD, "
           "...)\n\n"
           "Settings are kept in the program folder when it can be written, else in\n"
           "~/.config/Zentrik. The batch tool zentrik-cli offers the same operations\n"
           "without a window (zentrik-cli --help).\n";
}

std::string versionText() {
    return "zentrik " + std::to_string(ZENTRIK_VERSION_MAJOR) + "." +
           std::to_string(ZENTRIK_VERSION_MINOR);
}

} // namespace zentrik::gui
