#include "maps/MapEditTools.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace zentrik {

namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

} // namespace

void MapEditController::setPlanes(Plane* wallPlane, Plane* objectPlane) {
    walls = wallPlane;
    objects = objectPlane;
    view.walls = wallPlane;
    view.objects = objectPlane;
    m_rect.active = false;
    repaintNeeded();
}

bool MapEditController::hasLevel() const {
    return walls && objects && walls->size() == size_t(kPlaneWords) &&
           objects->size() == size_t(kPlaneWords);
}

void MapEditController::setPenMode(PenMode mode) {
    if (m_mode == PenMode::Paste && mode != PenMode::Paste)
        m_paste.reset(); // the preview exists only while pasting
    if (m_rect.active)
        escape();
    m_mode = mode;
    overlayChanged();
}

bool MapEditController::hasSelection() const {
    return m_selection.x0 != m_selection.x1 && m_selection.y0 != m_selection.y1;
}

uint16_t MapEditController::penValue() const {
    switch (target) {
    case PenTarget::Walls:
        return pen().wall;
    case PenTarget::Floors:
        return pen().floor;
    case PenTarget::Objects:
        return pen().object;
    }
    return 0;
}

void MapEditController::writeCell(int x, int y, uint16_t value, bool object) {
    if (!inMap(x, y) || !hasLevel())
        return;
    const size_t i = size_t(y * kMapSide + x);
    if (object) {
        (*objects)[i] = value;
        if (view.table && view.table->at(value).type == kObjectPlayerStart)
            playerStartDrawn();
    } else {
        (*walls)[i] = mergeSplit((*walls)[i], value, view.split);
    }
    modified();
    cellChanged(x, y);
    report(x, y, false);
}

bool MapEditController::press(int x, int y, bool leftButton) {
    if (!hasLevel() || m_quiet.ignoresPressAt(m_clock.ticks()) || m_button != 0)
        return false;
    if (m_mode == PenMode::RectSelect && !leftButton)
        return false;
    if (!inMap(x, y))
        return false;
    m_button = leftButton ? kLeftButton : kRightButton;
    m_lastX = x;
    m_lastY = y;
    captureMouse();
    switch (m_mode) {
    case PenMode::Pen:
        strokeBegin();
        writeCell(x, y, penValue(), !wallsMode());
        break;
    case PenMode::Pipette:
        pipette(x, y);
        break;
    case PenMode::Fill:
        strokeBegin();
        fill(x, y);
        break;
    case PenMode::Rectangle:
        m_rect = {true, x, y, x, y, penValue(), !wallsMode()};
        overlayChanged();
        break;
    case PenMode::RectSelect:
        m_selection = {x, y, x, y};
        overlayChanged();
        break;
    case PenMode::Paste:
        paste(x, y);
        break;
    case PenMode::PickPosition:
        endButton();
        m_quiet.mark(m_clock);
        positionPicked(x, y);
        break;
    default:
        endButton();
        m_prompter.message("Error 23:PenMode does not exist!", "Zentrik");
        break;
    }
    report(x, y, true);
    return true;
}

void MapEditController::move(int x, int y) {
    const bool moved = x != m_lastX || y != m_lastY;
    const int px = m_lastX, py = m_lastY;
    m_lastX = x;
    m_lastY = y;
    if (m_button != 0 && moved) {
        switch (m_mode) {
        case PenMode::Pen:
            drawLine(px, py, x, y);
            break;
        case PenMode::Pipette:
            if (inMap(x, y))
                pipette(x, y);
            break;
        case PenMode::Fill:
            if (inMap(x, y))
                fill(x, y);
            break;
        case PenMode::Rectangle:
            m_rect.x1 = std::clamp(x, 0, kMapSide - 1);
            m_rect.y1 = std::clamp(y, 0, kMapSide - 1);
            overlayChanged();
            break;
        case PenMode::RectSelect:
            dragSelection(x, y);
            break;
        default:
            break;
        }
    } else if (m_mode == PenMode::Paste && moved) {
        overlayChanged();
    }
    if (inMap(x, y))
        report(x, y, false);
}

void MapEditController::release(int, int) {
    if (m_button == 0)
        return;
    if (m_mode == PenMode::Rectangle && m_rect.active) {
        m_rect.active = false;
        strokeBegin();
        for (int y = std::min(m_rect.y0, m_rect.y1); y <= std::max(m_rect.y0, m_rect.y1); ++y)
            for (int x = std::min(m_rect.x0, m_rect.x1); x <= std::max(m_rect.x0, m_rect.x1); ++x)
                writeCell(x, y, m_rect.value, m_rect.object);
        overlayChanged();
    }
    endButton();
}

