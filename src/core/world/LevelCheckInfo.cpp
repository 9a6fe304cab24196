#include "world/LevelCheckInfo.h"

#include <charconv>
#include <optional>
#include <sstream>

namespace zentrik {

namespace {

constexpr long kMaxValue = 65535;

std::optional<long> number(std::string_view s) {
    long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < 0 || v > kMaxValue)
        return std::nullopt;
    return v;
}

// "A" or "A-B" (A <= B).
bool range(std::string_view word, long& first, long& last) {
    const size_t dash = word.find('-');
    auto a = number(word.substr(0, dash));
    auto b = dash == std::string_view::npos ? a : number(word.substr(dash + 1));
    if (!a || !b || *b < *a)
        return false;
    first = *a;
    last = *b;
    return true;
}

bool readValues(std::istringstream& in, std::vector<uint16_t>& out) {
    std::string word;
    while (in >> word) {
        long a = 0, b = 0;
        if (!range(word, a, b))
            return false;
        for (long v = a; v <= b; ++v)
            out.push_back(uint16_t(v));
    }
    return true;
}

bool readLine(const std::string& name, std::istringstream& in, LevelCheckInfo& info) {
    const bool parameter = name == "key" || name == "drop";
    long param = 0;
    if (parameter) {
        std::string word;
        auto p = in >> word ? number(word) : std::nullopt;
        if (!p)
            return false;
        param = *p;
    }
    std::vector<uint16_t> values;
    if (!readValues(in, values))
        return false;
    std::set<uint16_t>* group = name == "blocking"      ? &info.blocking
                                : name == "treasures"   ? &info.treasures
                                : name == "exit-object" ? &info.exitObjects
                                : name == "exit-wall"   ? &info.exitWalls
                                : name == "exit-kill"   ? &info.exitKills
                                : name == "actor-slot"  ? &info.actorSlots
                                : name == "areas"       ? &info.areas
                                : name == "ambush"      ? &info.ambush
                                                        : nullptr;
    if (group)
        group->insert(values.begin(), values.end());
    else if (name == "open-lock")
        info.openLocks.insert(values.begin(), values.end());
    else if (name == "key")
        for (uint16_t v : values)
            info.keys[v] = int(param);
    else if (name == "drop")
        for (uint16_t v : values)
            info.drops[v] = uint16_t(param);
    else
        return false;
    info.described.insert(name);
    return true;
}

} // namespace

std::vector<int> parseLevelCheckInfo(std::string_view text, LevelCheckInfo& info) {
    std::vector<int> bad;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (const size_t c = line.find(';'); c != std::string::npos)
            line.resize(c);
        std::istringstream in(line);
        std::string name;
        if (!(in >> name))
            continue;
        if (!readLine(name, in, info))
            bad.push_back(number);
    }
    return bad;
}

} // namespace zentrik
