#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

class OPLChipClass;

namespace zentrik::imf {

inline constexpr int kTicksPerSecond = 700;
inline constexpr int kChannels = 9;
inline constexpr uint32_t kChipRate = 49716; // the OPL2's sample rate (its clock / 288)

// An IMF sequencer driving an emulated OPL2 chip: reads the events at 700 ticks per second and
// renders mono samples. The emulator skips idle operators, so a song costs what it plays. It
// keeps its working buffers and rate tables in process-wide memory, so every engine runs it at
// the chip's own rate under one lock and resamples to its output rate.
// An engine is not thread-safe: its owner serialises calls.
class ImfEngine {
public:
    explicit ImfEngine(uint32_t sampleRate);
    ~ImfEngine();
    ImfEngine(const ImfEngine&) = delete;
    ImfEngine& operator=(const ImfEngine&) = delete;

    // Starts the song at tick (0: from the beginning). Registers written before that tick are
    // applied at once, so notes held across it sound.
    void start(const uint8_t* data, size_t length, int32_t tick);
    void stop();
    void togglePause();
    // Silences a channel: the chip sees its notes keyed off at the lowest level and fastest
    // release, and gets the song's own values back on unmuting. The song data is untouched.
    void mute(int channel, bool muted);

    // Renders frames samples (silence when not playing). Returns how many times the song
    // reached its end meanwhile (0 or 1).
    int render(int16_t* out, size_t frames);

    int32_t position() const { return m_tick; }
    bool playing() const { return m_playing; }
    uint32_t sampleRate() const { return m_rate; }

private:
    void resetChip();
    void write(uint8_t reg, uint8_t value);
    // What the chip gets for the song's value of reg, given the muted channels.
    uint8_t filtered(uint8_t reg, uint8_t value) const;
    void rewriteChannel(int channel);
    // Writes the events due now; on reaching the data's end the song ends.
    void runDueEvents();
    void advanceTick();
    // The next sample at the chip's rate (0 once the song has ended).
    int16_t nextChipSample();
    void refill();

    std::unique_ptr<OPLChipClass> m_chip;
    std::array<uint8_t, 256> m_regs{}; // the song's register values
    uint32_t m_rate;
    const uint8_t* m_data = nullptr;
    size_t m_length = 0;
    size_t m_pos = 0;
    uint32_t m_wait = 0;
    int32_t m_tick = 0;
    uint32_t m_tickPhase = 0; // in 1/kChipRate of a tick
    // Chip samples made ahead, and the two that the output sample lies between.
    std::array<int16_t, 512> m_chipSamples{};
    size_t m_chipPos = 0, m_chipCount = 0;
    int16_t m_before = 0, m_after = 0;
    uint32_t m_resamplePhase = 0; // in 1/m_rate of a chip sample
    bool m_playing = false;
    bool m_paused = false;
    int m_ended = 0;
    std::array<bool, kChannels> m_muted{};
};

} // namespace zentrik::imf
