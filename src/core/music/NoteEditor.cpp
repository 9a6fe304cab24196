#include "music/NoteEditor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zentrik {

namespace {

constexpr double kBaseFnum = 345.0; // F-number of the octave's first semitone
constexpr double kSilentPitch = -1000.0;
constexpr uint32_t kShortestGrabParts = 3; // below this a note has no thirds

} // namespace

bool NoteEditor::setSnapTempo(double bpm) {
    if (!(bpm >= kMinSnapTempo && bpm <= kMaxSnapTempo))
        return false;
    m_tempo = bpm;
    return true;
}

int NoteEditor::hScrollRange(uint32_t songLength) const {
    const int64_t range = (int64_t(songLength) + 10 * hZoom) / hZoom - kVisibleWidth;
    return range > 0 ? int(range) : 0;
}

double NoteEditor::pitchOf(uint16_t fnum, uint8_t block) {
    if (fnum == 0)
        return kSilentPitch;
    return block + std::log2(fnum / kBaseFnum);
}

int NoteEditor::yOfPitch(double pitch) const {
    return int(std::lround(kBaseline - (pitch + pitchOffset()) * octavePixels()));
}

void NoteEditor::zoomPitchAt(int y, bool in) {
    const double pitch = double(kBaseline - y) / octavePixels() - pitchOffset();
    vZoom = std::clamp(vZoom + (in ? -1 : 1), kFewestOctavesInView, kOctaves);
    const double scroll = double(kBaseline - y) / octavePixels() - pitch + vScrollRange();
    vScroll = std::clamp(int(std::lround(scroll)), 0, vScrollRange());
}

std::string NoteEditor::leftEdgeText() const {
    const int64_t t = std::max<int64_t>(int64_t(hScroll) * hZoom, 0);
    char text[32];
    std::snprintf(text, sizeof text, "%.2i:%.2i", int(t / int64_t(kTicksPerMinute)),
                  int((t / kImfTicksPerSecond) % 60));
    return text;
}

std::optional<size_t> NoteEditor::hitTest(const std::vector<NoteEvent>& notes, uint32_t songLength,
                                          int x, int y) const {
    const int64_t t = timeAtX(x);
    if (t > int64_t(songLength) || t < 0)
        return std::nullopt;
    for (size_t i = 0; i < notes.size(); ++i) {
        if (int64_t(notes[i].end()) <= t)
            continue;
        if (int64_t(notes[i].start) <= t && std::abs(yOfNote(notes[i]) - y) <= kHitTolerance)
            return i;
        return std::nullopt;
    }
    return std::nullopt;
}

NoteEditor::Grab NoteEditor::grabPartAt(const NoteEvent& n, int64_t t) {
    if (n.duration < kShortestGrabParts)
        return Grab::PitchAndLength;
    const int64_t third = (t - n.start) * 3 / n.duration;
    return third <= 0 ? Grab::Move : third == 1 ? Grab::Pitch : Grab::Length;
}

NoteEditor::Cursor NoteEditor::cursorFor(Grab g) {
    switch (g) {
    case Grab::Move:
    case Grab::Length:
        return Cursor::WestEast;
    case Grab::Pitch:
        return Cursor::NorthSouth;
    case Grab::PitchAndLength:
        return Cursor::FourWay;
    case Grab::None:
        break;
    }
    return Cursor::Arrow;
}

NoteEditor::Cursor NoteEditor::hoverCursor(const std::vector<NoteEvent>& notes, uint32_t songLength,
                                           int x, int y) const {
    const auto hit = hitTest(notes, songLength, x, y);
    return hit ? cursorFor(grabPartAt(notes[*hit], timeAtX(x))) : Cursor::Arrow;
}

NoteEditor::Press NoteEditor::press(std::vector<NoteEvent>& notes, uint32_t songLength, int x,
                                    int y) {
    Press p;
    const auto hit = hitTest(notes, songLength, x, y);
    if (hit) {
        m_grabbed = hit;
        m_part = grabPartAt(notes[*hit], timeAtX(x));
        m_lastX = x;
        m_exactStart = notes[*hit].start;
        p.grabbed = true;
        return p;
    }
    const int64_t t = timeAtX(x);
    if (t >= 0 && t <= int64_t(songLength))
        p.playFrom = uint32_t(t);
    return p;
}

