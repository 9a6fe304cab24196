#include "platform/QtSoundOut.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace zentrik::gui {

QtSoundOut::QtSoundOut() = default;

QtSoundOut::~QtSoundOut() {
    if (m_player)
        m_player->stop();
}

void QtSoundOut::play(std::vector<uint8_t> wavImage) {
    // Made on first use: a page that never plays opens no audio device.
    if (!m_player) {
        m_output = std::make_unique<QAudioOutput>();
        m_player = std::make_unique<QMediaPlayer>();
        m_player->setAudioOutput(m_output.get());
    }
    m_player->stop();
    const int slot = m_next;
    m_next = 1 - m_next;
    m_data[size_t(slot)] =
        QByteArray(reinterpret_cast<const char*>(wavImage.data()), qsizetype(wavImage.size()));
    auto buffer = std::make_unique<QBuffer>(&m_data[size_t(slot)]);
    buffer->open(QIODevice::ReadOnly);
    m_player->setSourceDevice(buffer.get(), QUrl(QStringLiteral("sound.wav")));
    m_buffers[size_t(slot)] = std::move(buffer);
    m_player->play();
}

void QtSoundOut::stop() {
    if (m_player)
        m_player->stop();
}

} // namespace zentrik::gui
