#pragma once

#include "draw/PictureEditor.h"
#include "widgets/PictureEditView.h"

#include <QWidget>

#include <array>

class QAction;
class QActionGroup;
class QLabel;
class QToolBar;

namespace zentrik::gui {

class ColorGrid;

// The pixel editor of a picture page as one piece: the tool bar (the seven tools, Copy, Cut,
// Paste, Undo, with their tooltips and letter keys), the edit view, the colour grid with the
// two pen colours (left click: left colour, right click: right colour) and a line that shows
// the pixel under the mouse. The page owns the device and the PictureEditor and hands them in.
class PictureEditorPanel : public QWidget {
    Q_OBJECT
public:
    explicit PictureEditorPanel(QWidget* parent = nullptr);

    void setEditor(PictureEditor* editor);
    PictureEditor* editor() const { return m_view->editor(); }
    void setPalette(const PictureEditView::Palette& palette);
    void setTransparency(bool on) { m_view->setTransparency(on); }
    // After the page showed another chunk or replaced its pixels.
    void chunkChanged();
    // Paste becomes available once anything was copied on any page.
    void setPasteEnabled(bool on);

    PictureEditView* view() const { return m_view; }
    ColorGrid* colourGrid() const { return m_grid; }
    QAction* toolAction(ToolId id) const { return m_tools[size_t(id)]; }
    QAction* pasteAction() const { return m_paste; }
    QToolBar* toolBar() const { return m_toolBar; }
    QString cursorText() const;

    void selectTool(ToolId id);
    void pickColour(int index, bool right);

signals:
    void edited();
    void copied();

private:
    void buildToolBar();
    void showColours();
    void showCursor(int x, int y, int index);

    PictureEditView* m_view;
    ColorGrid* m_grid;
    QToolBar* m_toolBar = nullptr;
    QActionGroup* m_toolGroup = nullptr;
    std::array<QAction*, kToolCount> m_tools{};
    QAction* m_paste = nullptr;
    QLabel* m_colours;
    QLabel* m_cursor;
};

} // namespace zentrik::gui
