#pragma once

#include <QDialog>

namespace zentrik::gui {

// "Switch to high resolution?": the question with the collection's name on a label of its own
// and the buttons "Blend them!" (result 10), "Stretch them!" (11) and "Cancel" (0).
class HiResDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBlend = 10;
    static constexpr int kStretch = 11;

    HiResDialog(const QString& what, QWidget* parent);
};

} // namespace zentrik::gui
