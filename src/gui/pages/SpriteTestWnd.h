#pragma once

#include "imaging/Palette.h"
#include "pagefile/IndexedImage.h"

#include <QDialog>
#include <QImage>

namespace zentrik::gui {

class PixelPicture;

// Shows the current sprite twice: as stored, and encoded with the shared encoder and decoded
// again at the set's side. The two must look the same; a difference is an encoder fault.
class SpriteTestWnd : public QDialog {
    Q_OBJECT
public:
    explicit SpriteTestWnd(QWidget* parent);

    void showSprite(const IndexedImage* sprite, const GamePalette& palette);
    const QImage& stored() const;
    const QImage& decoded() const;

private:
    PixelPicture* m_stored;
    PixelPicture* m_decoded;
};

// A sprite in the palette's colours; index 255 transparent.
QImage spriteImage(const IndexedImage& sprite, const GamePalette& palette);

} // namespace zentrik::gui
