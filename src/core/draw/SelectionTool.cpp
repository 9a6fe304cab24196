#include "draw/SelectionTool.h"

#include "draw/DrawDevice.h"
#include "draw/FloatingSelection.h"

#include <algorithm>

namespace zentrik {

void SelectionTool::buttonDown(ToolContext& ctx, MouseButton, ChunkPoint p) {
    FloatingSelection& selection = ctx.selection();
    CDrawDevice& device = ctx.device();
    if (selection.exists() && selection.rect().contains(p)) {
        if (!selection.floating())
            selection.lift(device, ctx.colour(MouseButton::Right));
        m_mode = Mode::Moving;
        m_last = p;
        return;
    }
    selection.drop(device);
    m_mode = Mode::Marking;
    m_anchor = p;
    selection.mark({p.x, p.y, p.x, p.y});
}

void SelectionTool::mouseMove(ToolContext& ctx, ChunkPoint p) {
    FloatingSelection& selection = ctx.selection();
    if (m_mode == Mode::Moving) {
        selection.moveBy(p.x - m_last.x, p.y - m_last.y);
        m_last = p;
    } else if (m_mode == Mode::Marking) {
        const CDrawDevice& device = ctx.device();
        const ChunkPoint held{std::clamp(p.x, 0, device.width() - 1),
                              std::clamp(p.y, 0, device.height() - 1)};
        selection.mark(ChunkRect::spanning(m_anchor, held));
    }
}

void SelectionTool::buttonUp(ToolContext& ctx, ChunkPoint p) {
    mouseMove(ctx, p);
    FloatingSelection& selection = ctx.selection();
    if (m_mode == Mode::Marking && selection.width() == 1 && selection.height() == 1 &&
        p == m_anchor)
        selection.clear();
    else if (m_mode == Mode::Moving)
        selection.discardIfOutside(ctx.device());
    m_mode = Mode::Idle;
}

void SelectionTool::cancel(ToolContext& ctx) {
    if (m_mode == Mode::Marking)
        ctx.selection().clear();
    m_mode = Mode::Idle;
}

} // namespace zentrik
