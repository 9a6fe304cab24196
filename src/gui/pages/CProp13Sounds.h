#pragma once

#include "pages/PixelData.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace zentrik::gui {

class AppContext;
class SoundEditCtrl;

// "Sounds" under "Audio": the digitized sounds of the page file one at a time, with their
// waveform, playback at the used sample rate, insert, remove, and WAV export and import.
class CProp13Sounds : public QWidget {
    Q_OBJECT
public:
    CProp13Sounds(AppContext& context, QWidget* parent);

    int current() const { return m_current; }
    void showSound(int index);
    QString positionText() const;
    QString sizeText() const;
    QString durationText() const;
    int rate() const { return m_rate; }
    QLineEdit* rateField() const { return m_rateField; }
    SoundEditCtrl* waveform() const { return m_wave; }
    void setPlayOnScrolling(bool on);

    // The rate check: the field's text, 4000..44100, else the message and nothing.
    std::optional<int> checkRate();
    void play();
    void stop();
    void insertSound();
    void removeSound();
    void exportSound();
    void importSound();

private:
    // Asks before sounds are renumbered; true when none moves or the user agrees.
    bool confirmShift(bool insert);
    void refresh();
    void scrolled(int value);

    PixelData& m_data;
    int m_current = 0;
    int m_rate;
    bool m_syncing = false;
    QScrollBar* m_scroll;
    QLabel* m_position;
    QLabel* m_size;
    QLabel* m_duration;
    QLineEdit* m_rateField;
    QCheckBox* m_playOnScroll;
    SoundEditCtrl* m_wave;
};

} // namespace zentrik::gui
