#include "pages/NewPaletteDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentrik::gui {

NewPaletteDialog::NewPaletteDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("New palette..."));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(this);
    form->addRow(QStringLiteral("Palette name:"), m_name);
    layout->addLayout(form);
    auto* row = new QHBoxLayout;
    using S = PaletteLibrary::NewSource;
    const std::pair<S, const char*> sources[] = {{S::CopyCurrent, "Copy current palette"},
                                                 {S::Rip, "Rip palette from clipboard"},
                                                 {S::Import, "Import palette"}};
    for (const auto& [source, text] : sources) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setEnabled(false);
        connect(b, &QPushButton::clicked, this, [this, s = source] {
            m_choice = NewPaletteChoice{m_name->text(), s};
            accept();
        });
        m_buttons[int(source)] = b;
        row->addWidget(b);
    }
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& text) {
        for (QPushButton* b : m_buttons)
            b->setEnabled(!text.isEmpty());
    });
}

QPushButton* NewPaletteDialog::sourceButton(PaletteLibrary::NewSource s) const {
    return m_buttons[int(s)];
}

} // namespace zentrik::gui
