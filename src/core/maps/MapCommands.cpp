#include "maps/MapCommands.h"

#include <algorithm>

namespace zentrik {

namespace {

constexpr int kTestMapSymbols = 512;

Plane* objectPlane(LevelSetEditor& e) {
    Level* l = e.set().current();
    return l && l->planes[1].size() == size_t(kPlaneWords) ? &l->planes[1] : nullptr;
}

Plane* wallPlane(LevelSetEditor& e) {
    Plane* p = e.wallPlane();
    return p && p->size() == size_t(kPlaneWords) ? p : nullptr;
}

} // namespace

bool MapCommands::changed() {
    m_editor.setMapsModified(true);
    m_editor.setCurrentMap(m_editor.set().currentLevel);
    return true;
}

bool MapCommands::fill(uint16_t wallValue, uint16_t objectValue) {
    Plane* walls = wallPlane(m_editor);
    Plane* objects = objectPlane(m_editor);
    if (!walls || !objects)
        return false;
    std::fill(walls->begin(), walls->end(), wallValue);
    std::fill(objects->begin(), objects->end(), objectValue);
    return true;
}

bool MapCommands::clearMap() {
    if (!wallPlane(m_editor) || m_prompter.ask("Do you really want to clear this map?", "Zentrik",
                                               Buttons::OkCancel) != Answer::Ok)
        return false;
    return fill(0, 0) && changed();
}

bool MapCommands::initMap(uint16_t leftFloor, uint16_t leftWall) {
    if (!wallPlane(m_editor) ||
        m_prompter.ask("Do you really want to initialize your map? This erases your map!",
                       "Zentrik", Buttons::OkCancel) != Answer::Ok)
        return false;
    if (!fill(leftFloor, 0))
        return false;
    Plane& walls = *wallPlane(m_editor);
    for (int i = 0; i < kMapSide; ++i) {
        walls[size_t(i)] = leftWall;
        walls[size_t((kMapSide - 1) * kMapSide + i)] = leftWall;
        walls[size_t(i * kMapSide)] = leftWall;
        walls[size_t(i * kMapSide + kMapSide - 1)] = leftWall;
    }
    return changed();
}

bool MapCommands::makeWallTestMap() {
    if (!fill(0, 0))
        return false;
    Plane& walls = *wallPlane(m_editor);
    for (int i = 0; i < kPlaneWords; ++i)
        walls[size_t(i)] = uint16_t(i % kTestMapSymbols);
    return changed();
}

bool MapCommands::makeObjectTestMap() {
    if (!fill(0, 0))
        return false;
    Plane& objects = *objectPlane(m_editor);
    for (int i = 0; i < kPlaneWords; ++i)
        objects[size_t(i)] = uint16_t(i % kTestMapSymbols);
    return changed();
}

std::optional<MapClipBlock> MapCommands::copy(const MapSelection& sel) {
    Plane* walls = wallPlane(m_editor);
    Plane* objects = objectPlane(m_editor);
    if (!walls || !objects)
        return std::nullopt;
    return copyCells(*walls, *objects, sel, false);
}

std::optional<MapClipBlock> MapCommands::cut(const MapSelection& sel) {
    Plane* walls = wallPlane(m_editor);
    Plane* objects = objectPlane(m_editor);
    if (!walls || !objects)
        return std::nullopt;
    auto block = copyCells(*walls, *objects, sel, true);
    if (block)
        changed();
    return block;
}

bool MapCommands::paste(const MapClipBlock& block, int column, int row) {
    Plane* walls = wallPlane(m_editor);
    Plane* objects = objectPlane(m_editor);
    if (!walls || !objects || !pasteCells(*walls, *objects, block, column, row))
        return false;
    return changed();
}

} // namespace zentrik
