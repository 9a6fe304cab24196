#include "music/OperatorCells.h"

#include "io/ByteReader.h"
#include "music/MusicDocument.h"
#include "music/SongModel.h"

#include <cstdio>

namespace zentrik {

namespace {

constexpr uint16_t kLeadingDelayLimit = 5;
constexpr uint8_t kRegCharacter = 0x20;
constexpr uint8_t kRegLevel = 0x40;
constexpr uint8_t kRegAttackDecay = 0x60;
constexpr uint8_t kRegSustainRelease = 0x80;
constexpr uint8_t kRegWaveform = 0xE0;
constexpr double kDbPerLevelStep = 0.75;

constexpr std::array<std::array<int, 2>, kOplChannels> kCells{
    {{0, 3}, {1, 4}, {2, 5}, {6, 9}, {7, 10}, {8, 11}, {12, 15}, {13, 16}, {14, 17}}};
constexpr const char* kKeyScaling[4] = {"no change", "3,0 dB / octave", "1,5 dB / octave",
                                        "6,0 dB / octave"};
constexpr const char* kWaveforms[4] = {"Sinus", "Sinus with 0 when negative", "Sinus absolute",
                                       "Sinus absolute with 0 when -"};

} // namespace

std::array<int, 2> cellsOfChannel(int channel) {
    return kCells.at(size_t(channel));
}

int slotOfCell(int cell) {
    return cell + 2 * (cell / 6);
}

std::array<uint8_t, 256> initialRegisters(std::span<const uint8_t> imf) {
    std::array<uint8_t, 256> regs{};
    ByteReader in(imf);
    while (in.remaining() >= kImfEventBytes) {
        const uint8_t reg = *in.u8();
        const uint8_t value = *in.u8();
        const uint16_t delay = *in.u16();
        if (delay >= kLeadingDelayLimit)
            break;
        regs[reg] = value;
    }
    return regs;
}

RhythmUse rhythmUse(std::span<const uint8_t> imf) {
    constexpr uint8_t kRegRhythm = 0xBD, kRhythmOn = 0x20;
    RhythmUse use;
    for (size_t at = 0; at + kImfEventBytes <= imf.size(); at += kImfEventBytes) {
        const uint8_t value = imf[at + 1];
        if (imf[at] != kRegRhythm || !(value & kRhythmOn))
            continue;
        use.enabled = true;
        use.hiHat |= (value & 0x01) != 0;
        use.topCymbal |= (value & 0x02) != 0;
        use.tomTom |= (value & 0x04) != 0;
        use.snareDrum |= (value & 0x08) != 0;
        use.bassDrum |= (value & 0x10) != 0;
    }
    return use;
}

OperatorSettings operatorSettings(const std::array<uint8_t, 256>& r, int channel, int op) {
    const int slot = slotOfCell(cellsOfChannel(channel).at(size_t(op)));
    const uint8_t ch = r[size_t(kRegCharacter + slot)];
    const uint8_t level = r[size_t(kRegLevel + slot)];
    const uint8_t ad = r[size_t(kRegAttackDecay + slot)];
    const uint8_t sr = r[size_t(kRegSustainRelease + slot)];
    const uint8_t wave = r[size_t(kRegWaveform + slot)];
    OperatorSettings s;
    s.frequencyFactor = ch & 0x0F;
    s.keyboardScaling = (ch & 0x10) != 0;
    s.keepSustain = (ch & 0x20) != 0;
    s.vibrato = (ch & 0x40) != 0;
    s.tremolo = (ch & 0x80) != 0;
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", (level & 0x3F) * kDbPerLevelStep);
    s.attenuation = text;
    s.levelKeyScaling = kKeyScaling[level >> 6];
    s.attackRate = ad >> 4;
    s.decayRate = ad & 0x0F;
    s.sustain = sr >> 4;
    s.releaseRate = sr & 0x0F;
    s.waveform = kWaveforms[wave & 0x03];
    return s;
}

bool CellPropertiesPanel::refresh(int channel, int op) {
    if (!m_music) {
        m_prompter.message("Parent not initialised!!!", "Zentrik");
        return false;
    }
    m_shown = operatorSettings(initialRegisters(m_music->imfData()), channel, op);
    return true;
}

} // namespace zentrik
