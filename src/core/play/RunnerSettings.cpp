#include "play/RunnerSettings.h"

#include <algorithm>
#include <cctype>

namespace zentrik {

namespace {

constexpr size_t kPathBuffer = 1024;
constexpr size_t kSmallBuffer = 16;
constexpr int kDefaultSkill = 2;

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

} // namespace

std::string runnerSection(const std::string& extension) {
    return "GameRunner " + upper(extension);
}

const char* skillWord(int skill) {
    static constexpr const char* kWords[] = {"baby", "easy", "normal", "hard"};
    return skill >= 0 && skill <= 3 ? kWords[skill] : kWords[kDefaultSkill];
}

RunnerSettings readRunnerSettings(const IniFile& ini, const std::string& extension) {
    const std::string section = runnerSection(extension);
    RunnerSettings s;
    const std::string kind = ini.get(section, "Runner", "dosbox", kSmallBuffer);
    s.kind = kind == "template" ? RunnerKind::Template : RunnerKind::DosBox;
    s.dosbox = ini.get(section, "DOSBox", "", kPathBuffer);
    s.executable = ini.get(section, "Executable", "", kPathBuffer);
    s.program = ini.get(section, "Program", "", kPathBuffer);
    s.arguments = ini.get(section, "Arguments", "", kPathBuffer);
    const std::string skill = ini.get(section, "Skill", "2", kSmallBuffer);
    s.skill =
        skill.size() == 1 && skill[0] >= '0' && skill[0] <= '3' ? skill[0] - '0' : kDefaultSkill;
    return s;
}

void writeRunnerSettings(IniFile& ini, const std::string& extension, const RunnerSettings& s) {
    const std::string section = runnerSection(extension);
    ini.set(section, "Runner", s.kind == RunnerKind::Template ? "template" : "dosbox");
    ini.set(section, "DOSBox", s.dosbox);
    ini.set(section, "Executable", s.executable);
    ini.set(section, "Program", s.program);
    ini.set(section, "Arguments", s.arguments);
    ini.set(section, "Skill", std::to_string(std::clamp(s.skill, 0, 3)));
}

} // namespace zentrik
