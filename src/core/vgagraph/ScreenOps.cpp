#include "vgagraph/ScreenOps.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"

#include <algorithm>

namespace zentrik {

namespace {

constexpr std::array<uint8_t, 5> kGradientChars{0x20, 0xB0, 0xB1, 0xB2, 0xDB};
constexpr int kGradientBands = 5;
constexpr int kMinBorderWidth = 9;
constexpr int kMinBorderHeight = 17;
constexpr size_t kClipHeaderBytes = 4;

bool onScreen(int column, int row) {
    return column >= 0 && column < kScreenColumns && row >= 0 && row < kScreenRows;
}

// Cells that the selection touches, inclusive, clipped to the screen.
struct CellSpan {
    int c0, r0, c1, r1;
};
CellSpan cellsOf(PixelRect sel) {
    const int right = sel.left() + std::max(sel.width(), 1) - 1;
    const int bottom = sel.top() + std::max(sel.height(), 1) - 1;
    return {std::max(sel.left() / kCellPixelsX, 0), std::max(sel.top() / kCellPixelsY, 0),
            std::min(right / kCellPixelsX, kScreenColumns - 1),
            std::min(bottom / kCellPixelsY, kScreenRows - 1)};
}

} // namespace

size_t screenCellOffset(int column, int row) {
    return kScreenHeaderBytes + (size_t(row) * kScreenColumns + size_t(column)) * 2;
}

ScreenCell getCell(const ScreenRecord& s, int column, int row) {
    if (!onScreen(column, row) || s.bytes.size() < kScreenChunkBytes)
        return {};
    const size_t at = screenCellOffset(column, row);
    return {s.bytes[at], s.bytes[at + 1]};
}

void setCell(ScreenRecord& s, int column, int row, ScreenCell cell) {
    if (!onScreen(column, row) || s.bytes.size() < kScreenChunkBytes)
        return;
    const size_t at = screenCellOffset(column, row);
    s.bytes[at] = cell.character;
    s.bytes[at + 1] = cell.attribute;
}

std::array<uint8_t, kScreenClipBytes> CopyScreenBlock(const ScreenRecord& s, PixelRect sel) {
    std::array<uint8_t, kScreenClipBytes> block{};
    storeLe16(block.data(), uint16_t(sel.width()));
    storeLe16(block.data() + 2, uint16_t(sel.height()));
    size_t at = kClipHeaderBytes;
    for (int y = sel.top(); y < sel.top() + sel.height(); y += kCellPixelsY)
        for (int x = sel.left(); x < sel.left() + sel.width(); x += kCellPixelsX) {
            if (at + 2 > block.size())
                return block;
            const ScreenCell c = getCell(s, x / kCellPixelsX, y / kCellPixelsY);
            block[at++] = c.character;
            block[at++] = c.attribute;
        }
    return block;
}

std::array<uint8_t, kScreenClipBytes> CutScreenBlock(ScreenRecord& s, PixelRect sel) {
    auto block = CopyScreenBlock(s, sel);
    for (int y = sel.top(); y < sel.top() + sel.height(); y += kCellPixelsY)
        for (int x = sel.left(); x < sel.left() + sel.width(); x += kCellPixelsX)
            setCell(s, x / kCellPixelsX, y / kCellPixelsY, {});
    return block;
}

Status PasteScreenBlock(ScreenRecord& s, std::span<const uint8_t> block, int column, int row) {
    ByteReader r(block);
    auto w = r.u16();
    auto h = r.u16();
    // A block without width or height holds no cell: it is not a screen block.
    if (block.size() != kScreenClipBytes || !w || !h || *w == 0 || *h == 0)
        return Error{"The clipboard does not hold a screen block!", kScreenClipFormat};
    const int cols = (*w + kCellPixelsX - 1) / kCellPixelsX;
    const int rows = (*h + kCellPixelsY - 1) / kCellPixelsY;
    if (size_t(cols) * size_t(rows) * 2 > kScreenClipBytes - kClipHeaderBytes)
        return Error{"The clipboard does not hold a screen block!", kScreenClipFormat};
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x) {
            const uint8_t ch = *r.u8(), attr = *r.u8();
            setCell(s, column + x, row + y, {ch, attr});
        }
    return {};
}

void PaintGradient(ScreenRecord& s, PixelRect sel, GradientForm form, uint8_t attribute) {
    const bool horizontal =
        form == GradientForm::Horizontal || form == GradientForm::HorizontalInvert;
    const bool invert =
        form == GradientForm::HorizontalInvert || form == GradientForm::VerticalInvert;
    const int extent = horizontal ? sel.width() : sel.height();
    const int band = extent / kGradientBands;
    if (band == 0)
        return;
    const int start = horizontal ? sel.left() : sel.top();
    const int cellSize = horizontal ? kCellPixelsX : kCellPixelsY;
    const CellSpan all = cellsOf(sel);
    for (int b = 0; b < kGradientBands; ++b) {
        const int from = invert ? start + extent - (b + 1) * band : start + b * band;
        const int firstCell = from / cellSize, lastCell = (from + band - 1) / cellSize;
        for (int k = firstCell; k <= lastCell; ++k) {
            const int lo = horizontal ? all.r0 : all.c0, hi = horizontal ? all.r1 : all.c1;
            for (int m = lo; m <= hi; ++m)
                setCell(s, horizontal ? k : m, horizontal ? m : k,
                        {kGradientChars[size_t(b)], attribute});
        }
    }
}

