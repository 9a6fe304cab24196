#include "platform/Prompter.h"

namespace zentrik {

std::optional<int> Prompter::choose(const std::string& text, const std::string& caption,
                                    const std::vector<std::string>& buttons, int preferred,
                                    MessageIcon icon) {
    switch (ask(text, caption, Buttons::YesNoCancel, icon)) {
    case Answer::Yes:
        return preferred;
    case Answer::No:
        return int(buttons.size()) - 1;
    default:
        return std::nullopt;
    }
}

std::vector<FileFilter> parseFilterString(const std::string& filter) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        parts.push_back(cur);

    std::vector<FileFilter> out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty())
            break; // the "||" that ends the list
        FileFilter f{parts[i], {}};
        std::string pat;
        for (char c : parts[i + 1] + ";") {
            if (c == ';') {
                if (!pat.empty())
                    f.patterns.push_back(pat);
                pat.clear();
            } else if (c != ' ') {
                pat += c;
            }
        }
        out.push_back(std::move(f));
    }
    return out;
}

} // namespace zentrik
