#include "music/CPPMusicGZ.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace zentrik::gui {

CPPMusicGZ::CPPMusicGZ(Prompter& prompter, QWidget* parent)
    : QGroupBox(QStringLiteral("Generator cell properties"), parent), m_panel(prompter) {
    setObjectName(QStringLiteral("CPPMusicGZ"));
    auto* form = new QFormLayout(this);
    auto* ops = new QHBoxLayout;
    m_ops[0] = new QRadioButton(QStringLiteral("Modulator"), this);
    m_ops[1] = new QRadioButton(QStringLiteral("Carrier"), this);
    m_ops[0]->setChecked(true);
    for (QRadioButton* b : m_ops) {
        ops->addWidget(b);
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                refresh(m_channel);
        });
    }
    form->addRow(ops);
    m_cell = new QLabel(this);
    form->addRow(m_cell);
    m_factor = addField(form, "Frequency factor", "factor");
    m_keyScaling = addFlag(form, "Keyboard scaling rate");
    m_envelope = addField(form, "Envelope", "envelope");
    m_vibrato = addFlag(form, "Vibrato");
    m_tremolo = addFlag(form, "Tremolo");
    m_attenuation = addField(form, "Attenuation (dB)", "attenuation");
    m_levelScaling = addField(form, "Level key scaling", "levelScaling");
    m_attack = addField(form, "Attack rate", "attack");
    m_decay = addField(form, "Decay rate", "decay");
    m_sustain = addField(form, "Sustain", "sustain");
    m_release = addField(form, "Release rate", "release");
    m_waveform = addField(form, "Waveform", "waveform");
}

QLineEdit* CPPMusicGZ::addField(QFormLayout* form, const char* label, const char* name) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    form->addRow(QLatin1String(label), field);
    return field;
}

QCheckBox* CPPMusicGZ::addFlag(QFormLayout* form, const char* label) {
    auto* box = new QCheckBox(QLatin1String(label), this);
    // Shown, not changed: the song's registers decide.
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    form->addRow(box);
    return box;
}

int CPPMusicGZ::op() const {
    return m_ops[1]->isChecked() ? 1 : 0;
}

QString CPPMusicGZ::fieldText(const char* name) const {
    const auto* field = findChild<QLineEdit*>(QLatin1String(name));
    return field ? field->text() : QString();
}

bool CPPMusicGZ::refresh(int channel) {
    m_channel = channel;
    if (!m_panel.refresh(channel, op()))
        return false;
    const OperatorSettings& s = m_panel.shown();
    m_cell->setText(QStringLiteral("Channel %1, cell %2")
                        .arg(channel + 1)
                        .arg(cellsOfChannel(channel)[size_t(op())]));
    m_factor->setText(QString::number(s.frequencyFactor));
    m_keyScaling->setChecked(s.keyboardScaling);
    m_envelope->setText(QString::fromStdString(s.envelopeText()));
    m_vibrato->setChecked(s.vibrato);
    m_tremolo->setChecked(s.tremolo);
    m_attenuation->setText(QString::fromStdString(s.attenuation));
    m_levelScaling->setText(QString::fromStdString(s.levelKeyScaling));
    m_attack->setText(QString::number(s.attackRate));
    m_decay->setText(QString::number(s.decayRate));
    m_sustain->setText(QString::number(s.sustain));
    m_release->setText(QString::number(s.releaseRate));
    m_waveform->setText(QString::fromStdString(s.waveform));
    return true;
}

} // namespace zentrik::gui
