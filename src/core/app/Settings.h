#pragma once

#include "app/IniFile.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace zentrik {

inline constexpr const char* kSettingsFileName = "Zentrik.ini";

// Every persistent preference. The three tags are kept as the text the user typed and parsed
// as hexadecimal at the moment a load or save needs them.
struct Settings {
    // [Global]
    int tooltips = 1;
    int scrollDelta = 0;
    int showAbout = 1;
    std::string lastExtension = "WL6";
    std::string stdPath;
    // [Compression]
    int carmackExpand = 0;   // 0 auto by file name, 1 enable, 2 disable
    int carmackCompress = 0; // 0 as expanded, 1 enable, 2 disable
    int carmackMode = 0;     // 0 compatible, 1 best result
    int spriteCompression = 1;
    // [Maps]
    std::string farTag = "A8";
    std::string nearTag = "A7";
    std::string rlewTag = "ABCD";
    int dontLoadRlew = 0;
    int chkMaphead = 1;
    int chkMaps = 0;
    // [MapEditor]
    int objects = 1;
    int floors = 1;
    int grid = 1;
    int profMode = 1;

    uint8_t farTagByte() const;
    uint8_t nearTagByte() const;
    uint16_t rlewTagWord() const;
    // Mouse-wheel step: 120 / (ScrollDelta + 1). A hand-edited value of -1 or below would
    // divide by zero or turn the wheel round, so such values count as 0.
    int wheelStep() const;
    // "Set Defaults" on the Config page: the game's own tags.
    void setDefaultTags();
};

// Reads every key but StdPath, in table order, with each key's buffer limit.
void readSettings(const IniFile& ini, Settings& s);
std::string readStdPath(const IniFile& ini);
// Writes every key but StdPath in table order; ShowAbout is always written as 0.
void writeSettings(IniFile& ini, const Settings& s);
void writeStdPath(IniFile& ini, const std::string& folder);

// Where Zentrik.ini lives: the program folder when it can be written, else the per-user folder
// (which is created, and seeded with the program folder's file when it has one).
std::filesystem::path settingsFilePath(const std::filesystem::path& programDir,
                                       const std::filesystem::path& userDir);
bool folderIsWritable(const std::filesystem::path& dir);

} // namespace zentrik
