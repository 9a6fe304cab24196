#include "draw/LineTool.h"

#include "draw/DrawDevice.h"

namespace zentrik {

void drawLine(CDrawDevice& device, ChunkPoint a, ChunkPoint b, uint8_t colour) {
    forEachLinePixel(a, b, [&](ChunkPoint p) { device.setPixel(p.x, p.y, colour); });
}

void LineTool::buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) {
    m_active = true;
    m_start = m_current = p;
    m_colour = ctx.colour(button);
}

void LineTool::mouseMove(ToolContext&, ChunkPoint p) {
    if (m_active)
        m_current = p;
}

void LineTool::buttonUp(ToolContext& ctx, ChunkPoint p) {
    if (!m_active)
        return;
    m_active = false;
    CDrawDevice& device = ctx.device();
    device.startUndoRecord(UndoKind::PixelList);
    drawLine(device, m_start, p, m_colour);
    device.closeUndoRecord();
}

std::optional<std::pair<ChunkPoint, ChunkPoint>> LineTool::pending() const {
    if (!m_active)
        return std::nullopt;
    return std::pair{m_start, m_current};
}

} // namespace zentrik
