#include "world/SprInfo.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <string>

namespace zentrik {

namespace {

constexpr size_t kMaxWordLength = 199;
constexpr int kMaxWords = 65537;

class Tokens {
public:
    explicit Tokens(std::string_view t) : m_t(t) {}
    void skipSpace() {
        while (m_p < m_t.size() && std::isspace(static_cast<unsigned char>(m_t[m_p])))
            ++m_p;
    }
    std::optional<std::string> word() {
        skipSpace();
        if (m_p >= m_t.size())
            return std::nullopt;
        const size_t start = m_p;
        while (m_p < m_t.size() && m_p - start < kMaxWordLength &&
               !std::isspace(static_cast<unsigned char>(m_t[m_p])))
            ++m_p;
        return std::string(m_t.substr(start, m_p - start));
    }
    // A signed decimal integer after blanks (line ends included).
    std::optional<long> integer() {
        skipSpace();
        size_t p = m_p;
        if (p < m_t.size() && (m_t[p] == '-' || m_t[p] == '+'))
            ++p;
        const size_t digits = p;
        while (p < m_t.size() && p - digits < 9 && std::isdigit(static_cast<unsigned char>(m_t[p])))
            ++p;
        if (p == digits)
            return std::nullopt;
        const long v = std::stol(std::string(m_t.substr(m_p, p - m_p)));
        m_p = p;
        return v;
    }
    void skipLine() {
        while (m_p < m_t.size() && m_t[m_p] != '\n')
            ++m_p;
    }
    // After a definition: blanks, then the line end, a comment or the end. Returns the first
    // other character, or 0 when the rest of the line is fine.
    char trailing() {
        while (m_p < m_t.size() && (m_t[m_p] == ' ' || m_t[m_p] == '\t' || m_t[m_p] == '\r'))
            ++m_p;
        if (m_p >= m_t.size() || m_t[m_p] == '\n')
            return 0;
        if (m_t[m_p] == ';') {
            skipLine();
            return 0;
        }
        return m_t[m_p];
    }
    char peek() const { return m_p < m_t.size() ? m_t[m_p] : '?'; }

private:
    std::string_view m_t;
    size_t m_p = 0;
};

// Reads the numbers of one definition; false when one of them is missing.
bool readDefinition(Tokens& in, long value, ObjectDescriptionTable& table) {
    auto sprite = in.integer(), type = in.integer(), flag = in.integer();
    if (!sprite || !type || !flag)
        return false;
    if (*type == kObjectDoor) {
        auto lock = in.integer(), side = in.integer();
        if (!lock || !side)
            return false;
        table.doors.push_back(
            DoorDescription{uint16_t(value), int(*sprite), *flag != 0, int(*lock), int(*side)});
        return true;
    }
    ObjectDescription d{uint16_t(*sprite), uint8_t(*type), uint8_t(*flag), 0};
    if (*type == kObjectActor) {
        auto difficulty = in.integer();
        if (!difficulty)
            return false;
        d.difficulty = uint8_t(*difficulty);
    } else if (*type == kObjectBoss) {
        d.difficulty = kBossDifficulty;
    }
    if (*type == kObjectPushwall)
        table.pushwalls.insert(uint16_t(value));
    table.objects[uint16_t(value)] = d;
    return true;
}

} // namespace

void parseSprInfo(std::string_view text, ObjectDescriptionTable& table, Prompter& prompter) {
    Tokens in(text);
    for (int words = 0; words < kMaxWords; ++words) {
        auto w = in.word();
        if (!w || w->rfind("END", 0) == 0)
            return;
        if ((*w)[0] == ';') {
            in.skipLine();
            continue;
        }
        const long value = std::atol(w->c_str());
        const bool inRange = value >= 0 && value < kObjectValues;
        char bad = 0;
        if (!inRange)
            bad = (*w)[0];
        else if (!readDefinition(in, value, table))
            bad = in.peek();
        else
            bad = in.trailing();
        if (bad != 0) {
            char msg[96];
            std::snprintf(msg, sizeof msg, "Illegal character after definition of tile %i: '%c'!",
                          int(value), bad);
            prompter.message(msg, "Sprinfo.txt contains errors!", MessageIcon::Exclamation);
            return;
        }
    }
}

} // namespace zentrik
