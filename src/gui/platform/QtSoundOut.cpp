#include "platform/QtSoundOut.h"

#include "pagefile/Wav.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace zentrik::gui {

QtSoundOut::QtSoundOut() = default;

QtSoundOut::~QtSoundOut() {
    stop();
}

void QtSoundOut::play(std::vector<uint8_t> wavImage) {
    stop();
    auto wav = readWav(wavImage);
    if (!wav || wav->bits != 8 || wav->channels != 1)
        return; // the page writes 8-bit mono images only
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(int(wav->rate));
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::UInt8);
    const int slot = m_next;
    m_next = 1 - m_next;
    m_data[size_t(slot)] =
        QByteArray(reinterpret_cast<const char*>(wav->data.data()), qsizetype(wav->data.size()));
    auto buffer = std::make_unique<QBuffer>(&m_data[size_t(slot)]);
    buffer->open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(device, format);
    m_sink->start(buffer.get());
    m_buffers[size_t(slot)] = std::move(buffer);
}

bool QtSoundOut::hasDevice() const {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

void QtSoundOut::stop() {
    if (m_sink)
        m_sink->stop();
}

} // namespace zentrik::gui
