#include "draw/LineTool.h"

#include "draw/DrawDevice.h"

namespace zentrik {

void drawLine(CDrawDevice& device, Point a, Point b, uint8_t colour) {
    forEachLinePixel(a, b, [&](Point p) { device.setPixel(p.x, p.y, colour); });
}

void LineTool::buttonDown(ToolContext& ctx, MouseButton button, Point p) {
    m_active = true;
    m_start = m_current = p;
    m_colour = ctx.colour(button);
}

void LineTool::mouseMove(ToolContext&, Point p) {
    if (m_active)
        m_current = p;
}

void LineTool::buttonUp(ToolContext& ctx, Point p) {
    if (!m_active)
        return;
    m_active = false;
    CDrawDevice& device = ctx.device();
    device.startUndoRecord(UndoKind::PixelList);
    drawLine(device, m_start, p, m_colour);
    device.closeUndoRecord();
}

std::optional<std::pair<Point, Point>> LineTool::pending() const {
    if (!m_active)
        return std::nullopt;
    return std::pair{m_start, m_current};
}

} // namespace zentrik
