#pragma once

#include "Result.h"
#include "vgagraph/VgaModels.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zentrik {

inline constexpr int kScreenColumns = 80;
inline constexpr int kScreenRows = 25;
inline constexpr int kCellPixelsX = 8; // editor pixels per cell
inline constexpr int kCellPixelsY = 16;
inline constexpr size_t kScreenClipBytes = 4004;
inline constexpr const char* kScreenClipFormat = "SCREENCLIPFORMAT";

size_t screenCellOffset(int column, int row);

struct ScreenCell {
    uint8_t character = 0;
    uint8_t attribute = 0;
    bool operator==(const ScreenCell&) const = default;
};
inline uint8_t screenAttribute(int foreground, int background) {
    return uint8_t((foreground & 0xF) | (background & 0xF) << 4);
}

ScreenCell getCell(const ScreenRecord& s, int column, int row);
void setCell(ScreenRecord& s, int column, int row, ScreenCell cell);

// A selection in editor pixels (8 x 16 per cell), any two corners.
struct PixelRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int left() const { return x0 < x1 ? x0 : x1; }
    int top() const { return y0 < y1 ? y0 : y1; }
    int width() const { return x0 < x1 ? x1 - x0 : x0 - x1; }
    int height() const { return y0 < y1 ? y1 - y0 : y0 - y1; }
};

// The clipboard block: u16 width and height in editor pixels, then the cells row by row.
std::array<uint8_t, kScreenClipBytes> CopyScreenBlock(const ScreenRecord& s, PixelRect sel);
std::array<uint8_t, kScreenClipBytes> CutScreenBlock(ScreenRecord& s, PixelRect sel);
// Places a block with its top-left cell at (column, row); cells beyond the screen are dropped.
Status PasteScreenBlock(ScreenRecord& s, std::span<const uint8_t> block, int column, int row);

enum class GradientForm { Horizontal, HorizontalInvert, Vertical, VerticalInvert };
// Five bands of space, 0xB0, 0xB1, 0xB2 and 0xDB: the horizontal forms divide the width.
void PaintGradient(ScreenRecord& s, PixelRect sel, GradientForm form, uint8_t attribute);

// The nine elements of a border, in the order top, bottom, left, right, top-left, top-right,
// bottom-left, bottom-right, fill.
enum BorderPart { Top, Bottom, Left, Right, TopLeft, TopRight, BottomLeft, BottomRight, Fill };
Status PaintBorder(ScreenRecord& s, PixelRect sel, const std::array<ScreenCell, 9>& parts);
void PaintFilledRect(ScreenRecord& s, PixelRect sel, ScreenCell cell);

// Paints one cell: the character with editText, the attribute with editColors.
void PaintCell(ScreenRecord& s, int column, int row, ScreenCell cell, bool editText,
               bool editColors);
void FloodFill(ScreenRecord& s, int column, int row, ScreenCell cell, bool editText,
               bool editColors);

// ".SCR" files: the 4000 cell bytes alone.
std::vector<uint8_t> ExportScreenFile(const ScreenRecord& s);
Status ImportScreenFile(ScreenRecord& s, std::span<const uint8_t> bytes);

// Tile8 pixel (x, y) of tile t: byte 64 t + (x mod 4) 16 + 2 y + x / 4. Outside 0..7 nothing.
size_t tile8Index(int tile, int x, int y);
int getTile8Pixel(const Tile8Set& set, int tile, int x, int y); // -1 outside
void setTile8Pixel(Tile8Set& set, int tile, int x, int y, uint8_t colour);

} // namespace zentrik
