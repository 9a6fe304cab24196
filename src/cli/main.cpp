// zentrik-cli AREA VERB ARGS: the core's operations without a window.
#include "CliArea.h"

#include <algorithm>
#include <iostream>

using namespace zentrik::cli;

namespace zentrik::cli {

std::vector<Area>& areas() {
    static std::vector<Area> all;
    return all;
}

bool Args::flag(const std::string& name) const {
    return std::any_of(m_opts.begin(), m_opts.end(), [&](auto& o) { return o.first == name; });
}

std::optional<std::string> Args::option(const std::string& name) const {
    for (const auto& o : m_opts)
        if (o.first == name)
            return o.second;
    return std::nullopt;
}

std::vector<std::string> Args::options(const std::string& name) const {
    std::vector<std::string> values;
    for (const auto& o : m_opts)
        if (o.first == name)
            values.push_back(o.second);
    return values;
}

int Context::usage(const std::string& text) const {
    err << "usage: " << text << "\n";
    return kExitUsage;
}

} // namespace zentrik::cli

namespace {

void printHelp(std::ostream& out) {
    out << "zentrik-cli " << ZENTRIK_VERSION_MAJOR << "." << ZENTRIK_VERSION_MINOR
        << " - Zentrik's batch tool\n\n"
           "usage: zentrik-cli AREA VERB ARGS [--yes] [--json]\n\n"
           "Messages go to stderr as \"CAPTION: TEXT\"; a question is answered Yes with --yes,\n"
           "else No. Exit 0 when done, 1 when not done, 2 on a usage error.\n\n";
    auto sorted = areas();
    std::sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return a.name < b.name; });
    for (const auto& area : sorted) {
        out << area.name << ": " << area.help << "\n";
        for (const auto& v : area.verbs)
            out << "  " << area.name << (*v.name ? " " : "") << v.name << " " << v.synopsis
                << "\n      " << v.help << "\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> argsIn(argv + 1, argv + argc);
    if (argsIn.empty() || argsIn[0] == "--help" || argsIn[0] == "-h") {
        printHelp(argsIn.empty() ? std::cerr : std::cout);
        return argsIn.empty() ? kExitUsage : kExitDone;
    }
    if (argsIn[0] == "--version") {
        std::cout << "zentrik-cli " << ZENTRIK_VERSION_MAJOR << "." << ZENTRIK_VERSION_MINOR
                  << "\n";
        return kExitDone;
    }
    const auto& all = areas();
    auto area = std::find_if(all.begin(), all.end(), [&](auto& a) { return a.name == argsIn[0]; });
    if (area == all.end()) {
        std::cerr << "unknown area: " << argsIn[0] << " (see --help)\n";
        return kExitUsage;
    }
    const bool verbless = area->verbs.size() == 1 && *area->verbs[0].name == '\0';
    if (argsIn.size() < 2 && !verbless) {
        std::cerr << "usage: zentrik-cli " << area->name << " VERB ... (see --help)\n";
        return kExitUsage;
    }
    auto verb = verbless ? area->verbs.begin()
                         : std::find_if(area->verbs.begin(), area->verbs.end(),
                                        [&](auto& v) { return v.name == argsIn[1]; });
    if (verb == area->verbs.end()) {
        std::cerr << "unknown verb: " << area->name << " " << argsIn[1] << " (see --help)\n";
        return kExitUsage;
    }

    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;
    for (size_t i = verbless ? 1 : 2; i < argsIn.size(); ++i) {
        const std::string& a = argsIn[i];
        if (a.rfind("--", 0) != 0 || a.size() == 2) {
            positional.push_back(a);
            continue;
        }
        const auto eq = a.find('=');
        std::string name = a.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        const bool takesValue = std::find(verb->valueOptions.begin(), verb->valueOptions.end(),
                                          name) != verb->valueOptions.end();
        auto multi = std::find_if(verb->multiValueOptions.begin(), verb->multiValueOptions.end(),
                                  [&](auto& m) { return m.first == name; });
        if (multi != verb->multiValueOptions.end() && eq == std::string::npos) {
            if (i + size_t(multi->second) >= argsIn.size()) {
                std::cerr << "usage: option --" << name << " needs " << multi->second
                          << " values\n";
                return kExitUsage;
            }
            std::string joined;
            for (int k = 0; k < multi->second; ++k)
                joined += (k ? " " : "") + argsIn[++i];
            options.emplace_back(name, joined);
        } else if (eq != std::string::npos) {
            options.emplace_back(name, a.substr(eq + 1));
        } else if (takesValue) {
            if (i + 1 >= argsIn.size()) {
                std::cerr << "usage: option --" << name << " needs a value\n";
                return kExitUsage;
            }
            options.emplace_back(name, argsIn[++i]);
        } else {
            options.emplace_back(name, "");
        }
    }
    Args args(std::move(positional), std::move(options));
    zentrik::StreamPrompter prompter(std::cerr, args.flag("yes"));
    Context ctx{args, prompter, std::cout, std::cerr, args.flag("json")};
    return verb->run(ctx);
}
