#pragma once

#include <QWidget>

#include <cstdint>
#include <span>
#include <vector>

namespace zentrik::gui {

// The waveform of a digitized sound over the control's width: column x shows sample
// x * length / width, displaced from the middle line by (sample - 128) * height / 256. A sound
// without samples (absent from the file, or empty) draws the flat middle line.
class SoundEditCtrl : public QWidget {
    Q_OBJECT
public:
    explicit SoundEditCtrl(QWidget* parent = nullptr);

    void setSamples(std::span<const uint8_t> samples);
    const std::vector<uint8_t>& samples() const { return m_samples; }
    // The y of column x as drawn (for tests).
    int columnY(int x) const;
    QSize sizeHint() const override { return {400, 128}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<uint8_t> m_samples;
};

} // namespace zentrik::gui
