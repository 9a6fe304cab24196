#pragma once

#include "vgagraph/ScreenOps.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace zentrik::gui {

// "Border": the nine elements of a border (four edges, four corners, the fill), each a
// character with a text and a back colour, from a preset of line characters or one by one.
// With "Change all Colors" on, a colour picked for one element goes to all nine.
class BorderDialog : public QDialog {
    Q_OBJECT
public:
    using Parts = std::array<ScreenCell, 9>;

    BorderDialog(const Parts& start, QWidget* parent = nullptr);
    Parts parts() const;
    // The presets in list order, in the current colours.
    static Parts preset(int index, uint8_t attribute);
    static int presetCount();

private:
    void applyPreset(int index);
    void colourChanged(int part, bool back, int colour);
    void showPreview();

    std::array<QSpinBox*, 9> m_chars{};
    std::array<QComboBox*, 9> m_fore{};
    std::array<QComboBox*, 9> m_back{};
    QComboBox* m_presets = nullptr;
    QCheckBox* m_all = nullptr;
    QLabel* m_preview = nullptr;
    bool m_syncing = false;
};

} // namespace zentrik::gui
