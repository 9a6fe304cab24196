#pragma once

#include "play/RunnerSettings.h"
#include "Result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zentrik {

inline constexpr const char* kDosBoxMissing =
    "DOSBox is not installed: install the package dosbox, or set its path in Config → Game "
    "runner";

// What one play starts: a level of a built play folder.
struct PlayTarget {
    std::filesystem::path folder; // the play folder
    int level = 0;                // 0-based, as the map file counts
    std::string suffix;           // "WL6"
    int skill = 2;
};

// The exact program and arguments a runner starts, run in `workingFolder`; `configText` is
// written to `configFile` first when the runner has one.
struct PlayCommand {
    std::string program;
    std::vector<std::string> arguments;
    std::filesystem::path workingFolder;
    std::filesystem::path configFile;
    std::string configText;
};

// The first executable file `name` in the PATH's folders (a name with a slash is taken as it
// is, if executable).
std::filesystem::path findProgram(const std::string& name, const std::string& pathVariable);

// The game's executable in the folder: the configured name, else WOLF3D.EXE or SPEAR.EXE (the
// one that fits the suffix first), matched without regard to case. The message names what was
// looked for.
Result<std::string> findGameExecutable(const std::filesystem::path& folder,
                                       const std::string& configured, const std::string& suffix);

// The configured DOSBox, else dosbox, dosbox-x or dosbox-staging on the PATH.
Result<std::filesystem::path> findDosBox(const RunnerSettings& s, const std::string& pathVariable);

// DOSBox with the user's own configuration first and ours after it: the play folder mounted as
// C:, the game started on the level with its own switch, and DOSBox closing when the game
// quits. The configuration goes beside the play folder, so the folder mirrors the game's.
Result<PlayCommand> dosboxCommand(const PlayTarget& target, const RunnerSettings& s,
                                  const std::string& pathVariable);

// The placeholders {folder} {level} {episode} {map} {suffix} {skill} filled in, the template
// split into arguments at blanks outside double quotes. {episode} and {map} count from 1
// (episode = level / 10 + 1, map = level % 10 + 1); {skill} is the skill word.
Result<std::vector<std::string>> expandTemplate(const std::string& arguments,
                                                const PlayTarget& target);
Result<PlayCommand> templateCommand(const PlayTarget& target, const RunnerSettings& s,
                                    const std::string& pathVariable);

Result<PlayCommand> runnerCommand(const PlayTarget& target, const RunnerSettings& s,
                                  const std::string& pathVariable);

// Writes the runner's configuration file, if it has one.
Status writeRunnerFiles(const PlayCommand& command);

// The command as a shell would take it, for messages and --dry-run.
std::string commandLineText(const PlayCommand& command);

} // namespace zentrik
