#include "window/AboutBox.h"

#include "app/ProgramFolders.h"
#include "window/CZentrikDlg.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <random>

namespace zentrik::gui {

namespace {
constexpr int kScrollStep = 2;
constexpr int kScrollTickMs = 40;
constexpr int kCreditsHeight = 120;
constexpr int kLogoSize = 64;

QPixmap logo() {
    QPixmap pm(kLogoSize, kLogoSize);
    pm.fill(QColor(0, 64, 64));
    QPainter p(&pm);
    QFont f = p.font();
    f.setPixelSize(kLogoSize * 3 / 4);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(255, 204, 0));
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("Z"));
    return pm;
}
} // namespace

CreditsScroller::CreditsScroller(QStringList names, QWidget* parent)
    : QWidget(parent), m_names(std::move(names)), m_timer(new QTimer(this)) {
    setMinimumHeight(kCreditsHeight);
    shuffle();
    m_offset = 0; // names show at once, so "With thanks to:" never heads an empty box
    connect(m_timer, &QTimer::timeout, this, &CreditsScroller::step);
    m_timer->start(kScrollTickMs);
}

int CreditsScroller::lineHeight() const {
    return fontMetrics().height() + 2;
}

void CreditsScroller::shuffle() {
    std::mt19937 rng(unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::shuffle(m_names.begin(), m_names.end(), rng);
}

void CreditsScroller::step() {
    m_offset += kScrollStep;
    // Once the last name reaches the top, the list comes round from the bottom line, so that
    // some name is always in view.
    const int lh = lineHeight();
    if (m_offset > lh * (int(m_names.size()) - 1)) {
        shuffle();
        m_offset = lh - std::max(height(), kCreditsHeight);
    }
    update();
}

int CreditsScroller::visibleNames() const {
    const int lh = lineHeight();
    int n = 0;
    for (int i = 0; i < int(m_names.size()); ++i) {
        const int y = i * lh - m_offset;
        n += y + lh > 0 && y < std::max(height(), kCreditsHeight);
    }
    return n;
}

void CreditsScroller::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int lh = lineHeight();
    for (int i = 0; i < int(m_names.size()); ++i) {
        const int y = i * lh - m_offset;
        if (y + lh >= 0 && y < height())
            p.drawText(QRect(0, y, width(), lh), Qt::AlignHCenter, m_names[i]);
    }
}

LinkLabel::LinkLabel(const QString& text, QUrl url, QWidget* parent)
    : QLabel(text, parent), m_url(std::move(url)) {
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    setHot(false);
}

void LinkLabel::setHot(bool hot) {
    m_hot = hot;
    setStyleSheet(hot ? QStringLiteral("color: #d02000; text-decoration: underline")
                      : QStringLiteral("color: #0040c0; text-decoration: underline"));
}

void LinkLabel::enterEvent(QEnterEvent*) {
    setHot(true);
}

void LinkLabel::leaveEvent(QEvent*) {
    setHot(false);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        QDesktopServices::openUrl(m_url);
}

QUrl AboutBox::projectPage() {
    // The project has no web site of its own: the link opens the README that lies with the
    // program's data (beside the executable, or in share/zentrik once installed).
    const auto exeDir =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
    return QUrl::fromLocalFile(
        QString::fromStdU16String((findDataFolder(exeDir) / "README.md").u16string()));
}

QStringList AboutBox::contributors() {
    return {QStringLiteral("The Zentrik developers"),
            QStringLiteral("Everyone who sent a bug report"),
            QStringLiteral("The testers of every preRelease"),
            QStringLiteral("The map makers who asked for more"),
            QStringLiteral("The authors of the file format notes"),
            QStringLiteral("Whoever keeps the old games alive")};
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(caption());
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(logo());
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);
    auto* name = new QLabel(CZentrikDlg::caption(), this);
    name->setAlignment(Qt::AlignCenter);
    name->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 14pt"));
    layout->addWidget(name);
    auto* credit = new QLabel(
        QStringLiteral("An editor for the data files of Wolfenstein 3D\nand the games built "
                       "on its engine.\n\nWith thanks to:"),
        this);
    credit->setAlignment(Qt::AlignCenter);
    layout->addWidget(credit);
    m_credits = new CreditsScroller(contributors(), this);
    layout->addWidget(m_credits);
    m_link = new LinkLabel(QStringLiteral("Read the Zentrik README"), projectPage(), this);
    layout->addWidget(m_link);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace zentrik::gui
