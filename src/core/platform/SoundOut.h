#pragma once

#include <cstdint>
#include <vector>

namespace zentrik {

// Plays a digitized sound: an in-memory WAV image (8-bit mono, as written for export), handed
// over whole so the player owns its buffer while it plays. play() returns at once; a new play
// stops the sound before. The editor plays through the platform's audio output; tests record.
class SoundOut {
public:
    virtual ~SoundOut() = default;
    virtual void play(std::vector<uint8_t> wavImage) = 0;
    virtual void stop() = 0;
    // Whether anything can be heard (the page says so when not).
    virtual bool hasDevice() const { return true; }
};

// Plays nothing; keeps what it was asked to play.
class RecordingSoundOut : public SoundOut {
public:
    void play(std::vector<uint8_t> wavImage) override { played.push_back(std::move(wavImage)); }
    void stop() override { ++stops; }
    bool hasDevice() const override { return device; }

    std::vector<std::vector<uint8_t>> played;
    int stops = 0;
    bool device = true;
};

} // namespace zentrik
