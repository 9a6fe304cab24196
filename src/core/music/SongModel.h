#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zentrik {

// IMF: 4-byte events of u8 register, u8 value and u16 delay in ticks of 1/700 s.
inline constexpr int kImfTicksPerSecond = 700;
inline constexpr size_t kImfEventBytes = 4;
inline constexpr size_t kImfLengthFieldBytes = 2;
// A length field is written only while the data stays below this many bytes.
inline constexpr uint32_t kImfLengthFieldLimit = 0xFFFD;

inline constexpr int kOplChannels = 9;
inline constexpr int kOplCells = 18;
inline constexpr int kFirstMelodicChannel = 1; // channel 0 has no lists in the model
inline constexpr int kModelChannels = 8;       // channels 1 .. 8

// OPL2 register groups.
inline constexpr uint8_t kRegFnumLow = 0xA0;
inline constexpr uint8_t kRegKeyBlock = 0xB0;
inline constexpr uint8_t kRegFeedback = 0xC0;
inline constexpr uint8_t kKeyOnBit = 0x20;

struct RegisterEvent {
    uint8_t reg = 0;
    uint8_t value = 0;
    uint32_t time = 0;
    bool operator==(const RegisterEvent&) const = default;
};

// A note as the channel's key-on and frequency writes describe it. Notes of a channel are kept
// in time order in a vector, so a note's previous and next notes are its neighbours there.
struct NoteEvent {
    uint16_t fnum = 0; // 10-bit F-number
    uint8_t block = 0; // 3-bit octave
    uint32_t start = 0;
    // Ticks until the key was released; 0 while the note has not ended. Kept wider than the
    // 16 bits the editor shows, so a note held longer than 65535 ticks survives a rebuild.
    uint32_t duration = 0;
    // The note ended because the channel started another note or changed its frequency while
    // the key stayed down, so the next one follows without a release.
    bool tied = false;

    uint32_t end() const { return start + duration; }
    bool operator==(const NoteEvent&) const = default;
};

struct SongModel {
    std::vector<RegisterEvent> general;
    std::array<std::vector<RegisterEvent>, kModelChannels> channelRegisters; // [c - 1]
    std::array<std::vector<NoteEvent>, kModelChannels> notes;                // [c - 1]
    uint32_t songLength = 0;

    std::vector<RegisterEvent>& registersOf(int channel) { return channelRegisters[channel - 1]; }
    std::vector<NoteEvent>& notesOf(int channel) { return notes[channel - 1]; }
    const std::vector<NoteEvent>& notesOf(int channel) const { return notes[channel - 1]; }
};

// Where the IMF events of a song buffer lie: after the u16 length field (the field's value, cut
// to what the buffer holds) or, when the field is 0, the whole buffer.
struct ImfSpan {
    size_t offset = 0;
    size_t length = 0;
};
ImfSpan imfSpanOf(std::span<const uint8_t> song);

// The OPL2 operator layout: slot (low 5 bits of an operator register) -> cell 0..17 or none,
// and cell -> channel.
std::optional<int> cellOfSlot(int slot);
int channelOfCell(int cell);
bool isOperatorRegister(uint8_t reg);

// Receives the reader's diagnostic notes (the debugger output).
using DebugSink = std::function<void(const std::string&)>;

// Builds the model from the IMF events at span of the song buffer. Operator writes of an
// unknown slot are reported to debug with their offset in the buffer and dropped; every
// write of channel 0 is dropped.
SongModel buildSongModel(std::span<const uint8_t> buffer, ImfSpan span,
                         const DebugSink& debug = {});

// "Song length: %i:%.2i mins (%i bytes)".
std::string songLengthText(uint32_t ticks, size_t bytes);

// "m:ss" for a tick count.
std::string minutesSecondsText(uint32_t ticks);

} // namespace zentrik
