#include "draw/PenTool.h"

#include "draw/DrawDevice.h"
#include "draw/LineTool.h"

namespace zentrik {

void PenTool::buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) {
    CDrawDevice& device = ctx.device();
    m_active = true;
    m_colour = ctx.colour(button);
    m_last = p;
    device.startUndoRecord(UndoKind::PixelList);
    device.setPixel(p.x, p.y, m_colour);
}

void PenTool::mouseMove(ToolContext& ctx, ChunkPoint p) {
    if (!m_active || p == m_last)
        return;
    drawLine(ctx.device(), m_last, p, m_colour);
    m_last = p;
}

void PenTool::buttonUp(ToolContext& ctx, ChunkPoint p) {
    if (!m_active)
        return;
    mouseMove(ctx, p);
    cancel(ctx);
}

void PenTool::cancel(ToolContext& ctx) {
    if (!m_active)
        return;
    m_active = false;
    ctx.device().closeUndoRecord();
}

} // namespace zentrik
