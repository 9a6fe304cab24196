#include "window/CZentrikDlg.h"

#include "context/PageRegistry.h"
#include "mapedit/CPropMapEdit.h"
#include "window/AboutBox.h"
#include "window/LoadAllCommand.h"
#include "window/MainToolbar.h"
#include "window/MapCommands.h"
#include "window/MusicCommands.h"
#include "window/PageFileCommands.h"
#include "window/PlayCommands.h"
#include "window/SidePanel.h"
#include "window/TabLayout.h"
#include "window/TooltipGate.h"
#include "window/UnsavedSets.h"
#include "window/VgaMenus.h"
#include "world3d/CProp3DEdit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {
constexpr int kStartWidth = 1280;
constexpr int kStartHeight = 800;
constexpr const char* kWindowSection = "Window";
constexpr const char* kGeometryKey = "Geometry";
constexpr size_t kGeometryBuffer = 512;
} // namespace

CZentrikDlg::CZentrikDlg(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_Progress(this) {
    setWindowTitle(caption());
    if (!m_context.prompter) {
        m_ownPrompter = std::make_unique<QtPrompter>(this, &m_context.quiet, m_context.clock);
        m_context.prompter = m_ownPrompter.get();
    }
    m_Progress.setQuietTime(&m_context.quiet, m_context.clock);
    if (!m_context.jobs)
        m_context.jobs = &m_Progress;

    m_toolbar = new MainToolbar(this);
    addToolBar(Qt::TopToolBarArea, m_toolbar);
    m_toolbar->setHandler(Command::About, [this] { showAbout(); });
    m_pageFiles = new PageFileCommands(m_context, *m_toolbar, this);
    m_loadAll = new LoadAllCommand(m_context, *m_toolbar, this);
    setAcceptDrops(true);
    connectMusicCommands(*m_toolbar, m_context);
    auto* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&About Zentrik..."), this, &CZentrikDlg::showAbout);

    m_context.startUp();
    m_tooltips = new TooltipGate(m_context.settings.tooltips, this);
    qApp->installEventFilter(m_tooltips);

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(4, 4, 4, 4);
    m_sheet = new QTabWidget(central);
    m_sheet->setObjectName(QStringLiteral("MainSheet"));
    for (const TabEntry& entry : mainTabs())
        m_sheet->addTab(buildPage(entry, m_sheet), entry.label);
    installVgaCommands(*m_toolbar, m_context);
    if (auto* maps = m_sheet->findChild<CPropMapEdit*>()) {
        connectMapCommands(*m_toolbar, *maps);
        if (auto* view3d = m_sheet->findChild<CProp3DEdit*>())
            connect(view3d, &CProp3DEdit::levelCheckRequested, this, [this, maps] {
                m_sheet->setCurrentWidget(maps);
                if (auto* list = maps->findChild<QWidget*>(QStringLiteral("checkList")))
                    list->setFocus();
            });
    }
    m_play = new PlayCommands(m_context, *this, *m_sheet);
    m_sidePanel = new SidePanel(m_context, central);
    row->addWidget(m_sheet, 1);
    row->addWidget(m_sidePanel);
    setCentralWidget(central);
    statusBar();

    connectMessages();
    addShortcuts();
    m_lights = std::make_unique<SaveCommandLights>(m_context.workspace, *m_toolbar);
    m_saveAllWatch = m_context.workspace.saveAllChanged.connect([this] { updateChangedState(); });
    updateChangedState();
    resize(kStartWidth, kStartHeight);
    restoreGeometryFromIni();
}

CZentrikDlg::~CZentrikDlg() {
    shutDown();
    qApp->removeEventFilter(m_tooltips);
    m_saveAllWatch.disconnect();
    if (m_context.prompter == m_ownPrompter.get())
        m_context.prompter = nullptr;
    if (m_context.jobs == &m_Progress)
        m_context.jobs = nullptr;
}

QString CZentrikDlg::caption() {
    return QStringLiteral("Zentrik V%1.%2 preRelease")
        .arg(ZENTRIK_VERSION_MAJOR)
        .arg(ZENTRIK_VERSION_MINOR);
}

QWidget* CZentrikDlg::buildPage(const TabEntry& entry, QWidget* parent) {
    QWidget* page = createPage(entry.pageClass, m_context, parent);
    if (entry.nested.empty())
        return page;
    auto* sheet = new QTabWidget(page);
    sheet->setObjectName(entry.pageClass + QStringLiteral("Sheet"));
    for (const TabEntry& child : entry.nested)
        sheet->addTab(buildPage(child, sheet), child.label);
    if (!page->layout()) {
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    page->layout()->addWidget(sheet);
    return page;
}

void CZentrikDlg::connectMessages() {
    AppMessages& m = m_context.messages;
    connect(&m, &AppMessages::mapCursor, m_sidePanel, &SidePanel::showCursor);
    connect(&m, &AppMessages::penChanged, this, &CZentrikDlg::OnPenChanged);
    connect(&m, &AppMessages::pensUpdated, m_sidePanel, &SidePanel::showPen);
    connect(&m, &AppMessages::flatPensShown, m_sidePanel, &SidePanel::showFlatPens);
    connect(&m, &AppMessages::paletteSwitched, m_sidePanel, &SidePanel::rebuildPictures);
    connect(&m, &AppMessages::symbolsChanged, m_sidePanel, &SidePanel::rebuildPictures);
    connect(&m, &AppMessages::sidePanel, this,
            [this](bool hide) { m_sidePanel->setVisible(!hide); });
    connect(&m, &AppMessages::goTo3D, this, &CZentrikDlg::goTo3D);
}

void CZentrikDlg::addShortcuts() {
    auto* next = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Tab")), this);
    connect(next, &QShortcut::activated, this,
            [this] { m_sheet->setCurrentIndex((m_sheet->currentIndex() + 1) % m_sheet->count()); });
    auto* prev = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Tab")), this);
    connect(prev, &QShortcut::activated, this, [this] {
        m_sheet->setCurrentIndex((m_sheet->currentIndex() + m_sheet->count() - 1) %
                                 m_sheet->count());
    });
}

QWidget* CZentrikDlg::page(const QString& pageClass) const {
    return m_sheet->findChild<QWidget*>(pageClass);
}

void CZentrikDlg::OnPenChanged(bool left, int kind, quint16 object, quint16 wallOrFloor) {
    if (kind == kPenOfEditPlane) {
        const EditPlane plane = m_context.editPlane;
        kind = plane == EditPlane::Walls     ? kPenWall
               : plane == EditPlane::Objects ? kPenObject
                                             : kPenFloor;
    }
    Pen& pen = m_context.pens.of(left);
    switch (kind) {
    case kPenWall:
        pen.wall = wallOrFloor;
        break;
    case kPenObject:
        pen.object = object;
        break;
    case kPenFloor:
        pen.floor = wallOrFloor;
        break;
    default:
        m_context.relay.message("Zentrik", "Error 28:OnPenChanged", MessageIcon::Error);
        m_sidePanel->update();
        return;
    }
    emit m_context.messages.pensUpdated(left, kind);
}

void CZentrikDlg::goTo3D(int x, int y) {
    m_goTo3D = QPoint(x, y);
    if (QWidget* view = page(QStringLiteral("CProp3DEdit")))
        m_sheet->setCurrentWidget(view);
}

void CZentrikDlg::updateChangedState() {
    // The marker tells at a glance that closing will ask about unsaved data.
    setWindowTitle(caption() +
                   (m_context.workspace.anyModified() ? QStringLiteral(" *") : QString()));
    m_toolbar->action(Command::SaveAll)->setEnabled(m_context.workspace.saveAllEnabled());
}

AboutBox* CZentrikDlg::aboutBox() const {
    return m_about.data();
}

void CZentrikDlg::showAbout() {
    if (m_about) {
        m_about->raise();
        return;
    }
    m_about = new AboutBox(this);
    m_about->setAttribute(Qt::WA_DeleteOnClose);
    m_about->open();
}

bool CZentrikDlg::confirmClose() {
    if (!m_context.workspace.anyModified() || !m_context.prompter)
        return true;
    // Yes leaves the window open too: the user saves with the toolbar (its commands for the
    // unsaved sets lit), then closes.
    const std::string unsaved = unsavedSetsText(m_context.workspace).toStdString();
    const Answer a =
        m_context.prompter->ask("Do you want to save your changes ?\n\n" + unsaved,
                                "Changes unsaved!", Buttons::YesNoCancel, MessageIcon::Question);
    if (a == Answer::Yes)
        m_lights->lightUnsaved();
    return a == Answer::No;
}

void CZentrikDlg::closeEvent(QCloseEvent* event) {
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    shutDown();
    event->accept();
}

void CZentrikDlg::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (m_context.settings.showAbout == 1)
        showAbout();
}

void CZentrikDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().size() == 1 &&
        event->mimeData()->urls().front().isLocalFile())
        event->acceptProposedAction();
}

void CZentrikDlg::dropEvent(QDropEvent* event) {
    const QString path = event->mimeData()->urls().front().toLocalFile();
    event->acceptProposedAction();
    m_loadAll->open(std::filesystem::path(path.toStdU16String()));
}

void CZentrikDlg::restoreGeometryFromIni() {
    const std::string saved = m_context.ini.get(kWindowSection, kGeometryKey, "", kGeometryBuffer);
    if (!saved.empty())
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(saved)));
}

void CZentrikDlg::shutDown() {
    if (m_context.isStarted() && !m_context.isShutDown())
        m_context.ini.set(kWindowSection, kGeometryKey, saveGeometry().toBase64().toStdString());
    m_context.shutDown();
}

} // namespace zentrik::gui
