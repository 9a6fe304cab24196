#include "vga/CProp11Screens.h"

#include "context/AppContext.h"
#include "context/PageRegistry.h"
#include "pages/PixelData.h"
#include "vga/PageKeys.h"
#include "vga/TextScreenPaint.h"
#include "vga/VgaData.h"
#include "widgets/ChunkNumberField.h"
#include "widgets/ChunkStrip.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {
const PageRegistration reg("CProp11Screens", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CProp11Screens(c, parent);
});
constexpr size_t kUndoSteps = 200;
} // namespace

CProp11Screens::CProp11Screens(AppContext& context, QWidget* parent)
    : QWidget(parent), m_vga(VgaData::of(context)), m_saved(m_vga.state().screens),
      m_border(BorderDialog::preset(0, m_pens.attribute())) {
    context.workspace.watchHistory(DataSet::Screens, &m_saved);
    m_edit = new ScreenEditCtrl(m_pens, this);
    m_edit->beforeEdit = [this] { remember(); };
    m_cursor = new QLabel(QStringLiteral("X: 0 Y: 0"), this);
    m_cursor->setObjectName(QStringLiteral("CursorCell"));
    m_selection = new QLabel(QStringLiteral("LX: 0 LY: 0"), this);
    m_selection->setObjectName(QStringLiteral("SelectionSize"));
    connect(m_edit, &ScreenEditCtrl::edited, this, &CProp11Screens::edited);
    connect(m_edit, &ScreenEditCtrl::cursorMoved, this, [this](int c, int r) {
        m_cursor->setText(QStringLiteral("X: %1 Y: %2").arg(c).arg(r));
    });
    connect(m_edit, &ScreenEditCtrl::selectionChanged, this, [this](int c, int r) {
        m_selection->setText(QStringLiteral("LX: %1 LY: %2").arg(c).arg(r));
    });
    connect(m_edit, &ScreenEditCtrl::pensPicked, this, &CProp11Screens::showPens);
    // While a pasted block floats, the commands that change the screen wait for it.
    connect(m_edit, &ScreenEditCtrl::floatingChanged, this, [this](bool on) {
        for (const char* name : {"Colorflow", "Rectangle", "Text", "Cut"})
            if (QAction* a = action(QString::fromLatin1(name)))
                a->setEnabled(!on);
    });
    auto* status = new QHBoxLayout;
    status->addWidget(m_cursor);
    status->addWidget(m_selection);
    status->addStretch(1);
    auto* centre = new QVBoxLayout;
    centre->addWidget(m_edit);
    centre->addLayout(status);
    centre->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addLayout(centre);
    row->addWidget(buildPickers(), 0, Qt::AlignTop);
    row->addStretch(1);
    m_strip = new ChunkStrip(this);
    connect(m_strip, &ChunkStrip::chunkChosen, this, &CProp11Screens::showScreen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildNavigation());
    layout->addWidget(m_strip);
    layout->addWidget(buildTools());
    layout->addLayout(row);
    layout->addStretch(1);
    connect(&m_vga.pixels(), &PixelData::setReplaced, this, [this](DataSet set) {
        if (set == DataSet::Screens)
            replaced();
    });
    addPageKeys(this, [this](int step) { showScreen(m_current + step); });
    showPens();
    refresh();
}

CProp11Screens::~CProp11Screens() {
    m_vga.context().workspace.watchHistory(DataSet::Screens, nullptr);
}

