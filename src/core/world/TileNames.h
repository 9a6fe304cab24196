#pragma once

#include "platform/Prompter.h"

#include <array>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zentrik {

inline constexpr int kOrderListLength = 4095;
inline constexpr size_t kTileNameLength = 32;
inline constexpr const char* kListsFileName = "Lists.txt";

// The names of "Lists.txt": walls, objects and floor codes, with the order of the tab lists.
struct TileNames {
    std::map<uint16_t, std::string> plane0; // walls and floor codes
    std::map<uint16_t, std::string> objects;
    // File order; -1 marks the unused rest.
    std::vector<int> wallOrder = std::vector<int>(kOrderListLength, -1);
    std::vector<int> objectOrder = std::vector<int>(kOrderListLength, -1);
    std::vector<int> floorOrder = std::vector<int>(kOrderListLength, -1);
    std::set<uint16_t> floorCodes;

    // "%u %s", or "%u Unknown" for a value without a name.
    static std::string label(uint16_t value, const std::map<uint16_t, std::string>& names);
};

// Three sections (walls, objects, floors), each ended by a line beginning with "*". Lines are
// read 38 characters at a time (78 in the objects section); empty lines do not count. The end
// of the text inside a section says "Can't load Lists.txt (walls)" (objects, floors).
TileNames parseLists(std::string_view text, Prompter& prompter);

} // namespace zentrik
