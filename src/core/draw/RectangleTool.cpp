#include "draw/RectangleTool.h"

#include "draw/DrawDevice.h"

namespace zentrik {

namespace {
ChunkPoint clampInto(const CDrawDevice& device, ChunkPoint p) {
    return {std::clamp(p.x, 0, device.width() - 1), std::clamp(p.y, 0, device.height() - 1)};
}
} // namespace

void fillRectangle(CDrawDevice& device, ChunkPoint a, ChunkPoint b, uint8_t colour) {
    const ChunkRect rect = ChunkRect::spanning(a, b).intersected(device.bounds());
    if (rect.empty())
        return;
    device.startUndoRecord(UndoKind::Rectangle);
    for (int y = rect.top; y <= rect.bottom; ++y)
        for (int x = rect.left; x <= rect.right; ++x)
            device.setPixel(x, y, colour);
    device.closeUndoRecord(rect);
}

void RectangleTool::buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) {
    m_active = true;
    m_start = m_current = p;
    m_colour = ctx.colour(button);
}

void RectangleTool::mouseMove(ToolContext&, ChunkPoint p) {
    if (m_active)
        m_current = p;
}

void RectangleTool::buttonUp(ToolContext& ctx, ChunkPoint p) {
    if (!m_active)
        return;
    m_active = false;
    CDrawDevice& device = ctx.device();
    if (!device.hasChunk())
        return;
    fillRectangle(device, m_start, clampInto(device, p), m_colour);
}

std::optional<ChunkRect> RectangleTool::pending(const CDrawDevice& device) const {
    if (!m_active || !device.hasChunk())
        return std::nullopt;
    return ChunkRect::spanning(m_start, clampInto(device, m_current));
}

} // namespace zentrik
