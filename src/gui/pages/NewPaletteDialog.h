#pragma once

#include "imaging/PaletteLibrary.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;

namespace zentrik::gui {

struct NewPaletteChoice {
    QString name;
    PaletteLibrary::NewSource source = PaletteLibrary::NewSource::CopyCurrent;
};

// "New palette...": a name and where the new palette's colours come from. The three source
// buttons work only while the name is not empty.
class NewPaletteDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewPaletteDialog(QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* sourceButton(PaletteLibrary::NewSource s) const;
    std::optional<NewPaletteChoice> choice() const { return m_choice; }

private:
    QLineEdit* m_name = nullptr;
    QPushButton* m_buttons[3] = {};
    std::optional<NewPaletteChoice> m_choice;
};

} // namespace zentrik::gui
