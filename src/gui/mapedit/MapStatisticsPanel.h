#pragma once

#include "maps/LevelStatistics.h"

#include <QGroupBox>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QGridLayout;
class QLabel;

namespace zentrik::gui {

// "Statistics": the counts of the current level, four of them coloured by the engine's limits,
// and the five boxes that show or hide objects by difficulty (0, 1, 3, 4 and 5).
class MapStatisticsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit MapStatisticsPanel(QWidget* parent = nullptr);

    void showCounts(const LevelStatistics& s);
    void clear();
    // Box i (0 "Static:", 1 "Level 1:", 2 "Level 3:", 3 "Level 4:", 4 "Boss:") was switched.
    std::function<void(int box, bool on)> onDifficulty;

    QLabel* number(const char* objectName) const;
    QCheckBox* difficultyBox(int i) const { return m_boxes[size_t(i)]; }

private:
    QLabel* addRow(QGridLayout* grid, int row, const char* label, const char* name);
    static void setNumber(QLabel* l, int n, std::optional<StatColor> color = {});

    std::array<QCheckBox*, 5> m_boxes{};
};

} // namespace zentrik::gui
