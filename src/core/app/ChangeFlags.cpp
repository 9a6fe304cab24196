#include "app/ChangeFlags.h"

#include <algorithm>

namespace zentrik {

bool ChangeFlags::canSuppress(DataSet d) {
    return d == DataSet::Walls || d == DataSet::Sprites || d == DataSet::Sounds ||
           d == DataSet::Graphics;
}

void ChangeFlags::set(DataSet which, bool changed) {
    if (m_suppressed[idx(which)])
        return;
    m_changed[idx(which)] = changed;
    if (onChanged)
        onChanged();
}

bool ChangeFlags::any() const {
    return std::any_of(m_changed.begin(), m_changed.end(), [](bool b) { return b; });
}

void ChangeFlags::setSuppressed(DataSet which, bool on) {
    if (canSuppress(which))
        m_suppressed[idx(which)] = on;
}

void ChangeFlags::setLoadAllUsed(bool used) {
    m_loadAllUsed = used;
    if (onChanged)
        onChanged();
}

} // namespace zentrik
