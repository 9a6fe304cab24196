#include "widgets/PictureEditorPanel.h"

#include "widgets/ColorGrid.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {

struct ToolEntry {
    const char* tip;
    const char* label;
    Qt::Key key;
};

// In tool-number order. The letters are the keys that pick each tool.
constexpr std::array<ToolEntry, kToolCount> kToolEntries{{
    {"Pen", "Pen", Qt::Key_P},
    {"Pipette", "Pipette", Qt::Key_I},
    {"Fill", "Fill", Qt::Key_F},
    {"Line", "Line", Qt::Key_L},
    {"Rectangle", "Rect", Qt::Key_R},
    {"Rectangle Selection", "Select", Qt::Key_S},
    {"Magnifying glass", "Zoom", Qt::Key_Z},
}};

} // namespace

PictureEditorPanel::PictureEditorPanel(QWidget* parent) : QWidget(parent) {
    m_view = new PictureEditView(this);
    m_grid = new ColorGrid(this);
    m_grid->setFixedSize(m_grid->sizeHint());
    m_colours = new QLabel(this);
    m_colours->setObjectName(QStringLiteral("PenColours"));
    m_cursor = new QLabel(this);
    m_cursor->setObjectName(QStringLiteral("CursorPixel"));
    m_cursor->setMinimumWidth(m_view->sizeHint().width());
    buildToolBar();
    addPageShortcuts(parent ? parent : this);

    auto* viewColumn = new QVBoxLayout;
    viewColumn->addWidget(m_view, 1);
    viewColumn->addWidget(m_cursor);
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(m_grid);
    gridColumn->addWidget(m_colours);
    gridColumn->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_toolBar);
    layout->addLayout(viewColumn, 1); // the view takes the room the window gives
    layout->addLayout(gridColumn);
    layout->addStretch(0);

    connect(m_grid, &ColorGrid::entryPicked, this, &PictureEditorPanel::pickColour);
    connect(m_view, &PictureEditView::coloursChanged, this, &PictureEditorPanel::showColours);
    connect(m_view, &PictureEditView::cursorMoved, this, &PictureEditorPanel::showCursor);
    connect(m_view, &PictureEditView::edited, this, &PictureEditorPanel::edited);
    connect(m_view, &PictureEditView::copied, this, &PictureEditorPanel::copied);
    connect(m_view, &PictureEditView::acted, this, &PictureEditorPanel::updateHistoryActions);
    showCursor(-1, -1, 0);
    showColours();
    setTabOrder();
}

void PictureEditorPanel::setTabOrder() {
    // Screen order: the tool bar from top to bottom, the colour grid, the canvas. Buttons in
    // a tool bar take no focus of their own; here Tab reaches them and Space presses them.
    QWidget* previous = nullptr;
    for (QAction* action : m_toolBar->actions()) {
        QWidget* button = m_toolBar->widgetForAction(action);
        if (!button || action->isSeparator())
            continue;
        button->setFocusPolicy(Qt::TabFocus);
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }
    if (previous)
        QWidget::setTabOrder(previous, m_grid);
    QWidget::setTabOrder(m_grid, m_view);
}

QWidget* PictureEditorPanel::lastInTabOrder() const {
    return m_view;
}

void PictureEditorPanel::buildToolBar() {
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("PictureTools"));
    m_toolBar->setOrientation(Qt::Vertical);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolGroup = new QActionGroup(this);
    for (int i = 0; i < kToolCount; ++i) {
        const ToolEntry& e = kToolEntries[size_t(i)];
        QAction* a = m_toolBar->addAction(QString::fromLatin1(e.label));
        a->setToolTip(QString::fromLatin1(e.tip));
        a->setCheckable(true);
        a->setShortcut(QKeySequence(e.key));
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        m_toolGroup->addAction(a);
        m_tools[size_t(i)] = a;
        addAction(a); // the letter keys work wherever the focus is inside the panel
        connect(a, &QAction::triggered, this, [this, i] { selectTool(ToolId(i)); });
    }
    m_tools[0]->setChecked(true);
    m_toolBar->addSeparator();
    auto command = [this](const char* text, void (PictureEditView::*slot)()) {
        QAction* a = m_toolBar->addAction(QString::fromLatin1(text));
        a->setToolTip(QString::fromLatin1(text));
        connect(a, &QAction::triggered, m_view, slot);
        return a;
    };
    command("Copy", &PictureEditView::copy);
    command("Cut", &PictureEditView::cut);
    m_paste = command("Paste", &PictureEditView::paste);
    m_undo = m_toolBar->addAction(QStringLiteral("Undo"));
    connect(m_undo, &QAction::triggered, this, &PictureEditorPanel::undo);
    m_redo = command("Redo", &PictureEditView::redo);
    m_undo->setToolTip(QStringLiteral("Undo (Ctrl+Z)"));
    m_toolBar->addSeparator();
    QAction* fit = m_toolBar->addAction(QStringLiteral("Fit"));
    fit->setToolTip(QStringLiteral("Show the whole picture (Ctrl+0); Ctrl+wheel zooms"));
    connect(fit, &QAction::triggered, m_view, &PictureEditView::fitToView);
    QAction* grid = m_toolBar->addAction(QStringLiteral("Grid"));
    grid->setToolTip(QStringLiteral("Pixel grid from 4x"));
    grid->setCheckable(true);
    grid->setChecked(m_view->grid());
    connect(grid, &QAction::toggled, m_view, &PictureEditView::setGrid);
    m_redo->setToolTip(QStringLiteral("Redo (Ctrl+Y or Ctrl+Shift+Z)"));
    updateHistoryActions();
    m_paste->setEnabled(false);
    // Paste switches to the selection tool; the tool bar follows.
    connect(m_paste, &QAction::triggered, this, [this] {
        if (editor())
            m_tools[size_t(editor()->toolId())]->setChecked(true);
    });
}

