#pragma once

#include "pages/PixelData.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollBar;

namespace zentrik {
class SoundNames;
}

namespace zentrik::gui {

class AppContext;
class SoundEditCtrl;

// "Sounds" under "Audio": the digitized sounds of the page file one at a time, with their
// waveform, playback at the used sample rate, insert, remove, and WAV export and import.
class CProp13Sounds : public QWidget {
    Q_OBJECT
public:
    CProp13Sounds(AppContext& context, QWidget* parent);
    ~CProp13Sounds() override;

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
    // Import, insert and remove are undo steps of the sounds' history.
    void undo();
    void redo();
    QString rateWarningText() const;
    // The game's name for a sound ("HALTSND"), empty for other games and unknown numbers.
    std::string soundName(int index) const;
    QListWidget* soundList() const { return m_list; }
    bool noDeviceShown() const;

private:
    // Asks before sounds are renumbered; true when none moves or the user agrees.
    bool confirmShift(bool insert);
    void refresh();
    void scrolled(int value);
    UndoHistory& history();
    void rebuildList();
    void stepped(std::optional<int> focus);

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
    QLabel* m_rateWarning;
    QLabel* m_noDevice;
    QLabel* m_name;
    QListWidget* m_list;
    std::unique_ptr<SoundNames> m_names;
    bool m_listStale = true;
};

} // namespace zentrik::gui
