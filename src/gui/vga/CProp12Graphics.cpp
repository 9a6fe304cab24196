#include "vga/CProp12Graphics.h"

#include "context/PageRegistry.h"
#include "imaging/PictureFile.h"
#include "vga/SmallGraphCtrl.h"
#include "vga/VgaCommands.h"
#include "vga/VgaData.h"
#include "vgagraph/PictureOps.h"
#include "vgagraph/VgaBmpTargets.h"
#include "widgets/PictureEditorPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

namespace zentrik::gui {

namespace {
const PageRegistration reg("CProp12Graphics", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CProp12Graphics(c, parent);
});

QLineEdit* numberField(const char* name, QWidget* parent) {
    auto* f = new QLineEdit(parent);
    f->setObjectName(QLatin1String(name));
    f->setValidator(new QIntValidator(0, 99999, f));
    f->setMaximumWidth(64);
    return f;
}
} // namespace

CProp12Graphics::CProp12Graphics(AppContext& context, QWidget* parent)
    : PixelChunkPage(context, DataSet::Graphics, parent), m_vga(VgaData::of(context)) {
    auto device = std::make_unique<CGraphDevice>(m_vga.state().graphics, &data().prompter());
    m_graph = device.get();
    buildFields();
    finishSetup(std::move(device));
    QGridLayout* grid = sideGrid();
    grid->addWidget(new QLabel(QStringLiteral("Width  :"), this), 5, 0);
    grid->addWidget(m_width, 5, 1);
    grid->addWidget(new QLabel(QStringLiteral("Height :"), this), 6, 0);
    grid->addWidget(m_height, 6, 1);
    grid->addWidget(new QLabel(QStringLiteral("Compressed size:"), this), 7, 0);
    grid->addWidget(m_size, 7, 1);
    auto* update = new QPushButton(QStringLiteral("Update size"), this);
    connect(update, &QPushButton::clicked, this, &CProp12Graphics::updateSize);
    grid->addWidget(update, 8, 0);
    grid->addWidget(m_auto, 8, 1);
    auto* all = new QPushButton(QStringLiteral("Export all pictures..."), this);
    connect(all, &QPushButton::clicked, this, &CProp12Graphics::exportAll);
    grid->addWidget(all, 9, 0, 1, 2);
    grid->addWidget(m_small, 10, 0, 1, 2);
    chunkEdited();
}

void CProp12Graphics::buildFields() {
    m_width = numberField("WidthField", this);
    m_height = numberField("HeightField", this);
    // Enter and the focus leaving both end an edit; only a changed text acts, once.
    connect(m_width, &QLineEdit::editingFinished, this, &CProp12Graphics::applyWidth);
    connect(m_height, &QLineEdit::editingFinished, this, &CProp12Graphics::applyHeight);
    m_size = new QLabel(QStringLiteral("N/A"), this);
    m_size->setObjectName(QStringLiteral("CompressedSize"));
    m_auto = new QCheckBox(QStringLiteral("Auto update"), this);
    m_auto->setChecked(true);
    connect(m_auto, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            updateSize();
    });
    m_small = new SmallGraphCtrl(this);
}

int CProp12Graphics::count() const {
    return m_vga.state().graphics.pictureCount();
}

bool CProp12Graphics::loaded() const {
    return m_vga.state().graphics.loaded;
}

void CProp12Graphics::setLoaded(bool on) {
    m_vga.state().graphics.loaded = on;
}

int CProp12Graphics::side() const {
    // The view starts again whenever the picture's size changes.
    return m_graph->width() * 2048 + m_graph->height();
}

void CProp12Graphics::selectOnDevice(int index) {
    m_graph->selectPicture(index);
}

QString CProp12Graphics::numberLabel(int index) const {
    const GraphicsSet& g = m_vga.state().graphics;
    const int first = g.firstPictureChunk >= 0 ? g.firstPictureChunk : 1 + int(g.fontChunks.size());
    return numberFormat().arg(first + index);
}

uint8_t CProp12Graphics::background() {
    return editor().colour(MouseButton::Right);
}

int CProp12Graphics::insertAt(int current) {
    VgaGraphState& s = m_vga.state();
    // The new picture must be coded with some dictionary when it is saved.
    if (!s.graphics.loaded && !s.dictLoaded && !loadVgaDictionary(m_vga.context()))
        return -1;
    if (!s.dictLoaded)
        return -1;
    if (s.graphics.firstPictureChunk < 0)
        s.graphics.firstPictureChunk = 1 + int(s.graphics.fontChunks.size());
    return InsertPicture(s.graphics, count() == 0 ? 0 : current, background());
}

