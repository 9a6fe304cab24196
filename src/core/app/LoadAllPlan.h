#pragma once

#include "Result.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zentrik {

// The kinds of file a game folder holds, in the order names are tested against them.
enum class LoadAllRole {
    PageFile,
    MapData,
    MapHeader,
    VgaData,
    VgaHeader,
    VgaDict,
    AudioData,
    AudioHeader
};
inline constexpr int kLoadAllRoleCount = 8;

// The dialog's ten fields, in the order they are shown. The page file serves three of them.
enum class LoadAllField {
    Walls,
    Sprites,
    Sounds,
    MapData,
    MapHeader,
    VgaData,
    VgaHeader,
    VgaDict,
    AudioData,
    AudioHeader
};
inline constexpr int kLoadAllFieldCount = 10;
inline constexpr std::array<const char*, kLoadAllFieldCount> kLoadAllFieldLabels{
    "Walltextures", "Sprites",     "Sounds",        "Map-Data",   "Map-Headers",
    "VGA-Data",     "VGA-Headers", "Huffman-Table", "Audio-Data", "Audio-Headers"};

LoadAllRole roleOf(LoadAllField field);
const char* roleName(LoadAllRole role);

// What a folder holds, sorted into roles. Within a role, names of the exact form
// "STEM.SUFFIX" come first (in scan order), other names that start with a stem follow.
struct LoadAllScan {
    std::array<std::vector<std::string>, kLoadAllRoleCount> names;
    std::vector<std::string> suffixes; // upper case, in the order first met
    const std::vector<std::string>& of(LoadAllRole r) const { return names[size_t(r)]; }
};

// Sorts file names into roles. Our own backups and unfinished saves (.bak, .tmp) are left
// out: they are never what a user means to load.
LoadAllScan classifyNames(std::vector<std::string> names);

// Reads the folder's file names (case-insensitively sorted, so the proposal does not depend on
// the order the file system lists them in) and classifies them.
Result<LoadAllScan> scanFolder(const std::filesystem::path& folder);

// How many of the scan's names carry a suffix (after their first '.', case ignored).
int countSuffix(const LoadAllScan& scan, const std::string& suffix);

// The suffix most files share; among equals lastExtension, else the first one met.
std::optional<std::string> proposeSuffix(const LoadAllScan& scan, const std::string& lastExtension);

// The dialog's fields: absolute paths, empty where the folder has nothing for a field.
using LoadAllNames = std::array<std::filesystem::path, kLoadAllFieldCount>;

// For every field the first name of its role whose whole text after the first '.' is the
// suffix (case ignored), as a path in the folder.
LoadAllNames selectForSuffix(const LoadAllScan& scan, const std::string& suffix,
                             const std::filesystem::path& folder);

// Makes what a user typed into a field an absolute path (relative to the folder); an empty text
// stays empty.
std::filesystem::path fieldPath(const std::string& text, const std::filesystem::path& folder);

} // namespace zentrik
