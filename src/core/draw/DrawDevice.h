#pragma once

#include "draw/DrawTypes.h"
#include "draw/UndoRing.h"
#include "Result.h"

#include <cstdint>

namespace zentrik {

class Prompter;

// The pixel surface behind every picture editor: one chunk (a wall, a sprite, a picture, a
// font character, an 8x8 tile) seen as width x height palette indices. Every change made by a
// tool goes through setPixel, which records the old value in the device's undo history, so
// that each concrete device only has to say how a pixel is read and stored.
class CDrawDevice {
public:
    explicit CDrawDevice(Prompter* prompter = nullptr) : m_prompter(prompter), m_undo(prompter) {}
    virtual ~CDrawDevice() = default;
    CDrawDevice(const CDrawDevice&) = delete;
    CDrawDevice& operator=(const CDrawDevice&) = delete;

    virtual int width() const = 0;
    virtual int height() const = 0;
    bool hasChunk() const { return width() > 0 && height() > 0; }
    bool contains(ChunkPoint p) const {
        return p.x >= 0 && p.y >= 0 && p.x < width() && p.y < height();
    }
    ChunkRect bounds() const { return {0, 0, width() - 1, height() - 1}; }

    // The index at (x, y); 0 outside the chunk.
    uint8_t getPixel(int x, int y) const { return contains({x, y}) ? readPixel(x, y) : 0; }
    // Records the old index when an undo record is open, then stores the new one. Pixels
    // outside the chunk are ignored, so tools may draw across the edge.
    void setPixel(int x, int y, uint8_t index);

    // Which chunk the device shows now; the history is kept for one chunk only.
    virtual ChunkKey chunkKey() const = 0;
    // Raises the unsaved-changes flag of the collection the chunk belongs to.
    virtual void markChanged() = 0;

    // Devices whose chunk has a free size offer resize; the new area takes `background`.
    virtual bool canResize() const { return false; }
    virtual Status resize(int newWidth, int newHeight, uint8_t background);
    // Called after a bitmap import wrote the chunk (through setPixel, inside one undo record):
    // derived copies are rebuilt. The import stays undoable as one step.
    virtual void afterImport() {}
    // Forgets the history. The history is keyed by the chunk's pixel buffer, whose address a
    // load, a resolution change or a resize may hand to other pixels, so whoever replaces
    // a collection clears the history of every device over it.
    void clearHistory() { m_undo.clear(); }

    void startUndoRecord(UndoKind kind) { m_undo.start(kind, chunkKey()); }
    void closeUndoRecord() { m_undo.close(); }
    void closeUndoRecord(const ChunkRect& rect) { m_undo.close(rect); }
    // Undoes the newest step; returns whether any pixel was restored.
    bool undo();
    // Puts back the newest undone step (recorded again, so it can be undone once more).
    bool redo();
    UndoRing& undoRing() { return m_undo; }
    const UndoRing& undoRing() const { return m_undo; }

    Prompter* prompter() const { return m_prompter; }
    void setPrompter(Prompter* prompter);

protected:
    // Only called for pixels inside the chunk.
    virtual uint8_t readPixel(int x, int y) const = 0;
    virtual void writePixel(int x, int y, uint8_t index) = 0;

private:
    Prompter* m_prompter;
    UndoRing m_undo;
};

} // namespace zentrik
