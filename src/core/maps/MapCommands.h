#pragma once

#include "maps/LevelSetEditor.h"
#include "maps/MapClipboard.h"

#include <optional>

namespace zentrik {

// The map page's commands on the current level. Every command that changes a plane raises the
// maps' changed flag, so the unsaved-changes question protects the work.
class MapCommands {
public:
    MapCommands(LevelSetEditor& editor, Prompter& prompter)
        : m_editor(editor), m_prompter(prompter) {}

    // "Clear Map" after its question: the wall plane being edited and the objects become 0.
    bool clearMap();
    // "Init Map" after its question: the wall plane filled with the floor pen, the outer ring
    // with the wall pen, no objects.
    bool initMap(uint16_t leftFloor, uint16_t leftWall);
    // Every symbol 0..511 eight times, row by row, in the walls (objects 0) or the objects.
    bool makeWallTestMap();
    bool makeObjectTestMap();

    std::optional<MapClipBlock> copy(const MapSelection& sel);
    std::optional<MapClipBlock> cut(const MapSelection& sel);
    bool paste(const MapClipBlock& block, int column, int row);

private:
    bool fill(uint16_t wallValue, uint16_t objectValue);
    bool changed();

    LevelSetEditor& m_editor;
    Prompter& m_prompter;
};

} // namespace zentrik
