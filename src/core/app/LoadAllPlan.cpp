#include "app/LoadAllPlan.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace zentrik {

namespace fs = std::filesystem;

namespace {

struct Stem {
    const char* text;
    LoadAllRole role;
    bool exactForm; // "STEM.SUFFIX" names of this stem go first
};

// Tested in this order: the first stem a name starts with decides its role.
constexpr std::array<Stem, 10> kStems{{
    {"VSWAP", LoadAllRole::PageFile, true},
    {"GFXTILES", LoadAllRole::PageFile, false},
    {"GAMEMAPS", LoadAllRole::MapData, true},
    {"MAPTEMP", LoadAllRole::MapData, false},
    {"MAPHEAD", LoadAllRole::MapHeader, true},
    {"VGAGRAPH", LoadAllRole::VgaData, true},
    {"VGAHEAD", LoadAllRole::VgaHeader, true},
    {"VGADICT", LoadAllRole::VgaDict, true},
    {"AUDIOT", LoadAllRole::AudioData, true},
    {"AUDIOHED", LoadAllRole::AudioHeader, true},
}};

std::string upper(std::string s) {
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool startsWithNoCase(const std::string& name, const std::string& prefix) {
    return name.size() >= prefix.size() && upper(name.substr(0, prefix.size())) == prefix;
}

std::string afterLastDot(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string afterFirstDot(const std::string& name) {
    const auto dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool isOwnLeftover(const std::string& name) {
    const std::string s = upper(afterLastDot(name));
    return s == "BAK" || s == "TMP";
}

} // namespace

LoadAllRole roleOf(LoadAllField field) {
    switch (field) {
    case LoadAllField::Walls:
    case LoadAllField::Sprites:
    case LoadAllField::Sounds:
        return LoadAllRole::PageFile;
    case LoadAllField::MapData:
        return LoadAllRole::MapData;
    case LoadAllField::MapHeader:
        return LoadAllRole::MapHeader;
    case LoadAllField::VgaData:
        return LoadAllRole::VgaData;
    case LoadAllField::VgaHeader:
        return LoadAllRole::VgaHeader;
    case LoadAllField::VgaDict:
        return LoadAllRole::VgaDict;
    case LoadAllField::AudioData:
        return LoadAllRole::AudioData;
    case LoadAllField::AudioHeader:
        return LoadAllRole::AudioHeader;
    }
    return LoadAllRole::PageFile;
}

const char* roleName(LoadAllRole role) {
    static constexpr std::array<const char*, kLoadAllRoleCount> names{
        "page file",           "map data",   "map header",  "graphics data", "graphics header",
        "graphics dictionary", "audio data", "audio header"};
    return names[size_t(role)];
}

LoadAllScan classifyNames(std::vector<std::string> names) {
    LoadAllScan scan;
    std::array<size_t, kLoadAllRoleCount> exactCount{};
    for (const std::string& name : names) {
        if (isOwnLeftover(name))
            continue;
        const auto stem = std::find_if(kStems.begin(), kStems.end(), [&](const Stem& s) {
            return startsWithNoCase(name, s.text);
        });
        if (stem == kStems.end())
            continue;
        auto& list = scan.names[size_t(stem->role)];
        const bool exact = stem->exactForm && startsWithNoCase(name, std::string(stem->text) + ".");
        if (exact)
            list.insert(list.begin() + std::ptrdiff_t(exactCount[size_t(stem->role)]++), name);
        else
            list.push_back(name);
        const std::string suffix = upper(afterLastDot(name));
        if (!suffix.empty() &&
            std::find(scan.suffixes.begin(), scan.suffixes.end(), suffix) == scan.suffixes.end())
            scan.suffixes.push_back(suffix);
    }
    return scan;
}

Result<LoadAllScan> scanFolder(const fs::path& folder) {
    const Error cannotScan{"Please select another directory!",
                           "Unable to find files in directory!"};
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return cannotScan;
    std::vector<std::string> names;
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return cannotScan;
        std::error_code kind;
        if (!it->is_directory(kind))
            names.push_back(it->path().filename().string());
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return upper(a) < upper(b);
    });
    return classifyNames(std::move(names));
}

int countSuffix(const LoadAllScan& scan, const std::string& suffix) {
    int count = 0;
    for (const auto& list : scan.names)
        for (const std::string& name : list)
            count += upper(afterFirstDot(name)) == upper(suffix) ? 1 : 0;
    return count;
}

std::optional<std::string> proposeSuffix(const LoadAllScan& scan,
                                         const std::string& lastExtension) {
    std::optional<std::string> best;
    int bestCount = -1;
    for (const std::string& suffix : scan.suffixes) {
        const int count = countSuffix(scan, suffix);
        const bool lastWinsTie = count == bestCount && upper(suffix) == upper(lastExtension);
        if (count > bestCount || lastWinsTie) {
            best = suffix;
            bestCount = count;
        }
    }
    return best;
}

LoadAllNames selectForSuffix(const LoadAllScan& scan, const std::string& suffix,
                             const fs::path& folder) {
    LoadAllNames chosen;
    for (int f = 0; f < kLoadAllFieldCount; ++f) {
        const auto& list = scan.of(roleOf(LoadAllField(f)));
        // The whole suffix: a mod's "WL6X" must not pick up "WL6" files or the reverse.
        const auto hit = std::find_if(list.begin(), list.end(), [&](const std::string& name) {
            return upper(afterFirstDot(name)) == upper(suffix);
        });
        if (hit != list.end())
            chosen[size_t(f)] = fieldPath(*hit, folder);
    }
    return chosen;
}

fs::path fieldPath(const std::string& text, const fs::path& folder) {
    if (text.empty())
        return {};
    const fs::path p(text);
    return p.is_absolute() ? p.lexically_normal() : (folder / p).lexically_normal();
}

} // namespace zentrik
