#include "pages/CProp6Sprites.h"

#include "context/PageRegistry.h"
#include "pagefile/ChunkEdit.h"
#include "pagefile/Resolution.h"
#include "pagefile/SpriteEncoder.h"
#include "pages/SpriteTestWnd.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace zentrik::gui {

namespace {
const PageRegistration reg("CProp6Sprites", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CProp6Sprites(c, parent);
});
} // namespace

CProp6Sprites::CProp6Sprites(AppContext& context, QWidget* parent)
    : PixelChunkPage(context, DataSet::Sprites, parent) {
    auto device = std::make_unique<CSprDevice>(data().files().sprites, &data().workspace(),
                                               &data().prompter());
    m_spr = device.get();
    finishSetup(std::move(device));

    auto* caption = new QLabel(QStringLiteral("Compressed size:"), this);
    m_size = new QLabel(QStringLiteral("N/A"), this);
    m_size->setObjectName(QStringLiteral("CompressedSize"));
    auto* update = new QPushButton(QStringLiteral("Update size"), this);
    m_auto = new QCheckBox(QStringLiteral("Auto update"), this);
    auto* test = new QPushButton(QStringLiteral("Test sprite"), this);
    test->setToolTip(QStringLiteral("Shows the sprite as stored and as the game decodes it"));
    connect(update, &QPushButton::clicked, this, &CProp6Sprites::updateSize);
    connect(m_auto, &QCheckBox::toggled, this, &CProp6Sprites::setAutoUpdate);
    connect(test, &QPushButton::clicked, this, &CProp6Sprites::showTestWindow);
    QGridLayout* grid = sideGrid();
    grid->addWidget(caption, 5, 0);
    grid->addWidget(m_size, 5, 1);
    grid->addWidget(update, 6, 0);
    grid->addWidget(m_auto, 6, 1);
    grid->addWidget(test, 7, 0, 1, 2);
}

const IndexedImage* CProp6Sprites::currentImage() const {
    const SpriteSet& set = data().files().sprites;
    if (current() < 0 || current() >= set.count() || !set.images[size_t(current())])
        return nullptr;
    return &*set.images[size_t(current())];
}

QString CProp6Sprites::compressedSizeText() const {
    return m_size->text();
}

void CProp6Sprites::updateSize() {
    const IndexedImage* image = currentImage();
    if (!image) {
        m_size->setText(QStringLiteral("N/A"));
        return;
    }
    const size_t bytes = CompressSprite(*image, data().spriteCompression()).size();
    m_size->setText(QStringLiteral("%1 bytes").arg(qulonglong(bytes)));
}

void CProp6Sprites::setAutoUpdate(bool on) {
    if (m_auto->isChecked() != on)
        m_auto->setChecked(on);
    if (on)
        updateSize();
}

void CProp6Sprites::chunkEdited() {
    if (!m_size)
        return; // still being built
    if (m_auto->isChecked())
        updateSize();
    else
        m_size->setText(QStringLiteral("N/A"));
    if (m_test && m_test->isVisible())
        m_test->showSprite(currentImage(), data().palette());
}

void CProp6Sprites::showTestWindow() {
    if (!m_test) {
        m_test = new SpriteTestWnd(this);
        // A palette switched while the window is open redraws both pictures.
        connect(&data(), &PixelData::paletteSwitched, m_test, [this] {
            if (m_test->isVisible())
                m_test->showSprite(currentImage(), data().palette());
        });
    }
    m_test->showSprite(currentImage(), data().palette());
    m_test->show();
    m_test->raise();
}

int CProp6Sprites::count() const {
    return data().files().sprites.count();
}

bool CProp6Sprites::loaded() const {
    return data().files().spritesLoaded;
}

void CProp6Sprites::setLoaded(bool on) {
    data().files().spritesLoaded = on;
}

int CProp6Sprites::side() const {
    return data().files().sprites.side;
}

void CProp6Sprites::selectOnDevice(int index) {
    m_spr->selectSprite(index);
}

int CProp6Sprites::insertAt(int current) {
    return insertSprite(data().files().sprites, current);
}

int CProp6Sprites::removeAt(int current) {
    return removeSprite(data().files().sprites, current);
}

std::optional<ChunkCopy> CProp6Sprites::copyChunk(int index) const {
    return copySprite(data().files().sprites, index);
}

void CProp6Sprites::putChunkBack(int index, ChunkCopy copy) {
    restoreSprite(data().files().sprites, index, std::move(copy));
}

bool CProp6Sprites::changeResolution(int change) {
    SpriteSet out;
    PixelData& d = data();
    const int code = d.jobs().run([&](Progress& p) {
        return ChangeSpriteResolutionWorker(d.files().sprites, ResolutionChange(change),
                                            d.palette(), d.colours(), p, out);
    });
    if (code != JobResult::Done)
        return false;
    d.files().sprites = std::move(out);
    return true;
}

} // namespace zentrik::gui
