#include "window/LoadAllDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {

QString fileName(const std::filesystem::path& p) {
    return QString::fromStdString(p.filename().string());
}

} // namespace

LoadAllDialog::LoadAllDialog(const LoadAllScan& scan, std::filesystem::path folder,
                             const std::optional<std::string>& proposal, QWidget* parent)
    : QDialog(parent), m_scan(scan), m_folder(std::move(folder)) {
    setWindowTitle(QStringLiteral("Load All"));
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Extension:")));
    m_extensions = new QListWidget;
    for (const std::string& s : scan.suffixes)
        m_extensions->addItem(QString::fromStdString(s));
    m_extensions->setMaximumWidth(110);
    left->addWidget(m_extensions);

    auto* form = new QFormLayout;
    for (int f = 0; f < kLoadAllFieldCount; ++f) {
        auto* box = new QComboBox;
        box->setEditable(true);
        box->setMinimumWidth(220);
        for (const std::string& name : scan.of(roleOf(LoadAllField(f))))
            box->addItem(QString::fromStdString(name));
        box->setCurrentIndex(-1);
        box->setObjectName(QString::fromLatin1(kLoadAllFieldLabels[size_t(f)]));
        m_fields[size_t(f)] = box;
        form->addRow(QString::fromLatin1(kLoadAllFieldLabels[size_t(f)]), box);
    }

    auto* buttons = new QDialogButtonBox;
    QPushButton* load =
        buttons->addButton(QStringLiteral("Load All"), QDialogButtonBox::AcceptRole);
    QPushButton* compress =
        buttons->addButton(QStringLiteral("Compress all"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    load->setDefault(true);
    connect(load, &QPushButton::clicked, this, [this] { finish(false); });
    connect(compress, &QPushButton::clicked, this, [this] { finish(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(form, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(buttons);

    connect(m_extensions, &QListWidget::currentTextChanged, this, &LoadAllDialog::selectSuffix);
    if (proposal) {
        const auto hits =
            m_extensions->findItems(QString::fromStdString(*proposal), Qt::MatchFixedString);
        if (!hits.isEmpty())
            m_extensions->setCurrentItem(hits.front());
    }
}

QString LoadAllDialog::suffix() const {
    return m_extensions->currentItem() ? m_extensions->currentItem()->text() : QString();
}

void LoadAllDialog::selectSuffix(const QString& suffix) {
    const LoadAllNames chosen = selectForSuffix(m_scan, suffix.toStdString(), m_folder);
    for (int f = 0; f < kLoadAllFieldCount; ++f) {
        QComboBox* box = m_fields[size_t(f)];
        const auto& path = chosen[size_t(f)];
        box->setCurrentIndex(path.empty() ? -1
                                          : box->findText(fileName(path), Qt::MatchFixedString));
        if (path.empty())
            box->setEditText(QString());
    }
}

void LoadAllDialog::finish(bool compress) {
    LoadAllChoice choice;
    choice.compress = compress;
    for (int f = 0; f < kLoadAllFieldCount; ++f)
        choice.names[size_t(f)] =
            fieldPath(m_fields[size_t(f)]->currentText().trimmed().toStdString(), m_folder);
    m_choice = choice;
    accept();
}

} // namespace zentrik::gui
