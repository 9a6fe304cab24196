#pragma once

#include "Result.h"
#include "vgagraph/Huffman.h"
#include "vgagraph/VgaModels.h"

#include <cstdint>
#include <vector>

namespace zentrik {

inline constexpr int kNewPictureSide = 64;
inline constexpr int kPlanes = 4;

// Byte of pixel (x, y) in a planar picture of any width: plane x mod 4 holds ceil((width - p)
// / 4) pixels per row, the planes follow one another.
size_t planarIndex(int x, int y, int width, int height);

// The display copy: 8-bit rows padded to 4 bytes, bottom row first.
std::vector<uint8_t> pictureDisplayCopy(const std::vector<uint8_t>& planar, PictureSize size);

// Resizes picture i. The width is rounded up to a multiple of 4 (the width set is returned);
// new pixels get the background colour; the top-left part is kept. Sizes the picture table
// cannot describe are refused.
Result<int> SetPictureWidth(GraphicsSet& set, int index, int width, uint8_t background);
Status SetPictureHeight(GraphicsSet& set, int index, int height, uint8_t background);

// Inserts a 64 x 64 picture of the background colour after `current` (at 0 into an empty
// set) and returns its index; the set counts as loaded and changed.
int InsertPicture(GraphicsSet& set, int current, uint8_t background);
// Removes picture i; returns the index to show next, -1 when none is left.
int RemovePicture(GraphicsSet& set, int index);
// Puts a removed picture back at `index` (clamped to the count); the pictures from there move
// up. Pixels that do not fill the size are refused (false, nothing changed).
bool PutPictureBack(GraphicsSet& set, int index, PictureSize size, std::vector<uint8_t> pixels);

// The length of the picture's coded data, without the 4-byte length field.
size_t CompressedPictureSize(const GraphicsSet& set, int index, const CodeTable& codes);

} // namespace zentrik
