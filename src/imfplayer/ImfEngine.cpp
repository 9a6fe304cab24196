#include "ImfEngine.h"

#include <adplug/woodyopl.h>

#include <algorithm>
#include <mutex>

namespace zentrik::imf {

namespace {

constexpr size_t kEventBytes = 4;
constexpr size_t kShortEventBytes = 2;
constexpr uint8_t kRegTest = 0x01;
constexpr uint8_t kWaveSelectEnable = 0x20;
constexpr uint8_t kRegLevel = 0x40;   // per operator: key scale, total level
constexpr uint8_t kRegRelease = 0x80; // per operator: sustain level, release rate
constexpr uint8_t kRegKeyOn = 0xB0;   // per channel: key on, block, F-number high bits
constexpr uint8_t kRegRhythm = 0xBD;
constexpr int kOperatorSlots = 22;
constexpr uint8_t kSilentLevel = 0x3F;
constexpr uint8_t kFastestRelease = 0x0F;
constexpr uint8_t kKeyOn = 0x20;
// One OPL2 voice at full level reaches about an eighth of the 16-bit range; songs mix a few
// voices, so this gain brings them to a usual loudness. Peaks beyond the range are clipped.
constexpr int kGain = 4;
// The channel an operator slot belongs to (slots 6, 7, 14, 15 and 22 on have none).
int slotChannel(int slot) {
    const int inRow = slot % 8;
    return slot < kOperatorSlots && inRow < 6 ? (slot / 8) * 3 + inRow % 3 : -1;
}

// The rhythm-mode key bits sounding through a channel: bass drum on 6, snare and hi-hat on 7,
// tom and cymbal on 8.
uint8_t rhythmBits(int channel) {
    switch (channel) {
    case 6:
        return 0x10;
    case 7:
        return 0x09;
    case 8:
        return 0x06;
    default:
        return 0;
    }
}

// Guards the emulator's process-wide state: every call into a chip holds it.
std::mutex& chipLock() {
    static std::mutex lock;
    return lock;
}

} // namespace

ImfEngine::ImfEngine(uint32_t sampleRate)
    : m_chip(std::make_unique<OPLChipClass>()), m_rate(std::max<uint32_t>(sampleRate, 1)) {
    resetChip();
}

ImfEngine::~ImfEngine() = default;

void ImfEngine::resetChip() {
    {
        const std::lock_guard guard(chipLock());
        m_chip->adlib_init(kChipRate, 1, sizeof(int16_t));
    }
    m_regs.fill(0);
    m_chipPos = m_chipCount = 0;
    m_before = m_after = 0;
    m_resamplePhase = 0;
    // The game enables the OPL2's waveform select once at start-up; songs rely on it.
    write(kRegTest, kWaveSelectEnable);
}

uint8_t ImfEngine::filtered(uint8_t reg, uint8_t value) const {
    auto muted = [this](int c) { return c >= 0 && c < kChannels && m_muted[size_t(c)]; };
    if (reg >= kRegLevel && reg < kRegLevel + kOperatorSlots)
        return muted(slotChannel(reg - kRegLevel)) ? value | kSilentLevel : value;
    if (reg >= kRegRelease && reg < kRegRelease + kOperatorSlots)
        return muted(slotChannel(reg - kRegRelease)) ? value | kFastestRelease : value;
    if (reg >= kRegKeyOn && reg < kRegKeyOn + kChannels)
        return muted(reg - kRegKeyOn) ? value & ~kKeyOn : value;
    if (reg == kRegRhythm) {
        for (int c = 6; c < kChannels; ++c)
            if (muted(c))
                value &= uint8_t(~rhythmBits(c));
    }
    return value;
}

void ImfEngine::write(uint8_t reg, uint8_t value) {
    m_regs[reg] = value;
    const std::lock_guard guard(chipLock());
    m_chip->adlib_write(reg, filtered(reg, value));
}

void ImfEngine::rewriteChannel(int channel) {
    const std::lock_guard guard(chipLock());
    for (int slot = 0; slot < kOperatorSlots; ++slot) {
        if (slotChannel(slot) != channel)
            continue;
        for (uint8_t base : {kRegLevel, kRegRelease}) {
            const auto reg = uint8_t(base + slot);
            m_chip->adlib_write(reg, filtered(reg, m_regs[reg]));
        }
    }
    const auto key = uint8_t(kRegKeyOn + channel);
    m_chip->adlib_write(key, filtered(key, m_regs[key]));
    m_chip->adlib_write(kRegRhythm, filtered(kRegRhythm, m_regs[kRegRhythm]));
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
    if (m_muted[size_t(channel)] == muted)
        return;
    m_muted[size_t(channel)] = muted;
    rewriteChannel(channel);
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

void ImfEngine::refill() {
    m_chipPos = 0;
    m_chipCount = 1;
    m_chipSamples[0] = 0;
    m_tickPhase += kTicksPerSecond;
    while (m_tickPhase >= kChipRate && m_playing) {
        m_tickPhase -= kChipRate;
        advanceTick();
    }
    if (!m_playing)
        return;
    // This sample and the following ones before the next tick come from the chip at once.
    const size_t run = 1 + std::min<size_t>(m_chipSamples.size() - 1,
                                            (kChipRate - 1 - m_tickPhase) / kTicksPerSecond);
    m_tickPhase += uint32_t(run - 1) * kTicksPerSecond;
    const std::lock_guard guard(chipLock());
    m_chip->adlib_getsample(m_chipSamples.data(), Bits(run));
    m_chipCount = run;
}

int16_t ImfEngine::nextChipSample() {
    if (m_chipPos == m_chipCount)
        refill();
    return m_chipSamples[m_chipPos++];
}

int ImfEngine::render(int16_t* out, size_t frames) {
    for (size_t i = 0; i < frames; ++i) {
        if (!m_playing || m_paused) {
            out[i] = 0;
            continue;
        }
        // Linear interpolation between the two chip samples round the output sample.
        m_resamplePhase += kChipRate;
        while (m_resamplePhase >= m_rate && m_playing) {
            m_resamplePhase -= m_rate;
            m_before = m_after;
            m_after = nextChipSample();
        }
        if (!m_playing) {
            out[i] = 0;
            continue;
        }
        const int64_t v =
            m_before + (int64_t(m_after - m_before) * m_resamplePhase) / int64_t(m_rate);
        out[i] = int16_t(std::clamp<int64_t>(v * kGain, -32768, 32767));
    }
    const int ended = m_ended;
    m_ended = 0;
    return ended;
}

} // namespace zentrik::imf