QToolBar* CProp11Screens::buildNavigation() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ScreenNavigation"));
    bar->addAction(QStringLiteral("Prev Screen"), this, [this] { showScreen(m_current - 1); });
    bar->addAction(QStringLiteral("Next Screen"), this, [this] { showScreen(m_current + 1); });
    m_scroll = new QScrollBar(Qt::Horizontal, bar);
    m_scroll->setMinimumWidth(160);
    m_scroll->setPageStep(2);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_syncing)
            showScreen(v);
    });
    bar->addWidget(m_scroll);
    m_position = new QLabel(bar);
    m_position->setObjectName(QStringLiteral("PositionLabel"));
    m_position->setMinimumWidth(50);
    m_chunk = new QLabel(bar);
    m_chunk->setObjectName(QStringLiteral("ChunkLabel"));
    m_number = new ChunkNumberField(QStringLiteral("screen"), bar);
    connect(m_number, &ChunkNumberField::chunkChosen, this, &CProp11Screens::showScreen);
    bar->addWidget(m_position);
    bar->addWidget(m_number);
    bar->addWidget(m_chunk);
    addFileCommands(bar);
    return bar;
}

QToolBar* CProp11Screens::buildTools() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ScreenTools"));
    auto* tools = new QActionGroup(bar);
    const struct {
        const char* text;
        ScreenEditCtrl::Tool tool;
    } toolTable[] = {{"Pen", ScreenEditCtrl::Tool::Pen},
                     {"Fill", ScreenEditCtrl::Tool::Fill},
                     {"Rectangle Select", ScreenEditCtrl::Tool::Select},
                     {"Pipette", ScreenEditCtrl::Tool::Pipette}};
    for (const auto& t : toolTable) {
        QAction* a = bar->addAction(QString::fromLatin1(t.text));
        a->setCheckable(true);
        a->setChecked(t.tool == ScreenEditCtrl::Tool::Pen);
        tools->addAction(a);
        connect(a, &QAction::triggered, this, [this, tool = t.tool] { m_edit->setTool(tool); });
        m_actions.push_back(a);
    }
    bar->addSeparator();
    const struct {
        const char* text;
        bool ScreenPens::*flag;
    } switches[] = {{"Edit Text", &ScreenPens::editText}, {"Edit Colors", &ScreenPens::editColors}};
    for (const auto& s : switches) {
        QAction* a = bar->addAction(QString::fromLatin1(s.text));
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::toggled, this, [this, flag = s.flag](bool on) { m_pens.*flag = on; });
        m_actions.push_back(a);
    }
    bar->addSeparator();
    addMenus(bar);
    return bar;
}

QWidget* CProp11Screens::buildPickers() {
    auto* box = new QWidget(this);
    m_text = new VGAColorsCtrl(QStringLiteral("Text"), box);
    m_back = new VGAColorsCtrl(QStringLiteral("Back"), box);
    m_chars = new FontClickCtrl(box);
    m_penChars = new QLabel(box);
    m_penChars->setObjectName(QStringLiteral("PenCharacters"));
    connect(m_text, &VGAColorsCtrl::colourPicked, this, [this](int c) { m_pens.foreground = c; });
    connect(m_back, &VGAColorsCtrl::colourPicked, this, [this](int c) { m_pens.background = c; });
    connect(m_chars, &FontClickCtrl::characterPicked, this, [this](int code, bool right) {
        (right ? m_pens.right : m_pens.left) = code;
        showPens();
    });
    auto* column = new QVBoxLayout(box);
    column->addWidget(m_text);
    column->addWidget(m_back);
    column->addWidget(m_penChars);
    column->addWidget(m_chars);
    column->addStretch(1);
    return box;
}

void CProp11Screens::showPens() {
    m_text->setColour(m_pens.foreground);
    m_back->setColour(m_pens.background);
    m_chars->setPens(m_pens.left, m_pens.right);
    QImage pens(2 * 24, 16, QImage::Format_RGB32);
    pens.fill(palette().window().color());
    paintGlyph(pens, 0, 0, {uint8_t(m_pens.left), m_pens.attribute()}, m_pens.mode);
    paintGlyph(pens, 24, 0, {uint8_t(m_pens.right), m_pens.attribute()}, m_pens.mode);
    m_penChars->setPixmap(QPixmap::fromImage(pens));
    m_penChars->setToolTip(
        QStringLiteral("L: 0x%1  R: 0x%2").arg(m_pens.left, 2, 16).arg(m_pens.right, 2, 16));
}

