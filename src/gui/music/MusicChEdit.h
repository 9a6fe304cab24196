#pragma once

// The core headers come before Qt's: Qt's "slots" keyword macro would break the core's Signal.
#include "music/MusicPage.h"
#include "music/NoteEditor.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace zentrik::gui {

// The channel editor: a piano roll of the selected channel's notes over the fixed drawing area,
// with the other channels drawn faint behind them. Notes are moved, re-pitched and lengthened
// with the mouse; each finished drag is one undoable edit of the song model. A click on an
// empty spot plays the song from there.
class MusicChEdit : public QWidget {
    Q_OBJECT
public:
    MusicChEdit(MusicDocument& doc, MusicPage& page, QWidget* parent = nullptr);

    NoteEditor& editor() { return m_editor; }
    const NoteEditor& editor() const { return m_editor; }
    int channel() const { return m_channel; }
    // Shows another channel; a drag in progress is taken back first.
    void setChannel(int channel);
    // The model was replaced: a grab or selection would point at another note.
    void modelReplaced();
    // Takes back the drag in progress (Escape).
    void cancelDrag();
    // Removes the note last grabbed, as one edit (Delete).
    bool deleteSelected();
    std::optional<size_t> selected() const { return m_selected; }

    // The play cursor: the player's position while playing, none when stopped.
    void setPlayPosition(std::optional<int32_t> position);
    // Horizontal zoom in ticks per pixel, keeping the time at x where it is.
    void zoomAt(int x, bool in);
    void setHScroll(int value);
    void setVScroll(int value);
    bool faintOthers = true;

    // A y within one pixel of the note's drawn height, for tests and the hit test's tolerance.
    QPoint pointOfNote(const NoteEvent& n, double fraction) const;

signals:
    void noteInfo(const QString& length, const QString& time);
    void viewChanged(); // scroll or zoom changed
    void notesEdited();
    void playFromRequested(uint32_t tick);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<NoteEvent>& notes();
    uint32_t songLength() const;
    void clampScroll();
    void paintGrid(class QPainter& p) const;
    void paintNotes(QPainter& p, const std::vector<NoteEvent>& notes, bool faint) const;
    void showNoteInfo();

    MusicDocument& m_doc;
    MusicPage& m_page;
    NoteEditor m_editor;
    int m_channel = 1;
    std::optional<std::vector<NoteEvent>> m_before; // the channel's notes when the drag began
    std::optional<size_t> m_selected;
    std::optional<int32_t> m_playPosition;
};

// The note names beside the roll: one key per semitone, C of each octave named.
class NoteNameStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 44;
    explicit NoteNameStrip(const MusicChEdit& roll, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const MusicChEdit& m_roll;
};

} // namespace zentrik::gui
