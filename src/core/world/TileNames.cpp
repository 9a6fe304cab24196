#include "world/TileNames.h"

#include "io/TextNumbers.h"

#include <algorithm>

namespace zentrik {

namespace {

constexpr size_t kShortLineLimit = 39;
constexpr size_t kObjectLineLimit = 79;
constexpr uint32_t kMaxValue = 0xFFFF;

struct LineReader {
    std::string_view text;
    size_t pos = 0;
    // The next piece of at most limit - 1 characters, through the line end; nothing at the end.
    bool next(size_t limit, std::string& line) {
        if (pos >= text.size())
            return false;
        size_t end = text.find('\n', pos);
        end = end == std::string_view::npos ? text.size() : end + 1;
        end = std::min(end, pos + limit - 1);
        line.assign(text.substr(pos, end - pos));
        pos = end;
        return true;
    }
};

std::string cleanName(std::string name) {
    if (!name.empty() && name.front() == '"')
        name.erase(0, 1);
    while (!name.empty() &&
           (name.back() == '"' || name.back() == ',' || name.back() == '\n' || name.back() == '\r'))
        name.pop_back();
    if (name.size() > kTileNameLength)
        name.resize(kTileNameLength);
    return name;
}

enum class Section { Walls, Objects, Floors };

void readSection(LineReader& in, Section s, TileNames& names, Prompter& prompter) {
    static constexpr const char* kSectionNames[] = {"walls", "objects", "floors"};
    const size_t limit = s == Section::Objects ? kObjectLineLimit : kShortLineLimit;
    std::vector<int>& order = s == Section::Walls     ? names.wallOrder
                              : s == Section::Objects ? names.objectOrder
                                                      : names.floorOrder;
    int count = 0;
    std::string line;
    for (;;) {
        if (!in.next(limit, line)) {
            prompter.message(std::string("Can't load Lists.txt (") + kSectionNames[int(s)] + ")",
                             "Zentrik");
            return;
        }
        if (line[0] == '*')
            return;
        if (line == "\n" || line == "\r\n" || line == "\r")
            continue;
        const size_t comma = line.find(',');
        if (comma == std::string::npos || count >= kOrderListLength)
            continue;
        const int value = parseDecimal(line.substr(0, comma));
        if (value < 0 || uint32_t(value) > kMaxValue)
            continue; // not a plane value; keeps the tables in range
        const uint16_t v = uint16_t(value);
        const std::string name = cleanName(line.substr(comma + 1));
        (s == Section::Objects ? names.objects : names.plane0)[v] = name;
        if (s == Section::Floors)
            names.floorCodes.insert(v);
        order[size_t(count++)] = v;
    }
}

} // namespace

std::string TileNames::label(uint16_t value, const std::map<uint16_t, std::string>& names) {
    auto it = names.find(value);
    return std::to_string(value) + " " + (it == names.end() ? "Unknown" : it->second);
}

TileNames parseLists(std::string_view text, Prompter& prompter) {
    TileNames names;
    LineReader in{text};
    readSection(in, Section::Walls, names, prompter);
    readSection(in, Section::Objects, names, prompter);
    readSection(in, Section::Floors, names, prompter);
    return names;
}

} // namespace zentrik
