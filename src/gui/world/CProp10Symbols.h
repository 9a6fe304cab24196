#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace zentrik::gui {

class AppContext;
class SymbolBox;
class SymbolEditCtrl;
class SymbolPickCtrl;

// The "Symbols" tab: the map-symbol sets, a painting and a colour-picking editor of the pen's
// symbol, the whole strip to pick pens from (also in the tall "SymbolBox" window), "Use
// Symbol" and "Save".
class CProp10Symbols : public QWidget {
    Q_OBJECT
public:
    explicit CProp10Symbols(AppContext& context, QWidget* parent = nullptr);

    QListWidget* setList() const { return m_sets; }
    SymbolEditCtrl* painter() const { return m_paint; }
    SymbolEditCtrl* colorPicker() const { return m_pickColor; }
    SymbolPickCtrl* strip() const { return m_strip; }
    QPushButton* useButton() const { return m_use; }
    QPushButton* saveButton() const { return m_save; }
    // Shows or hides the tall picker window.
    QPushButton* boxButton() const { return m_boxButton; }
    SymbolBox* symbolBox() const { return m_box; }
    // The strip cell the editors show.
    int editedIndex() const { return m_index; }

    void useSymbol();
    void save();

private:
    void showStrip();
    void showCell(int index);
    void penUpdated(bool left, int kind);
    void cellPicked(int index, bool left);
    void setColor(uint16_t color);

    AppContext& m_context;
    QListWidget* m_sets = nullptr;
    SymbolEditCtrl* m_paint = nullptr;
    SymbolEditCtrl* m_pickColor = nullptr;
    QLabel* m_swatch = nullptr;
    SymbolPickCtrl* m_strip = nullptr;
    QPushButton* m_use = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_boxButton = nullptr;
    SymbolBox* m_box = nullptr;
    int m_index = 0;
};

} // namespace zentrik::gui
