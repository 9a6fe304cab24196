#include "draw/PictureEditor.h"

#include "draw/DrawDevice.h"
#include "platform/Prompter.h"

namespace zentrik {

PictureEditor::PictureEditor(CDrawDevice& device, PictureClipboard& clipboard)
    : m_device(&device), m_clipboard(clipboard) {
    m_view.reset(device.width());
}

uint8_t PictureEditor::colour(MouseButton button) const {
    return button == MouseButton::Left ? m_left : m_right;
}

void PictureEditor::setColour(MouseButton button, uint8_t index) {
    (button == MouseButton::Left ? m_left : m_right) = index;
}

void PictureEditor::selectTool(ToolId id) {
    if (int(id) < 0 || int(id) >= kToolCount) {
        if (Prompter* prompter = m_device->prompter())
            prompter->message("Error 23:PenMode does not exist!", "Zentrik", MessageIcon::Error);
        return;
    }
    endAction();
    m_selection.drop(*m_device);
    Tool* tools[kToolCount] = {&m_pen,       &m_pipette, &m_fill,     &m_line,
                               &m_rectangle, &m_select,  &m_magnifier};
    m_tool = tools[int(id)];
}

void PictureEditor::buttonDown(MouseButton button, ChunkPoint p) {
    endAction();
    if (!m_device->contains(p))
        return;
    m_held = button;
    m_lastPoint = p;
    m_tool->buttonDown(*this, button, p);
}

void PictureEditor::mouseMove(ChunkPoint p) {
    if (!m_held)
        return;
    m_lastPoint = p;
    m_tool->mouseMove(*this, p);
}

void PictureEditor::buttonUp(MouseButton button, ChunkPoint p) {
    if (m_held != button)
        return;
    m_held.reset();
    m_tool->buttonUp(*this, p);
}

void PictureEditor::cancel() {
    m_held.reset();
    m_tool->cancel(*this);
}

void PictureEditor::endAction() {
    if (m_held)
        buttonUp(*m_held, m_lastPoint);
}

void PictureEditor::copy() {
    copySelection(*m_device, m_selection, m_clipboard);
}

void PictureEditor::cut() {
    endAction();
    cutSelection(*m_device, m_selection, m_clipboard, m_right);
}

bool PictureEditor::paste() {
    if (m_clipboard.empty() || !m_device->hasChunk())
        return false;
    selectTool(ToolId::Selection);
    return pasteSelection(*m_device, m_selection, m_clipboard);
}

bool PictureEditor::undo() {
    endAction();
    const bool pasted = m_selection.floating() && !m_selection.lifted();
    const bool wrote = m_selection.drop(*m_device);
    if (pasted && !wrote)
        return true; // the pasted block lay off the chunk: taking it away was the whole step
    return m_device->undo();
}

bool PictureEditor::redo() {
    endAction();
    // A floating block is placed first: that is a new edit, after which nothing is redone.
    m_selection.drop(*m_device);
    return m_device->redo();
}

void PictureEditor::leaveChunk() {
    endAction();
    m_selection.drop(*m_device);
}

} // namespace zentrik
