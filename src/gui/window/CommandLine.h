#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zentrik::gui {

// What the editor's command line asks for. It is read before any window exists, so --help and
// --version work without a display.
struct CommandLine {
    enum class Action { Run, Help, Version, Usage };
    Action action = Action::Run;
    std::optional<std::string> openPath; // a game folder or one of its data files
    std::string error;                   // for Usage: what was wrong
};

CommandLine parseCommandLine(const std::vector<std::string>& args);
std::string commandLineHelp();
std::string versionText();

} // namespace zentrik::gui
