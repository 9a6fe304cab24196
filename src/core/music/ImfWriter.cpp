#include "music/ImfWriter.h"

#include "io/ByteWriter.h"

#include <algorithm>
#include <limits>

namespace zentrik {

namespace {

constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();
constexpr uint16_t kMaxDelay = 0xFFFF;
constexpr int kFnumHighShift = 8;
constexpr int kBlockShift = 2;
// A register write that does nothing, used to carry delays that no real event can carry.
constexpr uint8_t kFillerRegister = 0x00;

class EventStream {
public:
    void write(uint8_t reg, uint8_t value) {
        m_out.u8(reg);
        m_out.u8(value);
        m_out.u16(0);
    }
    // The wait after the last event; a wait before the first event or one longer than a delay
    // field holds is carried by filler events.
    void wait(uint32_t ticks) {
        while (ticks > 0) {
            if (m_out.size() == 0)
                write(kFillerRegister, 0);
            const uint16_t step = uint16_t(std::min<uint32_t>(ticks, kMaxDelay));
            const size_t at = m_out.size() - 2;
            const uint16_t old = uint16_t(m_out.bytes()[at] | (m_out.bytes()[at + 1] << 8));
            if (old != 0) { // this event already carries a full delay
                write(kFillerRegister, 0);
                continue;
            }
            m_out.patchU16(m_out.size() - 2, step);
            ticks -= step;
        }
    }
    std::vector<uint8_t> take() { return m_out.take(); }

private:
    ByteWriter m_out;
};

struct RegisterCursor {
    const std::vector<RegisterEvent>* list;
    size_t next = 0;
    uint32_t time() const { return next < list->size() ? (*list)[next].time : kNone; }
};

struct NoteCursor {
    const std::vector<NoteEvent>* list;
    size_t next = 0;
    bool atEnd = false;   // the next event is the end of note `next`
    bool keyHeld = false; // a tied note handed the key straight to this one
    uint32_t time() const {
        if (next >= list->size())
            return kNone;
        const NoteEvent& n = (*list)[next];
        return atEnd ? n.end() : n.start;
    }
};

class Merger {
public:
    explicit Merger(const SongModel& model) {
        m_registers.push_back({&model.general});
        for (const auto& list : model.channelRegisters)
            m_registers.push_back({&list});
        for (const auto& list : model.notes)
            m_notes.push_back({&list});
        m_lastA.fill(kNone);
        m_lastB.fill(kNone);
    }

    void run(uint32_t songLength) {
        uint32_t t = earliest(0);
        if (t == kNone)
            return;
        m_out.wait(t);
        while (t != kNone) {
            writeAt(t);
            const uint32_t next = earliest(t);
            if (next != kNone)
                m_out.wait(next - t);
            else if (songLength > t) // keep the song's closing rest, so it loops in time
                m_out.wait(songLength - t);
            t = next;
        }
    }
    std::vector<uint8_t> take() { return m_out.take(); }

private:
    // An event whose time lies before the current one (notes that overlap after an edit) is
    // written at the current time rather than giving a negative delay.
    uint32_t earliest(uint32_t now) const {
        uint32_t t = kNone;
        for (const auto& c : m_registers)
            t = std::min(t, c.time());
        for (const auto& c : m_notes)
            t = std::min(t, c.time());
        return t == kNone ? kNone : std::max(t, now);
    }

    void writeAt(uint32_t t) {
        for (auto& c : m_registers)
            for (; c.time() <= t; ++c.next)
                m_out.write((*c.list)[c.next].reg, (*c.list)[c.next].value);
        for (size_t i = 0; i < m_notes.size(); ++i)
            while (m_notes[i].time() <= t)
                noteEvent(int(i) + kFirstMelodicChannel, m_notes[i]);
    }

    void writeIfChanged(std::array<uint32_t, kOplChannels>& last, uint8_t base, int c,
                        uint8_t value) {
        if (last[c] == value)
            return;
        last[c] = value;
        m_out.write(uint8_t(base + c), value);
    }

    void noteEvent(int c, NoteCursor& cur) {
        const NoteEvent& n = (*cur.list)[cur.next];
        const uint8_t high =
            uint8_t(((n.fnum >> kFnumHighShift) & 0x03) | (n.block << kBlockShift));
        if (cur.atEnd) {
            cur.atEnd = false;
            ++cur.next;
            // A tied note keeps the key down into its successor: no release, and the successor's
            // key write re-triggers it, as the song had it.
            const bool followed =
                cur.next < cur.list->size() && (*cur.list)[cur.next].start == n.end();
            cur.keyHeld = n.tied && followed;
            if (!cur.keyHeld)
                writeIfChanged(m_lastB, kRegKeyBlock, c, high);
            return;
        }
        // After a tie both writes go out again, so the song re-triggers exactly where it did.
        if (cur.keyHeld) {
            m_lastA[c] = kNone;
            m_lastB[c] = kNone;
        }
        cur.keyHeld = false;
        writeIfChanged(m_lastA, kRegFnumLow, c, uint8_t(n.fnum & 0xFF));
        writeIfChanged(m_lastB, kRegKeyBlock, c, uint8_t(high | kKeyOnBit));
        if (n.duration > 0) {
            cur.atEnd = true;
            return;
        }
        // No duration: the note is still held at the song's end when it is the channel's last;
        // one with a successor was released (or tied) at the tick it began.
        ++cur.next;
        if (cur.next < cur.list->size()) {
            cur.keyHeld = n.tied && (*cur.list)[cur.next].start == n.start;
            if (!cur.keyHeld)
                writeIfChanged(m_lastB, kRegKeyBlock, c, high);
        }
    }

    EventStream m_out;
    std::vector<RegisterCursor> m_registers;
    std::vector<NoteCursor> m_notes;
    std::array<uint32_t, kOplChannels> m_lastA{};
    std::array<uint32_t, kOplChannels> m_lastB{};
};

} // namespace

BuiltImf buildImf(const SongModel& model) {
    Merger merger(model);
    merger.run(model.songLength);
    std::vector<uint8_t> events = merger.take();
    BuiltImf built;
    if (events.size() < kImfLengthFieldLimit) {
        ByteWriter out(events.size() + kImfLengthFieldBytes);
        out.u16(uint16_t(events.size()));
        out.bytes(events);
        built.bytes = out.take();
        built.span = {kImfLengthFieldBytes, events.size()};
    } else {
        built.span = {0, events.size()};
        built.bytes = std::move(events);
    }
    return built;
}

} // namespace zentrik
