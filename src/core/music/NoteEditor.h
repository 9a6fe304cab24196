#pragma once

#include "music/SongModel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrik {

// The piano roll's view and note editing for one channel, without widgets: the geometry, the
// hit test, snapping and the drag rules. Pixel positions are those of the drawing area.
class NoteEditor {
public:
    static constexpr int kWidth = 544;
    static constexpr int kHeight = 350;
    static constexpr int kLeftMargin = 9; // pixels before tick 0
    static constexpr int kBaseline = 337; // y of pitch 0 at scroll 0
    static constexpr int kVisibleWidth = 535;
    static constexpr int kOctaves = 8;
    static constexpr int kFewestOctavesInView = 2;
    static constexpr int kHitTolerance = 2;
    static constexpr int kCursorFollowRight = 481;
    static constexpr int kCursorFollowAt = 53;
    static constexpr double kMinSnapTempo = 1.0;
    static constexpr double kMaxSnapTempo = 21000.0;
    static constexpr double kTicksPerMinute = 42000.0;
    static constexpr std::array<uint16_t, 12> kSemitoneFnums{345, 365, 387, 410, 434, 460,
                                                             488, 517, 547, 580, 615, 651};

    enum class Grab { None, Move, Pitch, Length, PitchAndLength };
    enum class Cursor { Arrow, WestEast, NorthSouth, FourWay };

    int hZoom = 20; // ticks per pixel
    int vZoom = 8;  // octaves in view
    int hScroll = 0;
    int vScroll = 0;
    bool snap = true;

    // Snap tempo in beats per minute; a value outside 1 .. 21000 is refused (false) and the
    // old one kept.
    bool setSnapTempo(double bpm);
    double snapTempo() const { return m_tempo; }
    double snapInterval() const { return kTicksPerMinute / m_tempo; }

    // Geometry.
    int octavePixels() const { return (kBaseline - 1) / vZoom; }
    int xOfTime(uint32_t t) const { return int(t / uint32_t(hZoom)) - hScroll + kLeftMargin; }
    int64_t timeAtX(int x) const { return int64_t(x - kLeftMargin + hScroll) * hZoom; }
    int hScrollRange(uint32_t songLength) const;
    int vScrollRange() const { return kOctaves - vZoom; }
    // The scroll bar's top shows the highest octaves: a pitch is drawn `pitch + pitchOffset()`
    // octaves above the baseline, the offset reaching 0 (the lowest octave at the bottom) at the
    // bar's end, and always 0 when all eight octaves are in view.
    int pitchOffset() const { return vScroll - vScrollRange(); }
    // One octave fewer (in) or more in view, keeping the pitch at row y where it is as far as
    // the whole-octave scroll allows.
    void zoomPitchAt(int y, bool in);
    static double pitchOf(uint16_t fnum, uint8_t block); // octaves; very low for F-number 0
    int yOfPitch(double pitch) const;
    int yOfNote(const NoteEvent& n) const { return yOfPitch(pitchOf(n.fnum, n.block)); }
    std::string leftEdgeText() const; // "%.2i:%.2i"

    // The note under the mouse, if any.
    std::optional<size_t> hitTest(const std::vector<NoteEvent>& notes, uint32_t songLength, int x,
                                  int y) const;
    static Grab grabPartAt(const NoteEvent& n, int64_t t);
    static Cursor cursorFor(Grab g);
    Cursor hoverCursor(const std::vector<NoteEvent>& notes, uint32_t songLength, int x,
                       int y) const;

    // Mouse down: grabs the note under the mouse and returns true. Otherwise, within the song,
    // playFrom gets the tick under the mouse.
    struct Press {
        bool grabbed = false;
        std::optional<uint32_t> playFrom;
    };
    Press press(std::vector<NoteEvent>& notes, uint32_t songLength, int x, int y);
    void drag(std::vector<NoteEvent>& notes, int x, int y);
    void release(std::vector<NoteEvent>& notes);

    std::optional<size_t> grabbed() const { return m_grabbed; }
    Grab grabPart() const { return m_part; }
    std::string noteLengthText(const std::vector<NoteEvent>& notes) const; // "Note length: %i"
    std::string noteTimeText(const std::vector<NoteEvent>& notes) const;   // "Note time: %i"

    // A grab that must not survive (the model was replaced, the channel changed, Escape): it
    // ends without the cut rules of a release.
    void dropGrab() {
        m_grabbed.reset();
        m_part = Grab::None;
    }

    // Play cursor at a player position: its x (at the notes' margin, so it meets the note that
    // is sounding), and the follow rule's new scroll.
    int cursorX(int32_t position) const { return position / hZoom - hScroll + kLeftMargin; }
    void followCursor(int32_t position, uint32_t songLength);
    bool following() const { return m_follow; }

private:
    void dragPitch(NoteEvent& n, int y) const;
    void dragMove(std::vector<NoteEvent>& notes, int dx);

    double m_tempo = 120.0;
    std::optional<size_t> m_grabbed;
    Grab m_part = Grab::None;
    int m_lastX = 0;
    double m_exactStart = 0;
    bool m_follow = false;
};

} // namespace zentrik
