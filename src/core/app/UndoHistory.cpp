#include "app/UndoHistory.h"

namespace zentrik {

void UndoHistory::push(Step step) {
    m_steps.erase(m_steps.begin() + ptrdiff_t(m_next), m_steps.end());
    if (m_clean && *m_clean > m_next)
        m_clean.reset(); // the saved state lay in the redo branch that is now gone
    m_steps.push_back(std::move(step));
    ++m_next;
    if (m_steps.size() > m_max) {
        m_steps.pop_front();
        --m_next;
        if (m_clean)
            m_clean = *m_clean == 0 ? std::nullopt : std::optional<size_t>(*m_clean - 1);
    }
    touched();
}

std::optional<int> UndoHistory::undo() {
    if (!canUndo())
        return std::nullopt;
    const int focus = m_steps[--m_next].undo();
    touched();
    return focus;
}

std::optional<int> UndoHistory::redo() {
    if (!canRedo())
        return std::nullopt;
    const int focus = m_steps[m_next++].redo();
    touched();
    return focus;
}

void UndoHistory::clear() {
    m_steps.clear();
    m_next = 0;
    m_clean = 0;
    touched();
}

void UndoHistory::markClean() {
    m_clean = m_next;
    touched();
}

} // namespace zentrik
