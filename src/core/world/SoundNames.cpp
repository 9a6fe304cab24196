#include "world/SoundNames.h"

#include "io/SafeFile.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace zentrik {

namespace {

constexpr uint64_t kMaxFileBytes = 1u << 20;
constexpr int kMaxSoundNumber = 1023; // a page file holds at most 1024 sounds

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

} // namespace

SoundNames SoundNames::parse(std::string_view text) {
    SoundNames names;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string suffix, name;
        int number = -1;
        if (fields >> suffix >> number >> name && number >= 0 && number <= kMaxSoundNumber)
            names.m_names[{upper(suffix), number}] = name;
    }
    return names;
}

SoundNames SoundNames::load(const std::filesystem::path& programDir) {
    auto bytes = readWholeFile(programDir / kSoundNamesFile, kMaxFileBytes);
    if (!bytes)
        return {};
    return parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::string SoundNames::nameOf(const std::string& suffix, int number) const {
    const auto it = m_names.find({upper(suffix), number});
    return it == m_names.end() ? std::string{} : it->second;
}

std::string suffixOf(const std::filesystem::path& file) {
    const std::string ext = file.extension().string();
    return ext.size() > 1 ? upper(ext.substr(1)) : std::string{};
}

} // namespace zentrik
