#pragma once

#include <QString>

#include <vector>

namespace zentrik::gui {

// One tab of the main window: its label, the class of its page and, for pages that hold a
// sheet of their own, the nested tabs.
struct TabEntry {
    QString label;
    QString pageClass;
    std::vector<TabEntry> nested;
};

// The editor's tabs in the order they are shown.
const std::vector<TabEntry>& mainTabs();

} // namespace zentrik::gui
