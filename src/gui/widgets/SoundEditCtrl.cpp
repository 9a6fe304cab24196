#include "widgets/SoundEditCtrl.h"

#include <QPainter>

namespace zentrik::gui {

namespace {
constexpr int kSilence = 128;
const QColor kWave(30, 255, 100);
} // namespace

SoundEditCtrl::SoundEditCtrl(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SoundEditCtrl"));
    setMinimumSize(200, 64);
}

void SoundEditCtrl::setSamples(std::span<const uint8_t> samples) {
    m_samples.assign(samples.begin(), samples.end());
    update();
}

int SoundEditCtrl::columnY(int x) const {
    const int mid = height() / 2;
    const int w = std::max(1, width());
    if (m_samples.empty() || x < 0 || x >= w)
        return mid;
    const size_t at = size_t(int64_t(x) * int64_t(m_samples.size()) / w);
    return mid - (int(m_samples[at]) - kSilence) * height() / 256;
}

void SoundEditCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setPen(QColor(60, 60, 60));
    p.drawLine(0, height() / 2, width(), height() / 2);
    p.setPen(kWave);
    int lastY = columnY(0);
    for (int x = 1; x < width(); ++x) {
        const int y = columnY(x);
        p.drawLine(x - 1, lastY, x, y);
        lastY = y;
    }
}

} // namespace zentrik::gui
