#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zentrik {

enum class MessageIcon { None, Information, Exclamation, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// One entry of a file-dialog filter: its label and its patterns ("*.WL6", "*.*").
struct FileFilter {
    std::string label;
    std::vector<std::string> patterns;
};

// Parses the program's filter strings, "Label|*.A;*.B|Label 2|*.*||".
std::vector<FileFilter> parseFilterString(const std::string& filter);

struct FileDialogRequest {
    std::string title;       // empty: the toolkit's default title
    std::string filter;      // in the program's own "Label|pattern|...||" form
    std::string defaultExt;  // without the dot; may be empty
    std::string initialPath; // folder or file name to start from; may be empty
};

// How the core reaches the user: message boxes, questions and file dialogs. The GUI shows
// real dialogs; tests and the command-line tool answer from a script.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual void message(const std::string& text, const std::string& caption,
                         MessageIcon icon = MessageIcon::None) = 0;
    virtual Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
                       MessageIcon icon = MessageIcon::Question) = 0;
    // A question with buttons of its own and Cancel: the index of the button pressed, or
    // nothing for Cancel. Without buttons of its own a prompter asks Yes/No/Cancel: Yes takes
    // `preferred`, No the last button.
    virtual std::optional<int> choose(const std::string& text, const std::string& caption,
                                      const std::vector<std::string>& buttons, int preferred,
                                      MessageIcon icon = MessageIcon::Question);

    // Each returns the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                    const std::string& initialPath) = 0;
};

} // namespace zentrik
