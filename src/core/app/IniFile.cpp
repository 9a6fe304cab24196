#include "app/IniFile.h"

#include "io/SafeFile.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace zentrik {

namespace {

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

void IniFile::load() {
    m_lines.clear();
    auto bytes = readWholeFile(m_path, 1u << 20);
    if (!bytes)
        return;
    parse(std::string(bytes->begin(), bytes->end()));
}

void IniFile::parse(const std::string& text) {
    m_lines.clear();
    std::istringstream in(text);
    std::string raw, section;
    while (std::getline(in, raw)) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        Line line{raw, section, "", "", false};
        const std::string t = trim(raw);
        if (t.size() >= 2 && t.front() == '[') {
            const auto close = t.find(']');
            if (close != std::string::npos) {
                section = trim(t.substr(1, close - 1));
                line.section = section;
                line.isSection = true;
            }
        } else if (const auto eq = t.find('='); eq != std::string::npos && t.front() != ';') {
            line.key = trim(t.substr(0, eq));
            line.value = trim(t.substr(eq + 1));
        }
        m_lines.push_back(std::move(line));
    }
}

std::string IniFile::text() const {
    std::string out;
    for (const auto& l : m_lines)
        out += l.raw + "\r\n";
    return out;
}

Status IniFile::save() const {
    const std::string t = text();
    return replaceFile(m_path, std::span(reinterpret_cast<const uint8_t*>(t.data()), t.size()));
}

std::string IniFile::get(const std::string& section, const std::string& key, const std::string& def,
                         size_t bufferSize) const {
    std::string value = def;
    for (const auto& l : m_lines) {
        if (!l.isSection && !l.key.empty() && sameText(l.section, section) &&
            sameText(l.key, key)) {
            value = l.value;
            break;
        }
    }
    // A value in double quotes reads without them.
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (bufferSize == 0)
        return {};
    if (value.size() > bufferSize - 1)
        value.resize(bufferSize - 1);
    return value;
}

void IniFile::set(const std::string& section, const std::string& key, const std::string& value) {
    const std::string raw = key + "=" + value;
    long lastInSection = -1;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        auto& l = m_lines[i];
        if (!sameText(l.section, section))
            continue;
        lastInSection = long(i);
        if (!l.isSection && sameText(l.key, key)) {
            l.raw = raw;
            l.value = value;
            return;
        }
    }
    // Insert after the section's last non-blank line, or append a new section.
    if (lastInSection < 0) {
        if (!m_lines.empty() && !trim(m_lines.back().raw).empty())
            m_lines.push_back({"", m_lines.back().section, "", "", false});
        m_lines.push_back({"[" + section + "]", section, "", "", true});
        m_lines.push_back({raw, section, key, value, false});
        return;
    }
    size_t at = size_t(lastInSection);
    while (at > 0 && !m_lines[at].isSection && trim(m_lines[at].raw).empty())
        --at;
    m_lines.insert(m_lines.begin() + long(at) + 1, Line{raw, section, key, value, false});
}

} // namespace zentrik
