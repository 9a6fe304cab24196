#include "play/GameRunner.h"

#include "io/SafeFile.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <span>

namespace zentrik {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCaption = "Play level";
constexpr int kLevelsPerEpisode = 10;

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

bool isExecutableFile(const fs::path& p) {
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    if (ec || !fs::is_regular_file(st))
        return false;
    const fs::perms x = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (st.permissions() & x) != fs::perms::none;
}

// The file of the folder whose name equals `name` without regard to case.
std::optional<std::string> fileNoCase(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    if (fs::is_regular_file(folder / name, ec))
        return name;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec))
        if (upper(e.path().filename().string()) == upper(name) && e.is_regular_file(ec))
            return e.path().filename().string();
    return std::nullopt;
}

bool isSpearSuffix(const std::string& suffix) {
    const std::string s = upper(suffix);
    return s == "SOD" || s == "SDM" || s.rfind("SD", 0) == 0;
}

// Double quotes make DOSBox's mount take the path as one word.
std::string dosQuoted(const fs::path& p) {
    return "\"" + p.string() + "\"";
}

} // namespace

fs::path findProgram(const std::string& name, const std::string& pathVariable) {
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return isExecutableFile(name) ? fs::path(name) : fs::path();
    size_t start = 0;
    while (start <= pathVariable.size()) {
        size_t end = pathVariable.find(':', start);
        if (end == std::string::npos)
            end = pathVariable.size();
        const std::string dir = pathVariable.substr(start, end - start);
        const fs::path candidate = fs::path(dir.empty() ? "." : dir) / name;
        if (isExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

Result<std::string> findGameExecutable(const fs::path& folder, const std::string& configured,
                                       const std::string& suffix) {
    if (!configured.empty()) {
        if (auto found = fileNoCase(folder, fs::path(configured).filename().string()))
            return *found;
        return Error{"The game executable " + configured + " is not in " + folder.string() +
                         ": choose the game's .EXE or .COM in Config → Game runner",
                     kCaption};
    }
    std::vector<std::string> names = {"WOLF3D.EXE", "SPEAR.EXE"};
    if (isSpearSuffix(suffix))
        std::swap(names[0], names[1]);
    for (const std::string& name : names)
        if (auto found = fileNoCase(folder, name))
            return *found;
    return Error{"No game executable in " + folder.string() +
                     ": looked for WOLF3D.EXE and SPEAR.EXE. Choose the game's .EXE or .COM in "
                     "Config → Game runner",
                 kCaption};
}

Result<fs::path> findDosBox(const RunnerSettings& s, const std::string& pathVariable) {
    if (!s.dosbox.empty()) {
        if (fs::path found = findProgram(s.dosbox, pathVariable); !found.empty())
            return found;
        return Error{"DOSBox was not found at " + s.dosbox +
                         ": install the package dosbox, or set its path in Config → Game runner",
                     kCaption};
    }
    for (const char* name : {"dosbox", "dosbox-x", "dosbox-staging"})
        if (fs::path found = findProgram(name, pathVariable); !found.empty())
            return found;
    return Error{kDosBoxMissing, kCaption};
}

Result<PlayCommand> dosboxCommand(const PlayTarget& target, const RunnerSettings& s,
                                  const std::string& pathVariable) {
    auto exe = findGameExecutable(target.folder, s.executable, target.suffix);
    if (!exe)
        return exe.error();
    auto dosbox = findDosBox(s, pathVariable);
    if (!dosbox)
        return dosbox.error();
    PlayCommand cmd;
    cmd.program = dosbox->string();
    cmd.workingFolder = target.folder;
    cmd.configFile = target.folder.parent_path() / (target.folder.filename().string() + ".conf");
    cmd.configText = "# Written by Zentrik for one play; the user's own configuration is read "
                     "first.\n[autoexec]\nmount c " +
                     dosQuoted(target.folder) + "\nc:\n" + *exe + " TEDLEVEL " +
                     std::to_string(target.level) + " NOWAIT " + skillWord(target.skill) +
                     "\nexit\n";
    cmd.arguments = {"-userconf", "-conf", cmd.configFile.string()};
    return cmd;
}

Result<std::vector<std::string>> expandTemplate(const std::string& arguments,
                                                const PlayTarget& target) {
    const std::pair<const char*, std::string> values[] = {
        {"folder", target.folder.string()},
        {"level", std::to_string(target.level)},
        {"episode", std::to_string(target.level / kLevelsPerEpisode + 1)},
        {"map", std::to_string(target.level % kLevelsPerEpisode + 1)},
        {"suffix", target.suffix},
        {"skill", skillWord(target.skill)},
    };
    std::vector<std::string> out;
    std::string word;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const char c = arguments[i];
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord)
                out.push_back(word);
            word.clear();
            inWord = false;
        } else if (c == '{') {
            const size_t close = arguments.find('}', i);
            const std::string name = arguments.substr(
                i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
            auto it = std::find_if(std::begin(values), std::end(values),
                                   [&](auto& v) { return name == v.first; });
            if (close == std::string::npos || it == std::end(values))
                return Error{"Unknown placeholder {" + name +
                                 "} in the runner's arguments; known are {folder} {level} "
                                 "{episode} {map} {suffix} {skill}",
                             kCaption};
            word += it->second;
            inWord = true;
            i = close;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        return Error{"A double quote is not closed in the runner's arguments: " + arguments,
                     kCaption};
    if (inWord)
        out.push_back(word);
    return out;
}

Result<PlayCommand> templateCommand(const PlayTarget& target, const RunnerSettings& s,
                                    const std::string& pathVariable) {
    if (s.program.empty())
        return Error{"No program is set for the game runner: set it in Config → Game runner",
                     kCaption};
    const fs::path program = findProgram(s.program, pathVariable);
    if (program.empty())
        return Error{"The runner " + s.program +
                         " was not found: set its path in Config → Game runner",
                     kCaption};
    auto args = expandTemplate(s.arguments, target);
    if (!args)
        return args.error();
    PlayCommand cmd;
    cmd.program = program.string();
    cmd.arguments = std::move(*args);
    cmd.workingFolder = target.folder;
    return cmd;
}

Result<PlayCommand> runnerCommand(const PlayTarget& target, const RunnerSettings& s,
                                  const std::string& pathVariable) {
    return s.kind == RunnerKind::Template ? templateCommand(target, s, pathVariable)
                                          : dosboxCommand(target, s, pathVariable);
}

Status writeRunnerFiles(const PlayCommand& command) {
    if (command.configFile.empty())
        return {};
    const auto* bytes = reinterpret_cast<const uint8_t*>(command.configText.data());
    return writeWholeFile(command.configFile, std::span(bytes, command.configText.size()));
}

std::string commandLineText(const PlayCommand& command) {
    auto quote = [](const std::string& s) {
        const bool plain = !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) {
            return std::isalnum(c) ||
                   std::string_view("-_./=:+,@%").find(char(c)) != std::string_view::npos;
        });
        if (plain)
            return s;
        std::string out = "'";
        for (char c : s)
            out += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return out + "'";
    };
    std::string line = quote(command.program);
    for (const std::string& a : command.arguments)
        line += " " + quote(a);
    return line;
}

} // namespace zentrik
