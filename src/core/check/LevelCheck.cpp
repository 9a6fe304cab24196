#include "check/LevelCheck.h"

#include "check/CheckMap.h"

#include <algorithm>
#include <set>

namespace zentrik {

namespace {

constexpr size_t kListedUnknowns = 12;

// Object values the set describes nowhere: one note per level, at the first of them.
void unknownObjects(check::CheckMap& map) {
    const LevelCheckInfo& info = map.info();
    std::set<uint16_t> seen;
    std::string values;
    int fx = -1, fy = -1;
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) {
            const uint16_t v = map.object(x, y);
            if (v == 0 || map.objects().at(v).type != kObjectNone ||
                map.objects().pushwalls.count(v) || info.exitObjects.count(v) ||
                !seen.insert(v).second)
                continue;
            if (fx < 0) {
                fx = x;
                fy = y;
            }
            if (seen.size() <= kListedUnknowns)
                values += (values.empty() ? "" : ", ") + std::to_string(v);
        }
    if (seen.empty())
        return;
    if (seen.size() > kListedUnknowns)
        values += " and " + std::to_string(seen.size() - kListedUnknowns) + " more";
    map.add("unknown-object", Severity::Info, fx, fy,
            "Object values the symbol set does not describe, not checked: " + values);
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
        {"blocking", "which objects block; objects in walls and in the way go unchecked"},
        {"treasures", "which objects are treasure; the treasure count stays 0"},
        {"key", "which objects are keys; locked doors and unused keys go unchecked"},
        {"open-lock", "which locks open without a key; every door counts as open"},
        {"exit-wall", "the exit switch; the way out goes unchecked"},
        {"drop", "what actors drop; the room dropped items need goes unchecked"},
        {"areas", "the area codes; actors on cells without an area go unchecked"},
    };
    std::vector<std::string> out;
    for (auto [group, what] : kGroups)
        if (!symbols.check.describes(group))
            out.push_back(std::string("The symbol set does not say ") + what + " (\"" + group +
                          "\" in " + kLevelCheckFileName + ")");
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
