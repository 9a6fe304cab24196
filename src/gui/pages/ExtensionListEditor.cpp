#include "pages/ExtensionListEditor.h"

#include "context/AppContext.h"

#include <QComboBox>
#include <QHeaderView>

#include <algorithm>

namespace zentrik::gui {

namespace {
constexpr int kSuffixColumn = 0;
constexpr int kSymbolColumn = 1;
constexpr int kPaletteColumn = 2;
constexpr int kColumnWidths[] = {70, 180, 160};

QStringList sortedWithFirst(const char* first, const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& n : names)
        list << QString::fromStdString(n);
    list.sort(Qt::CaseInsensitive);
    list.prepend(QString::fromLatin1(first));
    return list;
}
} // namespace

ExtensionListEditor::ExtensionListEditor(AppContext& context, QWidget* parent)
    : QTableWidget(0, 3, parent), m_context(context) {
    setObjectName(QStringLiteral("ExtensionList"));
    setHorizontalHeaderLabels(
        {QStringLiteral("Extension"), QStringLiteral("Mapsymbols"), QStringLiteral("Palette")});
    for (int c = 0; c < 3; ++c)
        setColumnWidth(c, kColumnWidths[c]);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTableWidget::itemChanged, this, &ExtensionListEditor::onItemChanged);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                if (row != previousRow)
                    onCurrentRowChanged(row);
            });
    connect(&context.messages, &AppMessages::paletteAdded, this, [this] { rebuild(); });
    rebuild();
}

int ExtensionListEditor::currentExtensionRow() const {
    const auto& records = m_context.extensions.records();
    for (int i = int(records.size()) - 1; i >= 0; --i)
        if (records[size_t(i)].extension == m_context.settings.lastExtension)
            return i;
    return -1;
}

void ExtensionListEditor::rebuild() {
    m_updating = true;
    const auto& records = m_context.extensions.records();
    // A full table takes no new row: it holds 100 records at most.
    const bool newRow = int(records.size()) < kMaxExtensions;
    setRowCount(int(records.size()) + (newRow ? 1 : 0));
    for (int i = 0; i < int(records.size()); ++i) {
        const ExtensionRecord& r = records[size_t(i)];
        addRow(i, QString::fromStdString(r.extension), QString::fromStdString(r.symbolSet),
               QString::fromStdString(r.palette), false);
    }
    if (newRow)
        addRow(int(records.size()), QString(), QString::fromLatin1(kNoSymbolSet),
               QString::fromLatin1(kNoPaletteChange), true);
    const int current = currentExtensionRow();
    if (current >= 0)
        setCurrentCell(current, kSuffixColumn);
    else
        setCurrentCell(-1, -1);
    m_updating = false;
}

void ExtensionListEditor::addRow(int row, const QString& suffix, const QString& symbolSet,
                                 const QString& palette, bool isNew) {
    setItem(row, kSuffixColumn, new QTableWidgetItem(suffix));
    for (int c : {kSymbolColumn, kPaletteColumn}) {
        auto* cell = new QTableWidgetItem;
        cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
        setItem(row, c, cell);
    }
    // The drop-down cells of the new row wait for its suffix: until then there is no record
    // to hold the choice.
    makeCombo(row, kSymbolColumn, sortedWithFirst(kNoSymbolSet, m_context.symbolSetNames),
              symbolSet, !isNew);
    makeCombo(row, kPaletteColumn, sortedWithFirst(kNoPaletteChange, m_context.palettes.names()),
              palette, !isNew);
}

QComboBox* ExtensionListEditor::makeCombo(int row, int column, const QStringList& entries,
                                          const QString& current, bool enabled) {
    auto* combo = new QComboBox(this);
    combo->addItems(entries);
    // A name that is no longer in the folder stays visible as it is in the table.
    if (combo->findText(current) < 0)
        combo->addItem(current);
    combo->setCurrentText(current);
    combo->setEnabled(enabled);
    connect(combo, &QComboBox::textActivated, this,
            [this, row, column](const QString& text) { chooseEntry(row, column, text); });
    setCellWidget(row, column, combo);
    return combo;
}

void ExtensionListEditor::editSuffix(int row, const QString& text) {
    m_context.extensions.editExtension(row, text.trimmed().toStdString());
    // The row's own record may be the current extension under its new name.
    if (row == currentRow() && row < int(m_context.extensions.records().size()))
        m_context.settings.lastExtension = m_context.extensions.records()[size_t(row)].extension;
    rebuild();
}

void ExtensionListEditor::chooseEntry(int row, int column, const QString& entry) {
    std::vector<ExtensionRecord> records = m_context.extensions.records();
    if (row < 0 || row >= int(records.size()))
        return;
    (column == kSymbolColumn ? records[size_t(row)].symbolSet : records[size_t(row)].palette) =
        entry.toStdString();
    m_context.extensions.setRecords(std::move(records));
    m_context.selectExtension(row);
}

void ExtensionListEditor::onItemChanged(QTableWidgetItem* item) {
    if (m_updating || item->column() != kSuffixColumn)
        return;
    const int row = item->row();
    const QString text = item->text();
    // The table is rebuilt, which deletes this item: leave the signal first.
    QMetaObject::invokeMethod(
        this, [this, row, text] { editSuffix(row, text); }, Qt::QueuedConnection);
}

void ExtensionListEditor::onCurrentRowChanged(int row) {
    if (m_updating || row < 0)
        return;
    m_context.selectExtension(row);
}

} // namespace zentrik::gui
