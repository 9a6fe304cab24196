#include "CliCommon.h"

#include "app/ProgramFolders.h"
#include "io/SafeFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace zentrik::cli {

std::filesystem::path programDir() {
    // The CLI only reads the program's data, so the shipped copy serves as it is.
    return findDataFolder(executableFolder());
}

std::optional<GamePalette> paletteArg(Context& c) {
    const std::filesystem::path path = c.args.option("palette")
                                           ? std::filesystem::path(*c.args.option("palette"))
                                           : programDir() / "palette" / "Wolfenstein3D.pal";
    auto bytes = readWholeFile(path);
    GamePalette palette;
    if (!bytes || !readPalBytes(*bytes, palette)) {
        c.prompter.message(path.string(), "Cannot Open", MessageIcon::Error);
        return std::nullopt;
    }
    return palette;
}

std::string jsonText(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\')
            out += '\\', out += char(c);
        else if (c < 0x20 || c >= 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else
            out += char(c);
    }
    return out + "\"";
}

std::string escapedText(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c == '"' || c == '\\')
            out += '\\', out += char(c);
        else if (c < 0x20 || c >= 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else
            out += char(c);
    }
    return out;
}

std::optional<int> numberArg(const std::string& text, int max) {
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [&](char ch) {
            return hex ? std::isxdigit(static_cast<unsigned char>(ch)) != 0
                       : std::isdigit(static_cast<unsigned char>(ch)) != 0;
        }))
        return std::nullopt;
    const int v = std::stoi(digits, nullptr, hex ? 16 : 10);
    if (v > max)
        return std::nullopt;
    return v;
}

std::string fnv1aHex(std::span<const uint8_t> bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 0x100000001b3ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

} // namespace zentrik::cli
