#pragma once

// Helpers that several verb areas share: the program folder, the palette option, number
// arguments, fingerprints and a prompter that answers some questions from the command line.
#include "CliArea.h"

#include "imaging/Palette.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace zentrik::cli {

// Where the program's data (palette/, MapObjects/) lies: beside this executable, or in
// ../share/zentrik after an installation.
std::filesystem::path programDir();

// The palette given by --palette, else the program's own "Wolfenstein3D"; a file that cannot
// be read is reported as "Cannot Open".
std::optional<GamePalette> paletteArg(Context& c);

// A text for plain output: quote and backslash escaped, every byte that is not printable ASCII
// written as \xNN, so that names read from game files cannot break a UTF-8 reader.
std::string escapedText(const std::string& s);
// A JSON string literal of s, every byte outside printable ASCII escaped.
std::string jsonText(const std::string& s);

// A number written in decimal or as 0x hex, at most max; nothing for anything else.
std::optional<int> numberArg(const std::string& text, int max);

// FNV-1a, 64 bits: a fingerprint of chunk and image bytes that scripts can recompute.
std::string fnv1aHex(std::span<const uint8_t> bytes);

// Forwards to the stream prompter, but lets the verb answer questions by their caption (from
// its own options) before --yes does. File dialogs cannot be shown and return nothing.
class AnswerByCaption : public Prompter {
public:
    using Rule = std::function<std::optional<Answer>(const std::string& caption)>;
    // `scaling` answers the resample question's buttons (0 nearest neighbour, 1 smooth, 2 copy).
    AnswerByCaption(StreamPrompter& inner, Rule rule, std::optional<int> scaling = {})
        : m_inner(inner), m_rule(std::move(rule)), m_scaling(scaling) {}
    void message(const std::string& t, const std::string& c, MessageIcon i) override {
        m_inner.message(t, c, i);
    }
    Answer ask(const std::string& t, const std::string& c, Buttons b, MessageIcon i) override {
        if (auto a = m_rule(c))
            return *a;
        return m_inner.ask(t, c, b, i);
    }
    std::optional<int> choose(const std::string& t, const std::string& c,
                              const std::vector<std::string>& buttons, int preferred,
                              MessageIcon i) override {
        if (m_scaling && c == "Resample picture?")
            return m_scaling;
        return Prompter::choose(t, c, buttons, preferred, i);
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
        return {};
    }

private:
    StreamPrompter& m_inner;
    Rule m_rule;
    std::optional<int> m_scaling;
};

// The scaling the options ask for: --nearest, --resample (smooth) or --copy; nothing when
// none is given (the question's default then: nearest neighbour for a whole factor).
inline std::optional<int> scalingOption(Context& c) {
    if (c.args.flag("nearest"))
        return 0;
    if (c.args.flag("resample"))
        return 1;
    if (c.args.flag("copy"))
        return 2;
    return std::nullopt;
}

// "wall-007.png": the kind, the number with at least `digits` digits, the suffix.
inline std::string numberedName(const char* kind, int number, int digits, const std::string& ext) {
    std::string n = std::to_string(number);
    if (int(n.size()) < digits)
        n.insert(0, size_t(digits) - n.size(), '0');
    return std::string(kind) + "-" + n + "." + ext;
}

// The folder an export-all writes into, made when missing; false after a message.
inline bool exportFolder(Context& c, const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder, ec)) {
        c.prompter.message(folder.string() + "\n" + ec.message(), "Cannot Write",
                           MessageIcon::Error);
        return false;
    }
    return true;
}

} // namespace zentrik::cli
