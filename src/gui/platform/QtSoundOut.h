#pragma once

#include "platform/SoundOut.h"

#include <QBuffer>
#include <QByteArray>

#include <array>
#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace zentrik::gui {

// Plays a WAV image from memory through Qt Multimedia. Two buffers are used in turn, so the
// one being played is never replaced while the player still reads it.
class QtSoundOut final : public SoundOut {
public:
    QtSoundOut();
    ~QtSoundOut() override;

    void play(std::vector<uint8_t> wavImage) override;
    void stop() override;

private:
    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
    std::array<QByteArray, 2> m_data;
    std::array<std::unique_ptr<QBuffer>, 2> m_buffers;
    int m_next = 0;
};

} // namespace zentrik::gui
