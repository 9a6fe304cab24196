#include "draw/UndoRing.h"

#include "platform/Prompter.h"

#include <algorithm>
#include <cassert>

namespace zentrik {

namespace {
constexpr const char* kStartWhileRecording = "StartUndoRecord while recording!";

bool isPixelList(UndoKind kind) {
    return kind == UndoKind::PixelList || kind == UndoKind::JoinedPixelList;
}
bool isJoined(UndoKind kind) {
    return kind == UndoKind::JoinedRectangle || kind == UndoKind::JoinedPixelList;
}
uint16_t u16At(const std::vector<uint8_t>& bytes, size_t at) {
    return uint16_t(bytes[at] | (bytes[at + 1] << 8));
}
void putU16(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes.push_back(uint8_t(value & 0xFF));
    bytes.push_back(uint8_t(value >> 8));
}
} // namespace

void UndoRing::start(UndoKind kind, const ChunkKey& chunk) {
    if (m_recording) {
        if (m_prompter)
            m_prompter->message(kStartWhileRecording, "Zentrik", MessageIcon::Exclamation);
        close();
    }
    m_chunk = chunk;
    m_recording = true;
    m_openKind = kind;
    m_open.clear();
    m_pixels = 0;
    m_box = ChunkRect{};
}

void UndoRing::recordPixel(int x, int y, uint8_t oldIndex) {
    if (!m_recording)
        return;
    assert(x >= 0 && y >= 0 && x <= 0xFFFF && y <= 0xFFFF);
    if (isPixelList(m_openKind)) {
        putU16(m_open, uint16_t(x));
        putU16(m_open, uint16_t(y));
    }
    m_open.push_back(oldIndex);
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
    const ChunkRect box = m_box;
    finish(isPixelList(m_openKind) ? nullptr : &box);
}

void UndoRing::close(const ChunkRect& rect) {
    if (!m_recording)
        return;
    finish(isPixelList(m_openKind) ? nullptr : &rect);
}

void UndoRing::finish(const ChunkRect* rect) {
    m_recording = false;
    std::vector<uint8_t> body = std::move(m_open);
    m_open = {};
    if (m_pixels == 0)
        return;
    if (rect && (!(*rect == m_box) || size_t(rect->width()) * size_t(rect->height()) != m_pixels)) {
        m_unrecorded = true; // the pixels changed, but no step can take them back
        return; // the body would not match the rectangle: undoing it would misplace pixels
    }
    History& history = m_histories[m_chunk];
    if (!m_redoing)
        forgetRedo(history); // a new edit: what was undone here cannot come back
    m_bytes += body.size();
    ++m_serial;
    history.records.push_back({m_openKind, rect ? *rect : ChunkRect{}, std::move(body), m_serial,
                               m_redoing ? m_redoState : m_serial});
    trim();
}

void UndoRing::forgetRedo(History& history) {
    for (const Step& step : history.redo)
        m_bytes -= stepBytes(step);
    history.redo.clear();
    history.redoStates.clear();
}

void UndoRing::trim() {
    while (m_bytes > m_budget && dropOldest())
        m_dropped = true;
}

bool UndoRing::dropOldest() {
    // The candidate is the history whose first record is oldest; the newest step of the chunk
    // last edited is never a candidate.
    History* oldest = nullptr;
    for (auto& [key, history] : m_histories) {
        auto& records = history.records;
        if (records.empty())
            continue;
        if (key == m_chunk) {
            size_t newestStep = records.size() - 1;
            while (newestStep > 0 && isJoined(records[newestStep].kind))
                --newestStep;
            if (newestStep == 0)
                continue;
        }
        if (!oldest || records.front().serial < oldest->records.front().serial)
            oldest = &history;
    }
    if (!oldest) {
        // Only redo data of other chunks is left to give up.
        bool dropped = false;
        for (auto& [key, history] : m_histories)
            if (!(key == m_chunk) && !history.redo.empty()) {
                forgetRedo(history);
                dropped = true;
            }
        return dropped;
    }
    auto& records = oldest->records;
    do {
        m_bytes -= records.front().body.size();
        oldest->base = records.front().state;
        records.pop_front();
    } while (!records.empty() && isJoined(records.front().kind)); // a joined partner goes too
    return true;
}

const UndoRing::History* UndoRing::find(const ChunkKey& chunk) const {
    const auto it = m_histories.find(chunk);
    return it == m_histories.end() ? nullptr : &it->second;
}

bool UndoRing::undo(const ChunkKey& current, const Restore& restore, const Peek& peek) {
    if (m_recording)
        close();
    m_chunk = current;
    const auto it = m_histories.find(current);
    if (it == m_histories.end() || it->second.records.empty())
        return false;
    History& history = it->second;
    Step overwritten;
    const uint64_t undoneState = history.position();
    const Restore keepAndRestore = [&](int x, int y, uint8_t old) {
        overwritten.push_back({uint16_t(x), uint16_t(y), peek(x, y)});
        restore(x, y, old);
    };
    while (!history.records.empty()) {
        const Record record = std::move(history.records.back());
        history.records.pop_back();
        m_bytes -= record.body.size();
        restoreRecord(record, peek ? keepAndRestore : restore);
        if (!isJoined(record.kind))
            break;
    }
    if (peek) {
        // Not trimmed here: the step only moved from one list to the other, and trimming now
        // could take the very steps the user is walking back through.
        m_bytes += stepBytes(overwritten);
        history.redo.push_back(std::move(overwritten));
        history.redoStates.push_back(undoneState);
    }
    return true;
}

bool UndoRing::redo(const ChunkKey& current, const Apply& apply) {
    if (m_recording)
        close();
    m_chunk = current;
    const auto it = m_histories.find(current);
    if (it == m_histories.end() || it->second.redo.empty())
        return false;
    const Step step = std::move(it->second.redo.back());
    it->second.redo.pop_back();
    m_redoState = it->second.redoStates.back();
    it->second.redoStates.pop_back();
    m_bytes -= stepBytes(step);
    // Written back as one pixel list, in the reverse order of the undo, so that a pixel the
    // step changed twice ends with its newest value.
    m_redoing = true;
    start(UndoKind::PixelList, current);
    for (auto p = step.rbegin(); p != step.rend(); ++p)
        apply(p->x, p->y, p->index);
    close();
    m_redoing = false;
    return true;
}

void UndoRing::restoreRecord(const Record& record, const Restore& restore) {
    const auto& body = record.body;
    if (isPixelList(record.kind)) {
        // Last entry first, so a pixel changed twice ends with its oldest value.
        for (size_t n = body.size() / kPixelEntryBytes; n-- > 0;) {
            const size_t e = n * kPixelEntryBytes;
            restore(u16At(body, e), u16At(body, e + 2), body[e + 4]);
        }
        return;
    }
    size_t p = 0;
    for (int y = record.rect.top; y <= record.rect.bottom; ++y)
        for (int x = record.rect.left; x <= record.rect.right; ++x)
            restore(x, y, body[p++]);
}

bool UndoRing::canUndo(const ChunkKey& chunk) const {
    const History* history = find(chunk);
    return history && !history->records.empty();
}

bool UndoRing::canRedo(const ChunkKey& chunk) const {
    const History* history = find(chunk);
    return history && !history->redo.empty();
}

void UndoRing::clear() {
    // Whatever stood away from the save stays so: only markSaved makes the set clean.
    const bool away = awayFromSaved();
    m_histories.clear();
    m_bytes = 0;
    m_recording = false;
    m_open.clear();
    m_pixels = 0;
    m_dropped = false;
    m_unrecorded = away;
    m_structureDepth = 0;
    m_savedStructureDepth = 0;
}

void UndoRing::rekey(const Rekey& where) {
    if (m_recording)
        close();
    std::map<ChunkKey, History, KeyLess> moved;
    for (auto& [key, history] : m_histories) {
        if (const std::optional<ChunkKey> to = where(key)) {
            moved[*to] = std::move(history);
            continue;
        }
        if (history.position() != history.saved)
            m_unrecorded = true; // its changes stay, but nothing can take them back now
        for (const Record& record : history.records)
            m_bytes -= record.body.size();
        forgetRedo(history);
    }
    m_histories = std::move(moved);
    if (const std::optional<ChunkKey> to = where(m_chunk))
        m_chunk = *to;
}

void UndoRing::markSaved() {
    if (m_recording)
        close();
    for (auto& [key, history] : m_histories)
        history.saved = history.position();
    m_unrecorded = false;
    m_savedStructureDepth = m_structureDepth;
}

size_t UndoRing::chunksAwayFromSaved() const {
    size_t away = 0;
    for (const auto& [key, history] : m_histories)
        if (history.position() != history.saved || (m_recording && m_pixels > 0 && key == m_chunk))
            ++away;
    if (m_recording && m_pixels > 0 && !find(m_chunk))
        ++away;
    return away;
}

bool UndoRing::awayFromSaved() const {
    return m_unrecorded || m_structureDepth != m_savedStructureDepth || chunksAwayFromSaved() > 0;
}

void UndoRing::setBudget(size_t bytes) {
    m_budget = bytes;
    trim();
}

size_t UndoRing::recordCount() const {
    const History* history = find(m_chunk);
    return history ? history->records.size() : 0;
}

size_t UndoRing::stepCount() const {
    const History* history = find(m_chunk);
    if (!history)
        return 0;
    size_t steps = 0;
    for (size_t i = 0; i < history->records.size(); ++i)
        if (!isJoined(history->records[i].kind) || i == 0)
            ++steps;
    return steps;
}

size_t UndoRing::redoCount() const {
    const History* history = find(m_chunk);
    return history ? history->redo.size() : 0;
}

uint64_t UndoRing::newestSerial(const ChunkKey& chunk) const {
    const History* history = find(chunk);
    return history && !history->records.empty() ? history->records.back().serial : 0;
}

std::vector<uint8_t> UndoRing::newestRecordBytes() const {
    const History* history = find(m_chunk);
    if (!history || history->records.empty())
        return {};
    const Record& record = history->records.back();
    std::vector<uint8_t> bytes = record.body;
    if (!isPixelList(record.kind)) {
        putU16(bytes, uint16_t(record.rect.left));
        putU16(bytes, uint16_t(record.rect.top));
        putU16(bytes, uint16_t(record.rect.width()));
        putU16(bytes, uint16_t(record.rect.height()));
    }
    putU16(bytes, uint16_t(std::min<size_t>(record.body.size(), 0xFFFF)));
    bytes.push_back(uint8_t(record.kind));
    return bytes;
}

} // namespace zentrik
