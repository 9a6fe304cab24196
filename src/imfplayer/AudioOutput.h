#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace zentrik::imf {

// Pulls mono samples from the player on the output's own thread.
using SampleSource = std::function<void(int16_t* out, size_t frames)>;

// Where the real-time player's sound goes. Both kinds run their own thread; start() returns at
// once.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    virtual uint32_t sampleRate() const = 0;
    virtual bool hasDevice() const = 0;
    virtual void start(SampleSource source) = 0;
    virtual void shutdown() = 0;
};

// The system's default audio device through Qt Multimedia, or nothing when there is none.
std::unique_ptr<AudioOutput> openDeviceOutput();
// No device: a thread pulls samples at the pace of real time and drops them, so the song's
// position and end still advance.
std::unique_ptr<AudioOutput> openClockOutput(uint32_t sampleRate);

} // namespace zentrik::imf