void NoteEditor::dragPitch(NoteEvent& n, int y) const {
    int best = 0;
    int bestDistance = -1;
    for (int block = 0; block < kOctaves; ++block)
        for (size_t s = 0; s < kSemitoneFnums.size(); ++s) {
            const int d = std::abs(yOfPitch(pitchOf(kSemitoneFnums[s], uint8_t(block))) - y);
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                best = block * 12 + int(s);
            }
        }
    n.fnum = kSemitoneFnums[size_t(best % 12)];
    n.block = uint8_t(best / 12);
}

void NoteEditor::dragMove(std::vector<NoteEvent>& notes, int dx) {
    NoteEvent& n = notes[*m_grabbed];
    if (snap) {
        m_exactStart = std::max(0.0, m_exactStart + double(dx) * hZoom);
        const double steps = std::floor(m_exactStart / snapInterval() + 0.5);
        n.start = uint32_t(std::lround(steps * snapInterval()));
    } else {
        n.start = uint32_t(std::max<int64_t>(0, int64_t(n.start) + int64_t(dx) * hZoom));
    }
    // Keep the channel's notes in time order; the grabbed note moves with its place.
    size_t i = *m_grabbed;
    while (i > 0 && notes[i - 1].start > notes[i].start) {
        std::swap(notes[i - 1], notes[i]);
        --i;
    }
    while (i + 1 < notes.size() && notes[i + 1].start < notes[i].start) {
        std::swap(notes[i + 1], notes[i]);
        ++i;
    }
    m_grabbed = i;
}

void NoteEditor::drag(std::vector<NoteEvent>& notes, int x, int y) {
    if (!m_grabbed || *m_grabbed >= notes.size())
        return;
    const int dx = x - m_lastX;
    m_lastX = x;
    NoteEvent& n = notes[*m_grabbed];
    if (m_part == Grab::Pitch || m_part == Grab::PitchAndLength)
        dragPitch(n, y);
    if (m_part == Grab::Length || m_part == Grab::PitchAndLength)
        n.duration = uint32_t(std::max<int64_t>(1, int64_t(n.duration) + int64_t(dx) * hZoom));
    if (m_part == Grab::Move)
        dragMove(notes, dx);
}

void NoteEditor::release(std::vector<NoteEvent>& notes) {
    if (!m_grabbed || *m_grabbed >= notes.size()) {
        dropGrab();
        return;
    }
    size_t g = *m_grabbed;
    if (g > 0 && notes[g - 1].end() > notes[g].start) {
        NoteEvent& prev = notes[g - 1];
        if (prev.start < notes[g].start) {
            prev.duration = notes[g].start - prev.start;
        } else {
            notes.erase(notes.begin() + ptrdiff_t(g - 1));
            --g;
        }
    }
    const uint32_t end = notes[g].end();
    size_t i = g + 1;
    while (i < notes.size() && notes[i].start < end) {
        if (notes[i].end() <= end) {
            notes.erase(notes.begin() + ptrdiff_t(i));
            continue;
        }
        notes[i].duration = notes[i].end() - end;
        notes[i].start = end;
        ++i;
    }
    dropGrab();
}

std::string NoteEditor::noteLengthText(const std::vector<NoteEvent>& notes) const {
    char text[48];
    std::snprintf(text, sizeof text, "Note length: %i",
                  m_grabbed && *m_grabbed < notes.size() ? int(notes[*m_grabbed].duration) : 0);
    return text;
}

std::string NoteEditor::noteTimeText(const std::vector<NoteEvent>& notes) const {
    char text[48];
    std::snprintf(text, sizeof text, "Note time: %i",
                  m_grabbed && *m_grabbed < notes.size() ? int(notes[*m_grabbed].start) : 0);
    return text;
}

void NoteEditor::followCursor(int32_t position, uint32_t songLength) {
    const int x = cursorX(position);
    if (x >= 0 && x <= kCursorFollowRight) {
        m_follow = true;
        return;
    }
    if (m_follow)
        hScroll = std::clamp(position / hZoom + kLeftMargin - kCursorFollowAt, 0,
                             hScrollRange(songLength));
}

} // namespace zentrik