QAction* CProp11Screens::action(const QString& text) const {
    for (QAction* a : m_actions)
        if (a->text() == text)
            return a;
    return nullptr;
}

ScreenRecord* CProp11Screens::screen() {
    auto& screens = m_vga.state().screens.screens;
    return m_current >= 0 && m_current < int(screens.size()) &&
                   screens[size_t(m_current)].bytes.size() >= kScreenChunkBytes
               ? &screens[size_t(m_current)]
               : nullptr;
}

QString CProp11Screens::positionText() const {
    return m_position->text();
}

QString CProp11Screens::chunkText() const {
    return m_chunk->text();
}

QString CProp11Screens::cursorText() const {
    return m_cursor->text();
}

QString CProp11Screens::selectionText() const {
    return m_selection->text();
}

void CProp11Screens::showScreen(int index) {
    const int n = int(m_vga.state().screens.screens.size());
    if (n == 0)
        return;
    m_current = std::clamp(index, 0, n - 1);
    refresh();
}

void CProp11Screens::refresh() {
    const auto& screens = m_vga.state().screens.screens;
    const int n = int(screens.size());
    m_current = std::clamp(m_current, 0, std::max(0, n - 1));
    m_syncing = true;
    m_scroll->setRange(0, std::max(0, n - 1));
    m_scroll->setValue(m_current);
    m_scroll->setEnabled(n > 1);
    m_syncing = false;
    m_position->setText(n > 0 ? QStringLiteral("%1/%2").arg(m_current + 1).arg(n) : QString());
    m_chunk->setText(n > 0 ? QStringLiteral("Chunknum: %1").arg(screens[size_t(m_current)].chunk)
                           : QStringLiteral("Chunknum:"));
    m_number->showChunk(m_current, n);
    m_edit->setScreen(screen());
    showStrip();
}

QImage CProp11Screens::thumbnail(const ScreenRecord& screen) const {
    const QImage whole = renderTextScreen(screen, m_pens.mode);
    return whole.scaled(ChunkStrip::kThumbSide * 2, ChunkStrip::kThumbSide, Qt::KeepAspectRatio,
                        Qt::SmoothTransformation);
}

void CProp11Screens::showStrip() {
    std::vector<QImage> images;
    for (const ScreenRecord& s : m_vga.state().screens.screens)
        images.push_back(thumbnail(s));
    m_strip->setThumbnails(0, std::move(images), m_current);
}

void CProp11Screens::remember() {
    if (ScreenRecord* s = screen()) {
        m_undo.push_back({m_current, s->bytes});
        if (m_undo.size() > kUndoSteps)
            m_undo.erase(m_undo.begin());
        m_redo.clear();
    }
}

void CProp11Screens::edited() {
    m_vga.historyMoved(DataSet::Screens);
    m_edit->update();
    if (const ScreenRecord* s = screen())
        m_strip->updateThumbnail(m_current, thumbnail(*s));
}

void CProp11Screens::replaced() {
    m_undo.clear();
    m_redo.clear();
    m_edit->setSelection(std::nullopt);
    m_current = 0;
    refresh();
}

bool CProp11Screens::undo() {
    auto& screens = m_vga.state().screens.screens;
    if (m_undo.empty() || m_undo.back().screen >= int(screens.size()))
        return false;
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    std::swap(screens[size_t(step.screen)].bytes, step.bytes);
    m_redo.push_back(std::move(step));
    showScreen(m_redo.back().screen);
    edited();
    return true;
}

bool CProp11Screens::redo() {
    auto& screens = m_vga.state().screens.screens;
    if (m_redo.empty() || m_redo.back().screen >= int(screens.size()))
        return false;
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    std::swap(screens[size_t(step.screen)].bytes, step.bytes);
    m_undo.push_back(std::move(step));
    showScreen(m_undo.back().screen);
    edited();
    return true;
}

} // namespace zentrik::gui
