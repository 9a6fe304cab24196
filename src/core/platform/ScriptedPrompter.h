#pragma once

#include "platform/Prompter.h"

#include <deque>
#include <functional>
#include <ostream>

namespace zentrik {

struct RecordedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    bool operator==(const RecordedMessage&) const = default;
};

// A Prompter without a window: records every message and question, answers questions and
// file dialogs from a script. A question that the script did not expect goes to
// onUnexpected (tests turn it into a failure) and is answered with Cancel or No.
class ScriptedPrompter : public Prompter {
public:
    void message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               MessageIcon icon) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& initialPath) override;
    // A scripted choice answers a choose() question; without one it asks as a Yes/No/Cancel.
    std::optional<int> choose(const std::string& text, const std::string& caption,
                              const std::vector<std::string>& buttons, int preferred,
                              MessageIcon icon) override;

    // The script: answers given in order to the questions that come.
    void expectQuestion(Answer answer) { m_answers.push_back(answer); }
    void expectPath(std::optional<std::string> path) { m_paths.push_back(std::move(path)); }
    // The button index a choose() question is answered with (nothing: Cancel).
    void expectChoice(std::optional<int> button) { m_choices.push_back(button); }
    std::vector<std::vector<std::string>> choiceButtons; // the buttons of each choose()

    std::vector<RecordedMessage> messages;
    std::vector<RecordedMessage> questions;
    std::vector<FileDialogRequest> fileDialogs;
    std::function<void(const std::string&)> onUnexpected;

    bool scriptUsedUp() const { return m_answers.empty() && m_paths.empty() && m_choices.empty(); }

private:
    std::optional<std::string> nextPath(const std::string& what);
    std::deque<Answer> m_answers;
    std::deque<std::optional<int>> m_choices;
    std::deque<std::optional<std::string>> m_paths;
};

// The command-line tool's Prompter: messages go to a stream as "CAPTION: TEXT", questions
// take Yes when the user said --yes, else No (or Cancel where there is no No). File dialogs
// cannot be shown and return nothing.
class StreamPrompter : public Prompter {
public:
    StreamPrompter(std::ostream& out, bool yes) : m_out(out), m_yes(yes) {}
    void message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               MessageIcon icon) override;
    std::optional<std::string> openFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
        return {};
    }
    int messageCount() const { return m_count; }

private:
    std::ostream& m_out;
    bool m_yes;
    int m_count = 0;
};

// Yes, No or Cancel as the Prompter's "no" for a button set.
Answer negativeAnswerFor(Buttons buttons);
Answer positiveAnswerFor(Buttons buttons);

} // namespace zentrik
