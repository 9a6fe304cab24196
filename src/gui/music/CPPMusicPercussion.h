#pragma once

#include "music/OperatorCells.h"

#include <QGroupBox>

class QCheckBox;

namespace zentrik::gui {

// "Percussions/Misc..": the OPL2 rhythm mode as the song's register writes use it. Shown, not
// edited: the song decides.
class CPPMusicPercussion : public QGroupBox {
    Q_OBJECT
public:
    explicit CPPMusicPercussion(QWidget* parent = nullptr);
    void display(const RhythmUse& use);
    bool checked(const char* name) const;

private:
    QCheckBox* addBox(const char* label, const char* name);

    QCheckBox* m_enabled = nullptr;
    QCheckBox* m_hiHat = nullptr;
    QCheckBox* m_cymbal = nullptr;
    QCheckBox* m_tom = nullptr;
    QCheckBox* m_snare = nullptr;
    QCheckBox* m_bass = nullptr;
};

} // namespace zentrik::gui
