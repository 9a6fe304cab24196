#pragma once

#include "music/OperatorCells.h"

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class QFormLayout;
class QRadioButton;

namespace zentrik::gui {

// "Generator cell properties": how the song sets up one of the two operators of the selected
// channel before it starts playing. Every field is read-only; the song's register writes are
// what they show.
class CPPMusicGZ : public QGroupBox {
    Q_OBJECT
public:
    explicit CPPMusicGZ(Prompter& prompter, QWidget* parent = nullptr);

    void attach(const MusicDocument* music) { m_panel.attach(music); }
    // Shows the channel's operator that is picked (op 0 or 1); false before attach().
    bool refresh(int channel);
    int op() const;
    const OperatorSettings& shown() const { return m_panel.shown(); }
    QString fieldText(const char* name) const;

private:
    QLineEdit* addField(QFormLayout* form, const char* label, const char* name);
    QCheckBox* addFlag(QFormLayout* form, const char* label);

    CellPropertiesPanel m_panel;
    int m_channel = 1;
    QLabel* m_cell = nullptr;
    QRadioButton* m_ops[2] = {};
    QLineEdit* m_factor = nullptr;
    QCheckBox* m_keyScaling = nullptr;
    QLineEdit* m_envelope = nullptr;
    QCheckBox* m_vibrato = nullptr;
    QCheckBox* m_tremolo = nullptr;
    QLineEdit* m_attenuation = nullptr;
    QLineEdit* m_levelScaling = nullptr;
    QLineEdit* m_attack = nullptr;
    QLineEdit* m_decay = nullptr;
    QLineEdit* m_sustain = nullptr;
    QLineEdit* m_release = nullptr;
    QLineEdit* m_waveform = nullptr;
};

} // namespace zentrik::gui
