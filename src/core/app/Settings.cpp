#include "app/Settings.h"

#include "io/TextNumbers.h"

#include <fstream>
#include <system_error>

namespace zentrik {

namespace {

constexpr size_t kFlagBuffer = 3;
constexpr size_t kExtensionBuffer = 15;
constexpr size_t kPathBuffer = 256;
constexpr size_t kByteTagBuffer = 3;
constexpr size_t kWordTagBuffer = 5;

int readInt(const IniFile& ini, const char* section, const char* key, const char* def) {
    return parseDecimal(ini.get(section, key, def, kFlagBuffer));
}

} // namespace

uint8_t Settings::farTagByte() const {
    return uint8_t(parseHex("0x" + farTag));
}
uint8_t Settings::nearTagByte() const {
    return uint8_t(parseHex("0x" + nearTag));
}
uint16_t Settings::rlewTagWord() const {
    return uint16_t(parseHex("0x" + rlewTag));
}

int Settings::wheelStep() const {
    return 120 / (scrollDelta < 0 ? 1 : scrollDelta + 1);
}

void Settings::setDefaultTags() {
    farTag = "A8";
    nearTag = "A7";
    rlewTag = "ABCD";
}

void readSettings(const IniFile& ini, Settings& s) {
    s.tooltips = readInt(ini, "Global", "Tooltips", "1");
    s.scrollDelta = readInt(ini, "Global", "ScrollDelta", "0");
    s.showAbout = readInt(ini, "Global", "ShowAbout", "1");
    s.lastExtension = ini.get("Global", "LastExtension", "WL6", kExtensionBuffer);
    s.carmackExpand = readInt(ini, "Compression", "CarmarckExpand", "0");
    s.carmackCompress = readInt(ini, "Compression", "CarmarckCompress", "0");
    s.carmackMode = readInt(ini, "Compression", "CarmarckMode", "0");
    s.spriteCompression = readInt(ini, "Compression", "SpriteCompression", "1");
    s.farTag = ini.get("Maps", "FAR", "A8", kByteTagBuffer);
    s.nearTag = ini.get("Maps", "NEAR", "A7", kByteTagBuffer);
    s.rlewTag = ini.get("Maps", "RLEW", "ABCD", kWordTagBuffer);
    s.dontLoadRlew = readInt(ini, "Maps", "DontLoadRLEW", "0");
    s.chkMaphead = readInt(ini, "Maps", "ChkMaphead", "1");
    s.chkMaps = readInt(ini, "Maps", "ChkMaps", "0");
    s.objects = readInt(ini, "MapEditor", "Objects", "1");
    s.floors = readInt(ini, "MapEditor", "Floors", "1");
    s.grid = readInt(ini, "MapEditor", "Grid", "1");
    s.profMode = readInt(ini, "MapEditor", "ProfMode", "1");
}

std::string readStdPath(const IniFile& ini) {
    return ini.get("Global", "StdPath", "", kPathBuffer);
}

void writeSettings(IniFile& ini, const Settings& s) {
    auto n = [](int v) { return std::to_string(v); };
    ini.set("Global", "Tooltips", n(s.tooltips));
    ini.set("Global", "ScrollDelta", n(s.scrollDelta));
    ini.set("Global", "ShowAbout", "0");
    ini.set("Global", "LastExtension", s.lastExtension);
    ini.set("Compression", "CarmarckExpand", n(s.carmackExpand));
    ini.set("Compression", "CarmarckCompress", n(s.carmackCompress));
    ini.set("Compression", "CarmarckMode", n(s.carmackMode));
    ini.set("Compression", "SpriteCompression", n(s.spriteCompression));
    ini.set("Maps", "FAR", s.farTag);
    ini.set("Maps", "NEAR", s.nearTag);
    ini.set("Maps", "RLEW", s.rlewTag);
    ini.set("Maps", "DontLoadRLEW", n(s.dontLoadRlew));
    ini.set("Maps", "ChkMaphead", n(s.chkMaphead));
    ini.set("Maps", "ChkMaps", n(s.chkMaps));
    ini.set("MapEditor", "Objects", n(s.objects));
    ini.set("MapEditor", "Floors", n(s.floors));
    ini.set("MapEditor", "Grid", n(s.grid));
    ini.set("MapEditor", "ProfMode", n(s.profMode));
}

void writeStdPath(IniFile& ini, const std::string& folder) {
    ini.set("Global", "StdPath", folder);
}

bool folderIsWritable(const std::filesystem::path& dir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec))
        return false;
    const auto probe = dir / ".zentrik-write-probe";
    {
        std::ofstream f(probe);
        if (!f)
            return false;
    }
    std::filesystem::remove(probe, ec);
    return true;
}

std::filesystem::path settingsFilePath(const std::filesystem::path& programDir,
                                       const std::filesystem::path& userDir) {
    namespace fs = std::filesystem;
    if (folderIsWritable(programDir))
        return programDir / kSettingsFileName;
    std::error_code ec;
    fs::create_directories(userDir, ec);
    const auto target = userDir / kSettingsFileName;
    if (!fs::exists(target, ec) && fs::exists(programDir / kSettingsFileName, ec))
        fs::copy_file(programDir / kSettingsFileName, target, ec);
    return target;
}

} // namespace zentrik
