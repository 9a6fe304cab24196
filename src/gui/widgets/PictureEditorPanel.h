#pragma once

#include "draw/PictureEditor.h"
#include "widgets/PictureEditView.h"

#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QActionGroup;
class QLabel;
class QToolBar;

namespace zentrik::gui {

class ColorGrid;

// The pixel editor of a picture page as one piece: the tool bar (the seven tools, Copy, Cut,
// Paste, Undo, Redo, with their tooltips and letter keys), the edit view, the colour grid with
// the two pen colours (left click: left colour, right click: right colour) and a line that
// shows the pixel under the mouse. The page owns the device and the PictureEditor and hands
// them in. Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo wherever the focus is on the page
// that holds the panel (its parent); Undo and Redo are enabled only when there is a step.
class PictureEditorPanel : public QWidget {
    Q_OBJECT
public:
    explicit PictureEditorPanel(QWidget* parent = nullptr);

    void setEditor(PictureEditor* editor);
    PictureEditor* editor() const { return m_view->editor(); }
    void setPalette(const PictureEditView::Palette& palette);
    // Sprites: index 255 shows as transparent in the view and is marked in the colour grid.
    void setTransparency(bool on);
    // After the page showed another chunk or replaced its pixels.
    void chunkChanged();
    // Paste becomes available once anything was copied on any page.
    void setPasteEnabled(bool on);

    PictureEditView* view() const { return m_view; }
    ColorGrid* colourGrid() const { return m_grid; }
    QAction* toolAction(ToolId id) const { return m_tools[size_t(id)]; }
    QAction* pasteAction() const { return m_paste; }
    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }
    // Greys Undo and Redo out when the current chunk has nothing to undo or redo.
    void updateHistoryActions();
    // Undo: the page's own step first when it has one newer than the chunk's (an Insert or a
    // Remove), else the chunk's newest step.
    void undo();
    // The page's steps: whether it has one to undo newer than the chunk's, and undoing it.
    std::function<bool()> pageStepFirst;
    std::function<void()> undoPageStep;
    QToolBar* toolBar() const { return m_toolBar; }
    // The last of the panel's controls that Tab visits (tools, colour grid, canvas), so a
    // page can put its own controls after it.
    QWidget* lastInTabOrder() const;
    QString cursorText() const;

    void selectTool(ToolId id);
    void pickColour(int index, bool right);

signals:
    void edited();
    void copied();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void setTabOrder();
    void addPageShortcuts(QWidget* page);
    void showColours();
    void showCursor(int x, int y, int index);

    PictureEditView* m_view;
    ColorGrid* m_grid;
    QToolBar* m_toolBar = nullptr;
    QActionGroup* m_toolGroup = nullptr;
    std::array<QAction*, kToolCount> m_tools{};
    QAction* m_paste = nullptr;
    QWidget* m_page = nullptr; // where the undo keys are taken
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QLabel* m_colours;
    QLabel* m_cursor;
};

} // namespace zentrik::gui
