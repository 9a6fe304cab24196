#pragma once

#include "vgagraph/ScreenOps.h"

#include <QImage>
#include <QRgb>
#include <QWidget>

#include <array>

namespace zentrik::gui {

// The 16 colours of the VGA text mode.
const std::array<QRgb, 16>& textColours();

// How attribute bit 7 shows: with blink it marks blinking text and the background has colours
// 0 .. 7; with bright colours it is the fourth bit of the background colour.
enum class BackMode { Blink, Bright };

// The whole 640 x 400 screen, each cell an 8 x 16 glyph in its foreground and background;
// with `blinkHidden` (blink mode only), blinking text shows as its background.
QImage renderTextScreen(const ScreenRecord& screen, BackMode mode, bool blinkHidden = false);
// One cell's glyph (2 bytes: character, attribute) into an image at (x, y), `scale` pixels per
// glyph pixel.
void paintGlyph(QImage& image, int x, int y, ScreenCell cell, BackMode mode, int scale = 1,
                bool blinkHidden = false);

// The 16 colours in a row; a click picks one. Used for "Text" and "Back".
class VGAColorsCtrl : public QWidget {
    Q_OBJECT
public:
    VGAColorsCtrl(const QString& caption, QWidget* parent = nullptr);
    int colour() const { return m_colour; }
    void setColour(int colour);
    QSize sizeHint() const override;

signals:
    void colourPicked(int colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_caption;
    int m_colour = 0;
};

// The 256 characters in 8 rows of 32: a left click picks the left pen's character, a right
// click the right pen's. The two pens are shown framed "L" and "R".
class FontClickCtrl : public QWidget {
    Q_OBJECT
public:
    explicit FontClickCtrl(QWidget* parent = nullptr);
    void setPens(int left, int right);
    int codeAt(QPoint p) const;
    QSize sizeHint() const override;

signals:
    void characterPicked(int code, bool right);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int m_left = 0xDB;
    int m_right = 0x20;
};

} // namespace zentrik::gui