bool MapEditController::escape() {
    if (!m_rect.active)
        return false;
    m_rect.active = false;
    overlayChanged();
    return true;
}

void MapEditController::abandonButton() {
    escape();
    if (m_button != 0)
        endButton();
}

void MapEditController::endButton() {
    const bool stroke = m_button != 0 && m_mode != PenMode::Pipette &&
                        m_mode != PenMode::RectSelect && m_mode != PenMode::PickPosition;
    m_button = 0;
    releaseMouse();
    if (stroke)
        strokeEnd();
}

void MapEditController::drawLine(int x0, int y0, int x1, int y1) {
    const int dx = x1 - x0, dy = y1 - y0;
    const bool value = !wallsMode();
    const uint16_t v = penValue();
    // Steps along the longer axis; the other coordinate follows with the signed ratio, so
    // strokes in every direction stay on the straight line between the two positions.
    if (std::abs(dx) < std::abs(dy)) {
        const int step = dy > 0 ? 1 : -1;
        for (int k = 0; k != dy; k += step)
            writeCell(x0 + (k * dx) / dy, y0 + k, v, value);
    } else if (dx != 0) {
        const int step = dx > 0 ? 1 : -1;
        for (int k = 0; k != dx; k += step)
            writeCell(x0 + k, y0 + (k * dy) / dx, v, value);
    }
    writeCell(x1, y1, v, value);
}

void MapEditController::pipette(int x, int y) {
    const size_t i = size_t(y * kMapSide + x);
    picked(m_button == kLeftButton, splitPart((*walls)[i], view.split), (*objects)[i]);
}

void MapEditController::fill(int x, int y) {
    const uint16_t v = penValue();
    const size_t start = size_t(y * kMapSide + x);
    const uint16_t w0 = (*walls)[start];
    const uint16_t o0 = (*objects)[start];
    const bool objectMode = !wallsMode();
    const uint16_t newPart = view.split == SplitMode::Whole ? v : uint16_t(v & 0xFF);
    if (objectMode ? o0 == v : splitPart(w0, view.split) == newPart)
        return; // the region already has the pen's value
    auto member = [&](size_t i) {
        if (objectMode)
            return (*walls)[i] == w0 && (*objects)[i] == o0 && (*objects)[i] != v;
        return splitPart((*walls)[i], view.split) == splitPart(w0, view.split);
    };
    // An explicit stack: a whole-map region would be 4096 nested calls deep otherwise.
    std::vector<size_t> todo{start};
    while (!todo.empty()) {
        const size_t i = todo.back();
        todo.pop_back();
        if (!member(i))
            continue;
        const int cx = int(i % kMapSide), cy = int(i / kMapSide);
        writeCell(cx, cy, v, objectMode);
        if (cy > 0)
            todo.push_back(i - kMapSide);
        if (cy < kMapSide - 1)
            todo.push_back(i + kMapSide);
        if (cx > 0)
            todo.push_back(i - 1);
        if (cx < kMapSide - 1)
            todo.push_back(i + 1);
    }
}

void MapEditController::dragSelection(int x, int y) {
    MapSelection next = m_selection;
    next.x1 = x >= next.x0 ? x + 1 : x;
    next.y1 = y >= next.y0 ? y + 1 : y;
    if (std::abs(next.x1 - next.x0) > kMapSide || std::abs(next.y1 - next.y0) > kMapSide) {
        endButton();
        m_prompter.message("Zentrik", "Error 24:Rect Select bigger than 64 !");
        return;
    }
    m_selection = next;
    overlayChanged();
}

bool MapEditController::beginPaste(const MapClipBlock& block) {
    if (!canPaste(block))
        return false;
    m_paste = block;
    setPenMode(PenMode::Paste);
    m_paste = block; // setPenMode keeps it only when already pasting
    overlayChanged();
    return true;
}

void MapEditController::paste(int x, int y) {
    if (m_paste) {
        strokeBegin();
        pasteCells(*walls, *objects, *m_paste, x, y);
        // A pasted block is an edit like any other: the unsaved-changes question must see it.
        modified();
    }
    m_paste.reset();
    m_selection = {};
    m_mode = PenMode::RectSelect;
    repaintNeeded();
    pasteDone();
    endButton();
    strokeEnd();
}

void MapEditController::report(int x, int y, bool always) {
    if (!inMap(x, y) || !hasLevel())
        return;
    const size_t i = size_t(y * kMapSide + x);
    const CursorReport r{x, y, (*objects)[i], splitPart((*walls)[i], view.split)};
    if (!always && r == m_cursor)
        return;
    m_cursor = r;
    cursorMoved(r);
}

} // namespace zentrik
