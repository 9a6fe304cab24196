#include "pages/HiResDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentrik::gui {

HiResDialog::HiResDialog(const QString& what, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Switch to high resolution?"));
    auto* text = new QLabel(QStringLiteral("Do you really want to convert all your\nto a "
                                           "128x128 resolution?"),
                            this);
    auto* name = new QLabel(what, this);
    name->setObjectName(QStringLiteral("HiResWhat"));
    auto* blend = new QPushButton(QStringLiteral("Blend them!"), this);
    auto* stretch = new QPushButton(QStringLiteral("Stretch them!"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    blend->setDefault(true);
    connect(blend, &QPushButton::clicked, this, [this] { done(kBlend); });
    connect(stretch, &QPushButton::clicked, this, [this] { done(kStretch); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(0); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(blend);
    buttons->addWidget(stretch);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(name);
    layout->addLayout(buttons);
}

} // namespace zentrik::gui
