#include "ImfEngine.h"

// The emulator's header has no C++ guard, but the library exports the functions unmangled.
extern "C" {
#include <adplug/nukedopl.h>
}

#include <algorithm>

namespace zentrik::imf {

namespace {

constexpr size_t kEventBytes = 4;
constexpr size_t kShortEventBytes = 2;
constexpr uint8_t kRegFeedback = 0xC0;
// One OPL2 voice at full level reaches about an eighth of the 16-bit range; songs mix a few
// voices, so this gain brings them to a usual loudness. Peaks beyond the range are clipped.
constexpr int kGain = 4;
// The chip's output mask of a channel: all ones lets it through, zero silences it.
constexpr uint16_t kPass = 0xFFFF;

} // namespace

ImfEngine::ImfEngine(uint32_t sampleRate)
    : m_chip(std::make_unique<_opl3_chip>()), m_rate(std::max<uint32_t>(sampleRate, 1)) {
    resetChip();
}

ImfEngine::~ImfEngine() = default;

void ImfEngine::resetChip() {
    OPL3_Reset(m_chip.get(), m_rate); // leaves the chip in its OPL2-compatible mode
    applyMutes();
}

void ImfEngine::applyMutes() {
    for (int c = 0; c < kChannels; ++c) {
        const uint16_t mask = m_muted[size_t(c)] ? 0 : kPass;
        m_chip->channel[c].cha = mask;
        m_chip->channel[c].chb = mask;
    }
}

void ImfEngine::write(uint8_t reg, uint8_t value) {
    OPL3_WriteReg(m_chip.get(), reg, value);
    // A feedback/connection write sets the channel's output mask afresh.
    if (reg >= kRegFeedback && reg < kRegFeedback + kChannels)
        applyMutes();
}

void ImfEngine::start(const uint8_t* data, size_t length, int32_t tick) {
    resetChip();
    m_data = data;
    m_length = data ? length : 0;
    m_pos = 0;
    m_wait = 0;
    m_tick = 0;
    m_tickPhase = 0;
    m_paused = false;
    m_ended = 0;
    m_playing = true;
    runDueEvents();
    const int32_t target = std::max<int32_t>(tick, 0);
    while (m_playing && int64_t(m_tick) + m_wait <= target) {
        m_tick += int32_t(m_wait);
        m_wait = 0;
        runDueEvents();
    }
    if (m_playing) {
        m_wait -= uint32_t(target - m_tick);
        m_tick = target;
    }
}

void ImfEngine::stop() {
    m_playing = false;
    m_paused = false;
    m_data = nullptr;
    m_length = 0;
    resetChip();
}

void ImfEngine::togglePause() {
    if (m_playing)
        m_paused = !m_paused;
}

void ImfEngine::mute(int channel, bool muted) {
    if (channel < 0 || channel >= kChannels)
        return;
    m_muted[size_t(channel)] = muted;
    applyMutes();
}

void ImfEngine::runDueEvents() {
    while (m_wait == 0) {
        if (m_length - m_pos < kShortEventBytes) {
            m_playing = false;
            ++m_ended;
            return;
        }
        const uint8_t* e = m_data + m_pos;
        const bool full = m_length - m_pos >= kEventBytes;
        write(e[0], e[1]);
        m_wait = full ? uint32_t(e[2] | (e[3] << 8)) : 0;
        m_pos += full ? kEventBytes : m_length - m_pos;
    }
}

void ImfEngine::advanceTick() {
    ++m_tick;
    if (--m_wait == 0)
        runDueEvents();
}

int ImfEngine::render(int16_t* out, size_t frames) {
    for (size_t i = 0; i < frames; ++i) {
        if (!m_playing || m_paused) {
            out[i] = 0;
            continue;
        }
        m_tickPhase += kTicksPerSecond;
        while (m_tickPhase >= m_rate && m_playing) {
            m_tickPhase -= m_rate;
            advanceTick();
        }
        int16_t stereo[2];
        OPL3_GenerateResampled(m_chip.get(), stereo);
        out[i] = m_playing ? int16_t(std::clamp(stereo[0] * kGain, -32768, 32767)) : 0;
    }
    const int ended = m_ended;
    m_ended = 0;
    return ended;
}

} // namespace zentrik::imf
