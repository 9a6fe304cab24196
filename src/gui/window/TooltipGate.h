#pragma once

#include <QObject>

namespace zentrik::gui {

// Lets tooltips through only while the `Tooltips` setting is on. Installed on the application
// so every control, also those of pages built later, follows the setting at once.
class TooltipGate : public QObject {
    Q_OBJECT
public:
    TooltipGate(const int& tooltipsSetting, QObject* parent = nullptr)
        : QObject(parent), m_setting(tooltipsSetting) {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const int& m_setting;
};

} // namespace zentrik::gui
