#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zentrik {

// The limits of one engine that a level must keep. A limit of 0 is no limit.
struct EngineProfile {
    std::string id;   // "dos", "unlimited": the command line's and the settings' word
    std::string name; // what the program shows
    int maxActors = 0;
    int maxStatics = 0;
    int maxDoors = 0;
};

// "DOS game": the original executable's lists. The player takes one of the 150 actor slots;
// the static list quits after adding a 400th object; a 65th door quits the game.
// "No limits": source ports that grow their lists as needed.
const std::vector<EngineProfile>& engineProfiles();
const EngineProfile& defaultEngineProfile();
std::optional<EngineProfile> engineProfileById(const std::string& id);

} // namespace zentrik
