#pragma once

#include <QDialog>
#include <QLabel>
#include <QStringList>
#include <QUrl>

class QTimer;

namespace zentrik::gui {

// The names in the about box, scrolling upwards by 2 pixels each 40 ms; each time all have
// passed they come round again in a new random order.
class CreditsScroller : public QWidget {
    Q_OBJECT
public:
    explicit CreditsScroller(QStringList names, QWidget* parent = nullptr);

    const QStringList& names() const { return m_names; }
    int offset() const { return m_offset; }
    // One timer tick: 2 pixels further, reshuffled once the list has scrolled through.
    void step();
    // How many names are (at least partly) in view.
    int visibleNames() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void shuffle();
    int lineHeight() const;

    QStringList m_names;
    int m_offset = 0;
    QTimer* m_timer = nullptr;
};

// The link under the credits: it lights up under the mouse and opens its address with the
// desktop's viewer.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& text, QUrl url, QWidget* parent = nullptr);
    bool isHot() const { return m_hot; }
    const QUrl& url() const { return m_url; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setHot(bool hot);
    QUrl m_url;
    bool m_hot = false;
};

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    static QString caption() { return QStringLiteral("About Zentrik"); }
    static QUrl projectPage();
    static QStringList contributors();
    CreditsScroller* credits() const { return m_credits; }
    LinkLabel* link() const { return m_link; }

private:
    CreditsScroller* m_credits = nullptr;
    LinkLabel* m_link = nullptr;
};

} // namespace zentrik::gui
