#include "platform/ScriptedPrompter.h"

namespace zentrik {

Answer negativeAnswerFor(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::No;
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
    case Buttons::RetryCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

Answer positiveAnswerFor(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::RetryCancel:
        return Answer::Retry;
    }
    return Answer::Ok;
}

void ScriptedPrompter::message(const std::string& text, const std::string& caption,
                               MessageIcon icon) {
    messages.push_back({text, caption, icon});
}

Answer ScriptedPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                             MessageIcon icon) {
    questions.push_back({text, caption, icon});
    if (m_answers.empty()) {
        if (onUnexpected)
            onUnexpected("unexpected question: " + caption + ": " + text);
        return negativeAnswerFor(buttons);
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

std::optional<int> ScriptedPrompter::choose(const std::string& text, const std::string& caption,
                                            const std::vector<std::string>& buttons, int preferred,
                                            MessageIcon icon) {
    choiceButtons.push_back(buttons);
    if (m_choices.empty())
        return Prompter::choose(text, caption, buttons, preferred, icon);
    questions.push_back({text, caption, icon});
    const std::optional<int> c = m_choices.front();
    m_choices.pop_front();
    return c;
}

std::optional<std::string> ScriptedPrompter::nextPath(const std::string& what) {
    if (m_paths.empty()) {
        if (onUnexpected)
            onUnexpected("unexpected " + what);
        return std::nullopt;
    }
    auto p = m_paths.front();
    m_paths.pop_front();
    return p;
}

std::optional<std::string> ScriptedPrompter::openFile(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return nextPath("open-file dialog");
}

std::optional<std::string> ScriptedPrompter::saveFile(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return nextPath("save-file dialog");
}

std::optional<std::string> ScriptedPrompter::chooseFolder(const std::string& title,
                                                          const std::string& initialPath) {
    fileDialogs.push_back({title, "", "", initialPath});
    return nextPath("folder dialog");
}

void StreamPrompter::message(const std::string& text, const std::string& caption, MessageIcon) {
    ++m_count;
    m_out << caption << ": " << text << "\n";
}

Answer StreamPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                           MessageIcon) {
    const Answer a = m_yes ? positiveAnswerFor(buttons) : negativeAnswerFor(buttons);
    m_out << caption << ": " << text << " -> " << (m_yes ? "Yes" : "No") << "\n";
    return a;
}

} // namespace zentrik
