#pragma once

#include "vga/BorderDialog.h"
#include "vga/SavedScreens.h"
#include "vga/ScreenEditCtrl.h"

#include <QWidget>

#include <vector>

class QAction;
class QLabel;
class QScrollBar;
class QToolBar;

namespace zentrik::gui {

class AppContext;
class ChunkNumberField;
class ChunkStrip;
class FontClickCtrl;
class VGAColorsCtrl;
class VgaData;

// The MIME type under which screen blocks go to the clipboard (the block's own format name
// is kept beside it for other programs).
inline constexpr const char* kScreenClipMime = "application/x-zentrik-screenclip";

// "Screens": the archive's 80 x 25 text screens, one at a time, with the cell tools, the
// commands on a rectangle of cells, the clipboard, undo and redo, and .SCR and PNG files.
class CProp11Screens : public QWidget {
    Q_OBJECT
public:
    CProp11Screens(AppContext& context, QWidget* parent);
    ~CProp11Screens() override;

    int current() const { return m_current; }
    void showScreen(int index);
    ScreenEditCtrl* editCtrl() const { return m_edit; }
    ScreenPens& pens() { return m_pens; }
    QString positionText() const;
    QString chunkText() const;
    QString cursorText() const;
    QString selectionText() const;
    QAction* action(const QString& text) const;
    ChunkNumberField* chunkField() const { return m_number; }
    ChunkStrip* strip() const { return m_strip; }

    // The commands, also for tests. Those on the selection do nothing without one.
    void copy();
    void cut();
    void paste();
    void gradient(GradientForm form);
    void filledRectangle();
    void border(const BorderDialog::Parts& parts);
    void insertText(const QString& text);
    void exportScreen();
    void importScreen();
    void exportPng();
    bool undo();
    bool redo();

private:
    QToolBar* buildNavigation();
    QToolBar* buildTools();
    QWidget* buildPickers();
    void addMenus(QToolBar* bar);
    void addFileCommands(QToolBar* bar);
    void refresh();
    void showStrip();
    QImage thumbnail(const ScreenRecord& screen) const;
    void showPens();
    ScreenRecord* screen();
    void remember();
    void edited();
    void replaced();
    bool selected(PixelRect& out) const;

    struct Step {
        int screen;
        std::vector<uint8_t> bytes;
    };

    VgaData& m_vga;
    SavedScreens m_saved;
    ScreenPens m_pens;
    ScreenEditCtrl* m_edit = nullptr;
    QScrollBar* m_scroll = nullptr;
    ChunkNumberField* m_number = nullptr;
    ChunkStrip* m_strip = nullptr;
    QLabel* m_position = nullptr;
    QLabel* m_chunk = nullptr;
    QLabel* m_cursor = nullptr;
    QLabel* m_selection = nullptr;
    QLabel* m_penChars = nullptr;
    VGAColorsCtrl* m_text = nullptr;
    VGAColorsCtrl* m_back = nullptr;
    FontClickCtrl* m_chars = nullptr;
    std::vector<QAction*> m_actions;
    std::vector<Step> m_undo, m_redo;
    BorderDialog::Parts m_border;
    int m_current = 0;
    bool m_syncing = false;
};

} // namespace zentrik::gui
