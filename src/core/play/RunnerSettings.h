#pragma once

#include "app/IniFile.h"

#include <string>

namespace zentrik {

enum class RunnerKind { DosBox, Template };

// How one data set's game is started ("Game runner" on the Config page), kept per extension
// record so that a WL6 and a SOD set can use different runners.
struct RunnerSettings {
    RunnerKind kind = RunnerKind::DosBox;
    std::string dosbox;     // the DOSBox program; empty: dosbox, dosbox-x or dosbox-staging
    std::string executable; // the game's .EXE/.COM; empty: WOLF3D.EXE or SPEAR.EXE
    std::string program;    // the template runner's program
    std::string arguments;  // its arguments, with placeholders
    int skill = 2;          // 0 baby, 1 easy, 2 normal, 3 hard
    bool operator==(const RunnerSettings&) const = default;
};

// "GameRunner WL6": the section of one extension in Zentrik.ini.
std::string runnerSection(const std::string& extension);
RunnerSettings readRunnerSettings(const IniFile& ini, const std::string& extension);
void writeRunnerSettings(IniFile& ini, const std::string& extension, const RunnerSettings& s);

// "baby", "easy", "normal", "hard"; skills outside 0..3 count as "normal".
const char* skillWord(int skill);

} // namespace zentrik
