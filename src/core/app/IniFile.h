#pragma once

#include "Result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zentrik {

// An initialisation file read and written with the semantics of the classic private-profile
// calls: "[Section]" lines, "Key=Value" lines; sections and keys match without regard to case;
// blanks around keys and values are dropped; a missing file or key yields the default; a value
// longer than the reader's buffer is cut to buffer - 1 characters. Writing a key replaces it in
// place or appends it to its section (the section is appended when new), keeping every other
// line as it was.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::filesystem::path path) : m_path(std::move(path)) {}

    // Reads the file; a missing file is an empty one.
    void load();
    void parse(const std::string& text);
    // Writes the file through the .tmp/.bak replacement.
    Status save() const;
    std::string text() const;

    std::string get(const std::string& section, const std::string& key, const std::string& def,
                    size_t bufferSize) const;
    void set(const std::string& section, const std::string& key, const std::string& value);

    const std::filesystem::path& path() const { return m_path; }

private:
    struct Line {
        std::string raw;
        std::string section; // for section lines: the name; else the section it lies in
        std::string key;     // empty for anything but key lines
        std::string value;
        bool isSection = false;
    };
    std::filesystem::path m_path;
    std::vector<Line> m_lines;
};

} // namespace zentrik
