#include "mapedit/EditPlaneBar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

namespace zentrik::gui {

namespace {
constexpr int kFlashMs = 1500;
const char* const kPlain = "QLabel { font-weight: bold; padding: 1px 6px; }";
const char* const kFlash =
    "QLabel { font-weight: bold; padding: 1px 6px; background: #ffd24d; color: black; }";
} // namespace

EditPlaneBar::EditPlaneBar(const QList<QAction*>& planes, QAction* thirdPlane, QWidget* parent)
    : QWidget(parent), m_planes(planes), m_thirdPlane(thirdPlane) {
    setObjectName(QStringLiteral("editPlaneBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Pens draw on:")));
    m_name = new QLabel;
    m_name->setObjectName(QStringLiteral("editPlaneName"));
    QFont big = m_name->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_name->setFont(big);
    m_name->setStyleSheet(QString::fromLatin1(kPlain));
    m_name->setMinimumWidth(m_name->fontMetrics().horizontalAdvance(QStringLiteral("3rd plane")) +
                            16);
    row->addWidget(m_name);
    QList<QAction*> all = planes;
    all.append(thirdPlane);
    for (QAction* a : all) {
        auto* b = new QToolButton;
        b->setObjectName(a->objectName() + QStringLiteral("Button"));
        b->setDefaultAction(a);
        b->setAutoRaise(false);
        row->addWidget(b);
        connect(a, &QAction::toggled, this, [this] { showPlane(false); });
        connect(a, &QAction::changed, this, [this] { showPlane(false); });
    }
    row->addStretch(1);
    showPlane(false);
}

QString EditPlaneBar::planeText() const {
    if (m_thirdPlane->isChecked())
        return QStringLiteral("3rd plane");
    for (QAction* a : m_planes)
        if (a->isChecked())
            return a->text().mid(a->text().indexOf(QLatin1Char(' ')) + 1); // "Edit Walls"
    return QString();
}

void EditPlaneBar::showPlane(bool flash) {
    m_name->setText(planeText());
    if (flash)
        setFlash(true);
}

void EditPlaneBar::setFlash(bool on) {
    m_flashing = on;
    m_name->setStyleSheet(QString::fromLatin1(on ? kFlash : kPlain));
    if (!on)
        return;
    const int generation = ++m_flashGeneration;
    QTimer::singleShot(kFlashMs, this, [this, generation] {
        if (generation == m_flashGeneration)
            setFlash(false);
    });
}

} // namespace zentrik::gui
