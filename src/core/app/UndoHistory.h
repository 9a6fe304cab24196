#pragma once

#include "app/Signal.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace zentrik {

// The undo history of one data set. A step is a pair of actions that take the set back and
// forth; each returns the item (level, chunk, ...) to show afterwards, or -1. The clean mark
// follows the last load or save, so "modified" is simply "not at the clean mark".
class UndoHistory {
public:
    static constexpr size_t kDefaultMaxSteps = 64;

    struct Step {
        std::function<int()> undo;
        std::function<int()> redo;
    };

    explicit UndoHistory(size_t maxSteps = kDefaultMaxSteps) : m_max(maxSteps) {}
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Records a step already done; the redo branch is dropped, and past the limit the oldest.
    void push(Step step);
    bool canUndo() const { return m_next > 0; }
    bool canRedo() const { return m_next < m_steps.size(); }
    // Nothing when there is no step; else the item the step names (-1: none).
    std::optional<int> undo();
    std::optional<int> redo();

    void clear(); // a new set was read: nothing before it can be undone, and it is clean
    void markClean();
    bool isClean() const { return m_clean == m_next; }
    size_t size() const { return m_steps.size(); }
    // Grows with every change of the history (push, undo, redo, clear, clean mark), so a
    // recorder can tell whether its newest step is still untouched on top.
    uint64_t revision() const { return m_revision; }

    // After every push, undo, redo, clear or markClean: buttons and "modified" follow it.
    Signal<> changed;

private:
    std::deque<Step> m_steps;
    size_t m_max;
    size_t m_next = 0;                 // steps before this index are done
    std::optional<size_t> m_clean = 0; // none: the clean state was dropped from the history
    uint64_t m_revision = 0;
    void touched() {
        ++m_revision;
        changed();
    }
};

} // namespace zentrik
