#include "check/EngineProfile.h"

namespace zentrik {

const std::vector<EngineProfile>& engineProfiles() {
    static const std::vector<EngineProfile> profiles{
        {"dos", "DOS game", 149, 399, 64},
        {"unlimited", "No limits", 0, 0, 0},
    };
    return profiles;
}

const EngineProfile& defaultEngineProfile() {
    return engineProfiles().front();
}

std::optional<EngineProfile> engineProfileById(const std::string& id) {
    for (const EngineProfile& p : engineProfiles())
        if (p.id == id)
            return p;
    return std::nullopt;
}

} // namespace zentrik