void PictureEditorPanel::addPageShortcuts(QWidget* page) {
    // Window-wide while the page is shown: a hidden page's shortcuts do not answer, and the
    // keys work after a click on a button, a scroll bar or the colour grid as well.
    m_page = page;
    page->installEventFilter(this);
    auto add = [page](QKeySequence keys) {
        auto* action = new QAction(page);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        page->addAction(action);
        return action;
    };
    connect(add(QKeySequence(Qt::CTRL | Qt::Key_Z)), &QAction::triggered, this,
            &PictureEditorPanel::undo);
    connect(add(QKeySequence(Qt::CTRL | Qt::Key_0)), &QAction::triggered, m_view,
            &PictureEditView::fitToView);
    for (QKeySequence redo :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
        connect(add(redo), &QAction::triggered, m_view, &PictureEditView::redo);
}

bool PictureEditorPanel::eventFilter(QObject* watched, QEvent* event) {
    // A key that no control on the page took comes up to the page: the undo keys act there,
    // wherever the focus was.
    if (watched == m_page && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination combination = key->keyCombination();
        if (combination == QKeyCombination(Qt::CTRL, Qt::Key_Z)) {
            undo();
            return true;
        }
        if (combination == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
            combination == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z)) {
            m_view->redo();
            return true;
        }
        if (combination == QKeyCombination(Qt::CTRL, Qt::Key_0)) {
            m_view->fitToView();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PictureEditorPanel::undo() {
    if (pageStepFirst && undoPageStep && pageStepFirst()) {
        undoPageStep();
        updateHistoryActions();
        return;
    }
    m_view->undo();
}

void PictureEditorPanel::updateHistoryActions() {
    PictureEditor* e = editor();
    bool canUndo = false, canRedo = false;
    if (e) {
        const CDrawDevice& d = e->device();
        const UndoRing& ring = d.undoRing();
        canUndo = ring.canUndo(d.chunkKey()) || e->selection().floating() || e->buttonHeld() ||
                  (pageStepFirst && pageStepFirst());
        canRedo = ring.canRedo(d.chunkKey());
    }
    m_undo->setEnabled(canUndo);
    m_redo->setEnabled(canRedo);
}

void PictureEditorPanel::setEditor(PictureEditor* editor) {
    m_view->setEditor(editor);
    if (editor)
        m_tools[size_t(editor->toolId())]->setChecked(true);
    showColours();
    updateHistoryActions();
}

void PictureEditorPanel::setPalette(const PictureEditView::Palette& palette) {
    m_view->setPalette(palette);
    m_grid->setColors(palette);
    showColours();
}

void PictureEditorPanel::setTransparency(bool on) {
    m_view->setTransparency(on);
    m_grid->setTransparentMark(on ? 255 : -1);
}

void PictureEditorPanel::chunkChanged() {
    m_view->chunkChanged();
    updateHistoryActions();
}

void PictureEditorPanel::setPasteEnabled(bool on) {
    m_paste->setEnabled(on);
}

void PictureEditorPanel::selectTool(ToolId id) {
    if (PictureEditor* e = editor()) {
        e->selectTool(id);
        m_view->chunkChanged();
        emit edited(); // a floating block may have been dropped
    }
    m_tools[size_t(id)]->setChecked(true);
}

void PictureEditorPanel::pickColour(int index, bool right) {
    if (PictureEditor* e = editor())
        e->setColour(right ? MouseButton::Right : MouseButton::Left, uint8_t(index));
    showColours();
}

void PictureEditorPanel::showColours() {
    PictureEditor* e = editor();
    const int left = e ? e->colour(MouseButton::Left) : -1;
    const int right = e ? e->colour(MouseButton::Right) : -1;
    m_grid->setPenMarks(left, right);
    m_colours->setText(e ? QStringLiteral("Left: %1   Right: %2").arg(left).arg(right) : QString());
}

void PictureEditorPanel::showCursor(int x, int y, int index) {
    m_cursor->setText(x < 0 ? QStringLiteral(" ")
                            : QStringLiteral("x %1, y %2: index %3").arg(x).arg(y).arg(index));
}

QString PictureEditorPanel::cursorText() const {
    return m_cursor->text();
}

} // namespace zentrik::gui
