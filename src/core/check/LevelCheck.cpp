#include "check/LevelCheck.h"

#include "check/CheckMap.h"

#include <algorithm>
#include <set>

namespace zentrik {

namespace {

// Object values the set describes nowhere: said once per value, at its first cell.
void unknownObjects(check::CheckMap& map) {
    const LevelCheckInfo& info = map.info();
    std::set<uint16_t> seen;
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) {
            const uint16_t v = map.object(x, y);
            if (v == 0 || map.objects().at(v).type != kObjectNone ||
                map.objects().pushwalls.count(v) || info.exitObjects.count(v) ||
                !seen.insert(v).second)
                continue;
            map.add("unknown-object", Severity::Info, x, y,
                    "Object value " + std::to_string(v) +
                        " is not described by the symbol set; it is not checked");
        }
}

} // namespace

int LevelCheckResult::errors() const {
    return int(std::count_if(problems.begin(), problems.end(),
                             [](const LevelProblem& p) { return p.severity == Severity::Error; }));
}

int LevelCheckResult::warnings() const {
    return int(std::count_if(problems.begin(), problems.end(), [](const LevelProblem& p) {
        return p.severity == Severity::Warning;
    }));
}

LevelCheckResult checkLevel(const Level& level, const CheckRules& rules) {
    LevelCheckResult result;
    if (level.planes[0].size() != size_t(kPlaneWords) ||
        level.planes[1].size() != size_t(kPlaneWords))
        return result;
    check::CheckMap map(level, rules);
    check::checkLimits(map, result.counts);
    check::checkStartAndExit(map);
    check::checkGeometry(map);
    check::checkReachability(map);
    unknownObjects(map);
    result.problems = std::move(map.problems());
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const LevelProblem& a, const LevelProblem& b) {
                         return int(a.severity) < int(b.severity);
                     });
    return result;
}

std::vector<std::string> unknownDescriptions(const SymbolSet& symbols) {
    static const std::pair<const char*, const char*> kGroups[] = {
        {"blocking", "which objects block, so objects in walls and in the way"},
        {"treasures", "which objects are treasure, so the treasure count"},
        {"key", "which objects are keys, so locked doors and unused keys"},
        {"open-lock", "which locks open without a key, so locked doors"},
        {"exit-wall", "the exit switch, so the way out"},
        {"drop", "what actors drop, so the statics that dropped items need"},
        {"areas", "the area codes, so actors on cells without an area"},
    };
    std::vector<std::string> out;
    for (auto [group, what] : kGroups)
        if (!symbols.check.describes(group))
            out.push_back(std::string("The symbol set does not describe ") + what +
                          " are not checked (\"" + group + "\" in " + kLevelCheckFileName + ")");
    return out;
}

const char* severityName(Severity s) {
    switch (s) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Info:
        break;
    }
    return "info";
}

std::string problemCountText(int errors, int warnings) {
    if (errors == 0 && warnings == 0)
        return "No problems";
    auto part = [](int n, const char* one) {
        return std::to_string(n) + " " + one + (n == 1 ? "" : "s");
    };
    return part(errors, "error") + ", " + part(warnings, "warning");
}

} // namespace zentrik
