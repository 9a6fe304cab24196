#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zentrik::gui {

// The modal "Progress" window of a background job: the phase, the counter, a green bar and
// Cancel. The worker's reports arrive as queued calls; the window ends only when the worker
// has returned (finish), so nothing the worker still touches goes away under it.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    bool cancelRequested() const { return m_cancelRequested; }

    QLabel* phaseLabel() const { return m_phase; }
    QLabel* counterLabel() const { return m_counter; }
    QProgressBar* bar() const { return m_bar; }
    QPushButton* cancelButton() const { return m_cancel; }

public slots:
    void setPhase(const QString& text);
    void setCounter(const QString& text);
    void setRange(int lo, int hi);
    void setPosition(int pos);
    // The worker has returned with this code.
    void finish(int code);
    // Cancel, Escape and the close box: ask the worker to stop and wait for it.
    void requestCancel();

signals:
    void cancelRequestedChanged();

public:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_phase;
    QLabel* m_counter;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
    bool m_cancelRequested = false;
};

} // namespace zentrik::gui