int CProp12Graphics::removeAt(int current) {
    return std::max(0, RemovePicture(m_vga.state().graphics, current));
}

std::optional<ChunkCopy> CProp12Graphics::copyChunk(int index) const {
    const GraphicsSet& g = m_vga.state().graphics;
    if (index < 0 || index >= g.pictureCount() || size_t(index) >= g.table.size())
        return std::nullopt;
    ChunkCopy copy;
    copy.raw = g.pictures[size_t(index)];
    copy.width = g.table[size_t(index)].width;
    copy.height = g.table[size_t(index)].height;
    return copy;
}

void CProp12Graphics::putChunkBack(int index, ChunkCopy copy) {
    PutPictureBack(m_vga.state().graphics, index,
                   PictureSize{int16_t(copy.width), int16_t(copy.height)}, std::move(copy.raw));
}

void CProp12Graphics::applyWidth() {
    if (!m_width->isModified() || !m_graph->hasChunk())
        return;
    m_width->setModified(false);
    editor().leaveChunk();
    auto w = m_graph->setWidth(m_width->text().toInt(), background());
    if (!w)
        data().prompter().message(w.error().text, w.error().caption, MessageIcon::Exclamation);
    else
        resized();
    m_width->setText(QString::number(m_graph->width()));
}

void CProp12Graphics::applyHeight() {
    if (!m_height->isModified() || !m_graph->hasChunk())
        return;
    m_height->setModified(false);
    editor().leaveChunk();
    Status st = m_graph->setHeight(m_height->text().toInt(), background());
    if (!st)
        data().prompter().message(st.error().text, st.error().caption, MessageIcon::Exclamation);
    else
        resized();
    m_height->setText(QString::number(m_graph->height()));
}

void CProp12Graphics::resized() {
    m_vga.markModified(DataSet::Graphics);
    refresh();
    updateSize();
}

QString CProp12Graphics::compressedSizeText() const {
    return m_size->text();
}

void CProp12Graphics::updateSize() {
    const VgaGraphState& s = m_vga.state();
    if (!m_graph->hasChunk() || !s.dictLoaded) {
        m_size->setText(QStringLiteral("N/A"));
        m_size->setToolTip(QString());
        return;
    }
    const auto& pixels = s.graphics.pictures[size_t(current())];
    // A colour the dictionary has no code for cannot be saved: say so instead of a size.
    if (auto coded = HuffmanEncode(pixels, s.codes); !coded) {
        m_size->setText(QStringLiteral("no code!"));
        m_size->setToolTip(QStringLiteral("A colour of this picture has no Huffman code in the "
                                          "dictionary: the picture cannot be saved with it."));
        return;
    }
    m_size->setText(
        QStringLiteral("%1 bytes").arg(CompressedPictureSize(s.graphics, current(), s.codes)));
    m_size->setToolTip(QString());
}

void CProp12Graphics::exportAll() {
    const GraphicsSet& g = m_vga.state().graphics;
    if (g.pictureCount() == 0)
        return;
    Prompter& p = data().prompter();
    auto folder = p.chooseFolder("Export all pictures to...", "");
    if (!folder)
        return;
    editor().leaveChunk();
    for (int i = 0; i < g.pictureCount(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "picture-%03d.png", i);
        PictureBmpTarget picture(m_vga.state().graphics, i);
        if (!ExportPicture(picture, std::filesystem::path(*folder) / name, data().palette(), p))
            return;
    }
    p.message("Exported " + std::to_string(g.pictureCount()) + " pictures to " + *folder,
              "Export all", MessageIcon::Information);
}

void CProp12Graphics::chunkEdited() {
    const bool has = m_graph->hasChunk();
    m_width->setEnabled(has);
    m_height->setEnabled(has);
    m_width->setText(has ? QString::number(m_graph->width()) : QString());
    m_height->setText(has ? QString::number(m_graph->height()) : QString());
    if (m_auto->isChecked() || !has)
        updateSize();
    QImage image;
    if (has) {
        image = QImage(m_graph->width(), m_graph->height(), QImage::Format_Indexed8);
        const auto colours = data().paletteColours();
        image.setColorTable(QList<QRgb>(colours.begin(), colours.end()));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.scanLine(y)[x] = m_graph->getPixel(x, y);
    }
    m_small->setPicture(image);
}

} // namespace zentrik::gui
