#pragma once

#include "pages/NewPaletteDialog.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QColorDialog;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace zentrik::gui {

class AppContext;
class ColorGrid;

// The "Palette" page: the palettes of the palette folder, the current palette's colours, a
// colour picker for the selected entry, "Change Color" and the palette file commands.
class CProp07Palette : public QWidget {
    Q_OBJECT
public:
    explicit CProp07Palette(AppContext& context, QWidget* parent = nullptr);

    static QString indexText(int index) { return QStringLiteral("Palette index: %1").arg(index); }

    QListWidget* paletteList() const { return m_list; }
    ColorGrid* grid() const { return m_grid; }
    QLabel* indexLabel() const { return m_indexLabel; }
    QColorDialog* picker() const { return m_picker; }
    QSpinBox* field(int i) const { return m_fields[i]; } // All, R, G, B
    QCheckBox* grey() const { return m_grey; }
    QPushButton* button(const QString& text) const;

    // What "Create new palette" asks; tests answer it without a dialog.
    std::function<std::optional<NewPaletteChoice>()> askNewPalette;
    // The palette on the clipboard; tests give their own.
    std::function<std::optional<std::vector<Rgb>>()> readClipboard;

    void selectEntry(int index);
    void changeColor();
    void savePalette();
    void createPalette();
    void ripPalette();
    void importPalette();
    void exportPalette();

private:
    QWidget* buildCommands();
    void showPalette();
    void pickerChanged(const QColor& color);
    void addName(const QString& name);

    AppContext& m_context;
    QListWidget* m_list = nullptr;
    ColorGrid* m_grid = nullptr;
    QLabel* m_indexLabel = nullptr;
    QColorDialog* m_picker = nullptr;
    QSpinBox* m_fields[4] = {};
    QCheckBox* m_grey = nullptr;
    QList<QPushButton*> m_buttons;
    bool m_syncing = false;
};

} // namespace zentrik::gui
