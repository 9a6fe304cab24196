// zentrik-cli play: the editor's "Play level" without a window. The play folder and the command
// line are the core's; starting the runner and waiting for it are this file's.
#include "CliCommon.h"

#include "app/Workspace.h"
#include "io/CompanionFile.h"
#include "play/WorkspacePlay.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace zentrik::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSynopsis =
    "FOLDER LEVEL [--suffix S] [--from X Y ANGLE] [--runner dosbox|template] [--dosbox PATH] "
    "[--exe NAME] [--program P] [--args TEMPLATE] [--skill N] [--dry-run] [--json]";
constexpr const char* kCaption = "Play level";

// The suffix of the folder's map header: the one asked for, or the only one there is.
std::optional<std::string> folderSuffix(Context& c, const fs::path& folder) {
    if (auto s = c.args.option("suffix"))
        return *s;
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        std::string stem = e.path().stem().string(), ext = e.path().extension().string();
        for (char& ch : stem)
            ch = char(std::toupper(static_cast<unsigned char>(ch)));
        if (stem == "MAPHEAD" && ext.size() > 1)
            found.push_back(ext.substr(1));
    }
    if (found.size() == 1)
        return found[0];
    c.prompter.message(found.empty()
                           ? "No MAPHEAD file in " + folder.string()
                           : "Several games in " + folder.string() + ": choose one with --suffix",
                       kCaption, MessageIcon::Exclamation);
    return std::nullopt;
}

std::optional<RunnerSettings> runnerArgs(Context& c) {
    RunnerSettings s;
    const std::string kind = c.args.option("runner").value_or("dosbox");
    if (kind != "dosbox" && kind != "template")
        return std::nullopt;
    s.kind = kind == "template" ? RunnerKind::Template : RunnerKind::DosBox;
    s.dosbox = c.args.option("dosbox").value_or("");
    s.executable = c.args.option("exe").value_or("");
    s.program = c.args.option("program").value_or("");
    s.arguments = c.args.option("args").value_or("");
    if (auto skill = c.args.option("skill")) {
        auto n = numberArg(*skill, 3);
        if (!n)
            return std::nullopt;
        s.skill = *n;
    }
    return s;
}

std::optional<PlaySpot> spotArg(const std::string& text) {
    std::istringstream in(text);
    PlaySpot spot;
    if (!(in >> spot.x >> spot.y >> spot.angle))
        return std::nullopt;
    return spot;
}

void printPlan(Context& c, const PreparedPlay& play, int level) {
    const PlayCommand& cmd = play.command;
    if (c.json) {
        c.out << "{\"folder\": " << jsonText(cmd.workingFolder.string())
              << ", \"program\": " << jsonText(cmd.program) << ", \"arguments\": [";
        for (size_t i = 0; i < cmd.arguments.size(); ++i)
            c.out << (i ? ", " : "") << jsonText(cmd.arguments[i]);
        c.out << "], \"level\": " << level << "}\n";
        return;
    }
    c.out << "folder: " << cmd.workingFolder.string() << "\ncommand: " << commandLineText(cmd)
          << "\n";
}

// Starts the runner in the play folder and waits for it. The runner shares this process's
// group, so stopping the tool (Ctrl+C) stops the game too.
int runAndWait(Context& c, const PlayCommand& cmd) {
    std::vector<std::string> words{cmd.program};
    words.insert(words.end(), cmd.arguments.begin(), cmd.arguments.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    std::cout.flush();
    const pid_t pid = fork();
    if (pid < 0) {
        c.prompter.message(std::string("Cannot start ") + cmd.program + ": " + strerror(errno),
                           kCaption, MessageIcon::Exclamation);
        return kExitNotDone;
    }
    if (pid == 0) {
        if (chdir(cmd.workingFolder.c_str()) == 0)
            execv(argv[0], argv.data());
        std::cerr << kCaption << ": Cannot start " << commandLineText(cmd) << ": "
                  << strerror(errno) << "\n";
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return kExitDone;
    const std::string how = WIFEXITED(status) ? "exit code " + std::to_string(WEXITSTATUS(status))
                                              : "signal " + std::to_string(WTERMSIG(status));
    c.prompter.message(commandLineText(cmd) + " ended with " + how, kCaption,
                       MessageIcon::Exclamation);
    return kExitNotDone;
}

int play(Context& c) {
    const auto& pos = c.args.positional();
    if (pos.size() != 2)
        return c.usage(std::string("zentrik-cli play ") + kSynopsis);
    const auto levelArg = numberArg(pos[1], kMaxLevels - 1);
    const auto runner = runnerArgs(c);
    std::optional<PlaySpot> from;
    if (auto text = c.args.option("from"))
        from = spotArg(*text);
    if (!levelArg || !runner || (c.args.option("from") && !from))
        return c.usage(std::string("zentrik-cli play ") + kSynopsis);
    const fs::path folder = fs::absolute(pos[0]);
    if (std::error_code ec; !fs::is_directory(folder, ec)) {
        c.prompter.message(folder.string(), "Cannot Open", MessageIcon::Exclamation);
        return kExitNotDone;
    }
    const auto suffix = folderSuffix(c, folder);
    if (!suffix)
        return kExitNotDone;

    InlineJobRunner jobs;
    SteadyClock clock;
    QuietTime quiet;
    Settings settings;
    GamePalette palette{};
    Workspace ws(
        WorkspaceServices{c.prompter, jobs, quiet, clock, settings, palette, nullptr, nullptr});
    fs::path maps = companionFile(folder, kGamemapsBase, *suffix);
    if (std::error_code ec; !fs::exists(maps, ec))
        maps = companionFile(folder, kMaptempBase, *suffix);
    if (!ws.loadMaps(MapFileName::split(maps)))
        return kExitNotDone;
    if (*levelArg >= ws.levels().levelCount()) {
        c.prompter.message("Level " + std::to_string(*levelArg) + " is not in " + maps.string() +
                               ", which has " + std::to_string(ws.levels().levelCount()) +
                               " levels",
                           kCaption, MessageIcon::Exclamation);
        return kExitNotDone;
    }
    PlayRequest request{folder, *suffix, *levelArg, from};
    const char* path = std::getenv("PATH");
    auto prepared = preparePlay(request, workspacePlayWriters(ws, request), *runner, playRoot(),
                                path ? path : "");
    if (!prepared) {
        c.prompter.message(prepared.error().text, prepared.error().caption,
                           MessageIcon::Exclamation);
        return kExitNotDone;
    }
    if (c.args.flag("dry-run")) {
        printPlan(c, *prepared, *levelArg);
        return kExitDone;
    }
    return runAndWait(c, prepared->command);
}

const AreaRegistration kPlay{
    Area{"play",
         "play a level in the game from a scratch copy of its folder",
         {{"",
           kSynopsis,
           "build the play folder under ~/.cache/Zentrik/play/SUFFIX (the game folder is never "
           "written) and start the game on LEVEL (0-based), from X Y looking ANGLE (0 east, 90 "
           "north) when asked; --dry-run prints the folder and the command instead",
           play,
           {"suffix", "runner", "dosbox", "exe", "program", "args", "skill"},
           {{"from", 3}}}}}};

} // namespace
} // namespace zentrik::cli
