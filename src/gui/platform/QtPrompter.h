#pragma once

#include "platform/Clock.h"
#include "platform/Prompter.h"

#include <QPointer>
#include <QWidget>

namespace zentrik::gui {

// Message boxes and file dialogs of the editor. A job's worker may ask from its own thread; the
// box is then shown on the user-interface thread while the worker waits for the answer.
class QtPrompter final : public Prompter {
public:
    // quiet/clock (optional): marked when a file dialog closes, so the click that closed it does
    // not draw into a map.
    explicit QtPrompter(QWidget* parent = nullptr, QuietTime* quiet = nullptr,
                        const Clock* clock = nullptr);

    void setParentWidget(QWidget* parent) { m_parent = parent; }

    void message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               MessageIcon icon) override;
    std::optional<int> choose(const std::string& text, const std::string& caption,
                              const std::vector<std::string>& buttons, int preferred,
                              MessageIcon icon) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& initialPath) override;

private:
    QWidget* dialogParent() const;
    std::optional<std::string> fileDialog(const FileDialogRequest& request, bool save);
    void markQuiet();

    QPointer<QWidget> m_parent;
    QuietTime* m_quiet;
    const Clock* m_clock;
};

} // namespace zentrik::gui
