#pragma once

#include "maps/LevelSet.h"
#include "maps/MapClipboard.h"
#include "world/ObjectDescriptions.h"
#include "world/SymbolStrip.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zentrik {

// The level map picture: 513 x 513 pixels of 16-bit 5-5-5 colour, 7 x 7 pixel cells with an
// optional one-pixel grid between them.
inline constexpr int kMapPictureSide = 513;
inline constexpr int kMapAreaNoGrid = kMapSide * kSymbolSize;    // 448
inline constexpr int kControlSideNoGrid = kMapAreaNoGrid + 2;    // 450
inline constexpr int kControlSideGrid = kMapPictureSide;         // 513
inline constexpr int kGridShift = 32;                            // control move on grid toggle
inline constexpr uint16_t kMaxSymbolValue = kPlane0Symbols - 1;  // 511
inline constexpr uint16_t kGridColor = (8 << 10) | (8 << 5) | 8; // dark grey lines
inline constexpr uint16_t kFrameColor = (16 << 10) | (16 << 5) | 16;

// How the wall plane's words are shown and written.
enum class SplitMode { Whole = 0, LowByte = 1, HighByte = 2 };

// The five object difficulties the statistics boxes switch: 0, 1, 3, 4 and 5 (boss).
inline constexpr std::array<uint8_t, 5> kFilteredDifficulties{0, 1, 3, 4, 5};

// Everything the picture depends on; the planes and tables are not owned.
struct MapView {
    const Plane* walls = nullptr;
    const Plane* objects = nullptr;
    const SymbolStrip* strip = nullptr;
    const ObjectDescriptionTable* table = nullptr;
    bool grid = true;
    SplitMode split = SplitMode::Whole;
    bool showFloors = true;
    bool showObjects = true;
    bool thirdPlaneEditing = false;
    std::array<bool, 5> difficulties{true, true, true, true, true};

    int pitch() const { return kSymbolSize + (grid ? 1 : 0); }
    int controlSide() const { return grid ? kControlSideGrid : kControlSideNoGrid; }
    // The mouse area: positions below this lie on the map.
    int mouseLimit() const { return kMapAreaNoGrid + (grid ? kMapSide - 1 : 0); }
};

using CellPixels = std::array<uint16_t, kSymbolSize * kSymbolSize>;

// The symbol index of a wall word, and whether it is drawn dimmed (the low byte shown while
// the high byte is edited and empty).
struct WallSymbol {
    int index = 0;
    bool dimmed = false;
};
WallSymbol wallSymbol(uint16_t value, SplitMode split);
// The part of a wall word that the split mode shows and compares.
uint16_t splitPart(uint16_t value, SplitMode split);
// A pen value merged into a wall word as the split mode writes it.
uint16_t mergeSplit(uint16_t old, uint16_t pen, SplitMode split);

uint16_t dimPixel(uint16_t c);
bool isTransparentObjectPixel(uint16_t c);
bool objectShown(const MapView& view, uint16_t object);

// One cell from a wall word and an object word (not necessarily those of the planes).
CellPixels renderCellValues(const MapView& view, uint16_t wall, uint16_t object);

class MapPicture {
public:
    MapPicture() : m_pixels(size_t(kMapPictureSide) * kMapPictureSide, 0) {}

    void render(const MapView& view);                   // the whole picture with grid or frame
    void renderCell(const MapView& view, int x, int y); // one cell from the planes
    void putCell(const MapView& view, int x, int y, const CellPixels& cell);

    uint16_t pixel(int x, int y) const { return m_pixels[size_t(y) * kMapPictureSide + x]; }
    const uint16_t* data() const { return m_pixels.data(); }

private:
    std::vector<uint16_t> m_pixels;
};

// The paste preview: 8 pixels per cell, grid lines every 8 pixels when the grid is on.
struct BlockPicture {
    int width = 0, height = 0; // pixels
    std::vector<uint16_t> pixels;
};
BlockPicture renderBlock(const MapView& view, const MapClipBlock& block);

} // namespace zentrik
