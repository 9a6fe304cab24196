#pragma once

#include "draw/DrawDevice.h"
#include "draw/FillTool.h"
#include "draw/FloatingSelection.h"
#include "draw/LineTool.h"
#include "draw/MagnifierTool.h"
#include "draw/PenTool.h"
#include "draw/PictureClipboard.h"
#include "draw/PipetteTool.h"
#include "draw/RectangleTool.h"
#include "draw/SelectionTool.h"
#include "draw/ZoomView.h"

#include <optional>

namespace zentrik {

// Everything a picture page's edit control does, without the control: the current tool and
// the two pen colours, mouse events in chunk coordinates, the selection, the shared clipboard,
// undo and the magnification. A widget converts its mouse positions with view().toChunk() and
// forwards them; afterwards it repaints from the device, the selection and the view.
class PictureEditor : public ToolContext {
public:
    PictureEditor(CDrawDevice& device, PictureClipboard& clipboard);

    CDrawDevice& device() override { return *m_device; }
    uint8_t colour(MouseButton button) const override;
    void setColour(MouseButton button, uint8_t index) override;
    FloatingSelection& selection() override { return m_selection; }
    ZoomView& view() override { return m_view; }
    const PictureClipboard& clipboard() const { return m_clipboard; }

    ToolId toolId() const { return m_tool->id(); }
    Tool& tool() { return *m_tool; }
    // Switching tools ends the current action and drops a floating block. A number that is no
    // tool is reported and changes nothing.
    void selectTool(ToolId id);
    // After the page showed another chunk: the view starts again at the chunk's first step.
    void resetView() { m_view.reset(m_device->width()); }

    // A press outside the chunk starts nothing. A second button pressed while one is held
    // first ends the action of the first as if it had been released.
    void buttonDown(MouseButton button, ChunkPoint p);
    void mouseMove(ChunkPoint p);
    void buttonUp(MouseButton button, ChunkPoint p);
    void cancel();
    bool buttonHeld() const { return m_held.has_value(); }

    void copy();
    void cut();
    bool paste();
    // Delete: the floating block goes without being written.
    void deleteSelection() { m_selection.clear(); }
    // Ends the action and drops what floats before undoing, so a moved block and its lift go
    // back together and a pasted block simply disappears.
    bool undo();
    bool redo();

    // Before the page shows another chunk (or replaces the device's pixels): the action ends
    // and a floating block is dropped where it is.
    void leaveChunk();

private:
    void endAction();

    CDrawDevice* m_device;
    PictureClipboard& m_clipboard;
    FloatingSelection m_selection;
    ZoomView m_view;
    uint8_t m_left = 0;
    uint8_t m_right = 0;
    std::optional<MouseButton> m_held;
    ChunkPoint m_lastPoint;

    PenTool m_pen;
    PipetteTool m_pipette;
    FillTool m_fill;
    LineTool m_line;
    RectangleTool m_rectangle;
    SelectionTool m_select;
    MagnifierTool m_magnifier;
    Tool* m_tool = &m_pen;
};

} // namespace zentrik
