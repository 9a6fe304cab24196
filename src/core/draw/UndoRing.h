#pragma once

#include "app/SavedPosition.h"
#include "draw/DrawTypes.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace zentrik {

class Prompter;

enum class UndoKind : uint8_t {
    PixelList = 0,       // one entry per changed pixel: x, y, old index
    Rectangle = 1,       // the old pixels of a rectangle, row by row
    JoinedRectangle = 2, // a rectangle record that is undone together with the one before it
    JoinedPixelList = 3, // a pixel list undone together with the one before it
};

// The undo and redo history of every chunk a device has shown, each chunk with its own steps,
// kept for as long as the collection stays loaded. Records hold the old pixels as before: a
// pixel list (x u16, y u16, old index u8 per entry) or the old pixels of a rectangle row by
// row. All histories together are bounded by a memory budget; past it the oldest records of
// any chunk go first, but the newest step of the chunk just edited is always kept, whatever
// its size.
class UndoRing : public SavedPosition {
public:
    static constexpr size_t kDefaultBudget = size_t(32) << 20; // 32 MiB of records per device
    static constexpr size_t kPixelEntryBytes = 5;              // x u16, y u16, old index u8
    static constexpr size_t kRectBytes = 8;                    // x, y, width, height, u16 each
    static constexpr size_t kTrailerBytes = 3;                 // body length u16, kind u8

    using Restore = std::function<void(int x, int y, uint8_t oldIndex)>;
    using Peek = std::function<uint8_t(int x, int y)>;
    using Apply = std::function<void(int x, int y, uint8_t index)>;
    // Where a chunk's history goes after chunks were inserted or removed; none drops it.
    using Rekey = std::function<std::optional<ChunkKey>(const ChunkKey&)>;

    explicit UndoRing(Prompter* prompter = nullptr) : m_prompter(prompter) {}
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }

    // Opens a record on the given chunk. Other chunks keep their histories.
    void start(UndoKind kind, const ChunkKey& chunk);
    bool recording() const { return m_recording; }
    UndoKind openKind() const { return m_openKind; }
    void recordPixel(int x, int y, uint8_t oldIndex);
    // Closes a pixel-list record (a rectangle record is closed with the box of its pixels).
    void close();
    // Closes a rectangle record with its rectangle; the pixels recorded must be exactly the
    // rectangle's, row by row, or the record is unusable and dropped.
    void close(const ChunkRect& rect);

    // Undoes the newest step of chunk `current`: writes the old pixels back through `restore`
    // and, after a joined record, goes on with the record before it. Returns whether anything
    // was restored. With `peek`, the pixels the undo overwrites are kept for redo.
    bool undo(const ChunkKey& current, const Restore& restore, const Peek& peek = {});
    // Puts the newest undone step of `current` back through `apply`, which writes like a tool
    // (so the step is recorded again and can be undone once more). A new record on that
    // chunk forgets what was undone there.
    bool redo(const ChunkKey& current, const Apply& apply);

    bool canUndo(const ChunkKey& chunk) const;
    bool canRedo(const ChunkKey& chunk) const;

    // Forgets every history; whether anything stands away from the last save is kept.
    void clear();
    // Moves or drops histories after chunks were renumbered.
    void rekey(const Rekey& where);

    void setBudget(size_t bytes);
    size_t budget() const { return m_budget; }
    size_t bytesHeld() const { return m_bytes; }

    // The figures below are for the chunk last recorded, undone or redone on.
    const ChunkKey& chunk() const { return m_chunk; }
    size_t recordCount() const;
    // How many undo calls the history still answers (a joined record counts with its partner).
    size_t stepCount() const;
    size_t redoCount() const;
    // The serial number of the newest record of `chunk` (0: none). Serials only grow.
    uint64_t newestSerial(const ChunkKey& chunk) const;
    // A serial for a step kept outside the histories (a page's Insert or Remove), so that it
    // can be ordered against the records.
    uint64_t takeSerial() { return ++m_serial; }
    // Whether a record was dropped for the budget since the histories were last emptied.
    bool droppedAny() const { return m_dropped; }

    // --- Saved positions: every chunk's history remembers where it stood at the last save ---
    // The current position of every history (and of the structure steps) is the saved one.
    void markSaved() override;
    // How many chunks stand away from their saved position (an open record counts).
    size_t chunksAwayFromSaved() const;
    // Whether anything differs from the last save: a chunk away from it, a structure step
    // not undone, or an edit no history can take back.
    bool awayFromSaved() const override;
    // The pixels changed in a way no step records (a picture resized): away from the save
    // until the next one.
    void noteUnrecordedEdit() { m_unrecorded = true; }
    // A page's Insert or Remove was done (+1) or undone (-1).
    void noteStructureStep(int delta) { m_structureDepth += delta; }

    // The newest complete record of the current chunk laid out as body, rectangle (rectangle
    // kinds) and trailer: body length u16 (0xFFFF for longer bodies) and kind.
    std::vector<uint8_t> newestRecordBytes() const;

private:
    struct PixelValue {
        uint16_t x, y;
        uint8_t index;
    };
    struct Record {
        UndoKind kind = UndoKind::PixelList;
        ChunkRect rect;
        std::vector<uint8_t> body;
        uint64_t serial = 0;
        uint64_t state = 0; // the chunk's position after this record (redo gives back the old)
    };
    using Step = std::vector<PixelValue>;
    struct History {
        std::deque<Record> records;
        std::vector<Step> redo;           // undone steps, newest last
        std::vector<uint64_t> redoStates; // the position each undone step led to
        uint64_t base = 0;                // the position with no records left
        uint64_t saved = 0;               // the position at the last save (0: as loaded)
        uint64_t position() const { return records.empty() ? base : records.back().state; }
    };
    struct KeyLess {
        bool operator()(const ChunkKey& a, const ChunkKey& b) const {
            return std::tie(a.collection, a.index, a.part) <
                   std::tie(b.collection, b.index, b.part);
        }
    };

    void finish(const ChunkRect* rect);
    void forgetRedo(History& history);
    void trim();
    bool dropOldest(); // the oldest step of any chunk but the newest step just recorded
    const History* find(const ChunkKey& chunk) const;
    static void restoreRecord(const Record& record, const Restore& restore);
    static size_t stepBytes(const Step& step) { return step.size() * sizeof(PixelValue); }

    Prompter* m_prompter;
    std::map<ChunkKey, History, KeyLess> m_histories;
    ChunkKey m_chunk;
    size_t m_budget = kDefaultBudget;
    size_t m_bytes = 0;
    uint64_t m_serial = 0;
    bool m_dropped = false;
    bool m_redoing = false;
    uint64_t m_redoState = 0;
    bool m_unrecorded = false; // an edit without a record, or a history dropped away from saved
    int m_structureDepth = 0;
    int m_savedStructureDepth = 0;

    bool m_recording = false;
    UndoKind m_openKind = UndoKind::PixelList;
    std::vector<uint8_t> m_open;
    size_t m_pixels = 0;
    ChunkRect m_box;
};

} // namespace zentrik
