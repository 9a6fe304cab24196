// The player's sound through Qt Multimedia: a QAudioSink on a thread of its own pulls samples
// from the player whenever the device wants more.
#include "AudioOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>
#include <QMetaObject>
#include <QThread>

#include <vector>

namespace zentrik::imf {

namespace {

constexpr int kPreferredRate = 44100;
constexpr int kStereo = 2;
// About 60 ms of buffer: short enough that Stop and Mute are heard at once.
constexpr qsizetype kBufferBytes = kPreferredRate / 16 * kStereo * qsizetype(sizeof(int16_t));

// An endless stream of the player's samples, duplicated to both speakers.
class PlayerStream final : public QIODevice {
public:
    explicit PlayerStream(SampleSource source) : m_source(std::move(source)) {}
    qint64 bytesAvailable() const override { return kBufferBytes + QIODevice::bytesAvailable(); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const size_t frames = size_t(maxSize) / (kStereo * sizeof(int16_t));
        m_mono.resize(frames);
        m_source(m_mono.data(), frames);
        auto* out = reinterpret_cast<int16_t*>(data);
        for (size_t i = 0; i < frames; ++i)
            out[2 * i] = out[2 * i + 1] = m_mono[i];
        return qint64(frames * kStereo * sizeof(int16_t));
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    SampleSource m_source;
    std::vector<int16_t> m_mono;
};

class QtOutput final : public AudioOutput {
public:
    QtOutput(const QAudioDevice& device, const QAudioFormat& format)
        : m_device(device), m_format(format) {}
    ~QtOutput() override { shutdown(); }

    uint32_t sampleRate() const override { return uint32_t(m_format.sampleRate()); }
    bool hasDevice() const override { return true; }

    void start(SampleSource source) override {
        m_thread = new QThread;
        m_thread->start();
        m_stream = new PlayerStream(std::move(source));
        m_stream->moveToThread(m_thread);
        // The sink is made, started and later destroyed on the output thread, which owns it.
        QMetaObject::invokeMethod(m_stream, [this] {
            m_stream->open(QIODevice::ReadOnly);
            m_sink = new QAudioSink(m_device, m_format, m_stream);
            m_sink->setBufferSize(kBufferBytes);
            m_sink->start(m_stream);
        });
    }

    void shutdown() override {
        if (!m_thread)
            return;
        QMetaObject::invokeMethod(
            m_stream,
            [this] {
                if (m_sink)
                    m_sink->stop();
                delete m_stream; // and the sink with it
                m_stream = nullptr;
                m_sink = nullptr;
            },
            Qt::BlockingQueuedConnection);
        m_thread->quit();
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }

private:
    QAudioDevice m_device;
    QAudioFormat m_format;
    QThread* m_thread = nullptr;
    PlayerStream* m_stream = nullptr;
    QAudioSink* m_sink = nullptr;
};

} // namespace

std::unique_ptr<AudioOutput> openDeviceOutput() {
    // Qt's audio backends need an application object; a host without one (the command-line
    // tool, the tests) plays by the clock instead.
    if (!QCoreApplication::instance())
        return nullptr;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return nullptr;
    QAudioFormat format;
    format.setSampleRate(kPreferredRate);
    format.setChannelCount(kStereo);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return nullptr;
    return std::make_unique<QtOutput>(device, format);
}

} // namespace zentrik::imf
