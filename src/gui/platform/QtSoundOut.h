#pragma once

#include "platform/SoundOut.h"

#include <QBuffer>
#include <QByteArray>

#include <array>
#include <memory>

class QAudioSink;

namespace zentrik::gui {

// Plays a WAV image from memory through Qt Multimedia's audio output (the core reads the
// image's rate and samples). Two buffers are used in turn, so the one being played is never
// replaced while the sink still reads it. Without an output device nothing plays.
class QtSoundOut final : public SoundOut {
public:
    QtSoundOut();
    ~QtSoundOut() override;

    void play(std::vector<uint8_t> wavImage) override;
    void stop() override;
    bool hasDevice() const override;

private:
    std::unique_ptr<QAudioSink> m_sink;
    std::array<QByteArray, 2> m_data;
    std::array<std::unique_ptr<QBuffer>, 2> m_buffers;
    int m_next = 0;
};

} // namespace zentrik::gui
