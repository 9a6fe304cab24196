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
    AnswerByCaption(StreamPrompter& inner, Rule rule) : m_inner(inner), m_rule(std::move(rule)) {}
    void message(const std::string& t, const std::string& c, MessageIcon i) override {
        m_inner.message(t, c, i);
    }
    Answer ask(const std::string& t, const std::string& c, Buttons b, MessageIcon i) override {
        if (auto a = m_rule(c))
            return *a;
        return m_inner.ask(t, c, b, i);
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
        return {};
    }

private:
    StreamPrompter& m_inner;
    Rule m_rule;
};

} // namespace zentrik::cli
