#include "music/CPPMusicPercussion.h"

#include <QCheckBox>
#include <QGridLayout>

namespace zentrik::gui {

CPPMusicPercussion::CPPMusicPercussion(QWidget* parent)
    : QGroupBox(QStringLiteral("Percussions/Misc.."), parent) {
    setObjectName(QStringLiteral("CPPMusicPercussion"));
    setToolTip(QStringLiteral("The rhythm mode as the song turns it on and keys its instruments"));
    auto* grid = new QGridLayout(this);
    m_enabled = addBox("Enable percussions", "enabled");
    grid->addWidget(m_enabled, 0, 0, 1, 2);
    m_hiHat = addBox("Hi Hat", "hiHat");
    m_cymbal = addBox("Top Cymbal", "topCymbal");
    m_tom = addBox("Tom Tom", "tomTom");
    m_snare = addBox("Snare drum", "snareDrum");
    m_bass = addBox("Bass drum", "bassDrum");
    QCheckBox* boxes[] = {m_hiHat, m_cymbal, m_tom, m_snare, m_bass};
    for (int i = 0; i < 5; ++i)
        grid->addWidget(boxes[i], 1 + i / 2, i % 2);
}

QCheckBox* CPPMusicPercussion::addBox(const char* label, const char* name) {
    auto* box = new QCheckBox(QLatin1String(label), this);
    box->setObjectName(QLatin1String(name));
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

void CPPMusicPercussion::display(const RhythmUse& use) {
    m_enabled->setChecked(use.enabled);
    m_hiHat->setChecked(use.hiHat);
    m_cymbal->setChecked(use.topCymbal);
    m_tom->setChecked(use.tomTom);
    m_snare->setChecked(use.snareDrum);
    m_bass->setChecked(use.bassDrum);
}

bool CPPMusicPercussion::checked(const char* name) const {
    const auto* box = findChild<QCheckBox*>(QLatin1String(name));
    return box && box->isChecked();
}

} // namespace zentrik::gui
