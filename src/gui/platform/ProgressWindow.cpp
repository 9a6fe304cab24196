#include "platform/ProgressWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {
constexpr int kMinimumWidth = 320;
const QColor kBarColor(0, 255, 0);
} // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent), m_phase(new QLabel(this)), m_counter(new QLabel(this)),
      m_bar(new QProgressBar(this)), m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QStringLiteral("Progress"));
    setModal(true);
    setMinimumWidth(kMinimumWidth);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_phase->setAlignment(Qt::AlignCenter);
    m_counter->setAlignment(Qt::AlignCenter);
    m_bar->setTextVisible(false);
    QPalette pal = m_bar->palette();
    pal.setColor(QPalette::Highlight, kBarColor);
    m_bar->setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_phase);
    layout->addWidget(m_counter);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::requestCancel);
}

void ProgressWindow::setPhase(const QString& text) {
    if (!m_cancelRequested) // "Cancelling..." stays until the worker has stopped
        m_phase->setText(text);
}

void ProgressWindow::setCounter(const QString& text) {
    m_counter->setText(text);
}

void ProgressWindow::setRange(int lo, int hi) {
    m_bar->setRange(lo, hi);
}

void ProgressWindow::setPosition(int pos) {
    m_bar->setValue(pos);
}

void ProgressWindow::finish(int code) {
    done(code);
}

void ProgressWindow::requestCancel() {
    if (m_cancelRequested)
        return;
    m_cancelRequested = true;
    m_phase->setText(QStringLiteral("Cancelling..."));
    m_cancel->setEnabled(false);
    emit cancelRequestedChanged();
}

void ProgressWindow::reject() {
    requestCancel();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    requestCancel();
}

} // namespace zentrik::gui
