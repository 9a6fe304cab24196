#pragma once

#include "draw/FontDevice.h"
#include "draw/PictureEditor.h"

#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace zentrik::gui {

class AppContext;
class ChunkNumberField;
class ChunkStrip;
class FontListCtrl;
class PictureEditorPanel;
class VgaData;

// "Fonts": the characters of one font of the graphics archive in a list, one of them in the
// pixel editor, the character's width and the font's height, and the character commands.
class CPropPageFont : public QWidget {
    Q_OBJECT
public:
    CPropPageFont(AppContext& context, QWidget* parent);
    ~CPropPageFont() override;

    int font() const { return m_font; }
    int character() const { return m_code; }
    void showFont(int font);
    void selectCharacter(int code);

    // The commands, also for tests.
    void applyWidth();
    void applyHeight();
    void deleteCharacter();
    void addCharacter(int code);
    void exportCharacter();
    void importCharacter();
    // A PNG or BMP (chosen or dropped) into the selected character, as one undo step.
    void importFile(const std::string& path);
    // Every font as one sheet of its 256 codes, font-000.png on, into a folder.
    void exportAllFonts();

    FontListCtrl* list() const { return m_list; }
    ChunkNumberField* chunkField() const { return m_number; }
    ChunkStrip* strip() const { return m_strip; }
    PictureEditorPanel* editorPanel() const { return m_panel; }
    QLineEdit* widthField() const { return m_width; }
    QLineEdit* heightField() const { return m_height; }
    QString positionText() const;

private:
    QWidget* buildSide();
    void refresh();
    void showStrip();
    void edited();
    void replaced();
    std::vector<uint8_t>* fontBytes();
    int fontCount() const;
    void refuse(const char* caption);
    void askNewCharacter();

    AppContext& m_context;
    VgaData& m_vga;
    std::unique_ptr<CFontDevice> m_device;
    std::unique_ptr<PictureEditor> m_editor;
    PictureEditorPanel* m_panel = nullptr;
    FontListCtrl* m_list = nullptr;
    QScrollBar* m_scroll = nullptr;
    ChunkNumberField* m_number = nullptr;
    ChunkStrip* m_strip = nullptr;
    QLabel* m_position = nullptr;
    QLabel* m_sample = nullptr;
    QLineEdit* m_sampleText = nullptr;
    QLineEdit* m_width = nullptr;
    QLineEdit* m_height = nullptr;
    int m_font = 0;
    int m_code = -1;
    bool m_syncing = false;
};

} // namespace zentrik::gui
