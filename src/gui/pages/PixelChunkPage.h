#pragma once

#include "app/DataSet.h"
#include "draw/PictureEditor.h"
#include "pagefile/ChunkEdit.h"
#include "pages/PixelData.h"
#include "widgets/ChunkNumberField.h"

#include <QWidget>

#include <functional>
#include <memory>

class QGridLayout;
class QLabel;
class QPushButton;
class QScrollBar;

namespace zentrik::gui {

class AppContext;
class ChunkStrip;
class PictureEditorPanel;

// What the texture and sprite pages have in common: the pixel editor over one chunk of a
// collection, the scroll bar with its two labels, Insert, Remove, Export, Import and
// "Toggle HiRes". Each page says which collection it edits and how it inserts, removes and
// changes the resolution of its chunks.
class PixelChunkPage : public QWidget {
    Q_OBJECT
public:
    PixelChunkPage(AppContext& context, DataSet set, QWidget* parent);
    ~PixelChunkPage() override;

    int current() const { return m_current; }
    void showChunk(int index);
    PictureEditorPanel* editorPanel() const { return m_panel; }
    PictureEditor& editor() { return *m_editor; }
    QString positionText() const;
    QString numberText() const;

    // The commands, also for tests.
    void insertChunk();
    void removeChunk();
    void exportChunk();
    void importChunk();
    // Imports a picture file into the current chunk (Import and a dropped PNG or BMP).
    bool importFile(const std::string& path);
    ChunkNumberField* chunkField() const { return m_chunkField; }
    ChunkStrip* chunkStrip() const { return m_strip; }
    // Every chunk as KIND-NNN.png into a folder the user chooses, empty chunks skipped.
    void exportAllChunks();
    void toggleHiRes();

    // "Switch to high resolution?": 10 blend, 11 stretch, anything else cancel. Tests script it.
    std::function<int()> askHighResolution;

protected:
    // Called by the page's constructor once its device exists.
    void finishSetup(std::unique_ptr<CDrawDevice> device);
    virtual int count() const = 0;
    virtual bool loaded() const = 0;
    virtual void setLoaded(bool on) = 0;
    virtual int side() const = 0;
    virtual void selectOnDevice(int index) = 0;
    // The index of the new chunk, or -1 when nothing was inserted.
    virtual int insertAt(int current) = 0;
    virtual int removeAt(int current) = 0;
    // A copy of chunk `index` before Remove, so the removal can be undone; pages whose chunks
    // cannot be put back return nothing.
    virtual std::optional<ChunkCopy> copyChunk(int) const { return std::nullopt; }
    virtual void putChunkBack(int, ChunkCopy) {}
    // Runs the resolution job and installs its result; returns whether it did.
    virtual bool changeResolution(int change) = 0;
    // "texture" or "sprite", and the number label's format.
    virtual const char* noun() const = 0;
    // The first part of export names: "wall", "sprite", "picture".
    const char* exportKind() const {
        return isSprite() ? "sprite" : m_set == DataSet::Walls ? "wall" : "picture";
    }
    virtual QString numberFormat() const = 0;
    // The number label of chunk `index` (the number format filled in, by default).
    virtual QString numberLabel(int index) const { return numberFormat().arg(index); }
    // Pages whose chunks have one fixed resolution hide "Toggle HiRes".
    virtual bool offersResolution() const { return true; }
    // After every change of the chunk's pixels or of the chunk shown.
    virtual void chunkEdited() {}

    PixelData& data() const { return m_data; }
    CDrawDevice& device() { return *m_device; }
    // The column below the scroll bar, where a page adds its own controls.
    QGridLayout* sideGrid() const { return m_sideGrid; }
    void refresh();

private:
    // An Insert or Remove, kept so that Undo can take it back.
    struct StructureStep {
        bool inserted;
        int index;
        ChunkCopy copy;
        uint64_t serial;
    };
    // Asks before chunks are renumbered; true when nothing shifts or the user agrees.
    bool confirmShift(bool insert);
    // The histories of the chunks from `from` on move by `delta`; `dropped` loses its own.
    void shiftHistories(int from, int delta, int dropped);
    bool structureStepFirst() const;
    void undoStructureStep();
    void buildSide();
    // The thumbnails of the chunks around the current one, and of the current one alone.
    void showStrip();
    QImage deviceThumbnail() const;
    void edited();
    void replaced(DataSet set);
    bool isSprite() const { return m_set == DataSet::Sprites; }

    AppContext& m_context;
    PixelData& m_data;
    DataSet m_set;
    std::unique_ptr<CDrawDevice> m_device;
    std::unique_ptr<PictureEditor> m_editor;
    PictureEditorPanel* m_panel = nullptr;
    QScrollBar* m_scroll = nullptr;
    ChunkNumberField* m_chunkField = nullptr;
    ChunkStrip* m_strip = nullptr;
    QLabel* m_position = nullptr;
    QLabel* m_number = nullptr;
    QGridLayout* m_sideGrid = nullptr;
    std::vector<StructureStep> m_structure;
    int m_current = 0;
    int m_shownSide = 0;
    bool m_syncing = false;
};

} // namespace zentrik::gui
