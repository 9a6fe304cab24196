#pragma once

#include <QRgb>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

namespace zentrik::gui {

// The present characters of one font in code order, each in a cell 2 x width + 3 pixels wide
// and 2 x height + 3 high, as many to a row as fit; a click selects one.
class FontListCtrl : public QWidget {
    Q_OBJECT
public:
    explicit FontListCtrl(QWidget* parent = nullptr);

    // The font's bytes stay the caller's; call again after every change of them.
    void setActFont(const std::vector<uint8_t>* font, const std::array<QRgb, 256>& palette);
    void setSelected(int code);
    int selected() const { return m_selected; }
    const std::vector<int>& codes() const { return m_codes; }
    // The code of the character under a point, or -1.
    int codeAt(QPoint p) const;
    QSize sizeHint() const override;

signals:
    void characterClicked(int code);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Cell {
        QRect rect;
        int code;
    };
    void layOut();

    const std::vector<uint8_t>* m_font = nullptr;
    std::array<QRgb, 256> m_palette{};
    std::vector<int> m_codes;
    std::vector<Cell> m_cells;
    int m_selected = -1;
    int m_height = 0;
};

} // namespace zentrik::gui
