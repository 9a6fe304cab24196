#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace zentrik {

inline constexpr const char* kSoundNamesFile = "SoundNames.txt";

// The digitized sounds' names of the known games, by game suffix and sound number:
// "SUFFIX NUMBER NAME" lines, "#" starting a comment. Lines that do not read so are skipped.
class SoundNames {
public:
    static SoundNames parse(std::string_view text);
    // The file in the program folder; without it no sound has a name.
    static SoundNames load(const std::filesystem::path& programDir);

    // The name of sound `number` of the game with this suffix (any case), or empty.
    std::string nameOf(const std::string& suffix, int number) const;
    size_t size() const { return m_names.size(); }

private:
    std::map<std::pair<std::string, int>, std::string> m_names;
};

// The game suffix of a data file ("VSWAP.WL6" -> "WL6").
std::string suffixOf(const std::filesystem::path& file);

} // namespace zentrik
