#pragma once

#include <QLabel>
#include <QPointer>

namespace zentrik::gui {

// The picture at its own size; a click opens a pop-up that switches between a zoomed and a
// shrunk view of it ("click to zoom", "click to shrink").
class SmallGraphCtrl : public QLabel {
    Q_OBJECT
public:
    explicit SmallGraphCtrl(QWidget* parent = nullptr);
    void setPicture(const QImage& image);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    QPointer<QLabel> m_popup;
};

} // namespace zentrik::gui
