#pragma once

#include "draw/DrawTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace zentrik {

class Prompter;

enum class UndoKind : uint8_t {
    PixelList = 0,       // one entry per changed pixel: x, y, old index
    Rectangle = 1,       // the old pixels of a rectangle, row by row
    JoinedRectangle = 2, // a rectangle record that is undone together with the one before it
    JoinedPixelList = 3, // a pixel list undone together with the one before it (long redos)
};

// The undo history of one chunk: a fixed ring of bytes holding records one after another.
// Each record is its body, for rectangle records the rectangle, then a trailer with the body
// length and the kind, so the newest record can be read back from the write position. When
// new data reaches the oldest record, that record is dropped; a record too large for the
// whole ring cannot be kept and empties the history when it is closed.
class UndoRing {
public:
    static constexpr size_t kCapacity = 32768;    // what the ring starts with
    static constexpr size_t kPixelEntryBytes = 5; // x u16, y u16, old index u8
    static constexpr size_t kRectBytes = 8;       // x, y, width, height, u16 each
    static constexpr size_t kTrailerBytes = 3;    // body length u16, kind u8

    using Restore = std::function<void(int x, int y, uint8_t oldIndex)>;
    using Peek = std::function<uint8_t(int x, int y)>;
    using Apply = std::function<void(int x, int y, uint8_t index)>;

    explicit UndoRing(Prompter* prompter = nullptr) : m_prompter(prompter) {}
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }

    // Opens a record on the given chunk; the history of any other chunk is dropped first.
    void start(UndoKind kind, const ChunkKey& chunk);
    bool recording() const { return m_recording; }
    UndoKind openKind() const { return m_openKind; }
    void recordPixel(int x, int y, uint8_t oldIndex);
    // Closes a pixel-list record (a rectangle record is closed with the box of its pixels).
    void close();
    // Closes a rectangle record with its rectangle; the pixels recorded must be exactly the
    // rectangle's, row by row, or the record is unusable and dropped.
    void close(const ChunkRect& rect);

    // Undoes the newest step on chunk `current`: writes the old pixels back through `restore`
    // and, after a joined record, goes on with the record before it. Returns whether anything
    // was restored. A history that belongs to another chunk is dropped instead.
    // With `peek`, the pixels the undo overwrites are kept so that redo can bring them back.
    bool undo(const ChunkKey& current, const Restore& restore, const Peek& peek = {});
    // Puts the newest undone step back through `apply`, which writes like a tool (so the
    // step is recorded again and can be undone once more). Any new record forgets what was
    // undone; so does a change of chunk.
    bool redo(const ChunkKey& current, const Apply& apply);
    size_t redoCount() const { return m_redo.size(); }

    void clear();
    // Grows the ring (keeping its history) so that `bytes` of records fit at once. A lifted
    // selection and its drop are one step: both records must fit together or the undo of the
    // drop would leave the lift's hole behind.
    void reserve(size_t bytes);
    size_t capacity() const { return m_ring.size(); }
    // The bytes one rectangle record of this many pixels takes.
    static size_t rectangleRecordBytes(size_t pixels) {
        return pixels + kRectBytes + kTrailerBytes;
    }
    size_t recordCount() const { return m_records.size(); }
    // How many undo calls the history still answers (a joined record counts with its partner).
    size_t stepCount() const;
    // Whether a record was lost to the ring's size since the history was last emptied.
    bool droppedAny() const { return m_dropped; }
    const ChunkKey& chunk() const { return m_chunk; }

    // The bytes of the newest complete record, trailer included (for checks and tests).
    std::vector<uint8_t> newestRecordBytes() const;
    uint64_t writePosition() const { return m_end; }
    uint64_t oldestPosition() const { return m_begin; }

private:
    struct Span {
        uint64_t start;
        uint64_t end;
    };
    struct PixelValue {
        uint16_t x, y;
        uint8_t index;
    };

    void put(uint8_t byte);
    void putU16(uint16_t value);
    void dropOldest();
    void discardOpen();
    void finish(const ChunkRect* rect);
    uint8_t at(uint64_t position) const { return m_ring[position % m_ring.size()]; }
    uint16_t u16At(uint64_t position) const;
    void restoreRecord(const Span& span, UndoKind kind, size_t bodyLength,
                       const Restore& restore) const;

    Prompter* m_prompter;
    std::vector<uint8_t> m_ring = std::vector<uint8_t>(kCapacity);
    uint64_t m_begin = 0; // oldest byte still valid (absolute, taken modulo kCapacity)
    uint64_t m_end = 0;   // write position
    std::deque<Span> m_records;
    ChunkKey m_chunk;
    bool m_dropped = false;
    std::vector<std::vector<PixelValue>> m_redo; // undone steps, newest last
    bool m_redoing = false;

    bool m_recording = false;
    UndoKind m_openKind = UndoKind::PixelList;
    uint64_t m_openStart = 0;
    bool m_overflow = false;
    size_t m_pixels = 0;
    ChunkRect m_box;
};

} // namespace zentrik
