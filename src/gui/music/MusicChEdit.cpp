#include "music/MusicChEdit.h"

#include "music/MusicDocument.h"
#include "music/MusicPage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace zentrik::gui {

namespace {

constexpr int kNoteHalfHeight = 2; // bars as tall as the hit tolerance reaches
constexpr int kMinSnapLineGap = 4; // pixels; denser snap lines would only grey the view
constexpr int kMaxZoom = 640;      // ticks per pixel
constexpr int kWheelPixels = 40;
constexpr int kKeysLeft = 20; // the note names' column of the strip
const char* const kSemitoneNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                        "F#", "G",  "G#", "A",  "A#", "B"};

const QColor kBackground(24, 26, 32);
const QColor kSemitoneLine(38, 41, 50);
const QColor kOctaveLine(70, 76, 92);
const QColor kSnapLine(44, 48, 40);
const QColor kNote(90, 200, 120);
const QColor kFaintNote(80, 84, 100);
const QColor kTie(240, 220, 110);
const QColor kZeroLength(250, 140, 60);
const QColor kSelected(255, 255, 255);
const QColor kPlayCursor(230, 70, 70);

Qt::CursorShape shapeOf(NoteEditor::Cursor c) {
    switch (c) {
    case NoteEditor::Cursor::WestEast:
        return Qt::SizeHorCursor;
    case NoteEditor::Cursor::NorthSouth:
        return Qt::SizeVerCursor;
    case NoteEditor::Cursor::FourWay:
        return Qt::SizeAllCursor;
    case NoteEditor::Cursor::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

MusicChEdit::MusicChEdit(MusicDocument& doc, MusicPage& page, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_page(page) {
    setObjectName(QStringLiteral("MusicChEdit"));
    setFixedSize(NoteEditor::kWidth, NoteEditor::kHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::vector<NoteEvent>& MusicChEdit::notes() {
    return m_doc.model().notesOf(m_channel);
}

uint32_t MusicChEdit::songLength() const {
    return m_doc.songIndex() ? m_doc.model().songLength : 0;
}

void MusicChEdit::setChannel(int channel) {
    cancelDrag();
    m_selected.reset();
    m_channel = channel;
    update();
}

void MusicChEdit::modelReplaced() {
    m_before.reset();
    m_editor.dropGrab();
    m_selected.reset();
    clampScroll();
    update();
    emit viewChanged();
}

void MusicChEdit::cancelDrag() {
    if (!m_before)
        return;
    notes() = std::move(*m_before);
    m_before.reset();
    m_editor.dropGrab();
    m_selected.reset();
    update();
}

bool MusicChEdit::deleteSelected() {
    if (m_before || !m_selected || *m_selected >= notes().size())
        return false;
    std::vector<NoteEvent> before = notes();
    notes().erase(notes().begin() + ptrdiff_t(*m_selected));
    m_selected.reset();
    m_page.recordNoteEdit(m_channel, std::move(before));
    update();
    emit notesEdited();
    return true;
}

void MusicChEdit::setPlayPosition(std::optional<int32_t> position) {
    m_playPosition = position;
    if (position) {
        const int old = m_editor.hScroll;
        m_editor.followCursor(*position, songLength());
        if (old != m_editor.hScroll)
            emit viewChanged();
    }
    update();
}

void MusicChEdit::zoomAt(int x, bool in) {
    const int64_t t = std::max<int64_t>(0, m_editor.timeAtX(x));
    m_editor.hZoom = in ? std::max(1, m_editor.hZoom / 2) : std::min(kMaxZoom, m_editor.hZoom * 2);
    m_editor.hScroll = int(t / m_editor.hZoom) - x + NoteEditor::kLeftMargin;
    clampScroll();
    update();
    emit viewChanged();
}

void MusicChEdit::setHScroll(int value) {
    m_editor.hScroll = value;
    clampScroll();
    update();
    emit viewChanged();
}

void MusicChEdit::setVScroll(int value) {
    m_editor.vScroll = value;
    clampScroll();
    update();
    emit viewChanged();
}

void MusicChEdit::clampScroll() {
    m_editor.hScroll = std::clamp(m_editor.hScroll, 0, m_editor.hScrollRange(songLength()));
    m_editor.vScroll = std::clamp(m_editor.vScroll, 0, m_editor.vScrollRange());
}

QPoint MusicChEdit::pointOfNote(const NoteEvent& n, double fraction) const {
    const auto t = uint32_t(n.start + n.duration * fraction);
    return {m_editor.xOfTime(t), m_editor.yOfNote(n)};
}

void MusicChEdit::paintGrid(QPainter& p) const {
    for (int block = 0; block < NoteEditor::kOctaves; ++block)
        for (size_t s = 0; s < NoteEditor::kSemitoneFnums.size(); ++s) {
            const int y = m_editor.yOfPitch(
                NoteEditor::pitchOf(NoteEditor::kSemitoneFnums[s], uint8_t(block)));
            p.setPen(s == 0 ? kOctaveLine : kSemitoneLine);
            p.drawLine(0, y, width(), y);
        }
    const double gap = m_editor.snapInterval() / m_editor.hZoom;
    if (!m_editor.snap || gap < kMinSnapLineGap)
        return;
    p.setPen(kSnapLine);
    const double first = std::ceil(m_editor.timeAtX(0) / m_editor.snapInterval());
    for (double k = std::max(0.0, first);; k += 1) {
        const int x = m_editor.xOfTime(uint32_t(k * m_editor.snapInterval()));
        if (x > width())
            break;
        p.drawLine(x, 0, x, height());
    }
}

void MusicChEdit::paintNotes(QPainter& p, const std::vector<NoteEvent>& notes, bool faint) const {
    const int64_t firstTick = m_editor.timeAtX(0);
    const int64_t lastTick = m_editor.timeAtX(width());
    for (size_t i = 0; i < notes.size(); ++i) {
        const NoteEvent& n = notes[i];
        if (int64_t(n.end()) < firstTick || int64_t(n.start) > lastTick || n.fnum == 0)
            continue;
        const int x0 = m_editor.xOfTime(n.start);
        const int x1 = std::max(x0 + 1, m_editor.xOfTime(n.end()));
        const int y = m_editor.yOfNote(n);
        if (faint) {
            p.fillRect(x0, y - 1, x1 - x0, 2, kFaintNote);
            continue;
        }
        if (n.duration == 0) { // never released: a mark instead of a bar
            const QPoint diamond[4] = {{x0, y - 3}, {x0 + 3, y}, {x0, y + 3}, {x0 - 3, y}};
            p.setPen(Qt::NoPen);
            p.setBrush(kZeroLength);
            p.drawPolygon(diamond, 4);
            continue;
        }
        p.fillRect(x0, y - kNoteHalfHeight, x1 - x0, 2 * kNoteHalfHeight + 1, kNote);
        if (n.tied) // the next note follows without a release
            p.fillRect(x1 - 2, y - kNoteHalfHeight - 1, 2, 2 * kNoteHalfHeight + 3, kTie);
        if (m_selected == i) {
            p.setPen(kSelected);
            p.setBrush(Qt::NoBrush);
            p.drawRect(x0 - 1, y - kNoteHalfHeight - 1, x1 - x0 + 1, 2 * kNoteHalfHeight + 2);
        }
    }
}

void MusicChEdit::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    paintGrid(p);
    if (!m_doc.songIndex())
        return;
    if (faintOthers)
        for (int c = kFirstMelodicChannel; c <= kModelChannels; ++c)
            if (c != m_channel)
                paintNotes(p, m_doc.model().notesOf(c), true);
    paintNotes(p, m_doc.model().notesOf(m_channel), false);
    if (m_playPosition) {
        const int x = m_editor.cursorX(*m_playPosition);
        p.setPen(kPlayCursor);
        p.drawLine(x, 0, x, height());
    }
    if (hasFocus()) {
        p.setPen(QPen(kOctaveLine, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void MusicChEdit::showNoteInfo() {
    emit noteInfo(QString::fromStdString(m_editor.noteLengthText(notes())),
                  QString::fromStdString(m_editor.noteTimeText(notes())));
}

void MusicChEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_doc.songIndex())
        return;
    setFocus(Qt::MouseFocusReason);
    std::vector<NoteEvent> before = notes();
    const QPoint at = event->position().toPoint();
    const NoteEditor::Press press = m_editor.press(notes(), songLength(), at.x(), at.y());
    if (press.grabbed) {
        m_before = std::move(before);
        m_selected = m_editor.grabbed();
        showNoteInfo();
        update();
    } else if (press.playFrom) {
        emit playFromRequested(*press.playFrom);
    }
}

void MusicChEdit::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_before && (event->buttons() & Qt::LeftButton)) {
        m_editor.drag(notes(), at.x(), at.y());
        m_selected = m_editor.grabbed();
        showNoteInfo();
        update();
        return;
    }
    if (!m_doc.songIndex())
        return;
    setCursor(shapeOf(m_editor.hoverCursor(notes(), songLength(), at.x(), at.y())));
}

void MusicChEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_before)
        return;
    const auto grabbed = m_editor.grabbed();
    const std::optional<NoteEvent> moved =
        grabbed && *grabbed < notes().size() ? std::optional(notes()[*grabbed]) : std::nullopt;
    m_editor.release(notes());
    m_selected.reset();
    if (moved) {
        const auto it = std::find(notes().begin(), notes().end(), *moved);
        if (it != notes().end())
            m_selected = size_t(it - notes().begin());
    }
    std::vector<NoteEvent> before = std::move(*m_before);
    m_before.reset();
    m_page.recordNoteEdit(m_channel, std::move(before));
    update();
    emit notesEdited();
}

void MusicChEdit::wheelEvent(QWheelEvent* event) {
    // Some platforms turn a wheel turned with Shift into a sideways one.
    const QPoint delta = event->angleDelta();
    const int steps = (delta.y() != 0 ? delta.y() : delta.x()) / 120;
    if (steps == 0)
        return;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::ControlModifier) && (mods & Qt::ShiftModifier)) {
        m_editor.zoomPitchAt(int(event->position().y()), steps > 0);
        update();
        emit viewChanged();
    } else if (mods & Qt::ControlModifier)
        zoomAt(int(event->position().x()), steps > 0);
    else
        setHScroll(m_editor.hScroll - steps * kWheelPixels);
    event->accept();
}

void MusicChEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_before) {
        cancelDrag();
        return;
    }
    if (event->key() == Qt::Key_Delete && deleteSelected())
        return;
    QWidget::keyPressEvent(event);
}

NoteNameStrip::NoteNameStrip(const MusicChEdit& roll, QWidget* parent)
    : QWidget(parent), m_roll(roll) {
    setFixedSize(kWidth, NoteEditor::kHeight);
}

void NoteNameStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(236, 236, 236));
    const NoteEditor& e = m_roll.editor();
    QFont f = font();
    f.setPointSizeF(std::max(6.0, f.pointSizeF() - 2));
    p.setFont(f);
    for (int block = 0; block < NoteEditor::kOctaves; ++block)
        for (size_t s = 0; s < NoteEditor::kSemitoneFnums.size(); ++s) {
            const int y =
                e.yOfPitch(NoteEditor::pitchOf(NoteEditor::kSemitoneFnums[s], uint8_t(block)));
            const bool black = std::string_view(kSemitoneNames[s]).size() == 2;
            p.setPen(black ? QColor(40, 40, 40) : QColor(170, 170, 170));
            p.drawLine(black ? kKeysLeft + (kWidth - kKeysLeft) / 2 : kKeysLeft, y, kWidth, y);
            if (s == 0) {
                p.setPen(Qt::black);
                p.drawText(QRect(0, y - 10, kKeysLeft - 1, 12), Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("%1%2").arg(QLatin1String(kSemitoneNames[s])).arg(block));
            }
        }
}

} // namespace zentrik::gui
