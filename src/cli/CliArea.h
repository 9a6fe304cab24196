#pragma once

#include "platform/ScriptedPrompter.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace zentrik::cli {

// Exit codes shared by every verb.
inline constexpr int kExitDone = 0;
inline constexpr int kExitNotDone = 1;
inline constexpr int kExitUsage = 2;

// The parsed command line of one verb: positional arguments and --options.
class Args {
public:
    Args(std::vector<std::string> positional, std::vector<std::pair<std::string, std::string>> opts)
        : m_pos(std::move(positional)), m_opts(std::move(opts)) {}
    const std::vector<std::string>& positional() const { return m_pos; }
    bool flag(const std::string& name) const;
    std::optional<std::string> option(const std::string& name) const;
    // Every value of an option given more than once ("--mute 1 --mute 4"), in order.
    std::vector<std::string> options(const std::string& name) const;

private:
    std::vector<std::string> m_pos;
    std::vector<std::pair<std::string, std::string>> m_opts;
};

// What a verb gets: its arguments, the prompter (stderr, --yes answers questions with Yes),
// and the output streams. Usage errors are reported with usage() and return kExitUsage.
struct Context {
    const Args& args;
    StreamPrompter& prompter;
    std::ostream& out;
    std::ostream& err;
    bool json;
    int usage(const std::string& text) const;
};

using VerbFn = int (*)(Context&);

struct Verb {
    const char* name;
    const char* synopsis; // "IN OUT [--tag HEX]"
    const char* help;
    VerbFn run;
    // Options that take a value ("--tag" HEX); every other --option is a flag.
    std::vector<std::string> valueOptions;
    // Options that take several values ("--from" X Y ANGLE), handed over joined by blanks.
    std::vector<std::pair<std::string, int>> multiValueOptions = {};
};

// Each area file registers itself with a static AreaRegistration. An area whose only verb has
// an empty name is a command of its own ("play FOLDER LEVEL").
struct Area {
    std::string name;
    std::string help;
    std::vector<Verb> verbs;
};
std::vector<Area>& areas();
struct AreaRegistration {
    explicit AreaRegistration(Area area) { areas().push_back(std::move(area)); }
};

} // namespace zentrik::cli
