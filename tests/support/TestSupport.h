#pragma once

#include "platform/ScriptedPrompter.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zentrik::test {

// The folder of the real game files ($ZENTRIK_GAMEDATA, else ../shared/gamedata beside the
// source tree). Empty when it is absent; tests then GTEST_SKIP with the reason.
std::filesystem::path gamedataDir();
#define ZENTRIK_REQUIRE_GAMEDATA()                                                                 \
    do {                                                                                           \
        if (::zentrik::test::gamedataDir().empty())                                                \
            GTEST_SKIP() << "game data not found (set ZENTRIK_GAMEDATA)";                          \
    } while (0)

std::vector<uint8_t> readGameFile(const std::string& relative);

// A fresh temporary folder, removed with its content at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    // Copies a file of the game data into this folder and returns its new path.
    std::filesystem::path copyGameFile(const std::string& relative) const;

private:
    std::filesystem::path m_path;
};

// A scripted prompter that fails the running test on any question it was not told of.
class StrictPrompter : public ScriptedPrompter {
public:
    StrictPrompter();
};

std::vector<uint8_t> readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
// The files of a folder by name, with their bytes.
std::map<std::string, std::vector<uint8_t>> everyFile(const std::filesystem::path& folder);

} // namespace zentrik::test
