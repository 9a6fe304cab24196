#include "window/SidePanel.h"

#include "choosers/ChooserImages.h"
#include "context/AppContext.h"
#include "widgets/PixelPicture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {
constexpr int kPictureSize = 28; // a 7 x 7 symbol at four times its size
constexpr int kPanelWidth = 210;

int fieldIndex(bool left, int kind) {
    return (left ? 0 : 3) + kind - 1;
}
} // namespace

SidePanel::SidePanel(AppContext& context, QWidget* parent) : QFrame(parent), m_context(context) {
    setObjectName(QStringLiteral("SidePanel"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFixedWidth(kPanelWidth);
    auto* layout = new QVBoxLayout(this);
    m_caption = new QLabel(QStringLiteral("Walls"), this);
    m_caption->setObjectName(QStringLiteral("PenCaption"));
    m_caption->setStyleSheet(QStringLiteral("font-weight: bold"));
    m_caption->setToolTip(QStringLiteral("The plane the map's pens draw on"));
    connect(&context.messages, &AppMessages::editPlaneChanged, this, [this] { showCaption(); });
    layout->addWidget(m_caption);
    const char* const penTitles[] = {"Left pen", "Right pen"};
    for (int side = 0; side < 2; ++side) {
        auto* title = new QLabel(QString::fromLatin1(penTitles[side]), this);
        title->setStyleSheet(QStringLiteral("font-weight: bold"));
        layout->addWidget(title);
        addField(m_pens[size_t(side * 3)], QStringLiteral("Wall"), false, layout);
        addField(m_pens[size_t(side * 3 + 1)], QStringLiteral("Object"), true, layout);
        addField(m_pens[size_t(side * 3 + 2)], QStringLiteral("Floor"), false, layout);
    }
    m_cursorLine = new QLabel(cursorText(0, 0), this);
    m_cursorLine->setObjectName(QStringLiteral("CursorLine"));
    layout->addSpacing(8);
    layout->addWidget(m_cursorLine);
    addField(m_cursor[0], QStringLiteral("Wall"), false, layout);
    addField(m_cursor[1], QStringLiteral("Object"), true, layout);
    layout->addStretch(1);

    Workspace& ws = context.workspace;
    m_watches[0] = ws.currentLevelChanged.connect([this](int level) {
        if (level != m_level)
            clearCursor();
        m_level = level;
    });
    m_watches[1] = ws.changed.connect([this](const Change& c) {
        if (c.set == DataSet::Maps && c.kind == ChangeKind::Loaded)
            clearCursor();
    });
}

void SidePanel::showCaption() {
    const EditPlane p = m_context.editPlane;
    m_caption->setText(m_flats                   ? QStringLiteral("Floor/Ceiling textures")
                       : p == EditPlane::Floors  ? QStringLiteral("Floors")
                       : p == EditPlane::Objects ? QStringLiteral("Objects")
                                                 : QStringLiteral("Walls"));
}

void SidePanel::clearCursor() {
    m_cursorLine->setText(cursorText(0, 0));
    for (Field& f : m_cursor) {
        f.set = false;
        f.value = 0;
        f.name->setText(nothingText());
        drawPicture(f);
    }
}

QString SidePanel::cursorText(int x, int y) {
    return QStringLiteral("X: %1  Y: %2    ").arg(x).arg(y);
}

void SidePanel::addField(Field& f, const QString& title, bool object, QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    f.picture = new PixelPicture(QSize(kPictureSize, kPictureSize), this);
    f.picture->setToolTip(title);
    f.name = new QLabel(nothingText(), this);
    f.name->setWordWrap(true);
    f.object = object;
    row->addWidget(f.picture);
    row->addWidget(f.name, 1);
    layout->addLayout(row);
}

void SidePanel::showField(Field& f, quint16 value) {
    f.value = value;
    f.set = true;
    if (flatShownIn(f))
        return; // kept for when the walls come back
    const std::string label =
        f.object ? m_context.objectLabel(value) : m_context.plane0Label(value);
    f.name->setText(QString::fromStdString(label));
    drawPicture(f);
}

void SidePanel::drawPicture(Field& f) {
    f.picture->setImage(f.set ? m_context.symbolImage(f.object, f.value) : QImage());
}

bool SidePanel::flatShownIn(const Field& f) const {
    return m_flats && (&f == &m_pens[0] || &f == &m_pens[3]);
}

QImage SidePanel::flatImage(uint8_t value) const {
    const GamePalette& palette = m_context.palettes.current();
    if (m_flatColors) {
        QImage swatch(kPictureSize, kPictureSize, QImage::Format_RGB32);
        const Rgb c = palette.entries[value];
        swatch.fill(QColor(c.r, c.g, c.b));
        return swatch;
    }
    Workspace& ws = m_context.workspace;
    if (!ws.isLoaded(DataSet::Walls) || value >= ws.walls().count() || !ws.walls().images[value])
        return {};
    return chooserImage(*ws.walls().images[value], palette, kPictureSize);
}

void SidePanel::showFlat(bool left) {
    Field& f = m_pens[size_t(fieldIndex(left, kPenWall))];
    const uint8_t value = m_context.pens.of(left).flat;
    f.name->setText(
        (m_flatColors ? QStringLiteral("Color %1") : QStringLiteral("Texture %1")).arg(value));
    f.picture->setImage(flatImage(value));
}

void SidePanel::showFlatPens(bool shown, bool colors) {
    m_flats = shown;
    m_flatColors = colors;
    showCaption();
    for (bool left : {true, false}) {
        Field& f = m_pens[size_t(fieldIndex(left, kPenWall))];
        if (shown)
            showFlat(left);
        else if (f.set)
            showField(f, f.value);
        else {
            f.name->setText(nothingText());
            drawPicture(f);
        }
    }
}

void SidePanel::showPen(bool left, int kind) {
    if (kind == kPenFlat) {
        if (m_flats)
            showFlat(left);
        return;
    }
    if (kind < 1 || kind > 3)
        return;
    const Pen& pen = m_context.pens.of(left);
    const quint16 values[] = {pen.wall, pen.object, pen.floor};
    showField(m_pens[size_t(fieldIndex(left, kind))], values[kind - 1]);
}

void SidePanel::showCursor(int x, int y, quint16 object, quint16 wall) {
    m_cursorLine->setText(cursorText(x, y));
    showField(m_cursor[0], wall);
    showField(m_cursor[1], object);
}

void SidePanel::rebuildPictures() {
    ++m_rebuilds;
    for (Field& f : m_pens) {
        if (f.set)
            showField(f, f.value);
    }
    if (m_flats)
        showFlatPens(true, m_flatColors);
    for (Field& f : m_cursor) {
        if (f.set)
            showField(f, f.value);
    }
}

QLabel* SidePanel::nameLabel(bool left, int kind) const {
    return m_pens[size_t(fieldIndex(left, kind))].name;
}

const QImage& SidePanel::penPicture(bool left, int kind) const {
    return m_pens[size_t(fieldIndex(left, kind))].picture->image();
}

const QImage& SidePanel::cursorPicture(int kind) const {
    return m_cursor[size_t(kind - 1)].picture->image();
}

QLabel* SidePanel::cursorName(int kind) const {
    return m_cursor[size_t(kind - 1)].name;
}

} // namespace zentrik::gui
