#include "world/CProp10Symbols.h"

#include "context/AppContext.h"
#include "context/PageRegistry.h"
#include "context/SymbolImages.h"
#include "world/SymbolBox.h"
#include "world/SymbolEditCtrl.h"
#include "world/SymbolPickCtrl.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {
constexpr const char* kStripSaveFilter = "Bitmap|*.BMP|All files|*.*||";
constexpr const char* kStripDefaultName = "Symbols.BMP";
constexpr int kListWidth = 180;
constexpr int kSwatchSize = 24;

const PageRegistration reg("CProp10Symbols", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CProp10Symbols(c, parent);
});
} // namespace

CProp10Symbols::CProp10Symbols(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    m_sets = new QListWidget(this);
    m_sets->setMaximumWidth(kListWidth);
    for (const std::string& name : context.symbolSetNames)
        m_sets->addItem(QString::fromStdString(name));
    connect(m_sets, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!name.isEmpty())
            m_context.loadSymbolStrip(name.toStdString());
    });

    m_paint = new SymbolEditCtrl(SymbolEditCtrl::Mode::Paint, this);
    m_pickColor = new SymbolEditCtrl(SymbolEditCtrl::Mode::Pick, this);
    m_paint->setToolTip(QStringLiteral("Paint with the current colour"));
    m_pickColor->setToolTip(QStringLiteral("Click to take a colour"));
    connect(m_pickColor, &SymbolEditCtrl::colorPicked, this, &CProp10Symbols::setColor);
    m_swatch = new QLabel(this);
    m_swatch->setFixedSize(kSwatchSize, kSwatchSize);
    m_use = new QPushButton(QStringLiteral("Use Symbol"), this);
    m_save = new QPushButton(QStringLiteral("Save"), this);
    connect(m_use, &QPushButton::clicked, this, &CProp10Symbols::useSymbol);
    connect(m_save, &QPushButton::clicked, this, &CProp10Symbols::save);

    auto* editors = new QGridLayout;
    editors->addWidget(m_paint, 0, 0);
    editors->addWidget(m_pickColor, 0, 1);
    editors->addWidget(m_swatch, 0, 2, Qt::AlignTop);
    editors->addWidget(m_use, 1, 0, 1, 2);
    editors->addWidget(m_save, 2, 0, 1, 2);
    m_box = new SymbolBox(this);
    m_boxButton = new QPushButton(QStringLiteral("SymbolBox"), this);
    m_boxButton->setCheckable(true);
    connect(m_boxButton, &QPushButton::toggled, m_box, &QWidget::setVisible);
    connect(m_box, &SymbolBox::shownChanged, m_boxButton, &QPushButton::setChecked);
    connect(m_box->picker(), &SymbolPickCtrl::cellPicked, this, &CProp10Symbols::cellPicked);
    editors->addWidget(m_boxButton, 3, 0, 1, 2);
    editors->setColumnStretch(3, 1);

    m_strip = new SymbolPickCtrl(this);
    connect(m_strip, &SymbolPickCtrl::cellPicked, this, &CProp10Symbols::cellPicked);
    auto* scroller = new QScrollArea(this);
    scroller->setWidget(m_strip);

    auto* right = new QVBoxLayout;
    right->addLayout(editors);
    right->addWidget(scroller, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_sets);
    layout->addLayout(right, 1);

    connect(&context.messages, &AppMessages::symbolsChanged, this, &CProp10Symbols::showStrip);
    connect(&context.messages, &AppMessages::pensUpdated, this, &CProp10Symbols::penUpdated);
    setColor(m_paint->color());
    showStrip();
    showCell(0);
}

void CProp10Symbols::showStrip() {
    const QImage strip = stripToImage(m_context.symbols.strip);
    m_strip->setStrip(strip);
    m_box->picker()->setStrip(strip);
    m_pickColor->setSymbol(m_context.symbols.strip.symbol(m_index));
}

void CProp10Symbols::showCell(int index) {
    m_index = index;
    const Symbol s = m_context.symbols.strip.symbol(index);
    m_paint->setSymbol(s);
    m_pickColor->setSymbol(s);
}

void CProp10Symbols::penUpdated(bool left, int kind) {
    const Pen& pen = m_context.pens.of(left);
    if (kind == kPenWall)
        showCell(SymbolStrip::plane0Index(pen.wall));
    else if (kind == kPenObject)
        showCell(SymbolStrip::objectIndex(pen.object));
    else if (kind == kPenFloor)
        showCell(SymbolStrip::plane0Index(pen.floor));
}

void CProp10Symbols::cellPicked(int index, bool left) {
    if (index < kPlane0Symbols)
        emit m_context.messages.penChanged(left, kPenWall, 0, quint16(index));
    else
        emit m_context.messages.penChanged(left, kPenObject, quint16(index - kPlane0Symbols), 0);
}

void CProp10Symbols::setColor(uint16_t color) {
    m_paint->setColor(color);
    m_swatch->setStyleSheet(QStringLiteral("background: %1; border: 1px solid black")
                                .arg(QColor(rgbOf555(color)).name()));
}

void CProp10Symbols::useSymbol() {
    m_context.symbols.strip.setSymbol(m_index, m_paint->symbol());
    emit m_context.messages.symbolsChanged();
}

void CProp10Symbols::save() {
    FileDialogRequest request{"", kStripSaveFilter, "BMP", kStripDefaultName};
    if (auto path = m_context.relay.saveFile(request))
        saveSymbolStrip(m_context.symbols.strip, *path, m_context.relay);
}

} // namespace zentrik::gui
