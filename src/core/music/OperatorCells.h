#pragma once

#include "platform/Prompter.h"

namespace zentrik {
class MusicDocument;
}

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace zentrik {

// The settings of one operator as the song sets them up before it starts playing.
struct OperatorSettings {
    int frequencyFactor = 0;      // 0x20 bits 0-3
    bool keyboardScaling = false; // 0x20 bit 4
    bool keepSustain = false;     // 0x20 bit 5
    bool vibrato = false;         // 0x20 bit 6
    bool tremolo = false;         // 0x20 bit 7
    std::string attenuation;      // 0x40 bits 0-5 x 0.75 dB, "%.2f"
    std::string levelKeyScaling;  // 0x40 bits 6-7
    int attackRate = 0;           // 0x60 bits 4-7
    int decayRate = 0;            // 0x60 bits 0-3
    int sustain = 0;              // 0x80 bits 4-7
    int releaseRate = 0;          // 0x80 bits 0-3
    std::string waveform;         // 0xE0 bits 0-1
    std::string envelopeText() const {
        return keepSustain ? "Keep sustain" : "Decay after sustain";
    }
};

// The operator cells of a channel 0..8 (its modulator and carrier) and a cell's slot.
std::array<int, 2> cellsOfChannel(int channel);
int slotOfCell(int cell);

// The register values the song's leading events write: events are taken from the start while
// each one's delay is below 5 ticks; a later write to a register wins.
std::array<uint8_t, 256> initialRegisters(std::span<const uint8_t> imf);

// How a song uses the OPL2's rhythm mode: whether it ever turns it on, and which of the five
// instruments it keys while it is on.
struct RhythmUse {
    bool enabled = false;
    bool hiHat = false, topCymbal = false, tomTom = false, snareDrum = false, bassDrum = false;
};
RhythmUse rhythmUse(std::span<const uint8_t> imf);

// Operator `op` (0 or 1) of channel from those registers.
OperatorSettings operatorSettings(const std::array<uint8_t, 256>& registers, int channel, int op);

// The "Generator cell properties" panel's refresh: says so when it is not attached yet.
class CellPropertiesPanel {
public:
    explicit CellPropertiesPanel(Prompter& prompter) : m_prompter(prompter) {}
    void attach(const MusicDocument* music) { m_music = music; }
    // The shown settings, or false with "Parent not initialised!!!" before attach().
    bool refresh(int channel, int op);
    const OperatorSettings& shown() const { return m_shown; }

private:
    Prompter& m_prompter;
    const MusicDocument* m_music = nullptr;
    OperatorSettings m_shown;
};

} // namespace zentrik
