#include "world/SymbolSet.h"

#include "io/SafeFile.h"
#include "world/SprInfo.h"

#include <cctype>
#include <string>

namespace fs = std::filesystem;

namespace zentrik {

namespace {

constexpr uint64_t kMaxSymbolFileBytes = 16u * 1024 * 1024;

bool equalNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The file of the set's folder with this name in any case.
std::optional<std::vector<uint8_t>> readSetFile(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (equalNoCase(it->path().filename().string(), name))
            if (auto bytes = readWholeFile(it->path(), kMaxSymbolFileBytes))
                return std::move(*bytes);
    return std::nullopt;
}

std::string_view asText(const std::vector<uint8_t>& b) {
    return std::string_view(reinterpret_cast<const char*>(b.data()), b.size());
}

} // namespace

std::vector<DoorDescription> defaultDoors() {
    return {{90, -7, true, 0, -6},  {91, -8, false, 0, -5}, {92, -1, true, 1, -6},
            {93, -2, false, 1, -5}, {94, -1, true, 2, -6},  {95, -2, false, 2, -5},
            {96, -1, true, 3, -6},  {97, -2, false, 3, -5}, {98, -1, true, 4, -6},
            {99, -2, false, 4, -5}, {100, -3, true, 0, -6}, {101, -4, false, 0, -5}};
}

void applySymbolSetDefaults(SymbolSet& set) {
    if (set.objects.doors.empty())
        set.objects.doors = defaultDoors();
    if (set.objects.pushwalls.empty())
        set.objects.pushwalls.insert(kDefaultPushwall);
    if (set.objects.floorCodes.empty())
        for (int v = kFirstDefaultFloorCode; v <= kLastDefaultFloorCode; ++v)
            set.objects.floorCodes.insert(uint16_t(v));
}

SymbolSet LoadSymbolSet(const fs::path& programDir, const std::string& name, Prompter& prompter) {
    return loadSymbolSetFolder(programDir / kMapObjectsFolderName / name, prompter);
}

SymbolSet loadSymbolSetFolder(const fs::path& folder, Prompter& prompter) {
    SymbolSet set;
    if (auto lists = readSetFile(folder, kListsFileName)) {
        set.names = parseLists(asText(*lists), prompter);
        set.objects.floorCodes = set.names.floorCodes;
    } else {
        prompter.message("The names for walls/objects/floors won't be correct!",
                         "Zentrik: Lists.txt not available!", MessageIcon::Exclamation);
    }
    auto bmp = readSetFile(folder, kSymbolsFileName);
    auto strip = bmp ? SymbolStrip::decodeBmp(*bmp)
                     : Result<SymbolStrip>(Error{"The symbols for walls/objects/floors won't "
                                                 "be correct!",
                                                 "Zentrik: Symbols.bmp not available!"});
    if (strip)
        set.strip = std::move(*strip);
    else
        prompter.message(strip.error().text, strip.error().caption, MessageIcon::Exclamation);
    if (auto spr = readSetFile(folder, kSprInfoFileName))
        parseSprInfo(asText(*spr), set.objects, prompter);
    else
        prompter.message("3DEdit won't be able to display the objects correctly!",
                         "Zentrik: SprInfo.txt not available!", MessageIcon::Exclamation);
    // Optional: a set without it is checked only by the rules its descriptions allow.
    if (auto check = readSetFile(folder, kLevelCheckFileName)) {
        const std::vector<int> bad = parseLevelCheckInfo(asText(*check), set.check);
        if (!bad.empty())
            prompter.message("Line " + std::to_string(bad.front()) + " cannot be read.",
                             "levelcheck.txt contains errors!", MessageIcon::Exclamation);
    }
    applySymbolSetDefaults(set);
    return set;
}

bool saveSymbolStrip(const SymbolStrip& strip, const fs::path& path, Prompter& prompter) {
    if (!replaceFile(path, strip.encodeBmp())) {
        prompter.message(path.string(), "Cannot Write", MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace zentrik
