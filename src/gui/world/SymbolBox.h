#pragma once

#include <QWidget>

namespace zentrik::gui {

class SymbolPickVertCtrl;

// The "SymbolBox" window: the whole strip in a tall picker that can stand beside the map
// while the main window shows another page.
class SymbolBox : public QWidget {
    Q_OBJECT
public:
    explicit SymbolBox(QWidget* parent = nullptr);

    SymbolPickVertCtrl* picker() const { return m_picker; }

signals:
    void shownChanged(bool shown);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    SymbolPickVertCtrl* m_picker = nullptr;
};

} // namespace zentrik::gui
