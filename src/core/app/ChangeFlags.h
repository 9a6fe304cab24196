#pragma once

#include "app/DataSet.h"

#include <array>
#include <functional>

namespace zentrik {

// The eight changed flags. Walls, sprites, sounds and graphics have a companion suppress flag
// that, while set, keeps their flag from changing at all (used while a load fills a set).
class ChangeFlags {
public:
    void set(DataSet which, bool changed);
    bool isSet(DataSet which) const { return m_changed[idx(which)]; }
    bool any() const;
    void setSuppressed(DataSet which, bool on);

    // Once Load All has loaded a folder, Save all is enabled exactly when a flag is set.
    void setLoadAllUsed(bool used);
    bool loadAllUsed() const { return m_loadAllUsed; }
    bool saveAllEnabled() const { return m_loadAllUsed && any(); }

    std::function<void()> onChanged; // any flag or Save all's state may have changed

private:
    static int idx(DataSet d) { return int(d); }
    static bool canSuppress(DataSet d);
    std::array<bool, kDataSetCount> m_changed{};
    std::array<bool, kDataSetCount> m_suppressed{};
    bool m_loadAllUsed = false;
};

} // namespace zentrik
