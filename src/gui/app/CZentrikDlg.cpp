#include "app/CZentrikDlg.h"

#include "app/PageRegistry.h"
#include "app/TabLayout.h"

#include <QCloseEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {
constexpr int kStartWidth = 1024;
constexpr int kStartHeight = 720;
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

    m_context.startUp();

    m_sheet = new QTabWidget(this);
    m_sheet->setObjectName(QStringLiteral("MainSheet"));
    for (const TabEntry& entry : mainTabs())
        m_sheet->addTab(buildPage(entry, m_sheet), entry.label);
    setCentralWidget(m_sheet);
    statusBar();
    resize(kStartWidth, kStartHeight);
}

CZentrikDlg::~CZentrikDlg() {
    shutDown();
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

QWidget* CZentrikDlg::page(const QString& pageClass) const {
    return m_sheet->findChild<QWidget*>(pageClass);
}

bool CZentrikDlg::confirmClose() {
    if (!m_context.changes.any() || !m_context.prompter)
        return true;
    // Yes leaves the window open too: the user saves with the toolbar, then closes.
    return m_context.prompter->ask("Do you want to save your changes ?", "Changes unsaved!",
                                   Buttons::YesNoCancel, MessageIcon::Question) == Answer::No;
}

void CZentrikDlg::closeEvent(QCloseEvent* event) {
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    shutDown();
    event->accept();
}

void CZentrikDlg::shutDown() {
    m_context.shutDown();
}

} // namespace zentrik::gui