Status PaintBorder(ScreenRecord& s, PixelRect sel, const std::array<ScreenCell, 9>& parts) {
    if (sel.width() < kMinBorderWidth || sel.height() < kMinBorderHeight)
        return Error{"Selection too small to paint a border..."};
    const CellSpan c = cellsOf(sel);
    for (int row = c.r0; row <= c.r1; ++row)
        for (int col = c.c0; col <= c.c1; ++col) {
            const bool top = row == c.r0, bottom = row == c.r1;
            const bool left = col == c.c0, right = col == c.c1;
            BorderPart part = Fill;
            if (top)
                part = left ? TopLeft : right ? TopRight : Top;
            else if (bottom)
                part = left ? BottomLeft : right ? BottomRight : Bottom;
            else if (left)
                part = Left;
            else if (right)
                part = Right;
            setCell(s, col, row, parts[size_t(part)]);
        }
    return {};
}

void PaintFilledRect(ScreenRecord& s, PixelRect sel, ScreenCell cell) {
    const CellSpan c = cellsOf(sel);
    for (int row = c.r0; row <= c.r1; ++row)
        for (int col = c.c0; col <= c.c1; ++col)
            setCell(s, col, row, cell);
}

void PaintCell(ScreenRecord& s, int column, int row, ScreenCell cell, bool editText,
               bool editColors) {
    ScreenCell now = getCell(s, column, row);
    if (editText)
        now.character = cell.character;
    if (editColors)
        now.attribute = cell.attribute;
    setCell(s, column, row, now);
}

void FloodFill(ScreenRecord& s, int column, int row, ScreenCell cell, bool editText,
               bool editColors) {
    if (!onScreen(column, row) || (!editText && !editColors))
        return;
    const ScreenCell target = getCell(s, column, row);
    auto matches = [&](ScreenCell c) {
        return (!editText || c.character == target.character) &&
               (!editColors || c.attribute == target.attribute);
    };
    auto wouldChange = [&](ScreenCell c) {
        return (editText && c.character != cell.character) ||
               (editColors && c.attribute != cell.attribute);
    };
    if (!wouldChange(target))
        return;
    std::vector<std::pair<int, int>> todo{{column, row}};
    while (!todo.empty()) {
        const auto [c, r] = todo.back();
        todo.pop_back();
        if (!onScreen(c, r))
            continue;
        const ScreenCell now = getCell(s, c, r);
        if (!matches(now) || !wouldChange(now))
            continue;
        PaintCell(s, c, r, cell, editText, editColors);
        todo.insert(todo.end(), {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}});
    }
}

std::vector<uint8_t> ExportScreenFile(const ScreenRecord& s) {
    if (s.bytes.size() < kScreenChunkBytes)
        return std::vector<uint8_t>(kScreenCellBytes, 0);
    const auto from = s.bytes.begin() + std::ptrdiff_t(kScreenHeaderBytes);
    return {from, from + std::ptrdiff_t(kScreenCellBytes)};
}

Status ImportScreenFile(ScreenRecord& s, std::span<const uint8_t> bytes) {
    // The cells alone, or a whole screen chunk (header, cells, trailing byte); any other
    // size is some other file, whose first 4000 bytes would only scramble the screen.
    const bool chunk = bytes.size() == kScreenChunkBytes &&
                       std::equal(kScreenHeader.begin(), kScreenHeader.end(), bytes.begin());
    if (chunk)
        bytes = bytes.subspan(kScreenHeaderBytes, kScreenCellBytes);
    if (bytes.size() != kScreenCellBytes)
        return Error{"A screen file holds " + std::to_string(kScreenCellBytes) +
                         " bytes; this one holds " + std::to_string(bytes.size()) + "!",
                     "Import Screen"};
    if (s.bytes.size() < kScreenChunkBytes)
        return Error{"There is no screen to import into!", "Import Screen"};
    std::copy_n(bytes.begin(), kScreenCellBytes,
                s.bytes.begin() + std::ptrdiff_t(kScreenHeaderBytes));
    return {};
}

size_t tile8Index(int tile, int x, int y) {
    return size_t(tile) * kTile8Bytes + size_t(x % 4) * 16 + size_t(y) * 2 + size_t(x / 4);
}

int getTile8Pixel(const Tile8Set& set, int tile, int x, int y) {
    if (tile < 0 || tile >= kTile8Count || x < 0 || x > 7 || y < 0 || y > 7)
        return -1;
    const size_t at = tile8Index(tile, x, y);
    return at < set.tiles.size() ? set.tiles[at] : -1;
}

void setTile8Pixel(Tile8Set& set, int tile, int x, int y, uint8_t colour) {
    if (getTile8Pixel(set, tile, x, y) < 0)
        return;
    set.tiles[tile8Index(tile, x, y)] = colour;
    set.changed = true;
}

} // namespace zentrik
