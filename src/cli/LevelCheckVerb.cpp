// maps check: what would crash or spoil each level, as the map page's Check panel lists it.
#include "CliCommon.h"
#include "LevelCheckVerbs.h"
#include "Render3dVerb.h"

#include "app/Settings.h"
#include "check/LevelCheck.h"
#include "maps/LevelSetEditor.h"
#include "maps/MapArchiveFiles.h"

#include <memory>
#include <ostream>

namespace zentrik::cli {

namespace {

constexpr const char* kUsage =
    "zentrik-cli maps check GAMEMAPS.x|MAPTEMP.x [LEVEL] [--profile dos|unlimited] [--json]";

void printCounts(std::ostream& out, const LevelCounts& c, bool json) {
    auto skills = [&](const std::array<int, kSkills>& a) {
        std::string s;
        for (int v : a)
            s += (s.empty() ? "" : json ? "," : "/") + std::to_string(v);
        return json ? "[" + s + "]" : s;
    };
    if (json)
        out << "{\"enemies\":" << skills(c.enemies) << ",\"actors\":" << skills(c.actors)
            << ",\"drops\":" << skills(c.drops) << ",\"secrets\":" << c.secrets
            << ",\"treasures\":" << c.treasures << ",\"statics\":" << c.statics
            << ",\"doors\":" << c.doors << "}";
    else
        out << "  enemies " << skills(c.enemies) << " (skills 1-4), secrets " << c.secrets
            << ", treasures " << c.treasures << ", statics " << c.statics << ", doors " << c.doors
            << "\n";
}

void printLevel(std::ostream& out, int index, const Level& level, const LevelCheckResult& r,
                bool json) {
    if (json) {
        out << "{\"level\":" << index << ",\"name\":" << jsonText(level.header.nameText())
            << ",\"problems\":[";
        for (size_t i = 0; i < r.problems.size(); ++i) {
            const LevelProblem& p = r.problems[i];
            out << (i ? "," : "") << "{\"rule\":\"" << p.rule << "\",\"severity\":\""
                << severityName(p.severity) << "\",\"x\":" << p.x << ",\"y\":" << p.y
                << ",\"message\":" << jsonText(p.message) << "}";
        }
        out << "],\"counts\":";
        printCounts(out, r.counts, true);
        out << "}";
        return;
    }
    out << "level " << index << " \"" << level.header.nameText()
        << "\": " << problemCountText(r.errors(), r.warnings()) << "\n";
    for (const LevelProblem& p : r.problems)
        out << "  " << severityName(p.severity) << " " << p.rule << " " << p.x << "," << p.y << ": "
            << p.message << "\n";
    printCounts(out, r.counts, false);
}

} // namespace

int checkMaps(Context& c) {
    const auto& pos = c.args.positional();
    const std::optional<int> only =
        pos.size() == 2 ? numberArg(pos[1], kMaxLevels - 1) : std::optional<int>(-1);
    if (pos.empty() || pos.size() > 2 || !only)
        return c.usage(kUsage);
    const MapFileName name = MapFileName::split(pos[0]);
    const ExtensionRecord ext = extensionFor(name.ext);
    const std::string profileId =
        c.args.option("profile").value_or(ext.engineProfile.empty() ? "dos" : ext.engineProfile);
    const std::optional<EngineProfile> profile = engineProfileById(profileId);
    if (!profile)
        return c.usage(kUsage);

    const auto set = loadLevels(c, name, only);
    if (!set)
        return kExitNotDone;
    const SymbolSet symbols = LoadSymbolSet(programDir(), ext.symbolSet, c.prompter);
    const CheckRules rules{symbols, *profile, set->featureFlags};

    const std::vector<std::string> unknown = unknownDescriptions(symbols);
    if (c.json)
        c.out << "{\"profile\":\"" << profile->id << "\",\"levels\":[";
    else
        for (const std::string& u : unknown)
            c.out << "note: " << u << "\n";
    int errors = 0;
    bool first = true;
    for (int i = 0; i < set->levelCount(); ++i) {
        if (*only >= 0 && i != *only)
            continue;
        const Level& level = set->levels[size_t(i)];
        const LevelCheckResult r = checkLevel(level, rules);
        errors += r.errors();
        if (c.json && !first)
            c.out << ",";
        first = false;
        printLevel(c.out, i, level, r, c.json);
    }
    if (c.json) {
        c.out << "],\"unknown\":[";
        for (size_t i = 0; i < unknown.size(); ++i)
            c.out << (i ? "," : "") << jsonText(unknown[i]);
        c.out << "]}\n";
    }
    return errors > 0 ? kExitNotDone : kExitDone;
}

} // namespace zentrik::cli
