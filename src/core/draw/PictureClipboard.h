#pragma once

#include "draw/DrawTypes.h"

#include <cstdint>
#include <vector>

namespace zentrik {

class CDrawDevice;
class FloatingSelection;

// The one picture clipboard of the program, shared by every picture editor (walls, sprites,
// pictures, font characters, tiles): a block of palette indices, row by row, and the position
// it was taken from. Every index is carried as it is, 255 included, so a sprite's transparent
// pixels arrive on a wall as index 255.
struct PictureClipboard {
    int width = 0;
    int height = 0;
    ChunkPoint origin;
    std::vector<uint8_t> pixels;

    bool empty() const { return pixels.empty(); }
};

// Copies the floating block, else the marked rectangle, else the whole chunk.
void copySelection(const CDrawDevice& device, const FloatingSelection& selection,
                   PictureClipboard& clipboard);
// Lifts the marked rectangle (the whole chunk when nothing is marked or floats) with the
// right-button colour as the hole's colour, copies the block and discards it.
void cutSelection(CDrawDevice& device, FloatingSelection& selection, PictureClipboard& clipboard,
                  uint8_t fill);
// Drops what floats, then floats the clipboard's block at the position it came from, moved so
// that its top-left corner lies inside the chunk. Returns false when there is nothing to paste.
bool pasteSelection(CDrawDevice& device, FloatingSelection& selection,
                    const PictureClipboard& clipboard);

} // namespace zentrik
