#include "mapedit/MapStatisticsPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

namespace zentrik::gui {

namespace {

// The statistics' counted rows: label text, object name of the number.
struct Row {
    const char* label;
    const char* name;
};
constexpr Row kObjectRows[] = {{"Static:", "statStatic"},   {"Ammo:", "statAmmo"},
                               {"Shoots:", "statShoots"},   {"Player:", "statPlayer"},
                               {"DirMark:", "statDirMark"}, {"Total:", "statObjects"}};
constexpr const char* kDifficultyBoxNames[] = {"showStatic", "showLevel1", "showLevel3",
                                               "showLevel4", "showBoss"};

} // namespace

MapStatisticsPanel::MapStatisticsPanel(QWidget* parent) : QGroupBox(tr("Statistics"), parent) {
    setObjectName(QStringLiteral("statistics"));
    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Objects")), row++, 0, 1, 3);
    for (const Row& r : kObjectRows)
        addRow(grid, row++, r.label, r.name);
    grid->addWidget(new QLabel(QStringLiteral("Guards")), row++, 0, 1, 3);
    const char* guardLabels[] = {"Level 1:", "Level 3:", "Level 4:", "Boss:"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(guardLabels[i])), row, 0);
        m_boxes[size_t(i + 1)] = new QCheckBox(QStringLiteral("0"));
        grid->addWidget(m_boxes[size_t(i + 1)], row++, 1);
    }
    addRow(grid, row++, "Total:", "statGuards");
    grid->addWidget(new QLabel(QStringLiteral("Doors")), row++, 0, 1, 3);
    addRow(grid, row++, "Normal:", "statDoors");
    addRow(grid, row++, "Secret:", "statSecret");
    m_boxes[0] = new QCheckBox;
    grid->addWidget(m_boxes[0], 1, 2); // beside the "Static:" number
    for (int i = 0; i < 5; ++i) {
        QCheckBox* b = m_boxes[size_t(i)];
        b->setObjectName(QString::fromLatin1(kDifficultyBoxNames[i]));
        b->setChecked(true);
        connect(b, &QCheckBox::toggled, this, [this, i](bool on) {
            if (onDifficulty)
                onDifficulty(i, on);
        });
    }
    clear();
}

QLabel* MapStatisticsPanel::addRow(QGridLayout* grid, int row, const char* label,
                                   const char* name) {
    grid->addWidget(new QLabel(QString::fromLatin1(label)), row, 0);
    auto* n = new QLabel;
    n->setObjectName(QString::fromLatin1(name));
    grid->addWidget(n, row, 1);
    return n;
}

QLabel* MapStatisticsPanel::number(const char* objectName) const {
    return findChild<QLabel*>(QString::fromLatin1(objectName));
}

void MapStatisticsPanel::setNumber(QLabel* l, int n, std::optional<StatColor> color) {
    l->setText(QString::asprintf("%i", n));
    if (color)
        l->setStyleSheet(
            QStringLiteral("color: rgb(%1, %2, %3)").arg(color->r).arg(color->g).arg(color->b));
}

void MapStatisticsPanel::showCounts(const LevelStatistics& s) {
    setNumber(number("statStatic"), s.statics, s.staticsColor());
    setNumber(number("statAmmo"), s.ammo);
    setNumber(number("statShoots"), s.shoots);
    setNumber(number("statPlayer"), s.players, s.playersColor());
    setNumber(number("statDirMark"), s.directionMarks);
    setNumber(number("statObjects"), s.objects);
    setNumber(number("statGuards"), s.guards, s.guardsColor());
    setNumber(number("statDoors"), s.doors, s.doorsColor());
    setNumber(number("statSecret"), s.secrets);
    m_boxes[1]->setText(QString::asprintf("%i", s.byDifficulty[1]));
    m_boxes[2]->setText(QString::asprintf("%i", s.byDifficulty[3]));
    m_boxes[3]->setText(QString::asprintf("%i", s.byDifficulty[4]));
    m_boxes[4]->setText(QString::asprintf("%i", s.bosses));
}

void MapStatisticsPanel::clear() {
    showCounts(LevelStatistics{});
}

} // namespace zentrik::gui
