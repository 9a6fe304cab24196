#include "draw/UndoRing.h"

#include "platform/Prompter.h"

#include <cassert>

namespace zentrik {

namespace {
constexpr const char* kStartWhileRecording = "StartUndoRecord while recording!";

bool isPixelList(UndoKind kind) {
    return kind == UndoKind::PixelList || kind == UndoKind::JoinedPixelList;
}
} // namespace

void UndoRing::start(UndoKind kind, const ChunkKey& chunk) {
    if (m_recording) {
        if (m_prompter)
            m_prompter->message(kStartWhileRecording, "Zentrik", MessageIcon::Exclamation);
        close();
    }
    if (!(chunk == m_chunk)) {
        clear();
        m_chunk = chunk;
    }
    if (!m_redoing)
        m_redo.clear(); // a new edit: what was undone cannot come back
    m_recording = true;
    m_openKind = kind;
    m_openStart = m_end;
    m_overflow = false;
    m_pixels = 0;
    m_box = ChunkRect{};
}

void UndoRing::recordPixel(int x, int y, uint8_t oldIndex) {
    if (!m_recording)
        return;
    assert(x >= 0 && y >= 0 && x <= 0xFFFF && y <= 0xFFFF);
    if (isPixelList(m_openKind)) {
        putU16(uint16_t(x));
        putU16(uint16_t(y));
    }
    put(oldIndex);
    if (m_pixels == 0)
        m_box = ChunkRect{x, y, x, y};
    else
        m_box = ChunkRect{std::min(m_box.left, x), std::min(m_box.top, y), std::max(m_box.right, x),
                          std::max(m_box.bottom, y)};
    ++m_pixels;
}

void UndoRing::close() {
    if (!m_recording)
        return;
    if (isPixelList(m_openKind)) {
        finish(nullptr);
        return;
    }
    const ChunkRect box = m_box;
    finish(&box);
}

void UndoRing::close(const ChunkRect& rect) {
    if (!m_recording)
        return;
    finish(isPixelList(m_openKind) ? nullptr : &rect);
}

void UndoRing::finish(const ChunkRect* rect) {
    m_recording = false;
    if (m_pixels == 0) {
        discardOpen();
        return;
    }
    if (rect && (!(*rect == m_box) || size_t(rect->width()) * size_t(rect->height()) != m_pixels)) {
        // The body would not match the rectangle (a record broken off half-way): undoing it
        // would paint the old pixels in the wrong places.
        discardOpen();
        return;
    }
    const uint64_t bodyLength = m_end - m_openStart;
    if (rect) {
        putU16(uint16_t(rect->left));
        putU16(uint16_t(rect->top));
        putU16(uint16_t(rect->width()));
        putU16(uint16_t(rect->height()));
    }
    putU16(uint16_t(bodyLength));
    put(uint8_t(m_openKind));
    if (m_overflow) {
        // The step alone needs more than the ring holds: nothing of it can be undone, and
        // everything older was overwritten on the way.
        clear();
        m_dropped = true;
        return;
    }
    m_records.push_back({m_openStart, m_end});
}

void UndoRing::discardOpen() {
    m_recording = false;
    if (m_overflow) {
        clear();
        m_dropped = true;
        return;
    }
    m_end = m_openStart;
}

void UndoRing::put(uint8_t byte) {
    if (m_overflow)
        return;
    while (m_end - m_begin >= m_ring.size()) {
        if (m_records.empty()) {
            m_overflow = true;
            return;
        }
        dropOldest();
    }
    m_ring[m_end % m_ring.size()] = byte;
    ++m_end;
}

void UndoRing::putU16(uint16_t value) {
    put(uint8_t(value & 0xFF));
    put(uint8_t(value >> 8));
}

void UndoRing::dropOldest() {
    m_records.pop_front();
    m_begin = m_records.empty() ? (m_recording ? m_openStart : m_end) : m_records.front().start;
    m_dropped = true;
}

uint16_t UndoRing::u16At(uint64_t position) const {
    return uint16_t(at(position) | (at(position + 1) << 8));
}

bool UndoRing::undo(const ChunkKey& current, const Restore& restore, const Peek& peek) {
    if (m_recording)
        close();
    if (!(current == m_chunk)) {
        // The history was made on another chunk; writing it here would damage this one.
        clear();
        return false;
    }
    bool restored = false;
    std::vector<PixelValue> overwritten;
    const Restore keepAndRestore = [&](int x, int y, uint8_t old) {
        overwritten.push_back({uint16_t(x), uint16_t(y), peek(x, y)});
        restore(x, y, old);
    };
    while (!m_records.empty()) {
        const Span span = m_records.back();
        m_records.pop_back();
        const auto kind = UndoKind(at(span.end - 1));
        const size_t bodyLength = u16At(span.end - kTrailerBytes);
        restoreRecord(span, kind, bodyLength, peek ? keepAndRestore : restore);
        m_end = span.start;
        restored = true;
        if (kind != UndoKind::JoinedRectangle && kind != UndoKind::JoinedPixelList)
            break;
    }
    if (m_records.empty())
        m_begin = m_end;
    if (restored && peek)
        m_redo.push_back(std::move(overwritten));
    return restored;
}

bool UndoRing::redo(const ChunkKey& current, const Apply& apply) {
    if (m_recording)
        close();
    if (!(current == m_chunk)) {
        clear();
        return false;
    }
    if (m_redo.empty())
        return false;
    const std::vector<PixelValue> step = std::move(m_redo.back());
    m_redo.pop_back();
    // Written back as one pixel list, in the reverse order of the undo, so that a pixel the
    // step changed twice ends with its newest value; the ring grows if the list needs it.
    // A record's length field holds at most 65535 bytes: a long step is several joined lists.
    constexpr size_t kListEntries = 0xFFFF / kPixelEntryBytes;
    const size_t records = (step.size() + kListEntries - 1) / kListEntries;
    reserve(step.size() * kPixelEntryBytes + records * kTrailerBytes);
    m_redoing = true;
    size_t n = 0;
    for (auto p = step.rbegin(); p != step.rend(); ++p, ++n) {
        if (n % kListEntries == 0) {
            close();
            start(n == 0 ? UndoKind::PixelList : UndoKind::JoinedPixelList, current);
        }
        apply(p->x, p->y, p->index);
    }
    close();
    m_redoing = false;
    return true;
}

void UndoRing::restoreRecord(const Span& span, UndoKind kind, size_t bodyLength,
                             const Restore& restore) const {
    const uint64_t body = span.start;
    if (isPixelList(kind)) {
        assert(bodyLength + kTrailerBytes == span.end - span.start);
        // Last entry first, so a pixel changed twice ends with its oldest value.
        for (size_t n = bodyLength / kPixelEntryBytes; n-- > 0;) {
            const uint64_t e = body + n * kPixelEntryBytes;
            restore(u16At(e), u16At(e + 2), at(e + 4));
        }
        return;
    }
    assert(bodyLength + kRectBytes + kTrailerBytes == span.end - span.start);
    const uint64_t r = body + bodyLength;
    const int x0 = u16At(r), y0 = u16At(r + 2), w = u16At(r + 4), h = u16At(r + 6);
    uint64_t p = body;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            restore(x0 + x, y0 + y, at(p++));
}

void UndoRing::clear() {
    m_records.clear();
    m_redo.clear();
    m_begin = m_end;
    m_recording = false;
    m_overflow = false;
    m_pixels = 0;
    m_dropped = false;
}

void UndoRing::reserve(size_t bytes) {
    if (bytes <= m_ring.size())
        return;
    // Positions are absolute; each byte still held moves to its place in the larger ring.
    std::vector<uint8_t> larger(bytes);
    for (uint64_t p = m_begin; p < m_end; ++p)
        larger[p % bytes] = at(p);
    m_ring = std::move(larger);
}

size_t UndoRing::stepCount() const {
    size_t steps = 0;
    for (size_t i = 0; i < m_records.size(); ++i) {
        const auto kind = UndoKind(at(m_records[i].end - 1));
        if ((kind != UndoKind::JoinedRectangle && kind != UndoKind::JoinedPixelList) || i == 0)
            ++steps;
    }
    return steps;
}

std::vector<uint8_t> UndoRing::newestRecordBytes() const {
    std::vector<uint8_t> bytes;
    if (m_records.empty())
        return bytes;
    for (uint64_t p = m_records.back().start; p < m_records.back().end; ++p)
        bytes.push_back(at(p));
    return bytes;
}

} // namespace zentrik
