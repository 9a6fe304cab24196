#include "music/SongModel.h"

#include "io/ByteReader.h"

#include <cstdio>

namespace zentrik {

namespace {

constexpr uint8_t kSlotMask = 0x1F;
constexpr uint8_t kFnumHighMask = 0x03;
constexpr int kBlockShift = 2;
constexpr uint8_t kBlockMask = 0x07;
constexpr int kTicksPerMinute = kImfTicksPerSecond * 60;
constexpr size_t kShortEventBytes = 2; // register and value

struct ChannelState {
    uint16_t fnum = 0;
    uint8_t block = 0;
    bool keyOn = false;
};

class ModelBuilder {
public:
    explicit ModelBuilder(const DebugSink& debug) : m_debug(debug) {}

    void event(uint8_t reg, uint8_t value, uint32_t t, size_t offset) {
        if (isOperatorRegister(reg))
            operatorWrite(reg, value, t, offset);
        else if (reg > kRegFnumLow && reg <= kRegFnumLow + kModelChannels)
            fnumLow(reg - kRegFnumLow, value, t);
        else if (reg > kRegKeyBlock && reg <= kRegKeyBlock + kModelChannels)
            keyBlock(reg - kRegKeyBlock, value, t);
        else if (reg > kRegFeedback && reg <= kRegFeedback + kModelChannels)
            m_model.registersOf(reg - kRegFeedback).push_back({reg, value, t});
        else if (reg != kRegFnumLow && reg != kRegKeyBlock && reg != kRegFeedback)
            m_model.general.push_back({reg, value, t});
    }

    SongModel take(uint32_t length) {
        m_model.songLength = length;
        return std::move(m_model);
    }

private:
    void operatorWrite(uint8_t reg, uint8_t value, uint32_t t, size_t offset) {
        const auto cell = cellOfSlot(reg & kSlotMask);
        if (!cell) {
            if (m_debug) {
                char text[80];
                std::snprintf(text, sizeof text, "illegal cell %i at time %u, offs %.8X\n", -1, t,
                              unsigned(offset));
                m_debug(text);
            }
            return;
        }
        const int channel = channelOfCell(*cell);
        if (channel >= kFirstMelodicChannel)
            m_model.registersOf(channel).push_back({reg, value, t});
    }

    void endNote(int c, uint32_t t, bool tied) {
        NoteEvent& n = m_model.notesOf(c).back();
        n.duration = t - n.start;
        n.tied = tied;
    }

    void fnumLow(int c, uint8_t value, uint32_t t) {
        ChannelState& s = m_state[c];
        s.fnum = uint16_t((s.fnum & 0x300) | value);
        if (!s.keyOn)
            return;
        endNote(c, t, true);
        m_model.notesOf(c).push_back({s.fnum, s.block, t, 0, false});
    }

    void keyBlock(int c, uint8_t value, uint32_t t) {
        ChannelState& s = m_state[c];
        s.fnum = uint16_t((s.fnum & 0xFF) | ((value & kFnumHighMask) << 8));
        s.block = uint8_t((value >> kBlockShift) & kBlockMask);
        const bool key = (value & kKeyOnBit) != 0;
        auto& notes = m_model.notesOf(c);
        if (!key) {
            if (s.keyOn)
                endNote(c, t, false);
        } else if (!s.keyOn) {
            notes.push_back({s.fnum, s.block, t, 0, false});
        } else {
            endNote(c, t, true);
            if (notes.back().duration == 0) {
                notes.back().fnum = s.fnum;
                notes.back().block = s.block;
                notes.back().tied = false;
            } else {
                notes.push_back({s.fnum, s.block, t, 0, false});
            }
        }
        s.keyOn = key;
    }

    const DebugSink& m_debug;
    SongModel m_model;
    std::array<ChannelState, kOplChannels> m_state{};
};

} // namespace

ImfSpan imfSpanOf(std::span<const uint8_t> song) {
    ByteReader in(song);
    const auto field = in.u16();
    if (!field || *field == 0)
        return {0, song.size()};
    return {kImfLengthFieldBytes, std::min<size_t>(*field, song.size() - kImfLengthFieldBytes)};
}

std::optional<int> cellOfSlot(int slot) {
    if (slot < 0 || slot > 21 || slot == 6 || slot == 7 || slot == 14 || slot == 15)
        return std::nullopt;
    return slot - 2 * (slot / 8);
}

int channelOfCell(int cell) {
    static constexpr std::array<int, kOplCells> kChannels{0, 1, 2, 0, 1, 2, 3, 4, 5,
                                                          3, 4, 5, 6, 7, 8, 6, 7, 8};
    return kChannels.at(size_t(cell));
}

bool isOperatorRegister(uint8_t reg) {
    return (reg >= 0x20 && reg < kRegFnumLow) || reg >= 0xE0;
}

SongModel buildSongModel(std::span<const uint8_t> buffer, ImfSpan span, const DebugSink& debug) {
    ModelBuilder builder(debug);
    if (span.offset > buffer.size())
        return builder.take(0);
    ByteReader in(buffer.subspan(span.offset, std::min(span.length, buffer.size() - span.offset)));
    uint32_t t = 0;
    while (in.remaining() >= kShortEventBytes) {
        const size_t offset = span.offset + in.position();
        const uint8_t reg = *in.u8();
        const uint8_t value = *in.u8();
        // A 2- or 3-byte tail is a last event without a delay; a lone odd byte is ignored.
        const uint16_t delay = in.u16().value_or(0);
        builder.event(reg, value, t, offset);
        t += delay;
    }
    return builder.take(t);
}

std::string songLengthText(uint32_t ticks, size_t bytes) {
    char text[96];
    std::snprintf(text, sizeof text, "Song length: %i:%.2i mins (%i bytes)",
                  int(ticks / kTicksPerMinute), int((ticks / kImfTicksPerSecond) % 60), int(bytes));
    return text;
}

std::string minutesSecondsText(uint32_t ticks) {
    char text[32];
    std::snprintf(text, sizeof text, "%u:%.2u", unsigned(ticks / kTicksPerMinute),
                  unsigned((ticks / kImfTicksPerSecond) % 60));
    return text;
}

} // namespace zentrik
